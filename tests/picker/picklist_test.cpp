// The style list: entries of a group, their captions and swatches, and the
// frames of the selection, in cells of 95 x 110 as the picker sets them.
#include "KyFSLPickList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "KyFillStyle.h"
#include "KyFillStyleGroup.h"
#include "picker_fixture.h"

namespace {

constexpr int kList = 23441;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

const KyDialogTemplate& Template() {
  static KyDialogTemplate t = [] {
    KyDialogTemplate d(WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE, 0, 0, 220, 260, "Host", 8,
                       "MS Sans Serif");
    d.ListBox(kList, 7, 25, 202, 236,
              LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_HSCROLL | WS_BORDER);
    return d;
  }();
  return t;
}

// A probe that reaches the protected captions.
class ProbeList : public CKyFSLPickList {
 public:
  using CKyFSLPickList::Draw;
  using CKyFSLPickList::GetName;
};

struct ListHost {
  DialogHarness h;
  ProbeList list;
  kytest::HostDlg dlg{Template(), {{kList, &list}}};
  ListHost() {
    EXPECT_TRUE(dlg.Make());
    list.SetItemHeight(0, 110);
    list.SetColumnWidth(95);
  }
  ~ListHost() { dlg.DestroyWindow(); }
  std::vector<std::string> Names() {
    std::vector<std::string> out;
    for (int i = 0; i < list.GetCount(); ++i) out.emplace_back(static_cast<LPCSTR>(list.GetName(i)));
    return out;
  }
};

TEST(PickList, TheRootListsSubGroupsThenBuiltInsThenStylesOtherGroupsNoBuiltIns) {
  kytest::TreeLib t;
  ListHost host;
  host.list.m_pLib = &t.lib;
  host.list.UpdateGroup(t.root);
  ASSERT_EQ(host.list.GetCount(), 3 + 8 + 2);
  std::vector<std::string> want{"A", "B", "C"};
  for (int i = 0; i < 8; ++i) want.push_back("Win32 System");
  want.push_back("root eight");
  want.push_back("root nine");
  EXPECT_EQ(host.Names(), want);
  // Other groups have no built-in entries.
  host.list.UpdateGroup(t.a);
  EXPECT_EQ(host.Names(), (std::vector<std::string>{"A1", "ten", "eleven"}));
  host.list.UpdateGroup(t.c);
  EXPECT_EQ(host.list.GetCount(), 0);
  host.list.UpdateGroup(nullptr);
  EXPECT_EQ(host.list.GetCount(), 0);
  EXPECT_EQ(host.list.m_pGroup, nullptr);
}

TEST(PickList, AnEmptyRootShowsTheEightBuiltInFills) {
  CKyFillStyleLib lib;
  ListHost host;
  host.list.m_pLib = &lib;
  host.list.UpdateGroup(lib.GetStyleGroup());
  EXPECT_EQ(host.list.GetCount(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(host.list.GetName(i), "Win32 System");
  // An empty root with three sub-groups: 0..2 folders, 3..10 the built-ins.
  for (const char* n : {"x", "y", "z"}) lib.GetStyleGroup()->CreateSubGroup(n);
  host.list.UpdateGroup(lib.GetStyleGroup());
  EXPECT_EQ(host.list.GetCount(), 11);
  EXPECT_EQ(host.list.GetName(2), "z");
  EXPECT_EQ(host.list.GetName(3), "Win32 System");
  EXPECT_EQ(host.list.GetName(10), "Win32 System");
}

TEST(PickList, MissingPointersOrRecordsGiveEmptyCaptionsAndNoSwatch) {
  kytest::TreeLib t;
  ListHost host;
  host.list.m_pLib = nullptr;
  host.list.UpdateGroup(t.root);
  EXPECT_EQ(host.list.GetName(0), "");
  kytest::Canvas c(60, 60);
  CRect r(5, 5, 55, 55);
  EXPECT_EQ(host.list.Draw(&c.dc(), 0, &r), 0);
  EXPECT_EQ(c.Count(CRect(0, 0, 60, 60), RGB(0xcc, 0xcc, 0xcc)), 3600);
  // An item id whose record is gone.
  host.list.m_pLib = &t.lib;
  t.root->m_arrItems.Add(99);
  host.list.UpdateGroup(t.root);
  EXPECT_EQ(host.list.GetName(3 + 8 + 2), "");
  EXPECT_EQ(host.list.Draw(&c.dc(), 3 + 8 + 2, &r), 0);
  EXPECT_EQ(host.list.GetName(500), "");
}

TEST(PickList, SwatchesOfTheBuiltInFills) {
  CKyFillStyleLib lib;
  ListHost host;
  host.list.m_pLib = &lib;
  host.list.UpdateGroup(lib.GetStyleGroup());
  struct Case {
    long id;
    int blue;  // pixels of the 50 x 50 swatch in the swatch colour, inside the outline
  } cases[] = {{0, 48 * 48}, {1, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.id);
    kytest::Canvas c(60, 60);
    CRect r(5, 5, 55, 55);
    CGdiObject* pen = c.dc().SelectStockObject(BLACK_PEN);
    EXPECT_EQ(host.list.Draw(&c.dc(), k.id, &r), 1);
    c.dc().SelectObject(pen);
    EXPECT_EQ(c.Count(CRect(6, 6, 54, 54), kBlue), k.blue);
    EXPECT_EQ(c.At(5, 5), kBlack);   // the outline of the DC's pen
    EXPECT_EQ(c.At(54, 54), kBlack);
  }
  // Each hatch differs from the others and paints blue lines only.
  std::set<std::vector<COLORREF>> seen;
  for (long id = 2; id < 8; ++id) {
    SCOPED_TRACE(id);
    kytest::Canvas c(60, 60);
    CRect r(5, 5, 55, 55);
    EXPECT_EQ(host.list.Draw(&c.dc(), id, &r), 1);
    std::vector<COLORREF> px;
    for (int y = 6; y < 54; ++y)
      for (int x = 6; x < 54; ++x) px.push_back(c.At(x, y));
    const int blue = c.Count(CRect(6, 6, 54, 54), kBlue);
    EXPECT_GT(blue, 48 * 2);
    EXPECT_LT(blue, 48 * 48 / 2);
    seen.insert(px);
  }
  EXPECT_EQ(seen.size(), 6u);
  EXPECT_EQ(CKyFSLPickList::BuiltInHatch(2), HS_BDIAGONAL);
  EXPECT_EQ(CKyFSLPickList::BuiltInHatch(5), HS_FDIAGONAL);
  EXPECT_EQ(CKyFSLPickList::BuiltInHatch(7), HS_VERTICAL);
  EXPECT_EQ(CKyFSLPickList::BuiltInHatch(0), -1);
  EXPECT_EQ(CKyFSLPickList::BuiltInHatch(8), -1);
}

TEST(PickList, SwatchesOfStylesAndFolders) {
  kytest::TreeLib t;
  ListHost host;
  host.list.m_pLib = &t.lib;
  host.list.UpdateGroup(t.root);
  kytest::Canvas c(60, 60);
  CRect r(5, 5, 55, 55);
  EXPECT_EQ(host.list.Draw(&c.dc(), 11, &r), 1);
  // The checkerboard in blue on white inside a black frame.
  EXPECT_EQ(c.Count(CRect(5, 5, 55, 6), kBlack), 50);
  EXPECT_EQ(c.Count(CRect(5, 54, 55, 55), kBlack), 50);
  const int blue = c.Count(CRect(6, 6, 54, 54), kBlue);
  EXPECT_NEAR(blue, 48 * 48 / 2, 48);
  EXPECT_EQ(blue + c.Count(CRect(6, 6, 54, 54), kWhite), 48 * 48);
  // The record's tiles are released after drawing.
  CKyFillStyle* s = t.lib.GetFillStyle(t.lib.FindID(8));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->m_bmpPattern.GetSafeHandle(), nullptr);
  EXPECT_EQ(s->m_bmpMask.GetSafeHandle(), nullptr);

  kytest::Canvas f(60, 60);
  EXPECT_EQ(host.list.Draw(&f.dc(), 0, &r), 1);
  std::set<COLORREF> colours;
  for (int y = 5; y < 55; ++y)
    for (int x = 5; x < 55; ++x) colours.insert(f.At(x, y));
  EXPECT_GT(colours.size(), 2u);  // the folder picture
  EXPECT_EQ(f.At(2, 2), RGB(0xcc, 0xcc, 0xcc));
}

// The cell geometry: a 50 x 50 swatch at (30, 20) of each 95 x 110 cell,
// and the frames of the selection.
TEST(PickList, CellsFramesAndCaptions) {
  kytest::TreeLib t;
  ListHost host;
  host.list.m_pLib = &t.lib;
  host.list.UpdateGroup(t.root);
  host.h.Pump();
  CRect cell;
  ASSERT_NE(host.list.GetItemRect(3, &cell), LB_ERR);
  EXPECT_EQ(cell.Width(), 95);
  EXPECT_EQ(cell.Height(), 110);
  auto screen = [&](int item, int x, int y) {
    CRect c;
    host.list.GetItemRect(item, &c);
    POINT p{c.left + x, c.top + y};
    host.list.ClientToScreen(&p);
    return DialogHarness::Capture(CRect(p.x, p.y, p.x + 1, p.y + 1))[0];
  };
  const DWORD red = 0xFF0000, black = 0x000000, blue = 0x0000FF;
  // Built-in 0 (index 3): the solid swatch fills (31..78, 21..68).
  EXPECT_EQ(screen(3, 50, 40), blue);
  EXPECT_EQ(screen(3, 29, 40) == blue, false);
  // Select it with a click: a red frame round the swatch.
  host.h.Then([&] { host.h.Click(DialogHarness::At(host.list.m_hWnd, cell.left + 50, cell.top + 40)); });
  host.h.Pump();
  EXPECT_EQ(host.list.GetCurSel(), 3);
  EXPECT_EQ(screen(3, 30, 20), red);
  EXPECT_EQ(screen(3, 79, 69), red);
  EXPECT_EQ(screen(3, 55, 20), red);
  // Another entry: the old one gets a black frame.
  CRect next;
  host.list.GetItemRect(4, &next);
  host.h.Then([&] { host.h.Click(DialogHarness::At(host.list.m_hWnd, next.left + 50, next.top + 40)); });
  host.h.Pump();
  EXPECT_EQ(host.list.GetCurSel(), 4);
  EXPECT_EQ(screen(3, 30, 20), black);
  EXPECT_EQ(screen(4, 30, 20), red);
  // A sub-group entry draws no frame when selected.
  CRect folder;
  host.list.GetItemRect(0, &folder);
  const DWORD before = screen(0, 30, 20);
  host.h.Then([&] { host.h.Click(DialogHarness::At(host.list.m_hWnd, folder.left + 50, folder.top + 40)); });
  host.h.Pump();
  EXPECT_EQ(host.list.GetCurSel(), 0);
  EXPECT_EQ(screen(0, 30, 20), before);
  EXPECT_NE(screen(0, 30, 20), red);
  // The caption of a selected entry sits on the highlight under the swatch.
  const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
  const DWORD hlRgb = ((hl & 0xFF) << 16) | (hl & 0xFF00) | ((hl >> 16) & 0xFF);
  int highlighted = 0;
  for (int y = 80; y < 100; ++y)
    for (int x = 30; x < 70; ++x) highlighted += screen(0, x, y) == hlRgb;
  EXPECT_GT(highlighted, 10);
}

// A caption too long for its line ends in an ellipsis: the longest start of
// the name that fits, then "...", centred under the swatch. Before, a long
// name was centred and clipped, losing both its ends.
TEST(PickList, LongCaptionsEndInAnEllipsis) {
  static const struct {
    const char* name;
    const char* caption;  // nullptr: the name itself; else the expected prefix
  } cases[] = {
      {"short", nullptr},
      {"averyveryverylongstylenamewithoutspaces", "averyveryver"},
      {"a long name with several words in it", "a long name "},
      {"R&D", nullptr},
  };
  for (const auto& c : cases) {
    CKyFillStyleLib lib;
    CKyFillStyleGroup* group = lib.GetStyleGroup()->CreateSubGroup("G");
    ASSERT_NE(kytest::AddBitmap(lib, 8, c.name, group), nullptr) << c.name;
    ListHost host;
    host.list.m_pLib = &lib;
    host.list.UpdateGroup(group);
    host.h.Pump();
    CRect cell;
    ASSERT_NE(host.list.GetItemRect(0, &cell), LB_ERR) << c.name;
    // The caption's line: under the swatch, 90 wide, centred on it.
    CRect line(cell.left + 10, cell.top + 80, cell.left + 100, cell.top + 96);
    CRect onScreen = line;
    host.list.ClientToScreen(&onScreen);
    onScreen.right = std::min(onScreen.right, onScreen.left + 85);  // the cell's own part
    const std::vector<DWORD> drawn = DialogHarness::Capture(onScreen);
    // The same text drawn plainly, with the list's font, on white.
    std::string text = c.caption ? std::string(c.caption) + "..." : c.name;
    kytest::Canvas want(line.Width(), line.Height());
    CFont* font = host.list.GetFont();
    CFont* old = font ? want.dc().SelectObject(font) : nullptr;
    if (c.caption) {
      // The longest start that fits with the dots.
      CSize full = want.dc().GetTextExtent(text.c_str(), static_cast<int>(text.size()));
      EXPECT_LE(full.cx, line.Width()) << c.name;
      std::string longer = std::string(c.name, std::strlen(c.caption) + 1) + "...";
      EXPECT_GT(want.dc().GetTextExtent(longer.c_str(), static_cast<int>(longer.size())).cx, line.Width()) << c.name;
    }
    CRect all(0, 0, line.Width(), line.Height());
    want.dc().FillSolidRect(&all, RGB(255, 255, 255));
    want.dc().SetTextColor(RGB(0, 0, 0));
    want.dc().SetBkMode(TRANSPARENT);
    want.dc().DrawText(text.c_str(), static_cast<int>(text.size()), &all, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (old) want.dc().SelectObject(old);
    int differ = 0, ink = 0;
    for (int y = 0; y < line.Height(); ++y)
      for (int x = 0; x < onScreen.Width(); ++x) {
        const bool inkDrawn = drawn[static_cast<size_t>(y * onScreen.Width() + x)] == 0;
        const bool inkWanted = want.At(x, y) == RGB(0, 0, 0);
        differ += inkDrawn != inkWanted;
        ink += inkWanted;
      }
    EXPECT_GT(ink, 20) << c.name;
    EXPECT_EQ(differ, 0) << c.name;
  }
}

}  // namespace
