// Resources of the loaded modules, found along the framework's resource chain.
// FIXME: only the string lookup that CString::LoadString needs is declared so far.
#pragma once

#include "windef.h"

class CString;

// Finds string nID along the resource chain; FALSE when no module has it.
BOOL AfxLoadString(UINT nID, CString& out);
