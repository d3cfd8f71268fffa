// The module's string table: every id in English and Chinese, and the
// language the platform picks for the user.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "KyROZ50Module.h"
#include "resource.h"

namespace {

// The string table's ids: two ranges, 53 strings in all.
std::vector<UINT> TableIds() {
  std::vector<UINT> ids;
  for (UINT id = 23001; id <= 23025; ++id) ids.push_back(id);
  for (UINT id = 23301; id <= 23328; ++id) ids.push_back(id);
  return ids;
}

// Texts whose exact form callers depend on: a file filter's pattern part,
// a trailing space kept from the original menu, a spelling kept as it is.
const struct {
  UINT id;
  const char* text;
} kExactEnglish[] = {
    {IDS_FILTER_BRU, "FillStyleLib File(*.bru)|*.bru||"},
    {IDS_FILTER_BMP, "Image file(*.bmp)|*.bmp||"},
    {IDS_OVERWRITE_SAME_ID, "Overwrited the same ID?"},
    {IDS_ROOT_GROUP, "Root Group"},
    {ID_BRUSHLIB_SAVE, "Save "},
    {ID_FSL_DIALOG_SETTING, "Option"},
};

// Restores the thread's language and the locale variables a test changed.
class StringTable : public ::testing::Test {
 protected:
  // The test program pins LANG; the other variables are cleared here too.
  void SetUp() override { TearDown(); }
  void TearDown() override {
    SetThreadUILanguage(0);
    setenv("LANG", "en_US.UTF-8", 1);
    unsetenv("LANGUAGE");
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
  }
  static CString Load(UINT id) {
    CString s;
    s.LoadString(id);
    return s;
  }
};

}  // namespace

TEST_F(StringTable, EveryIdInEnglish) {
  for (UINT id : TableIds()) {
    CString s = Load(id);
    EXPECT_FALSE(s.IsEmpty()) << id;
    for (int i = 0; i < s.GetLength(); ++i) EXPECT_LT(static_cast<BYTE>(s[i]), 0x80) << id;
  }
  for (const auto& c : kExactEnglish) EXPECT_EQ(Load(c.id), c.text) << c.id;
  // Nothing between the two ranges or around them.
  for (UINT id : {23000u, 23026u, 23300u, 23329u}) {
    CString s("x");
    EXPECT_FALSE(s.LoadString(id)) << id;
    EXPECT_TRUE(s.IsEmpty());
  }
}

TEST_F(StringTable, EveryIdInChineseAsCodePage936) {
  for (UINT id : TableIds()) {
    SetThreadUILanguage(LANGID_ENGLISH_US);
    const CString english = Load(id);
    SetThreadUILanguage(LANGID_CHINESE_SIMPLIFIED);
    CString s = Load(id);
    ASSERT_FALSE(s.IsEmpty()) << id;
    EXPECT_NE(s, english) << id;
    bool doubleByte = false;
    for (int i = 0; i < s.GetLength(); ++i) doubleByte |= static_cast<BYTE>(s[i]) >= 0x81;
    EXPECT_TRUE(doubleByte) << id;
    // Every byte sequence is a character of the page.
    std::string utf8 = AfxCodePageToUtf8(s, static_cast<size_t>(s.GetLength()), 936);
    EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << id;
  }
  EXPECT_EQ(Load(IDS_ROOT_GROUP), "\xb8\xf9\xd7\xe9");
  // File filters keep their pattern part.
  EXPECT_EQ(Load(IDS_FILTER_BRU).Right(8), "|*.bru||");
  EXPECT_EQ(Load(IDS_FILTER_BMP).Right(8), "|*.bmp||");
  EXPECT_EQ(AfxCodePageToUtf8(Load(IDS_EDIT), 4, 936), "\xE7\xBC\x96\xE8\xBE\x91");  // 编辑
}

TEST_F(StringTable, LanguagesWithoutAVariantGetEnglish) {
  const LANGID others[] = {MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),
                           MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL),
                           MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), LANGID_ENGLISH_US};
  for (LANGID lang : others) {
    EXPECT_EQ(SetThreadUILanguage(lang), lang);
    EXPECT_EQ(Load(IDS_ROOT_GROUP), "Root Group") << lang;
    EXPECT_EQ(Load(ID_BRUSHLIB_SAVE), "Save ") << lang;
  }
}

TEST_F(StringTable, ChineseLocaleGivesTheChineseVariant) {
  setenv("LANG", "zh_CN.GBK", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 2052);
  EXPECT_EQ(Load(IDS_ROOT_GROUP), "\xb8\xf9\xd7\xe9");
  // The thread's own choice wins over the locale.
  SetThreadUILanguage(LANGID_ENGLISH_US);
  EXPECT_EQ(Load(IDS_ROOT_GROUP), "Root Group");
  SetThreadUILanguage(0);
  setenv("LANG", "fr_FR.UTF-8", 1);
  EXPECT_EQ(Load(IDS_ROOT_GROUP), "Root Group");
}

TEST_F(StringTable, LoadStringFromTheModuleHandle) {
  char buf[64];
  EXPECT_EQ(LoadString(KyROZ50ResourceHandle(), IDS_SAVE_FILE, buf, sizeof buf), 10);
  EXPECT_STREQ(buf, "Save File?");
  EXPECT_EQ(AfxLoadString(IDS_SAVE_FILE, buf, 5), 4);
  EXPECT_STREQ(buf, "Save");
  EXPECT_EQ(LoadString(KyROZ50ResourceHandle(), 23026, buf, sizeof buf), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(buf[0], '\0');
}
