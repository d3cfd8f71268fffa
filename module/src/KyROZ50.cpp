// The module's entry point and InitKyROZ50DLL.
#include <new>

#include "KyROZ50Module.h"
#include "afxdllx.h"

namespace {

AFX_EXTENSION_MODULE KyROZ50DLL = {FALSE, NULL, NULL, NULL, NULL};

// Taken from the record at attach; CreateDefault finds the built-in library
// through it rather than along the chain, which a host may never have joined.
HINSTANCE s_hResource = NULL;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(KyROZ50DLL, hInstance)) return 0;
    s_hResource = KyROZ50DLL.hResource;
    // The entry lives on the application state's chain until the process
    // ends. When it cannot be allocated the load still succeeds; the chain
    // then just does not hold this module's resources.
    new (std::nothrow) CDynLinkLibrary(KyROZ50DLL);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(KyROZ50DLL);
  }
  return 1;
}

extern "C" void WINAPI InitKyROZ50DLL() { new (std::nothrow) CDynLinkLibrary(KyROZ50DLL); }

HINSTANCE KyROZ50ResourceHandle() { return s_hResource; }
