// Hooks a shared object's DllMain to the loader. Include it once, in the
// source file that defines DllMain:
//
//   #include "afxdllx.h"
//   extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) { ... }
//
// When the object is loaded, after its resources are registered, DllMain
// sees DLL_PROCESS_ATTACH with the object's module handle; when it is
// unloaded (or the process ends) it sees DLL_PROCESS_DETACH. A DllMain that
// refuses the attach (returns FALSE) gets the detach at once, its module's
// resources are removed, and the loader says so on standard error, because
// a shared object cannot undo its own load.
//
// DllMain is hidden: each object has its own, as each library on the home
// platform has its own entry point.
#pragma once

#include "afxdll_.h"
#include "resimage.h"

extern "C" __attribute__((visibility("hidden"))) BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason,
                                                                     LPVOID lpReserved);

// Runs after the resource sections (AFX_RESOURCE_PRIORITY), so that DllMain
// can find the module's resources.
#define AFX_DLLMAIN_PRIORITY 120
namespace {
__attribute__((constructor(AFX_DLLMAIN_PRIORITY))) void AfxDllMainAttach() {
  AfxCallDllMain(AfxModuleFromAddress(reinterpret_cast<const void*>(&AfxDllMainAttach)), &DllMain,
                 DLL_PROCESS_ATTACH);
}
__attribute__((destructor(AFX_DLLMAIN_PRIORITY))) void AfxDllMainDetach() {
  AfxCallDllMain(AfxModuleFromAddress(reinterpret_cast<const void*>(&AfxDllMainDetach)), &DllMain,
                 DLL_PROCESS_DETACH);
}
}  // namespace
