// The loader's side of a module's entry point: a shared object loaded at run
// time registers its resources, sees DLL_PROCESS_ATTACH with its own handle
// and joins the application's chain; unloaded, it sees the detach, leaves
// the chain and its resources are gone.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "afx.h"
#include "resimage.h"

namespace {

std::string FixturePath() {
  char exe[4096];
  if (!GetModuleFileName(nullptr, exe, sizeof exe)) return "";
  std::string dir(exe);
  return dir.substr(0, dir.rfind('/') + 1) + "libky_entry_fixture.so";
}

int EntriesFor(HMODULE h) {
  int n = 0;
  for (CDynLinkLibrary* p = AfxGetAppModuleState()->m_libraryList; p; p = p->m_pNextDLL) n += p->m_hModule == h;
  return n;
}

HINSTANCE g_detached = nullptr;
int g_entriesAtDetach = -1;
void Sink(HINSTANCE h, DWORD reason) {
  if (reason != DLL_PROCESS_DETACH) return;
  g_detached = h;
  g_entriesAtDetach = EntriesFor(h);
}

template <typename F>
F Symbol(void* lib, const char* name) {
  return reinterpret_cast<F>(dlsym(lib, name));
}

}  // namespace

TEST(EntryPoint, LoadAttachesAndUnloadDetaches) {
  void* lib = dlopen(FixturePath().c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  auto attachedAs = Symbol<HINSTANCE (*)()>(lib, "FixtureAttachedAs");
  auto attachCount = Symbol<int (*)()>(lib, "FixtureAttachCount");
  auto sawOwn = Symbol<BOOL (*)()>(lib, "FixtureSawOwnResource");
  auto setSink = Symbol<void (*)(void (*)(HINSTANCE, DWORD))>(lib, "FixtureSetSink");
  ASSERT_TRUE(attachedAs && attachCount && sawOwn && setSink);

  HINSTANCE h = attachedAs();
  EXPECT_EQ(attachCount(), 1);
  EXPECT_EQ(h, AfxModuleFromAddress(reinterpret_cast<const void*>(attachedAs)));
  EXPECT_EQ(h, GetModuleHandle("ky_entry_fixture"));
  EXPECT_TRUE(sawOwn());  // resources come before the entry point
  EXPECT_EQ(EntriesFor(h), 1);
  CString s;
  EXPECT_TRUE(s.LoadString(60001));
  EXPECT_EQ(s, "fixture string");
  EXPECT_NE(FindResource(h, MAKEINTRESOURCE(1), "FIXTURE"), nullptr);

  setSink(&Sink);
  ASSERT_EQ(dlclose(lib), 0);
  EXPECT_EQ(g_detached, h);
  EXPECT_EQ(g_entriesAtDetach, 0);
  EXPECT_EQ(FindResource(h, MAKEINTRESOURCE(1), "FIXTURE"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_FALSE(s.LoadString(60001));
}
