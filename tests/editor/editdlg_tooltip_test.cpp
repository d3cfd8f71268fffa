// Tooltips of the editor: the bars' buttons ask the dialog for the string of
// their command id, the transfer buttons have theirs from the start; in both
// languages, narrow and wide.
#include "codepage.h"
#include "editdlg_fixture.h"
#include "winnls.h"

namespace {

class EditDlgTips : public EditDlgTest {
 protected:
  void SetUp() override { Open(); }
  void Hover(HWND over, int x, int y) {
    h.MoveTo(DialogHarness::At(over, x, y));
    h.Pump();
    KyScreen::Get().Advance(700);
    h.Pump();
  }
};

TEST_F(EditDlgTips, NeedTextGivesTheCommandsString) {
  struct {
    UINT id;
    const char* text;
  } cases[] = {{23301, "Select"}, {23311, "Import the image file"}, {23315, "Save "}, {23317, "Load the system default Lib"},
               {23328, "Option"}, {23300, ""}, {23329, ""}, {23001, ""}};
  for (const auto& c : cases) EXPECT_EQ(std::string(CKyFSLEditDlg::NeedText(c.id)), c.text) << c.id;
}

TEST_F(EditDlgTips, NarrowAndWideAnswers) {
  NMTTDISPINFOA a{};
  a.hdr.hwndFrom = dlg.m_wndCommandBar.m_hWnd;
  a.hdr.idFrom = 23313;
  a.hdr.code = TTN_NEEDTEXTA;
  dlg.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&a));
  EXPECT_STREQ(a.szText, "New Lib");
  EXPECT_EQ(a.lpszText, a.szText);
  NMTTDISPINFOW w{};
  w.hdr.hwndFrom = dlg.m_wndCommandBar.m_hWnd;
  w.hdr.idFrom = 23326;
  w.hdr.code = TTN_NEEDTEXTW;
  dlg.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&w));
  const WCHAR undo[] = {'U', 'n', 'd', 'o', 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(w.szText[i], undo[i]) << i;
  EXPECT_EQ(w.lpszText, w.szText);
}

TEST_F(EditDlgTips, ChineseWideAnswerIsUtf16) {
  LANGID old = GetThreadUILanguage();
  SetThreadUILanguage(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  AfxSetCodePage(936);
  NMTTDISPINFOW w{};
  w.hdr.idFrom = 23320;  // "Delete"
  w.hdr.code = TTN_NEEDTEXTW;
  dlg.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&w));
  CString zh = CKyFSLEditDlg::NeedText(23320);
  std::string utf8 = AfxCodePageToUtf8(zh, static_cast<size_t>(zh.GetLength()), 936);
  AfxSetCodePage(0);
  SetThreadUILanguage(old);
  // Every character of the table's text is one UTF-16 unit here (no
  // characters beyond the basic plane), three UTF-8 bytes each.
  ASSERT_FALSE(utf8.empty());
  size_t n = 0;
  for (size_t i = 0; i < utf8.size(); n++) {
    unsigned c = static_cast<unsigned char>(utf8[i]);
    ASSERT_EQ(c & 0xF0, 0xE0u);
    unsigned cp = ((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
    EXPECT_EQ(static_cast<unsigned>(w.szText[n]), cp) << n;
    i += 3;
  }
  EXPECT_EQ(w.szText[n], 0);
}

TEST_F(EditDlgTips, HoveringACommandButtonShowsItsString) {
  CToolBarCtrl& bar = dlg.m_wndCommandBar.GetToolBarCtrl();
  CRect r;
  ASSERT_TRUE(bar.GetItemRect(2, &r));  // Save, the third button
  Hover(bar.m_hWnd, r.CenterPoint().x, r.CenterPoint().y);
  CToolTipCtrl* tips = bar.GetToolTips();
  ASSERT_NE(tips, nullptr);
  EXPECT_TRUE(IsWindowVisible(tips->m_hWnd));
  EXPECT_EQ(DialogHarness::Text(tips->m_hWnd), "Save ");
}

TEST_F(EditDlgTips, HoveringATransferButtonShowsItsString) {
  HWND edit = DialogHarness::Item(IDC_EDITOR_SAVE_AS, dlg.m_hWnd);
  RECT r;
  GetClientRect(edit, &r);
  Hover(edit, r.right / 2, r.bottom / 2);
  EXPECT_TRUE(IsWindowVisible(dlg.m_wndToolTip.m_hWnd));
  EXPECT_EQ(DialogHarness::Text(dlg.m_wndToolTip.m_hWnd), "Save as");
}

}  // namespace
