// The picker dialog, driven as a person drives it: clicks on the list and
// the buttons, keys in the tree and the find boxes, typed rates, the colour
// popup and the line style picker; then the record it returns, field by
// field and byte by byte.
#include "KyFSLPickDlg.h"

#include <gtest/gtest.h>

#include <cstring>

#include "KyColorPopup.h"
#include "KyFillStyle.h"
#include "KyFillStyleGroup.h"
#include "KyLineStyleLib.h"
#include "KyZod50Res.h"
#include "picker_fixture.h"
#include "resource.h"

namespace {

using kytest::TreeLib;

struct Picker {
  DialogHarness h;
  TreeLib t;
  CKyLineStyleLib lines;
  CKyFSLPickDlg dlg;
  Picker() {
    lines.CreateDefault();
    dlg.AttachKyStyleLib(&t.lib, &lines);
  }
  static HWND Item(int id) { return DialogHarness::Item(id); }
  static std::string Text(int id) { return DialogHarness::Text(id); }
  static bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
  static int ListSel() { return static_cast<int>(::SendMessage(Item(IDC_PICK_STYLE_LIST), LB_GETCURSEL, 0, 0)); }
  static int ListCount() { return static_cast<int>(::SendMessage(Item(IDC_PICK_STYLE_LIST), LB_GETCOUNT, 0, 0)); }
  // The middle of an entry's swatch, on the screen; the list is scrolled to
  // show it first.
  static POINT Entry(int index) {
    HWND list = Item(IDC_PICK_STYLE_LIST);
    RECT r{};
    ::SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    RECT client{};
    ::GetClientRect(list, &client);
    if (r.left < 0 || r.right > client.right) {
      ::SendMessage(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
      ::SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    }
    return DialogHarness::At(list, r.left + 55, r.top + 45);
  }
  void ClickEntry(int index) { h.Click(Entry(index)); }
  void OK() {
    h.Then([this] { h.Click(IDOK); });
  }
};

std::vector<BYTE> Bytes(const CKyGeoStyle& s) {
  std::vector<BYTE> b(sizeof s);
  std::memcpy(b.data(), &s, sizeof s);
  return b;
}

// ---------------------------------------------------------------- values

TEST(PickDlg, AttachKeepsALineLibraryAndWithoutAFillLibraryItClosesAtOnce) {
  DialogHarness h;
  CKyFSLPickDlg dlg;
  CKyLineStyleLib lines;
  CKyFillStyleLib fill;
  EXPECT_FALSE(dlg.AttachKyStyleLib(nullptr, &lines));
  EXPECT_EQ(dlg.m_pLineStyleLib, &lines);
  EXPECT_EQ(dlg.m_pFillStyleLib, nullptr);
  EXPECT_TRUE(dlg.AttachKyStyleLib(&fill, nullptr));
  EXPECT_EQ(dlg.m_pFillStyleLib, &fill);
  EXPECT_EQ(dlg.m_pLineStyleLib, &lines);  // a null line library changes nothing
  CKyFSLPickDlg none;
  EXPECT_EQ(none.DoModal(), IDCANCEL);
  EXPECT_EQ(none.m_hWnd, nullptr);
}

TEST(PickDlg, SettersClampTheRateOnly) {
  CKyFSLPickDlg dlg;
  struct {
    long in, out;
  } rates[] = {{150, 100}, {-5, 0}, {0, 0}, {100, 100}, {37, 37}};
  for (auto r : rates) {
    dlg.SetTransparentRate(r.in);
    EXPECT_EQ(dlg.GetTransparentRate(), r.out) << r.in;
  }
  dlg.SetGradientType(9);
  dlg.SetGradientAngle(99999);
  EXPECT_EQ(dlg.GetGradientType(), 9);
  EXPECT_EQ(dlg.GetGradientAngle(), 99999);
  dlg.SetBackColor(0x123456);
  EXPECT_EQ(dlg.GetBackColor(), 0x123456u);
  EXPECT_EQ(dlg.m_btnBackColor.GetColor(), 0x123456u);
  dlg.SetFrontColor(0x00AB00);
  EXPECT_EQ(dlg.m_btnFrontColor.GetColor(), 0x00AB00u);
}

TEST(PickDlg, SetStyleCopiesTheRecordAndSignExtends) {
  CKyFSLPickDlg dlg;
  dlg.SetBackColor(0x00C0FF);
  CKyGeoStyle s;
  s.m_nLineStyle = 7;
  s.m_nLineWidth = 25;
  s.m_crLineColor = 0x0000FF;
  s.m_nFillStyle = 13;
  s.m_crFillFore = 0x112233;
  s.m_crFillBack = -1;
  s.m_byFillRate = 55;
  s.m_byGradientType = 3;
  s.m_sGradientAngle = -900;
  s.m_sGradientHOffset = -40;
  s.m_sGradientVOffset = 60;
  dlg.SetStyle(s);
  EXPECT_TRUE(dlg.IsTransparent());
  EXPECT_EQ(dlg.GetBackColor(), 0x00C0FFu);  // kept for when the box is cleared again
  EXPECT_EQ(dlg.GetFrontColor(), 0x112233u);
  EXPECT_EQ(dlg.m_btnFrontColor.GetColor(), 0x112233u);
  EXPECT_EQ(dlg.GetLineStyleID(), 7);
  EXPECT_EQ(dlg.GetLineWidth(), 25);
  EXPECT_EQ(dlg.GetLineColor(), 0x0000FFu);
  EXPECT_EQ(dlg.GetCurSelStyle(), 13);
  EXPECT_EQ(dlg.GetTransparentRate(), 55);
  EXPECT_EQ(dlg.GetGradientType(), 3);
  EXPECT_EQ(dlg.GetGradientAngle(), -900);
  EXPECT_EQ(dlg.GetGradientHoffset(), -40);
  EXPECT_EQ(dlg.GetGradientVoffset(), 60);
  // m_style is OnOK's alone.
  EXPECT_EQ(Bytes(dlg.GetStyle()), Bytes(CKyGeoStyle()));
  s.m_crFillBack = 0x00FF00;
  dlg.SetStyle(s);
  EXPECT_FALSE(dlg.IsTransparent());
  EXPECT_EQ(dlg.GetBackColor(), 0x00FF00u);
}

// ---------------------------------------------------------------- start-up

TEST(PickDlg, ABuiltInFillAtStartIsSelectedInTheRoot) {
  Picker p;
  p.dlg.SetCurSelStyle(3);
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.root);
    EXPECT_EQ(p.ListCount(), 3 + 8 + 2);
    EXPECT_EQ(p.ListSel(), 3 + 3);
    EXPECT_EQ(p.Text(IDC_PICK_INFO), "");
    EXPECT_EQ(p.Text(IDC_PICK_FIND_CODE), "3");
    EXPECT_EQ(p.Text(IDC_PICK_FIND_NAME), "Win32 System");
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 3);
    EXPECT_EQ(p.dlg.m_pCurStyle, nullptr);
    // Gradient off: its controls are disabled.
    EXPECT_FALSE(DialogHarness::IsChecked(IDC_PICK_GRADIENT));
    for (int id : {IDC_PICK_ANGLE, IDC_PICK_GRADIENT_TYPE, IDC_PICK_ANGLE_SPIN, IDC_PICK_HOFFSET, IDC_PICK_VOFFSET,
                   IDC_PICK_HOFFSET_SPIN, IDC_PICK_VOFFSET_SPIN})
      EXPECT_FALSE(p.Enabled(id)) << id;
    EXPECT_TRUE(p.Enabled(IDC_PICK_BACK_COLOR));
    EXPECT_EQ(p.Text(IDC_PICK_RATE), "100");
    EXPECT_TRUE(p.dlg.m_bInitialized);
    // The previous-group button: the icon at 32 x 32 and its tooltip.
    EXPECT_NE(p.dlg.m_btnPrevious.GetIcon(), nullptr);
    EXPECT_EQ(p.dlg.m_btnPrevious.GetIconSize(), CSize(32, 32));
    EXPECT_EQ(p.dlg.m_toolTip.GetToolCount(), 1);
    CString tip;
    p.dlg.m_toolTip.GetText(tip, p.dlg.GetDlgItem(IDC_PICK_PREVIOUS));
    EXPECT_EQ(tip, "Previous");
    // The spins' ranges.
    int lo = 0, hi = 0;
    p.dlg.m_spinAngle.GetRange32(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 3600);
    p.dlg.m_spinHoffset.GetRange32(lo, hi);
    EXPECT_EQ(lo, -100);
    EXPECT_EQ(hi, 100);
    EXPECT_EQ(::SendMessage(p.Item(IDC_PICK_GRADIENT_TYPE), CB_GETCOUNT, 0, 0), 4);
  });
  p.OK();
  ASSERT_EQ(p.dlg.DoModal(), IDOK);
  // Byte by byte: the base module's three leading words, then the fields:
  // line style 0, width 1, colour 0, fill style 3, fore 0xFF0000, back
  // 0xFFFFFF, rate 100, no gradient.
  std::vector<BYTE> want = Bytes(CKyGeoStyle());
  const BYTE tail[32] = {0, 0, 0, 0,  1, 0, 0, 0,  0, 0, 0, 0,  3, 0, 0, 0,
                         0, 0, 0xFF, 0,  0xFF, 0xFF, 0xFF, 0,  100, 0, 0, 0,  0, 0, 0, 0};
  std::memcpy(want.data() + 12, tail, sizeof tail);
  EXPECT_EQ(Bytes(p.dlg.GetStyle()), want);
}

// A style deep down opens its group; the keyboard starts on the style list,
// so that the arrow keys move through the styles at once.
TEST(PickDlg, AStyleDeepDownOpensItsGroupWithTheKeysOnTheList) {
  Picker p;
  p.dlg.SetCurSelStyle(13);
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.a2);
    EXPECT_EQ(p.ListCount(), 2);
    EXPECT_EQ(p.ListSel(), 0);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 13);
    ASSERT_NE(p.dlg.m_pCurStyle, nullptr);
    CString want;
    want.Format("Size: %ld * %ld pixel; Resolution: 81 dpi;", p.dlg.m_pCurStyle->GetTileWidth(),
                p.dlg.m_pCurStyle->GetTileHeight());
    EXPECT_EQ(p.Text(IDC_PICK_INFO), static_cast<LPCSTR>(want));
    EXPECT_EQ(p.Text(IDC_PICK_FIND_CODE), "13");
    EXPECT_EQ(p.Text(IDC_PICK_FIND_NAME), "deep one");
    EXPECT_EQ(p.dlg.m_comboGroup.m_pCurGroup, p.t.a2);
    // The find boxes list the group's items.
    EXPECT_EQ(::SendMessage(p.Item(IDC_PICK_FIND_CODE), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::GetFocus(), p.Item(IDC_PICK_STYLE_LIST));
    p.h.Key(VK_DOWN);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.ListSel(), 1);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 14);
    p.h.Key(VK_ESCAPE);
  });
  EXPECT_EQ(p.dlg.DoModal(), IDCANCEL);
  // Cancel leaves the record as it was.
  EXPECT_EQ(Bytes(p.dlg.GetStyle()), Bytes(CKyGeoStyle()));
}

// ---------------------------------------------------------------- the list

// The lines of the info box. It shows its whole text: it wraps at words onto
// as many lines as its height holds, and each line fits its width. Before,
// it was one line that scrolled, and "Resolution" was cut off.
std::vector<std::string> InfoLines() {
  HWND info = Picker::Item(IDC_PICK_INFO);
  const std::string text = Picker::Text(IDC_PICK_INFO);
  RECT client{};
  ::GetClientRect(info, &client);
  HDC dc = ::GetDC(info);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessage(info, WM_GETFONT, 0, 0)));
  TEXTMETRIC tm{};
  ::GetTextMetrics(dc, &tm);
  std::vector<std::string> lines;
  const int n = static_cast<int>(::SendMessage(info, EM_GETLINECOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    const int from = static_cast<int>(::SendMessage(info, EM_LINEINDEX, i, 0));
    const int to = i + 1 < n ? static_cast<int>(::SendMessage(info, EM_LINEINDEX, i + 1, 0))
                             : static_cast<int>(text.size());
    std::string line = text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
    while (!line.empty() && line.back() == ' ') line.pop_back();  // a wrap's space takes no room
    SIZE sz{};
    ::GetTextExtentPoint32(dc, line.c_str(), static_cast<int>(line.size()), &sz);
    EXPECT_LE(sz.cx, client.right) << line;
    lines.push_back(line);
  }
  EXPECT_LE(n * tm.tmHeight, client.bottom) << text;
  ::SelectObject(dc, old);
  ::ReleaseDC(info, dc);
  return lines;
}

TEST(PickDlg, ClickingEntriesUpdatesPreviewInfoAndFindBoxes) {
  Picker p;
  p.h.Then([&] {
    EXPECT_EQ(p.ListSel(), LB_ERR);
    p.ClickEntry(1);  // sub-group B: 12 styles, 3 sub-groups
  });
  p.h.Then([&] {
    EXPECT_EQ(p.ListSel(), 1);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), -1);
    EXPECT_EQ(p.Text(IDC_PICK_INFO), "Item Count: 12; Sub Group Count: 3;");
    EXPECT_EQ(InfoLines(), (std::vector<std::string>{"Item Count: 12; Sub", "Group Count: 3;"}));
    EXPECT_EQ(p.Text(IDC_PICK_FIND_NAME), "B");
    EXPECT_EQ(p.Text(IDC_PICK_FIND_CODE), "");
    p.ClickEntry(3 + 8 + 1);  // style 9
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 9);
    EXPECT_EQ(p.Text(IDC_PICK_FIND_CODE), "9");
    EXPECT_EQ(p.Text(IDC_PICK_FIND_NAME), "root nine");
    EXPECT_EQ(p.Text(IDC_PICK_INFO).rfind("Size: ", 0), 0u);
    const std::vector<std::string> lines = InfoLines();
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines.back(), "Resolution: 81 dpi;");
    p.ClickEntry(3 + 7);  // built-in 7, vertical hatch
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 7);
    EXPECT_EQ(p.Text(IDC_PICK_INFO), "");
    EXPECT_EQ(p.Text(IDC_PICK_FIND_NAME), "Win32 System");
  });
  p.OK();
  ASSERT_EQ(p.dlg.DoModal(), IDOK);
  EXPECT_EQ(p.dlg.GetStyle().m_nFillStyle, 7);
}

TEST(PickDlg, DoubleClickOpensASubGroupButNotAStyle) {
  Picker p;
  p.h.Then([&] { p.h.DoubleClick(p.Entry(3 + 8)); });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.root);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 8);
    p.h.DoubleClick(p.Entry(1));
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.b);
    EXPECT_EQ(p.ListCount(), 3 + 12);
    EXPECT_EQ(p.ListSel(), LB_ERR);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), -1);
    EXPECT_EQ(p.Text(IDC_PICK_INFO), "");
    EXPECT_EQ(p.dlg.m_comboGroup.m_pCurGroup, p.t.b);
    EXPECT_EQ(::SendMessage(p.Item(IDC_PICK_FIND_CODE), CB_GETCOUNT, 0, 0), 12);
    // Enter on the list is a double click: here on a style, nothing.
    p.ClickEntry(3);
    p.h.Key(VK_RETURN);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.b);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 20);
    EXPECT_TRUE(::IsWindow(p.dlg.m_hWnd));
    // Back up with the previous-group button.
    p.h.Click(IDC_PICK_PREVIOUS);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.root);
    EXPECT_EQ(p.ListSel(), LB_ERR);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), -1);
    // In the root the button does nothing.
    p.h.Click(IDC_PICK_PREVIOUS);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.root);
    p.h.Key(VK_ESCAPE);
  });
  EXPECT_EQ(p.dlg.DoModal(), IDCANCEL);
}

// ---------------------------------------------------------------- the group tree

TEST(PickDlg, TheDropDownTreeShowsAGroup) {
  Picker p;
  p.h.Then([&] { p.h.Click(IDC_PICK_GROUP_COMBO); });
  p.h.Then([&] {
    ASSERT_TRUE(p.dlg.m_comboGroup.GetDroppedState());
    CKyFSLPickTree& tree = p.dlg.m_comboGroup.Tree();
    HTREEITEM a = tree.GetChildItem(tree.GetRootItem());
    CRect r;
    tree.GetItemRect(a, &r, TRUE);
    p.h.Click(DialogHarness::At(tree.m_hWnd, r.left + 3, (r.top + r.bottom) / 2));
  });
  p.h.Then([&] {
    EXPECT_FALSE(p.dlg.m_comboGroup.GetDroppedState());
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.a);
    EXPECT_EQ(p.ListCount(), 1 + 2);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), -1);
    EXPECT_EQ(::GetFocus(), p.Item(IDC_PICK_GROUP_COMBO));
    // Alt+Down, Escape: open and closed, nothing chosen, the picker still up.
    p.h.Key(VK_DOWN, {VK_MENU});
  });
  p.h.Then([&] {
    EXPECT_TRUE(p.dlg.m_comboGroup.GetDroppedState());
    p.h.Key(VK_ESCAPE);
  });
  p.h.Then([&] {
    EXPECT_FALSE(p.dlg.m_comboGroup.GetDroppedState());
    EXPECT_TRUE(::IsWindow(p.dlg.m_hWnd));
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.a);
    p.h.Key(VK_DOWN, {VK_MENU});
  });
  CKyFillStyleGroup* caret = nullptr;
  p.h.Then([&] {
    p.h.Key(VK_DOWN);
    p.h.Key(VK_DOWN);
    p.h.Key(VK_DOWN);
  });
  p.h.Then([&] {
    CKyFSLPickTree& tree = p.dlg.m_comboGroup.Tree();
    ASSERT_NE(tree.GetSelectedItem(), nullptr);
    caret = reinterpret_cast<CKyFillStyleGroup*>(tree.GetItemData(tree.GetSelectedItem()));
    EXPECT_NE(caret, p.t.a);
    p.h.Key(VK_RETURN);
  });
  p.h.Then([&] {
    EXPECT_FALSE(p.dlg.m_comboGroup.GetDroppedState());
    EXPECT_EQ(p.dlg.m_pCurGroup, caret);
    EXPECT_EQ(p.dlg.m_comboGroup.m_pCurGroup, caret);
    EXPECT_TRUE(::IsWindow(p.dlg.m_hWnd));
    p.h.Click(IDCANCEL);
  });
  EXPECT_EQ(p.dlg.DoModal(), IDCANCEL);
}

TEST(PickDlg, GroupMessagesWithForeignOrStalePointersAreIgnored) {
  Picker p;
  TreeLib other;
  p.h.Then([&] {
    HWND d = p.dlg.m_hWnd;
    int junk[16] = {0};
    for (WPARAM w : {WPARAM{0}, reinterpret_cast<WPARAM>(other.root), reinterpret_cast<WPARAM>(other.a),
                     reinterpret_cast<WPARAM>(junk), WPARAM{0x10}, reinterpret_cast<WPARAM>(p.t.root)}) {
      EXPECT_EQ(::SendMessage(d, WM_CHANGEGROUPPICKER, w, 0), 1);
      EXPECT_EQ(p.dlg.m_pCurGroup, p.t.root);
    }
    // A group of the library's own tree, however deep, is shown.
    EXPECT_EQ(::SendMessage(d, WM_CHANGEGROUPPICKER, reinterpret_cast<WPARAM>(p.t.a2), 0), 1);
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.a2);
    EXPECT_EQ(p.dlg.m_comboGroup.m_pCurGroup, p.t.a2);
    EXPECT_EQ(p.ListCount(), 2);
    p.h.Click(IDCANCEL);
  });
  p.dlg.DoModal();
}

// ---------------------------------------------------------------- the find boxes

TEST(PickDlg, FindByCodeOpensTheGroupThatHoldsTheId) {
  Picker p;
  p.h.Then([&] { p.h.Type(IDC_PICK_FIND_CODE, "13"); });
  p.h.Then([&] { p.h.Key(VK_RETURN); });
  p.h.Then([&] {
    EXPECT_TRUE(::IsWindow(p.dlg.m_hWnd));  // Enter did not close the dialog
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.a2);
    EXPECT_EQ(p.ListSel(), 0);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 13);
    EXPECT_EQ(p.Text(IDC_PICK_FIND_NAME), "deep one");
    EXPECT_EQ(p.dlg.m_comboGroup.m_pCurGroup, p.t.a2);
    // A built-in id in the root.
    p.dlg.SendMessage(WM_CHANGEGROUPPICKER, reinterpret_cast<WPARAM>(p.t.root));
    p.h.Type(IDC_PICK_FIND_CODE, "5 hatches");
    p.h.Key(VK_RETURN);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.ListSel(), 3 + 5);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 5);
    // An id nobody holds, and a negative one: both boxes emptied.
    p.h.Type(IDC_PICK_FIND_CODE, "4711");
    p.h.Key(VK_RETURN);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.Text(IDC_PICK_FIND_CODE), "");
    EXPECT_EQ(p.Text(IDC_PICK_FIND_NAME), "");
    EXPECT_EQ(p.Text(IDC_PICK_INFO), "");
    EXPECT_EQ(p.ListSel(), 3 + 5);
    p.h.Type(IDC_PICK_FIND_CODE, "-9");
    p.h.Key(VK_RETURN);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.Text(IDC_PICK_FIND_CODE), "");
    p.h.Click(IDCANCEL);
  });
  p.dlg.DoModal();
}

TEST(PickDlg, FindByNameStepsThroughTheMatchesAndWraps) {
  Picker p;
  p.dlg.SetCurSelStyle(20);  // opens B: 3 sub-groups, then b20 .. b31
  std::vector<long> picked;
  // "B3" matches b30 and b31 (case does not matter): each Enter takes the
  // next match after the selection, wrapping round.
  for (int i = 0; i < 3; ++i) {
    p.h.Then([&, i] {
      if (i > 0) picked.push_back(p.dlg.GetCurSelStyle());
      p.h.Type(IDC_PICK_FIND_NAME, "B3");
      p.h.Key(VK_RETURN);
    });
  }
  p.h.Then([&] {
    picked.push_back(p.dlg.GetCurSelStyle());
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.b);
    EXPECT_EQ(p.Text(IDC_PICK_FIND_CODE), "30");
    p.h.Type(IDC_PICK_FIND_NAME, "nothing like it");
    p.h.Key(VK_RETURN);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.Text(IDC_PICK_FIND_NAME), "");
    EXPECT_EQ(p.Text(IDC_PICK_INFO), "");
    p.h.Click(IDCANCEL);
  });
  p.dlg.DoModal();
  std::vector<long> want{30, 31, 30};
  EXPECT_EQ(picked, want);
}

// ---------------------------------------------------------------- transparency, gradient, rates

// The box disables the background colour; a transparent record starts with
// the box set, and clearing it gives the colour back.
TEST(PickDlg, BkTransparentDisablesTheBackgroundColour) {
  for (bool startClear : {false, true}) {
    SCOPED_TRACE(startClear ? "a transparent record" : "style 8");
    Picker p;
    if (startClear) {
      CKyGeoStyle s;
      s.m_crFillBack = -1;
      s.m_byFillRate = 100;
      p.dlg.SetStyle(s);
    } else {
      p.dlg.SetCurSelStyle(8);
    }
    p.h.Then([&] {
      EXPECT_EQ(DialogHarness::IsChecked(IDC_PICK_TRANSPARENT), startClear);
      EXPECT_EQ(p.Enabled(IDC_PICK_BACK_LABEL), !startClear);
      EXPECT_EQ(p.Enabled(IDC_PICK_BACK_COLOR), !startClear);
      p.h.Click(IDC_PICK_TRANSPARENT);
    });
    p.h.Then([&] {
      EXPECT_EQ(p.dlg.IsTransparent(), !startClear);
      EXPECT_EQ(p.Enabled(IDC_PICK_BACK_LABEL), startClear);
      EXPECT_EQ(p.Enabled(IDC_PICK_BACK_COLOR), startClear);
      EXPECT_EQ(p.dlg.GetCurSelStyle(), startClear ? -1 : 8);
      p.h.Click(IDOK);
    });
    ASSERT_EQ(p.dlg.DoModal(), IDOK);
    EXPECT_EQ(p.dlg.GetStyle().m_crFillBack, startClear ? 0xFFFFFF : -1);
    EXPECT_EQ(p.dlg.GetBackColor(), 0xFFFFFFu);
  }
}

TEST(PickDlg, TheGradientBoxAndTypes) {
  Picker p;
  p.dlg.SetCurSelStyle(8);
  std::string infoBefore;
  p.h.Then([&] {
    infoBefore = p.Text(IDC_PICK_INFO);
    p.h.Click(IDC_PICK_GRADIENT);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.GetGradientType(), 1);
    EXPECT_EQ(p.Text(IDC_PICK_GRADIENT_TYPE), "Linear");
    EXPECT_TRUE(p.Enabled(IDC_PICK_ANGLE));
    EXPECT_TRUE(p.Enabled(IDC_PICK_GRADIENT_TYPE));
    EXPECT_FALSE(p.Enabled(IDC_PICK_HOFFSET));
    EXPECT_FALSE(p.Enabled(IDC_PICK_VOFFSET_SPIN));
    // A gradient draws no library style: the info keeps its text.
    EXPECT_EQ(p.dlg.m_pCurStyle, nullptr);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 8);
    EXPECT_EQ(p.Text(IDC_PICK_INFO), infoBefore);
    // Radial, chosen from the open list with the keys.
    p.h.Click(IDC_PICK_GRADIENT_TYPE);
  });
  p.h.Then([&] {
    p.h.Key(VK_DOWN);
    p.h.Key(VK_RETURN);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.GetGradientType(), 2);
    EXPECT_EQ(p.Text(IDC_PICK_GRADIENT_TYPE), "Radial");
    EXPECT_TRUE(p.Enabled(IDC_PICK_HOFFSET));
    EXPECT_TRUE(p.Enabled(IDC_PICK_VOFFSET));
    EXPECT_TRUE(p.Enabled(IDC_PICK_HOFFSET_SPIN));
    // Typed as a person must: every change is exchanged at once, and a
    // lone "-" is not a number, so the sign goes in front last.
    p.h.Type(IDC_PICK_HOFFSET, "30");
    p.h.Key(VK_HOME);
    p.h.Type("-");
  });
  p.h.Then([&] { p.h.Type(IDC_PICK_ANGLE, "450"); });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.GetGradientHoffset(), -30);
    EXPECT_EQ(p.dlg.GetGradientAngle(), 450);
    p.h.Click(IDOK);
  });
  ASSERT_EQ(p.dlg.DoModal(), IDOK);
  const CKyGeoStyle s = p.dlg.GetStyle();
  EXPECT_EQ(s.m_byGradientType, 2);
  EXPECT_EQ(s.m_sGradientHOffset, -30);
  EXPECT_EQ(s.m_sGradientAngle, 450);
  const std::vector<BYTE> b = Bytes(s);
  EXPECT_EQ(b[37], 2);
  EXPECT_EQ(b[38], 0xC2);  // 450 = 0x01C2
  EXPECT_EQ(b[39], 0x01);
  EXPECT_EQ(b[40], 0xE2);  // -30 = 0xFFE2
  EXPECT_EQ(b[41], 0xFF);

  // Clearing the box resets the type.
  Picker q;
  CKyGeoStyle g;
  g.m_byGradientType = 4;
  g.m_byFillRate = 100;
  q.dlg.SetStyle(g);
  q.h.Then([&] {
    EXPECT_TRUE(DialogHarness::IsChecked(IDC_PICK_GRADIENT));
    EXPECT_EQ(q.Text(IDC_PICK_GRADIENT_TYPE), "Square");
    EXPECT_TRUE(q.Enabled(IDC_PICK_HOFFSET));
    q.h.Click(IDC_PICK_GRADIENT);
  });
  q.h.Then([&] {
    EXPECT_EQ(q.dlg.GetGradientType(), 0);
    EXPECT_EQ(q.Text(IDC_PICK_GRADIENT_TYPE), "");
    EXPECT_FALSE(q.Enabled(IDC_PICK_ANGLE));
    EXPECT_FALSE(q.Enabled(IDC_PICK_HOFFSET));
    q.h.Click(IDOK);
  });
  ASSERT_EQ(q.dlg.DoModal(), IDOK);
  EXPECT_EQ(q.dlg.GetStyle().m_byGradientType, 0);
}

// A value out of range brings the range message and puts the focus back in
// its field; the member keeps the value of the last keystroke that passed
// (each keystroke exchanges: "1" and "15" pass, "150" does not).
TEST(PickDlg, OutOfRangeRatesAndAnglesAreReportedAndTheMemberKeepsItsValue) {
  static const struct {
    int id;
    const char* bad;
    const char* message;
    long kept;
    const char* good;
    long taken;
  } cases[] = {
      {IDC_PICK_RATE, "150", "Please enter an integer between 0 and 100.", 15, "75", 75},
      {IDC_PICK_ANGLE, "3601", "Please enter an integer between -3600 and 3600.", 360, "450", 450},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bad);
    Picker p;
    CKyGeoStyle g;
    g.m_byGradientType = 1;
    g.m_byFillRate = 100;
    p.dlg.SetStyle(g);
    auto value = [&] { return c.id == IDC_PICK_RATE ? p.dlg.GetTransparentRate() : p.dlg.GetGradientAngle(); };
    p.h.Then([&] { p.h.Type(c.id, c.bad); });
    p.h.Then([&] {
      EXPECT_EQ(DialogHarness::MessageBoxText(), c.message);
      p.h.Key(VK_RETURN);
    });
    p.h.Then([&] {
      EXPECT_EQ(value(), c.kept);
      EXPECT_EQ(::GetFocus(), p.Item(c.id));  // back in the failing field
      p.h.Type(c.id, c.good);
    });
    p.h.Then([&] { p.h.Click(IDOK); });
    ASSERT_EQ(p.dlg.DoModal(), IDOK);
    const CKyGeoStyle s = p.dlg.GetStyle();
    EXPECT_EQ(c.id == IDC_PICK_RATE ? long{s.m_byFillRate} : long{s.m_sGradientAngle}, c.taken);
  }
}

// ---------------------------------------------------------------- colours and outline

TEST(PickDlg, ColoursArePickedFromTheButtonsPopup) {
  Picker p;
  p.dlg.SetCurSelStyle(0);
  const COLORREF want = CKyColorPopup::Palette()[9];
  const COLORREF back = CKyColorPopup::Palette()[3];
  // Opens a button's popup with a click and clicks palette entry i.
  auto pick = [&](int id, CKyButtonColorPicker& button, int i) {
    p.h.Then([&, id] { p.h.Click(id); });
    p.h.Then([&, i] {
      CKyColorPopup* popup = button.GetPopup();
      ASSERT_NE(popup, nullptr);
      CRect r = popup->EntryRect(i);
      p.h.Click(DialogHarness::At(popup->m_hWnd, r.CenterPoint().x, r.CenterPoint().y));
    });
  };
  pick(IDC_PICK_FRONT_COLOR, p.dlg.m_btnFrontColor, 9);
  p.h.Then([&] { EXPECT_EQ(p.dlg.GetFrontColor(), want); });
  pick(IDC_PICK_BACK_COLOR, p.dlg.m_btnBackColor, 3);
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.GetBackColor(), back);
    p.h.Click(IDOK);
  });
  ASSERT_EQ(p.dlg.DoModal(), IDOK);
  EXPECT_EQ(p.dlg.GetStyle().m_crFillFore, want);
  EXPECT_EQ(p.dlg.GetStyle().m_crFillBack, static_cast<LONG>(back));
}

TEST(PickDlg, TheLineStylePickerSetsTheOutline) {
  Picker p;
  p.h.Then([&] { p.h.Click(IDC_PICK_LINESTYLE); });
  p.h.Then([&] {
    // The line style picker is up: its ninth entry is the library's id 8.
    HWND list = DialogHarness::Item(IDC_KYZOD_STYLES);
    ASSERT_NE(list, nullptr);
    ::SendMessage(list, LB_SETTOPINDEX, 8, 0);
    RECT r{};
    ::SendMessage(list, LB_GETITEMRECT, 8, reinterpret_cast<LPARAM>(&r));
    p.h.Click(DialogHarness::At(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    p.h.Type(IDC_KYZOD_WIDTH, "10");
  });
  p.h.Then([&] { p.h.Click(IDOK); });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.GetLineStyleID(), 8);
    EXPECT_EQ(p.dlg.GetLineWidth(), 10);
    p.h.Click(IDOK);
  });
  ASSERT_EQ(p.dlg.DoModal(), IDOK);
  EXPECT_EQ(p.dlg.GetStyle().m_nLineStyle, 8);
  EXPECT_EQ(p.dlg.GetStyle().m_nLineWidth, 10);
}

TEST(PickDlg, WithoutALineLibraryTheButtonDoesNothing) {
  DialogHarness h;
  TreeLib t;
  CKyFSLPickDlg dlg;
  dlg.AttachKyStyleLib(&t.lib, nullptr);
  h.Then([&] { h.Click(IDC_PICK_LINESTYLE); });
  h.Then([&] {
    EXPECT_EQ(DialogHarness::Active(), dlg.m_hWnd);
    h.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// The preview in device pixels: its client area, and where logical units
// of the preview's mapping fall.
struct PreviewProbe {
  CRect screen;
  std::vector<DWORD> px;
  DWORD At(int x, int y) const { return px[static_cast<size_t>(y) * screen.Width() + x]; }
  static PreviewProbe Take() {
    PreviewProbe p;
    HWND w = DialogHarness::Item(IDC_PICK_PREVIEW);
    ::GetClientRect(w, &p.screen);
    POINT o{0, 0};
    ::ClientToScreen(w, &o);
    p.screen.OffsetRect(o);
    p.px = DialogHarness::Capture(p.screen);
    return p;
  }
};

// Logical units of the preview (0.1 mm, isotropic) in pixels of the screen.
int UnitsToPixels(int units) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::SetMapMode(dc, MM_ISOTROPIC);
  POINT pt{units, 0};
  ::LPtoDP(dc, &pt, 1);
  ::DeleteDC(dc);
  return pt.x;
}

// A line style the library lacks draws a solid outline.
TEST(PickDlg, ThePreviewKeepsAMarginOfThreeMillimetresForWidthTen) {
  for (long lineStyle : {0L, 4711L}) {
    SCOPED_TRACE(lineStyle);
    Picker p;
    p.dlg.SetCurSelStyle(0);
    p.dlg.SetLineStyleID(lineStyle);
    p.dlg.SetLineWidth(10);
    p.dlg.SetLineColor(0x0000FF);
    p.dlg.SetFrontColor(0x00FF00);
    p.h.Then([&] {
      PreviewProbe v = PreviewProbe::Take();
      const int mid = v.screen.Height() / 2;
      const DWORD face = [] {
        const COLORREF c = GetSysColor(COLOR_BTNFACE);
        return static_cast<DWORD>(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
      }();
      const DWORD red = 0xFF0000, green = 0x00FF00;
      // The outline's centre lies 30 units in, its pen 10 units wide.
      const int centre = UnitsToPixels(30);
      EXPECT_EQ(v.At(0, mid), face);
      EXPECT_EQ(v.At(UnitsToPixels(22), mid), face);
      EXPECT_EQ(v.At(centre, mid), red);
      EXPECT_EQ(v.At(UnitsToPixels(40), mid), green);
      EXPECT_EQ(v.At(v.screen.Width() / 2, mid), green);
      EXPECT_EQ(v.At(v.screen.Width() - 1, mid), face);
      EXPECT_EQ(v.At(v.screen.Width() / 2, centre), red);
      EXPECT_EQ(v.At(v.screen.Width() / 2, 0), face);
      p.h.Click(IDCANCEL);
    });
    p.dlg.DoModal();
  }
}

TEST(PickDlg, TheEditorOpensOnTheLibraryAndThePickerRebuildsItsView) {
  Picker p;
  p.dlg.SetCurSelStyle(13);
  HWND picker = nullptr;
  p.h.Then([&] {
    picker = p.dlg.m_hWnd;
    // Wander off to another group first.
    p.h.Click(IDC_PICK_PREVIOUS);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.a1);
    p.h.Click(IDC_PICK_EDITOR);
  });
  p.h.Then([&] {
    // The editor is up, owned by the picker.
    EXPECT_NE(DialogHarness::Active(), picker);
    EXPECT_EQ(::GetParent(DialogHarness::Active()), picker);
    p.h.Key(VK_ESCAPE);
  });
  p.h.Then([&] {
    EXPECT_EQ(DialogHarness::Active(), picker);
    // The view is rebuilt from the root and finds the group of the id the
    // picker last had (-1 after the group change: the root).
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.root);
    EXPECT_EQ(p.dlg.m_comboGroup.m_pCurGroup, p.t.root);
    EXPECT_EQ(p.ListCount(), 3 + 8 + 2);
    p.ClickEntry(3 + 8 + 1);
  });
  p.h.Then([&] { p.h.Click(IDC_PICK_EDITOR); });
  p.h.Then([&] { p.h.Key(VK_ESCAPE); });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.m_pCurGroup, p.t.root);
    EXPECT_EQ(p.ListSel(), 3 + 8 + 1);
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 9);
    p.h.Click(IDOK);
  });
  ASSERT_EQ(p.dlg.DoModal(), IDOK);
  EXPECT_EQ(p.dlg.GetStyle().m_nFillStyle, 9);
}

// ---------------------------------------------------------------- bad input

TEST(PickDlg, AStyleThatCannotBePreparedShowsOnlyTheBackground) {
  Picker p;
  auto* broken = new CKyFillStyle;
  broken->SetFillStyleID(40);
  broken->SetFillStyleName("broken");
  ASSERT_TRUE(p.t.lib.AddFillStyle(broken, p.t.root));
  p.dlg.SetCurSelStyle(8);
  std::string info;
  p.h.Then([&] {
    info = p.Text(IDC_PICK_INFO);
    EXPECT_FALSE(info.empty());
    p.ClickEntry(3 + 8 + 2);
  });
  p.h.Then([&] {
    EXPECT_EQ(p.dlg.GetCurSelStyle(), 40);
    EXPECT_EQ(p.dlg.m_pCurStyle, nullptr);
    EXPECT_EQ(p.Text(IDC_PICK_INFO), info);
    EXPECT_EQ(p.Text(IDC_PICK_FIND_CODE), "8");
    p.h.Click(IDOK);
  });
  ASSERT_EQ(p.dlg.DoModal(), IDOK);
  EXPECT_EQ(p.dlg.GetStyle().m_nFillStyle, 40);
}

TEST(PickDlg, AnEmptyLibraryOffersTheBuiltInFills) {
  DialogHarness h;
  CKyFillStyleLib lib;
  CKyFSLPickDlg dlg;
  dlg.AttachKyStyleLib(&lib, nullptr);
  dlg.SetCurSelStyle(50);
  h.Then([&] {
    EXPECT_EQ(Picker::ListCount(), 8);
    EXPECT_EQ(Picker::ListSel(), LB_ERR);
    h.Click(Picker::Entry(0));
  });
  h.Then([&] {
    EXPECT_EQ(dlg.GetCurSelStyle(), 0);
    h.Click(IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetStyle().m_nFillStyle, 0);
}

TEST(PickDlg, LongAndChineseNamesAndADeepTree) {
  DialogHarness h;
  TreeLib t;
  const std::string longName(255, 'n');
  kytest::AddBitmap(t.lib, 60, longName.c_str(), t.c);
  // GB2312 bytes: "森林" (forest) and "草地" (grass).
  kytest::AddBitmap(t.lib, 61, "\xC9\xAD\xC1\xD6", t.c);
  CKyFillStyleGroup* g = t.c->CreateSubGroup("\xB2\xDD\xB5\xD8");
  for (int i = 0; i < 50; ++i) g = g->CreateSubGroup(std::string(255, static_cast<char>('a' + i % 26)).c_str());
  kytest::AddBitmap(t.lib, 62, "bottom", g);
  CKyFSLPickDlg dlg;
  dlg.AttachKyStyleLib(&t.lib, nullptr);
  dlg.SetCurSelStyle(62);
  h.Then([&] {
    EXPECT_EQ(dlg.m_pCurGroup, g);
    EXPECT_EQ(Picker::ListSel(), 0);
    EXPECT_EQ(dlg.GetCurSelStyle(), 62);
    h.Click(IDC_PICK_GROUP_COMBO);
  });
  h.Then([&] { h.Key(VK_ESCAPE); });
  h.Then([&] {
    h.Type(IDC_PICK_FIND_CODE, "61");
    h.Key(VK_RETURN);
  });
  h.Then([&] {
    EXPECT_EQ(dlg.m_pCurGroup, t.c);
    EXPECT_EQ(Picker::Text(IDC_PICK_FIND_NAME), "\xC9\xAD\xC1\xD6");
    h.Type(IDC_PICK_FIND_CODE, "60");
    h.Key(VK_RETURN);
  });
  h.Then([&] {
    EXPECT_EQ(Picker::Text(IDC_PICK_FIND_NAME), longName);
    h.Click(IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetStyle().m_nFillStyle, 60);
}

TEST(PickDlg, RecordsOfAnyBytesOpenAndCloseSafely) {
  // Seeded records of random bytes, rerun by round number.
  unsigned seed = 20261206;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<BYTE>(seed >> 16);
  };
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    Picker p;
    CKyGeoStyle s;
    BYTE raw[sizeof s];
    for (BYTE& b : raw) b = next();
    std::memcpy(&s, raw, sizeof s);
    p.dlg.SetStyle(s);
    p.h.Then([&] { p.h.Click(IDOK); });
    const INT_PTR r = p.dlg.DoModal();
    if (r == IDOK) {
      const CKyGeoStyle out = p.dlg.GetStyle();
      EXPECT_EQ(out.m_crFillFore, s.m_crFillFore);
      EXPECT_EQ(out.m_nLineStyle, s.m_nLineStyle);
      const CKyGeoStyle def;
      EXPECT_EQ(std::memcmp(&out, &def, 12), 0);  // the leading words stay the base module's
    } else {
      // An out-of-range rate or angle from the record: the range message.
      EXPECT_TRUE(s.m_byFillRate > 100 || s.m_sGradientAngle < -3600 || s.m_sGradientAngle > 3600);
    }
  }
}

// A record's outline width is drawn within the preview, however wide.
TEST(PickDlg, ExtremeOutlineWidths) {
  for (long width : {0L, -7L, 0x7FFFFFFFL, -0x7FFFFFFFL - 1}) {
    SCOPED_TRACE(width);
    Picker p;
    p.dlg.SetCurSelStyle(0);
    p.dlg.SetLineWidth(width);
    p.dlg.SetLineStyleID(8);
    p.h.Then([&] {
      p.dlg.SetLineStyleID(0);
      p.dlg.DrawPreviews();
      p.h.Click(IDOK);
    });
    ASSERT_EQ(p.dlg.DoModal(), IDOK);
    EXPECT_EQ(p.dlg.GetStyle().m_nLineWidth, width);
  }
}
}  // namespace
