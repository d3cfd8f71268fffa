// The module's start-up: its entry point's chain entry, InitKyROZ50DLL and
// the module's own resource handle.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "KyROZ50Module.h"
#include "resimage.h"
#include "resource.h"

namespace {

int EntriesFor(AFX_MODULE_STATE* state, HMODULE h) {
  int n = 0;
  for (CDynLinkLibrary* p = state->m_libraryList; p; p = p->m_pNextDLL) n += p->m_hModule == h;
  return n;
}

// English for the length of a test, whatever the machine's locale.
struct EnglishUI {
  EnglishUI() { SetThreadUILanguage(LANGID_ENGLISH_US); }
  ~EnglishUI() { SetThreadUILanguage(0); }
};

}  // namespace

TEST(KyROZ50Module, ResourceHandleIsTheLoadedLibraryAndInitHasCLinkage) {
  HINSTANCE h = KyROZ50ResourceHandle();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h, AfxModuleFromAddress(reinterpret_cast<const void*>(&InitKyROZ50DLL)));
  EXPECT_EQ(h, GetModuleHandle("KyROZ50"));
  EXPECT_EQ(h, GetModuleHandle("libKyROZ50.so"));
  EXPECT_NE(h, GetModuleHandle(nullptr));
  // The host finds it by its plain name.
  void* self = dlopen(nullptr, RTLD_NOW);
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(dlsym(self, "InitKyROZ50DLL"), reinterpret_cast<void*>(&InitKyROZ50DLL));
  dlclose(self);
}

TEST(KyROZ50Module, LoadJoinsTheApplicationChainOnce) {
  EnglishUI english;
  AFX_MODULE_STATE* app = AfxGetAppModuleState();
  EXPECT_EQ(AfxGetModuleState(), app);
  EXPECT_EQ(EntriesFor(app, KyROZ50ResourceHandle()), 1);
  EXPECT_EQ(app->m_hCurrentResourceHandle, GetModuleHandle(nullptr));
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_KYFSLBMP), RT_KYFSLBMP), KyROZ50ResourceHandle());
  CString s;
  EXPECT_TRUE(s.LoadString(IDS_ROOT_GROUP));
  EXPECT_EQ(s, "Root Group");
}

TEST(KyROZ50Module, DefaultLibraryFoundWithoutInit) {
  // A library state of its own that never called InitKyROZ50DLL: the chain
  // does not know the module, its own handle still finds the resource.
  AFX_MODULE_STATE state(TRUE, GetModuleHandle(nullptr));
  AFX_MANAGE_STATE(&state);
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_KYFSLBMP), RT_KYFSLBMP), GetModuleHandle(nullptr));
  CString s;
  EXPECT_FALSE(s.LoadString(IDS_ROOT_GROUP));
  EXPECT_TRUE(s.IsEmpty());

  HINSTANCE h = KyROZ50ResourceHandle();
  HRSRC res = FindResource(h, MAKEINTRESOURCE(4913), "KYFSLBMP");
  ASSERT_NE(res, nullptr);
  HGLOBAL data = LoadResource(h, res);
  ASSERT_NE(data, nullptr);
  const BYTE* p = static_cast<const BYTE*>(LockResource(data));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(SizeofResource(h, res), 21608u);
  EXPECT_EQ(p[0] | p[1] << 8 | p[2] << 16 | p[3] << 24, 20010521);
  EXPECT_FALSE(FreeResource(data));
}

TEST(KyROZ50Module, InitAddsOneEntryPerCallToTheCallingState) {
  EnglishUI english;
  AFX_MODULE_STATE* app = AfxGetAppModuleState();
  {
    AFX_MODULE_STATE state(TRUE, GetModuleHandle(nullptr));
    AFX_MANAGE_STATE(&state);
    InitKyROZ50DLL();
    EXPECT_EQ(EntriesFor(&state, KyROZ50ResourceHandle()), 1);
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_NEW_GROUP));
    EXPECT_EQ(s, "New Group");
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_KYFSLBMP), RT_KYFSLBMP), KyROZ50ResourceHandle());
    InitKyROZ50DLL();
    EXPECT_EQ(EntriesFor(&state, KyROZ50ResourceHandle()), 2);
    EXPECT_EQ(EntriesFor(app, KyROZ50ResourceHandle()), 1);
  }
  // The state took its entries with it; the application's is untouched.
  EXPECT_EQ(AfxGetModuleState(), app);
  EXPECT_EQ(EntriesFor(app, KyROZ50ResourceHandle()), 1);
}

