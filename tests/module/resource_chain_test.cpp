// String tables, the extension-library chain and the entry point calls,
// over modules a test makes up.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "afx.h"
#include "resimage.h"

namespace {

char g_a, g_b, g_c;
HMODULE A() { return reinterpret_cast<HMODULE>(&g_a); }
HMODULE B() { return reinterpret_cast<HMODULE>(&g_b); }
HMODULE C() { return reinterpret_cast<HMODULE>(&g_c); }

class Chain : public ::testing::Test {
 protected:
  void SetUp() override {
    SetThreadUILanguage(LANGID_ENGLISH_US);  // whatever the machine's locale
    const AFX_RESOURCE_STRING a[] = {{16, 1033, "A"}, {18, 1033, "BC"}, {40, 1033, "only in A"},
                                     {18, 2052, "\xb8\xf9\xd7\xe9"}};
    const AFX_RESOURCE_STRING b[] = {{16, 1033, "B's"}, {41, 1033, "only in B"}};
    ASSERT_TRUE(AfxRegisterStrings(A(), a, std::size(a)));
    ASSERT_TRUE(AfxRegisterStrings(B(), b, std::size(b)));
    static const BYTE dlg[] = {5};
    const AFX_RESOURCE_ITEM item = {RT_DIALOG, MAKEINTRESOURCE(300), 0, dlg, 1};
    ASSERT_TRUE(AfxRegisterResources(B(), &item, 1));
  }
  void TearDown() override {
    AfxUnregisterResources(A());
    AfxUnregisterResources(B());
    AfxUnregisterResources(C());
    SetThreadUILanguage(0);
  }
};

std::vector<HMODULE> Modules(AFX_MODULE_STATE* s) {
  std::vector<HMODULE> out;
  for (CDynLinkLibrary* p = s->m_libraryList; p; p = p->m_pNextDLL) out.push_back(p->m_hModule);
  return out;
}

}  // namespace

TEST_F(Chain, StringBlockBytes) {
  // Block 2 holds ids 16 to 31: a 16-bit length and the bytes of each.
  HRSRC r = FindResourceEx(A(), RT_STRING, MAKEINTRESOURCE(2), 1033);
  ASSERT_NE(r, nullptr);
  const BYTE expected[] = {1, 0, 'A', 0, 0, 2, 0, 'B', 'C', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                           0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_EQ(SizeofResource(A(), r), sizeof expected);
  EXPECT_EQ(std::memcmp(LockResource(LoadResource(A(), r)), expected, sizeof expected), 0);
  // Strings added later to the same block rebuild it.
  const AFX_RESOURCE_STRING more = {31, 1033, "Z"};
  ASSERT_TRUE(AfxRegisterStrings(A(), &more, 1));
  r = FindResourceEx(A(), RT_STRING, MAKEINTRESOURCE(2), 1033);
  EXPECT_EQ(SizeofResource(A(), r), sizeof expected + 1);
}

TEST_F(Chain, LoadStringCopiesAndCuts) {
  char buf[16];
  EXPECT_EQ(LoadString(A(), 18, buf, sizeof buf), 2);
  EXPECT_STREQ(buf, "BC");
  EXPECT_EQ(LoadString(A(), 18, buf, 2), 1);
  EXPECT_STREQ(buf, "B");
  EXPECT_EQ(LoadString(A(), 18, buf, 1), 0);
  EXPECT_STREQ(buf, "");
  // Never half a double-byte character.
  SetThreadUILanguage(2052);
  EXPECT_EQ(LoadString(A(), 18, buf, 4), 2);
  EXPECT_STREQ(buf, "\xb8\xf9");
  EXPECT_EQ(LoadString(A(), 18, buf, 5), 4);
  // Failures.
  SetThreadUILanguage(LANGID_ENGLISH_US);
  EXPECT_EQ(LoadString(A(), 17, buf, sizeof buf), 0);  // empty slot of a block
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadString(A(), 500, buf, sizeof buf), 0);  // no such block
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadString(C(), 16, buf, sizeof buf), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(LoadString(A(), 16, nullptr, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LoadString(A(), 16, buf, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  const AFX_RESOURCE_STRING bad = {70000, 1033, "x"};
  EXPECT_FALSE(AfxRegisterStrings(A(), &bad, 1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(Chain, SearchOrder) {
  AFX_MODULE_STATE state(TRUE, C());
  AFX_MANAGE_STATE(&state);
  EXPECT_EQ(AfxGetResourceHandle(), C());
  EXPECT_EQ(AfxGetInstanceHandle(), C());
  CString s;
  EXPECT_FALSE(s.LoadString(16));

  new CDynLinkLibrary(A(), A());
  new CDynLinkLibrary(B(), B());
  EXPECT_EQ(Modules(&state), (std::vector<HMODULE>{A(), B()}));
  const struct {
    UINT id;
    const char* text;
    HMODULE from;
  } cases[] = {{16, "A", A()}, {40, "only in A", A()}, {41, "only in B", B()}};
  for (const auto& c : cases) {
    EXPECT_TRUE(s.LoadString(c.id)) << c.id;
    EXPECT_EQ(s, c.text) << c.id;
    EXPECT_EQ(AfxFindStringResourceHandle(c.id), c.from) << c.id;
  }
  EXPECT_FALSE(s.LoadString(17));
  EXPECT_EQ(AfxFindStringResourceHandle(17), nullptr);
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(300), RT_DIALOG), B());
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(301), RT_DIALOG), C());  // not found: the state's own

  // The state's own resource handle comes first.
  AfxSetResourceHandle(B());
  EXPECT_TRUE(s.LoadString(16));
  EXPECT_EQ(s, "B's");
}

TEST_F(Chain, EntriesBelongToTheStateTheyJoined) {
  AFX_MODULE_STATE* app = AfxGetAppModuleState();
  const size_t appEntries = Modules(app).size();
  AFX_MODULE_STATE outer(TRUE, C()), inner(TRUE, C());
  {
    AFX_MANAGE_STATE(&outer);
    new CDynLinkLibrary(A(), A());
    {
      AFX_MANAGE_STATE(&inner);
      EXPECT_EQ(AfxGetModuleState(), &inner);
      new CDynLinkLibrary(B(), B());
    }
    EXPECT_EQ(AfxGetModuleState(), &outer);
  }
  EXPECT_EQ(AfxGetModuleState(), app);
  EXPECT_EQ(Modules(&outer), std::vector<HMODULE>{A()});
  EXPECT_EQ(Modules(&inner), std::vector<HMODULE>{B()});
  EXPECT_EQ(Modules(app).size(), appEntries);
  // An entry deleted by hand leaves its chain.
  delete inner.m_libraryList;
  EXPECT_TRUE(Modules(&inner).empty());
}

TEST_F(Chain, ExtensionModuleRecord) {
  AFX_EXTENSION_MODULE rec = {FALSE, NULL, NULL, NULL, NULL};
  SetLastError(0);
  EXPECT_FALSE(AfxInitExtensionModule(rec, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(rec.bInitialized);
  ASSERT_TRUE(AfxInitExtensionModule(rec, A()));
  EXPECT_TRUE(rec.bInitialized);
  EXPECT_EQ(rec.hModule, A());
  EXPECT_EQ(rec.hResource, A());
  EXPECT_TRUE(AfxInitExtensionModule(rec, B()));  // only the first call counts
  EXPECT_EQ(rec.hModule, A());

  AFX_EXTENSION_MODULE other = {FALSE, NULL, NULL, NULL, NULL};
  ASSERT_TRUE(AfxInitExtensionModule(other, B()));
  AFX_MODULE_STATE state(TRUE, C());
  AFX_MANAGE_STATE(&state);
  new CDynLinkLibrary(rec);
  new CDynLinkLibrary(other);
  new CDynLinkLibrary(rec);
  AfxTermExtensionModule(rec);
  EXPECT_EQ(Modules(&state), std::vector<HMODULE>{B()});
  new CDynLinkLibrary(rec);
  AfxTermExtensionModule(other, TRUE);
  EXPECT_TRUE(Modules(&state).empty());
  AFX_EXTENSION_MODULE never = {FALSE, NULL, NULL, NULL, NULL};
  AfxTermExtensionModule(never);  // nothing to do
}

namespace {

std::vector<DWORD> g_calls;
BOOL g_accept = TRUE;
BOOL WINAPI RecordingDllMain(HINSTANCE h, DWORD reason, LPVOID) {
  EXPECT_EQ(h, C());
  g_calls.push_back(reason);
  return reason == DLL_PROCESS_ATTACH ? g_accept : TRUE;
}

}  // namespace

TEST_F(Chain, EntryPointCalls) {
  g_calls.clear();
  g_accept = TRUE;
  EXPECT_FALSE(AfxCallDllMain(C(), RecordingDllMain, DLL_PROCESS_DETACH));  // never attached
  EXPECT_TRUE(g_calls.empty());
  EXPECT_TRUE(AfxCallDllMain(C(), RecordingDllMain, DLL_PROCESS_ATTACH));
  EXPECT_TRUE(AfxCallDllMain(C(), RecordingDllMain, DLL_PROCESS_ATTACH));  // attached already: not called
  EXPECT_TRUE(AfxCallDllMain(C(), RecordingDllMain, DLL_PROCESS_DETACH));
  EXPECT_FALSE(AfxCallDllMain(C(), RecordingDllMain, DLL_PROCESS_DETACH));  // once only
  EXPECT_EQ(g_calls, (std::vector<DWORD>{DLL_PROCESS_ATTACH, DLL_PROCESS_DETACH}));

  // A refused attach gets its detach at once and loses its resources.
  const AFX_RESOURCE_STRING s = {1, 1033, "x"};
  ASSERT_TRUE(AfxRegisterStrings(C(), &s, 1));
  g_calls.clear();
  g_accept = FALSE;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(AfxCallDllMain(C(), RecordingDllMain, DLL_PROCESS_ATTACH));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("initialisation failed"), std::string::npos);
  EXPECT_EQ(g_calls, (std::vector<DWORD>{DLL_PROCESS_ATTACH, DLL_PROCESS_DETACH}));
  char buf[4];
  EXPECT_EQ(LoadString(C(), 1, buf, sizeof buf), 0);
  EXPECT_FALSE(AfxCallDllMain(C(), RecordingDllMain, DLL_PROCESS_DETACH));
}
