// Module states, extension-library chain entries, and the lookups that walk
// the chain: resource handles and strings.
#include <cstdio>
#include <mutex>
#include <new>
#include <set>
#include <vector>

#include "afxassert.h"
#include "afxdll_.h"
#include "afxres.h"
#include "afxstr.h"
#include "resimage.h"

namespace {

thread_local AFX_MODULE_STATE* t_currentState = nullptr;

// The modules whose DllMain accepted the attach and has not yet seen the
// detach. Never destroyed, for the same reason as the application state.
std::set<HMODULE>& AttachedModules() {
  static std::set<HMODULE>* modules = new std::set<HMODULE>;
  return *modules;
}
std::mutex& AttachedMutex() {
  static std::mutex* m = new std::mutex;
  return *m;
}

// The handles the chain of the current state offers, in search order: the
// state's resource handle, its extension libraries in the order they
// joined, and the system's libraries last.
std::vector<HINSTANCE> ChainHandles() {
  AFX_MODULE_STATE* s = AfxGetModuleState();
  std::vector<HINSTANCE> handles;
  if (s->m_hCurrentResourceHandle) handles.push_back(s->m_hCurrentResourceHandle);
  for (int system = 0; system < 2; ++system)
    for (CDynLinkLibrary* p = s->m_libraryList; p; p = p->m_pNextDLL)
      if (!p->m_bSystem == !system && p->m_hResource) handles.push_back(p->m_hResource);
  return handles;
}

}  // namespace

AFX_MODULE_STATE::AFX_MODULE_STATE(BOOL bDLL, HINSTANCE hInstance)
    : m_bDLL(bDLL), m_hCurrentInstanceHandle(hInstance), m_hCurrentResourceHandle(hInstance) {}

AFX_MODULE_STATE::~AFX_MODULE_STATE() {
  while (m_libraryList) delete m_libraryList;  // each entry unlinks itself
  if (t_currentState == this) t_currentState = nullptr;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem) {
  ASSERT(state.bInitialized && "Call AfxInitExtensionModule before making a CDynLinkLibrary?");
  Join(AfxGetModuleState());
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE) {
  Join(AfxGetModuleState());
}

void CDynLinkLibrary::Join(AFX_MODULE_STATE* pState) {
  // At the end, so that libraries are searched in the order they joined.
  m_pModuleState = pState;
  CDynLinkLibrary** link = &pState->m_libraryList;
  while (*link) link = &(*link)->m_pNextDLL;
  *link = this;
}

CDynLinkLibrary::~CDynLinkLibrary() {
  if (!m_pModuleState) return;
  for (CDynLinkLibrary** link = &m_pModuleState->m_libraryList; *link; link = &(*link)->m_pNextDLL) {
    if (*link == this) {
      *link = m_pNextDLL;
      break;
    }
  }
}

AFX_MODULE_STATE* AfxGetAppModuleState() {
  static AFX_MODULE_STATE* state = new AFX_MODULE_STATE(FALSE, GetModuleHandle(nullptr));
  return state;
}

AFX_MODULE_STATE* AfxGetModuleState() { return t_currentState ? t_currentState : AfxGetAppModuleState(); }

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pState) {
  AFX_MODULE_STATE* prev = AfxGetModuleState();
  t_currentState = pState;
  return prev;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (state.bInitialized) return TRUE;
  if (!hModule) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  state.hModule = hModule;
  state.hResource = hModule;
  state.pFirstSharedClass = nullptr;
  state.pFirstSharedFactory = nullptr;
  state.bInitialized = TRUE;
  return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (!state.bInitialized) return;
  AFX_MODULE_STATE* s = AfxGetModuleState();
  for (CDynLinkLibrary* p = s->m_libraryList; p;) {
    CDynLinkLibrary* next = p->m_pNextDLL;
    if (bAll || p->m_hModule == state.hModule) delete p;
    p = next;
  }
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
void AfxSetResourceHandle(HINSTANCE hInstResource) {
  ASSERT(hInstResource && "A resource handle must name a module.");
  AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType) {
  for (HINSTANCE h : ChainHandles())
    if (FindResource(h, lpszName, lpszType)) return h;
  return AfxGetResourceHandle();
}

HINSTANCE AfxFindStringResourceHandle(UINT nID) {
  // Room for one character of any page, so that a text starting with a
  // double-byte character still shows as there.
  char probe[3];
  for (HINSTANCE h : ChainHandles())
    if (LoadString(h, nID, probe, sizeof probe) > 0) return h;
  return nullptr;
}

int AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nMaxBuf) {
  if (!lpszBuf || nMaxBuf == 0) return 0;
  lpszBuf[0] = '\0';
  HINSTANCE h = AfxFindStringResourceHandle(nID);
  if (!h) return 0;
  return LoadString(h, nID, lpszBuf, static_cast<int>(nMaxBuf > 0x10000 ? 0x10000 : nMaxBuf));
}

BOOL AfxLoadString(UINT nID, CString& out) {
  out.Empty();
  HINSTANCE h = AfxFindStringResourceHandle(nID);
  if (!h) return FALSE;
  // Most strings are short; a full buffer means the text may be longer.
  char small[256];
  int n = LoadString(h, nID, small, sizeof small);
  if (n < static_cast<int>(sizeof small) - 1) {
    out = CString(small, n);
    return n > 0;
  }
  std::vector<char> big(0x10001);
  n = LoadString(h, nID, big.data(), static_cast<int>(big.size()));
  out = CString(big.data(), n);
  return n > 0;
}

BOOL AfxCallDllMain(HMODULE hModule, AFX_DLLMAIN pfnDllMain, DWORD dwReason) {
  if (!pfnDllMain) return FALSE;
  if (dwReason == DLL_PROCESS_ATTACH) {
    {
      // A module attaches once, even if two of its files hooked its entry point.
      std::lock_guard<std::mutex> lock(AttachedMutex());
      if (AttachedModules().count(hModule)) return TRUE;
    }
    if (pfnDllMain(hModule, DLL_PROCESS_ATTACH, nullptr)) {
      std::lock_guard<std::mutex> lock(AttachedMutex());
      AttachedModules().insert(hModule);
      return TRUE;
    }
    // The home loader would fail the load here. A shared object cannot undo
    // its own load, so the module is left without its resources and the
    // reason is said once.
    pfnDllMain(hModule, DLL_PROCESS_DETACH, nullptr);
    AfxUnregisterResources(hModule);
    char path[4096];
    if (!GetModuleFileName(hModule, path, sizeof path)) path[0] = '\0';
    std::fprintf(stderr, "%s: the module's initialisation failed\n", path[0] ? path : "module");
    return FALSE;
  }
  if (dwReason == DLL_PROCESS_DETACH) {
    {
      std::lock_guard<std::mutex> lock(AttachedMutex());
      if (!AttachedModules().erase(hModule)) return FALSE;
    }
    return pfnDllMain(hModule, DLL_PROCESS_DETACH, nullptr);
  }
  return pfnDllMain(hModule, dwReason, nullptr);
}
