// The framework's module states and the extension-library resource chain.
//
// A module state holds the instance and resource handles that the
// framework's resource lookups start from and the chain of extension
// libraries joined to it (CDynLinkLibrary entries, in the order they were
// made). The process has one application state; a library that runs with a
// framework state of its own makes another and makes it current while its
// code runs (AFX_MANAGE_STATE). An extension library joins its resources to
// whichever state is current when it makes a CDynLinkLibrary.
//
//   application state ──> [KyROZ50] ──> [another extension] ──> NULL
//   a library's state ──> [KyROZ50]          (after its InitKyROZ50DLL)
#pragma once

#include "winres.h"

struct CRuntimeClass;
class CDynLinkLibrary;

class AFX_MODULE_STATE {
 public:
  // bDLL: the state of a library rather than of the application. Both
  // handles start as hInstance.
  explicit AFX_MODULE_STATE(BOOL bDLL, HINSTANCE hInstance = NULL);
  // Deletes the chain entries still joined to this state.
  ~AFX_MODULE_STATE();
  AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
  AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

  BOOL m_bDLL;
  HINSTANCE m_hCurrentInstanceHandle;
  HINSTANCE m_hCurrentResourceHandle;
  // First entry of the chain; entries link on through m_pNextDLL.
  CDynLinkLibrary* m_libraryList = nullptr;
};

// The record an extension library keeps of itself (one, static, per library).
struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
  // Unused: run-time classes join one process-wide list as their library
  // loads (afxobj.h), so a library keeps no list of its own.
  CRuntimeClass* pFirstSharedClass;
  void* pFirstSharedFactory;
};

// One entry of a state's resource chain: an extension library's resources,
// searched after the state's own. It joins the state current at its making
// and leaves that state's chain when deleted.
class CDynLinkLibrary {
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
  CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
  virtual ~CDynLinkLibrary();
  CDynLinkLibrary(const CDynLinkLibrary&) = delete;
  CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

  HMODULE m_hModule;
  HMODULE m_hResource;
  BOOL m_bSystem;
  CDynLinkLibrary* m_pNextDLL = nullptr;
  AFX_MODULE_STATE* m_pModuleState = nullptr;  // the state whose chain holds this entry

 private:
  void Join(AFX_MODULE_STATE* pState);
};

// The application's state: built on first use and never destroyed, because
// libraries detach (from their unload handlers) after the C++ static objects
// of the process are gone. Its handles are the executable's.
AFX_MODULE_STATE* AfxGetAppModuleState();
// The calling thread's current state; the application's unless one was set.
AFX_MODULE_STATE* AfxGetModuleState();
// Makes pState current on the calling thread (NULL: the application's) and
// returns the state that was current.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pState);

// Keeps a state current for the lifetime of the object.
class AFX_MAINTAIN_STATE2 {
 public:
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pState) : m_pPrevState(AfxSetModuleState(pState)) {}
  ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevState); }
  AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
  AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

 private:
  AFX_MODULE_STATE* m_pPrevState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

// Records the library's handle (also as its resource handle) the first time;
// later calls change nothing. TRUE, or FALSE for a NULL handle.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the chain entries of the library from the current state (all of
// the state's entries with bAll). Nothing for a record never initialised.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

typedef BOOL(WINAPI* AFX_DLLMAIN)(HINSTANCE, DWORD, LPVOID);
// Delivers an attach or detach to a module's entry point (afxdllx.h does it
// at load and unload), once per module: an attach of a module attached
// already is not delivered (TRUE), a detach only after a successful attach
// (FALSE otherwise). Returns the entry point's result.
BOOL AfxCallDllMain(HMODULE hModule, AFX_DLLMAIN pfnDllMain, DWORD dwReason);
