// The fill style combo: its entries, the id <-> entry mapping with and
// without a library, and how an entry is drawn.
#include "KyFillStyleCombo.h"

#include <gtest/gtest.h>

#include "picker_fixture.h"

namespace {

constexpr int kCombo = 100;
constexpr COLORREF kSwatch = 0xFF6900;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

const KyDialogTemplate& Template() {
  static KyDialogTemplate t = [] {
    KyDialogTemplate d(WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE, 10, 10, 160, 120, "Host", 8,
                       "MS Sans Serif");
    d.ComboBox(kCombo, 7, 7, 120, 100, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL);
    return d;
  }();
  return t;
}

struct ComboHost {
  DialogHarness h;
  CKyFillStyleCombo combo;
  kytest::HostDlg dlg{Template(), {{kCombo, &combo}}};
  ComboHost() { EXPECT_TRUE(dlg.Make()); }
  ~ComboHost() { dlg.DestroyWindow(); }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (int i = 0; i < combo.GetCount(); ++i) {
      CString s;
      combo.GetLBText(i, s);
      out.emplace_back(static_cast<LPCSTR>(s));
    }
    return out;
  }
};

// A library holding ids 8, 12 and 20, in that order.
void Fill(CKyFillStyleLib& lib) {
  kytest::AddBitmap(lib, 8, "eight");
  kytest::AddBitmap(lib, 12, "twelve");
  kytest::AddBitmap(lib, 20, "twenty");
}

// Without a library, or with an empty one, the eight built-in fills.
TEST(FillStyleCombo, WithoutALibraryListsTheEightBuiltInFills) {
  CKyFillStyleLib empty;
  for (CKyFillStyleLib* lib : {static_cast<CKyFillStyleLib*>(nullptr), &empty}) {
    SCOPED_TRACE(lib ? "empty library" : "no library");
    ComboHost host;
    host.combo.m_pLib = lib;
    host.combo.InitContent();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"000000", "000001", "000002", "000003", "000004", "000005",
                                                      "000006", "000007"}));
    host.combo.SetCurStyleID(5);
    EXPECT_EQ(host.combo.GetCurSel(), 5);
    EXPECT_EQ(host.combo.GetCurStyleID(), 5);
    host.combo.SetCurStyleID(7);
    EXPECT_EQ(host.combo.GetCurStyleID(), 7);
    // Ids of 8 and more are taken as indexes: there is no entry 9.
    host.combo.SetCurStyleID(9);
    EXPECT_EQ(host.combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(host.combo.GetCurStyleID(), -1);
    host.combo.SetCurStyleID(-1);
    EXPECT_EQ(host.combo.GetCurStyleID(), -1);
  }
}

TEST(FillStyleCombo, LibraryStylesFollowInLibraryOrder) {
  CKyFillStyleLib lib;
  Fill(lib);
  ComboHost host;
  host.combo.m_pLib = &lib;
  host.combo.InitContent();
  ASSERT_EQ(host.combo.GetCount(), 11);
  EXPECT_EQ(host.Texts()[8], "000008");
  EXPECT_EQ(host.Texts()[9], "000012");
  EXPECT_EQ(host.Texts()[10], "000020");

  struct Case {
    long id;
    int index;
    long back;
  } cases[] = {
      {12, 9, 12}, {20, 10, 20}, {8, 8, 8}, {3, 3, 3}, {-1, CB_ERR, -1},
      // An id the library lacks selects nothing (it once selected built-in 7).
      {9, CB_ERR, -1}, {1000, CB_ERR, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    host.combo.SetCurStyleID(c.id);
    EXPECT_EQ(host.combo.GetCurSel(), c.index);
    EXPECT_EQ(host.combo.GetCurStyleID(), c.back);
  }
  host.combo.SetCurSel(10);
  EXPECT_EQ(host.combo.GetCurStyleID(), 20);
  // InitContent again starts afresh.
  host.combo.InitContent();
  EXPECT_EQ(host.combo.GetCount(), 11);
}

TEST(FillStyleCombo, PickingAnEntryWithTheMouseReportsItsId) {
  CKyFillStyleLib lib;
  Fill(lib);
  ComboHost host;
  host.combo.m_pLib = &lib;
  host.combo.InitContent();
  host.combo.SetCurStyleID(0);
  // Open the list with a click, then step down to the last entry with the keys.
  host.h.Then([&] { host.h.Click(DialogHarness::Centre(host.combo.m_hWnd)); });
  host.h.Then([&] {
    EXPECT_TRUE(host.combo.CComboBox::GetDroppedState());
    host.h.Key(VK_END);
    host.h.Key(VK_RETURN);
  });
  host.h.Pump();
  EXPECT_EQ(host.combo.GetCurStyleID(), 20);
  bool notified = false;
  for (auto& c : host.dlg.commands) notified |= c.first == kCombo && c.second == CBN_SELCHANGE;
  EXPECT_TRUE(notified);
}

// Drawing straight into a bitmap, entry by entry: the item is 200 x 16, so
// the swatch starts at 1 + 3 * 14 = 43.
struct Drawn {
  kytest::Canvas canvas{200, 16};
  CRect item{0, 0, 200, 16};
  CRect swatch{43, 1, 199, 15};
  // The font a combo box of a dialog draws with.
  Drawn() { canvas.dc().SelectStockObject(DEFAULT_GUI_FONT); }
};

TEST(FillStyleCombo, BuiltInEntriesShowTheirIdAndABrushOrAWord) {
  ComboHost host;
  host.combo.InitContent();
  Drawn d;
  DRAWITEMSTRUCT r = kytest::DrawRequest(d.canvas.dc(), 0, ODA_DRAWENTIRE, 0, d.item, ODT_COMBOBOX);
  host.combo.DrawItem(&r);
  EXPECT_EQ(d.canvas.Count(d.swatch, kSwatch), d.swatch.Width() * d.swatch.Height());
  // Everything else is white or the black digits.
  EXPECT_EQ(d.canvas.At(0, 0), kWhite);
  EXPECT_EQ(d.canvas.At(199, 15), kWhite);
  EXPECT_GT(d.canvas.Count(CRect(1, 1, 43, 15), kBlack), 10);

  // A hatch: the swatch colour on what was there, the white of the item.
  Drawn hatch;
  r = kytest::DrawRequest(hatch.canvas.dc(), 6, ODA_DRAWENTIRE, 0, hatch.item, ODT_COMBOBOX);
  host.combo.DrawItem(&r);
  const int lines = hatch.canvas.Count(hatch.swatch, kSwatch);
  EXPECT_GT(lines, 0);
  EXPECT_EQ(lines + hatch.canvas.Count(hatch.swatch, kWhite), hatch.swatch.Width() * hatch.swatch.Height());

  // The hollow entry shows a word instead of a swatch, centred in the swatch
  // area: black pixels on both sides of its middle, none near its ends.
  Drawn hollow;
  r = kytest::DrawRequest(hollow.canvas.dc(), 1, ODA_DRAWENTIRE, 0, hollow.item, ODT_COMBOBOX);
  host.combo.DrawItem(&r);
  EXPECT_EQ(hollow.canvas.Count(hollow.item, kSwatch), 0);
  const int mid = (hollow.swatch.left + hollow.swatch.right) / 2;
  EXPECT_GT(hollow.canvas.Count(CRect(mid - 20, 1, mid, 15), kBlack), 0);
  EXPECT_GT(hollow.canvas.Count(CRect(mid, 1, mid + 20, 15), kBlack), 0);
  EXPECT_EQ(hollow.canvas.Count(CRect(hollow.swatch.left, 1, hollow.swatch.left + 30, 15), kBlack), 0);
}

// A style that cannot be prepared (its pattern bytes are not a bitmap)
// shows only its id.
TEST(FillStyleCombo, LibraryEntriesShowTheStyleAndFramesFollowTheSelection) {
  CKyFillStyleLib lib;
  Fill(lib);
  auto* broken = new CKyFillStyle;
  broken->SetFillStyleID(30);
  ASSERT_TRUE(lib.AddFillStyle(broken, lib.GetStyleGroup()));
  ComboHost host;
  host.combo.m_pLib = &lib;
  host.combo.InitContent();
  ASSERT_EQ(host.combo.GetCount(), 12);
  Drawn d;
  DRAWITEMSTRUCT r = kytest::DrawRequest(d.canvas.dc(), 9, ODA_DRAWENTIRE, ODS_SELECTED, d.item, ODT_COMBOBOX);
  host.combo.DrawItem(&r);
  // The checkerboard pattern: half swatch colour, half white.
  const int area = d.swatch.Width() * d.swatch.Height();
  const int fore = d.canvas.Count(d.swatch, kSwatch);
  EXPECT_NEAR(fore, area / 2, area / 20);
  EXPECT_EQ(fore + d.canvas.Count(d.swatch, kWhite), area);
  // Selected: a black frame round the whole item.
  for (POINT p : {POINT{0, 0}, POINT{199, 0}, POINT{0, 15}, POINT{199, 15}, POINT{100, 0}, POINT{0, 8}}) {
    SCOPED_TRACE(p.x * 100 + p.y);
    EXPECT_EQ(d.canvas.At(p.x, p.y), kBlack);
  }
  // Deselected: the frame turns white and nothing else is touched.
  r = kytest::DrawRequest(d.canvas.dc(), 9, ODA_SELECT, 0, d.item, ODT_COMBOBOX);
  host.combo.DrawItem(&r);
  for (POINT p : {POINT{0, 0}, POINT{199, 0}, POINT{0, 15}, POINT{199, 15}}) EXPECT_EQ(d.canvas.At(p.x, p.y), kWhite);
  EXPECT_EQ(d.canvas.Count(d.swatch, kSwatch), fore);

  Drawn unprepared;
  r = kytest::DrawRequest(unprepared.canvas.dc(), 11, ODA_DRAWENTIRE, 0, unprepared.item, ODT_COMBOBOX);
  host.combo.DrawItem(&r);
  const CRect& blank = unprepared.swatch;
  EXPECT_EQ(unprepared.canvas.Count(blank, kWhite), blank.Width() * blank.Height());
  EXPECT_GT(unprepared.canvas.Count(CRect(1, 1, 43, 15), kBlack), 10);
}

}  // namespace
