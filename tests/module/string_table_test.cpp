// The module's string table: every id in English and Chinese, and the
// language the platform picks for the user.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "KyROZ50Module.h"
#include "resource.h"

namespace {

const struct {
  UINT id;
  const char* text;
} kEnglish[] = {
    {23001, "Edit"},
    {23002, "Save"},
    {23003, "Save as"},
    {23004, "FillStyleLib File(*.bru)|*.bru||"},
    {23005, "Go up?"},
    {23006, "Overwrited the same ID?"},
    {23007, "Save File?"},
    {23008, "Image file(*.bmp)|*.bmp||"},
    {23009, "Root Group"},
    {23010, "New FillStyle"},
    {23011, "New Group"},
    {23012, "Setting..."},
    {23013, "The image in the clipboard is larger than the bitmap ,would you like the bitmap enlarged?"},
    {23014, "Previous"},
    {23015, "Name"},
    {23016, "Group name"},
    {23017, "Resolution"},
    {23018, "Size"},
    {23019, "Item Count"},
    {23020, "Sub Group Count"},
    {23021, "Code"},
    {23022, "Linear"},
    {23023, "Radial"},
    {23024, "Conical"},
    {23025, "Square"},
    {23301, "Select"},
    {23302, "Erase"},
    {23303, "Pen"},
    {23304, "Line"},
    {23305, "Quarter ellipse"},
    {23306, "Rectangle"},
    {23307, "Ellipse"},
    {23308, "Filled rectangle"},
    {23309, "Filled Ellipse"},
    {23310, "Invert"},
    {23311, "Import the image file"},
    {23312, "New symbol fillStyle"},
    {23313, "New Lib"},
    {23314, "Open Lib"},
    {23315, "Save "},
    {23316, "Save as"},
    {23317, "Load the system default Lib"},
    {23318, "New subgroup"},
    {23319, "New fillStyle"},
    {23320, "Delete"},
    {23321, "Cut"},
    {23322, "Copy"},
    {23323, "Paste"},
    {23324, "Arrange paste"},
    {23325, "Clear"},
    {23326, "Undo"},
    {23327, "Export BMP File"},
    {23328, "Option"},
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
  EXPECT_EQ(std::size(kEnglish), 53u);
  for (const auto& c : kEnglish) EXPECT_EQ(Load(c.id), c.text) << c.id;
  // Nothing between the two ranges or around them.
  for (UINT id : {23000u, 23026u, 23300u, 23329u}) {
    CString s("x");
    EXPECT_FALSE(s.LoadString(id)) << id;
    EXPECT_TRUE(s.IsEmpty());
  }
}

TEST_F(StringTable, EveryIdInChineseAsCodePage936) {
  SetThreadUILanguage(LANGID_CHINESE_SIMPLIFIED);
  for (const auto& c : kEnglish) {
    CString s = Load(c.id);
    ASSERT_FALSE(s.IsEmpty()) << c.id;
    EXPECT_NE(s, c.text) << c.id;
    bool doubleByte = false;
    for (int i = 0; i < s.GetLength(); ++i) doubleByte |= static_cast<BYTE>(s[i]) >= 0x81;
    EXPECT_TRUE(doubleByte) << c.id;
    // Every byte sequence is a character of the page.
    std::string utf8 = AfxCodePageToUtf8(s, static_cast<size_t>(s.GetLength()), 936);
    EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << c.id;
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
