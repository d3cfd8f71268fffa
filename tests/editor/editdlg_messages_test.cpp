// The editor's own messages exist in both languages of the string table.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxres.h"
#include "codepage.h"
#include "resource.h"
#include "winnls.h"

namespace {

CString Load(UINT id, LANGID lang) {
  LANGID old = GetThreadUILanguage();
  SetThreadUILanguage(lang);
  CString s;
  AfxLoadString(id, s);
  SetThreadUILanguage(old);
  return s;
}

TEST(EditDlgMessages, EveryMessageInEnglishAndChinese) {
  const struct {
    UINT id;
    const char* english;
    const char* chineseUtf8;
  } table[] = {
      {IDS_LIB_UNREADABLE, "The file could not be read as a fill style library; the library is unchanged.",
       "无法读取该文件：它不是填充样式库，当前库未改变。"},
      {IDS_LIB_NOT_STORED, "The library could not be saved to the file.", "无法将填充样式库保存到文件。"},
      {IDS_STYLE_NOT_EDITABLE, "This fill style cannot be loaded into the editor.", "该填充样式无法载入编辑器。"},
      {IDS_BAD_CODE, "The code must be a whole number of 8 or more.", "编号必须是不小于 8 的整数。"},
      {IDS_IMPORT_FAILED, "These files could not be read as BMP images and were not imported:",
       "以下文件不是可读的 BMP 图像，未导入："},
  };
  for (const auto& t : table) {
    EXPECT_EQ(std::string(Load(t.id, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US))), t.english) << t.id;
    CString zh = Load(t.id, MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    EXPECT_EQ(AfxCodePageToUtf8(zh, static_cast<size_t>(zh.GetLength()), 936), t.chineseUtf8) << t.id;
  }
}

}  // namespace
