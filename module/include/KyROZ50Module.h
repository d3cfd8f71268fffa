// The module's start-up: its entry point joins the module's resources to the
// resource chain of the process's application when the library is loaded;
// a host that runs with a framework state of its own calls InitKyROZ50DLL
// once so that the module's dialogs and strings are found from there too.
#pragma once

#include "afx.h"

// Adds a resource-chain entry for this module to the framework state that is
// current at the call. Each call adds one; there is no matching shutdown.
extern "C" void WINAPI InitKyROZ50DLL();

// The module's own resource handle, copied at load from its extension-module
// record. The built-in default library is looked up through it, so that it
// is found whether or not the host called InitKyROZ50DLL. NULL only if the
// module's initialisation failed.
HINSTANCE KyROZ50ResourceHandle();
