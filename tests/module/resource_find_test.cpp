// FindResource and its neighbours over resources a test registers for a
// module of its own.
#include <gtest/gtest.h>

#include <cstring>

#include "afx.h"
#include "resimage.h"

namespace {

// Any address serves as a module handle for the registry.
char g_moduleA, g_moduleB;
HMODULE ModuleA() { return reinterpret_cast<HMODULE>(&g_moduleA); }
HMODULE ModuleB() { return reinterpret_cast<HMODULE>(&g_moduleB); }

const BYTE kEnglish[] = {'e', 'n'};
const BYTE kChinese[] = {'z', 'h', '!'};
const BYTE kNeutral[] = {'n'};
const BYTE kJapanese[] = {'j', 'a'};
const BYTE kNamed[] = {1, 2, 3, 4};

class FindResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetThreadUILanguage(LANGID_ENGLISH_US);  // whatever the machine's locale
    const AFX_RESOURCE_ITEM items[] = {
        {RT_BITMAP, MAKEINTRESOURCE(10), 1033, kEnglish, sizeof kEnglish},
        {RT_BITMAP, MAKEINTRESOURCE(10), 2052, kChinese, sizeof kChinese},
        {RT_BITMAP, MAKEINTRESOURCE(11), 0, kNeutral, sizeof kNeutral},
        {RT_BITMAP, MAKEINTRESOURCE(11), 2052, kChinese, sizeof kChinese},
        {RT_BITMAP, MAKEINTRESOURCE(12), 1041, kJapanese, sizeof kJapanese},
        {"MyType", "Picture", 0, kNamed, sizeof kNamed},
        {RT_RCDATA, MAKEINTRESOURCE(13), 0, nullptr, 0},
    };
    ASSERT_TRUE(AfxRegisterResources(ModuleA(), items, std::size(items)));
  }
  void TearDown() override {
    AfxUnregisterResources(ModuleA());
    AfxUnregisterResources(ModuleB());
    SetThreadUILanguage(0);
  }
  static const BYTE* Bytes(HMODULE h, HRSRC r) { return static_cast<const BYTE*>(LockResource(LoadResource(h, r))); }
};

}  // namespace

TEST_F(FindResourceTest, LanguageChoice) {
  const struct {
    LANGID thread;
    int id;
    const BYTE* expected;
  } cases[] = {
      {1033, 10, kEnglish},  {2052, 10, kChinese}, {1031, 10, kEnglish},  // German: US English
      {1028, 10, kEnglish},                                              // traditional Chinese has no variant
      {1033, 11, kNeutral},  {2052, 11, kChinese}, {1031, 11, kNeutral},  // neutral before US English
      {1033, 12, kJapanese}, {2052, 12, kJapanese},                        // the only language there is
  };
  for (const auto& c : cases) {
    SetThreadUILanguage(c.thread);
    HRSRC r = FindResource(ModuleA(), MAKEINTRESOURCE(c.id), RT_BITMAP);
    ASSERT_NE(r, nullptr) << c.thread << "/" << c.id;
    EXPECT_EQ(Bytes(ModuleA(), r), c.expected) << c.thread << "/" << c.id;
  }
}

TEST_F(FindResourceTest, ExplicitLanguage) {
  HRSRC r = FindResourceEx(ModuleA(), RT_BITMAP, MAKEINTRESOURCE(10), 2052);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(SizeofResource(ModuleA(), r), 3u);
  EXPECT_EQ(FindResourceEx(ModuleA(), RT_BITMAP, MAKEINTRESOURCE(10), 1031), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
  // Language 0 searches as FindResource does.
  SetThreadUILanguage(2052);
  EXPECT_EQ(FindResourceEx(ModuleA(), RT_BITMAP, MAKEINTRESOURCE(10), 0), r);
}

TEST_F(FindResourceTest, NamesAndTypes) {
  HRSRC r = FindResource(ModuleA(), "Picture", "MyType");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(FindResource(ModuleA(), "PICTURE", "mytype"), r);  // names compare without case
  EXPECT_EQ(SizeofResource(ModuleA(), r), 4u);
  EXPECT_EQ(std::memcmp(Bytes(ModuleA(), r), kNamed, 4), 0);
  // "#n" names the integer n.
  EXPECT_EQ(FindResource(ModuleA(), "#10", "#2"), FindResource(ModuleA(), MAKEINTRESOURCE(10), RT_BITMAP));
  EXPECT_NE(FindResource(ModuleA(), "#10", "#2"), nullptr);
  // An empty resource loads, with size 0.
  HRSRC empty = FindResource(ModuleA(), MAKEINTRESOURCE(13), RT_RCDATA);
  ASSERT_NE(empty, nullptr);
  EXPECT_NE(LoadResource(ModuleA(), empty), nullptr);
  EXPECT_EQ(SizeofResource(ModuleA(), empty), 0u);
}

TEST_F(FindResourceTest, FailureCodes) {
  const struct {
    const char* what;
    HMODULE module;
    LPCSTR name;
    LPCSTR type;
    DWORD error;
  } cases[] = {
      {"module without resources", ModuleB(), MAKEINTRESOURCE(10), RT_BITMAP, ERROR_RESOURCE_DATA_NOT_FOUND},
      {"unknown type", ModuleA(), MAKEINTRESOURCE(10), RT_DIALOG, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"unknown named type", ModuleA(), MAKEINTRESOURCE(10), "KYFSLBMP", ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"unknown id", ModuleA(), MAKEINTRESOURCE(99), RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"unknown name", ModuleA(), "Drawing", "MyType", ERROR_RESOURCE_NAME_NOT_FOUND},
      {"no name", ModuleA(), nullptr, RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"empty name", ModuleA(), "", RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"bad number", ModuleA(), "#1x", RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"number too large", ModuleA(), "#65536", RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"no type", ModuleA(), MAKEINTRESOURCE(10), nullptr, ERROR_RESOURCE_TYPE_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(FindResource(c.module, c.name, c.type), nullptr) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
}

TEST_F(FindResourceTest, HandlesAreChecked) {
  HRSRC r = FindResource(ModuleA(), MAKEINTRESOURCE(10), RT_BITMAP);
  ASSERT_NE(r, nullptr);
  EXPECT_NE(LoadResource(nullptr, r), nullptr);  // NULL accepts any module
  SetLastError(0);
  EXPECT_EQ(LoadResource(ModuleB(), r), nullptr);  // not that module's
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LoadResource(ModuleA(), nullptr), nullptr);
  EXPECT_EQ(SizeofResource(ModuleA(), nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LockResource(nullptr), nullptr);
  // Gone with its module.
  AfxUnregisterResources(ModuleA());
  EXPECT_EQ(LoadResource(ModuleA(), r), nullptr);
  EXPECT_EQ(SizeofResource(ModuleA(), r), 0u);
  EXPECT_EQ(FindResource(ModuleA(), MAKEINTRESOURCE(10), RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST_F(FindResourceTest, RegistrationRefusesBadItems) {
  const AFX_RESOURCE_ITEM good = {RT_BITMAP, MAKEINTRESOURCE(1), 0, kNamed, 4};
  const AFX_RESOURCE_ITEM bad[] = {
      {nullptr, MAKEINTRESOURCE(1), 0, kNamed, 4},
      {RT_BITMAP, nullptr, 0, kNamed, 4},
      {RT_BITMAP, MAKEINTRESOURCE(1), 0, nullptr, 4},
  };
  EXPECT_FALSE(AfxRegisterResources(nullptr, &good, 1));
  for (const auto& b : bad) {
    const AFX_RESOURCE_ITEM pair[] = {good, b};
    SetLastError(0);
    EXPECT_FALSE(AfxRegisterResources(ModuleB(), pair, 2));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  // Nothing of a refused batch was added.
  EXPECT_EQ(FindResource(ModuleB(), MAKEINTRESOURCE(1), RT_BITMAP), nullptr);
  // The same item again replaces the first.
  const AFX_RESOURCE_ITEM again = {RT_BITMAP, MAKEINTRESOURCE(10), 1033, kJapanese, sizeof kJapanese};
  ASSERT_TRUE(AfxRegisterResources(ModuleA(), &again, 1));
  HRSRC r = FindResourceEx(ModuleA(), RT_BITMAP, MAKEINTRESOURCE(10), 1033);
  EXPECT_EQ(Bytes(ModuleA(), r), kJapanese);
}

TEST_F(FindResourceTest, NullModuleIsTheExecutable) {
  HMODULE exe = GetModuleHandle(nullptr);
  ASSERT_NE(exe, nullptr);
  EXPECT_EQ(exe, AfxModuleFromAddress(reinterpret_cast<const void*>(&ModuleA)));
  const AFX_RESOURCE_ITEM item = {RT_RCDATA, MAKEINTRESOURCE(7), 0, kNamed, 4};
  ASSERT_TRUE(AfxRegisterResources(exe, &item, 1));
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(7), RT_RCDATA), FindResource(exe, MAKEINTRESOURCE(7), RT_RCDATA));
  EXPECT_NE(FindResource(nullptr, MAKEINTRESOURCE(7), RT_RCDATA), nullptr);
  AfxUnregisterResources(exe);
  EXPECT_EQ(GetModuleHandle("no-such-module"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  char path[4096];
  EXPECT_GT(GetModuleFileName(nullptr, path, sizeof path), 0u);
  EXPECT_NE(std::strstr(path, "module_tests"), nullptr);
}
