// The group combo and its drop-down tree: the nodes built for groups at
// several depths, the keys of the closed combo, the tree's keys and mouse,
// and the message the dialog receives.
#include "KyFSLPickCombo.h"

#include <gtest/gtest.h>

#include <set>

#include "KyFillStyleGroup.h"
#include "picker_fixture.h"

namespace {

constexpr int kCombo = 23434;
constexpr int kOther = 101;

const KyDialogTemplate& Template() {
  static KyDialogTemplate t = [] {
    KyDialogTemplate d(WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE, 10, 10, 220, 160, "Host", 8,
                       "MS Sans Serif");
    d.ComboBox(kCombo, 53, 6, 132, 30, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_NOINTEGRALHEIGHT | WS_TABSTOP);
    d.PushButton("Other", kOther, 7, 130, 50, 14);
    return d;
  }();
  return t;
}

struct Node {
  int depth;
  std::string text;
  int image;
  bool expanded;
  bool operator==(const Node& o) const {
    return depth == o.depth && text == o.text && image == o.image && expanded == o.expanded;
  }
};
std::ostream& operator<<(std::ostream& os, const Node& n) {
  return os << "{" << n.depth << "," << n.text << "," << n.image << "," << n.expanded << "}";
}

struct ComboHost {
  DialogHarness h;
  kytest::TreeLib t;
  CKyFSLPickCombo combo;
  kytest::HostDlg dlg{Template(), {{kCombo, &combo}}};
  explicit ComboHost(CKyFillStyleGroup* g, int w = 0, int height = 200) {
    dlg.m_watched = WM_CHANGEGROUPPICKER;
    EXPECT_TRUE(dlg.Make());
    combo.AttachStyleGroup(g);
    EXPECT_TRUE(combo.Init(w, height));
    h.Pump();
  }
  ~ComboHost() { dlg.DestroyWindow(); }
  CKyFSLPickTree& tree() { return combo.Tree(); }
  // Every node in pre-order.
  std::vector<Node> Nodes() {
    std::vector<Node> out;
    Walk(tree().GetRootItem(), 0, out);
    return out;
  }
  void Walk(HTREEITEM n, int depth, std::vector<Node>& out) {
    for (; n; n = tree().GetNextSiblingItem(n)) {
      int image = -1, selected = -1;
      tree().GetItemImage(n, image, selected);
      EXPECT_EQ(image, selected);
      out.push_back(Node{depth, static_cast<LPCSTR>(tree().GetItemText(n)), image,
                         (tree().GetItemState(n, TVIS_EXPANDED) & TVIS_EXPANDED) != 0});
      Walk(tree().GetChildItem(n), depth + 1, out);
    }
  }
  std::vector<std::string> Visible() {
    std::vector<std::string> out;
    for (HTREEITEM n = tree().GetRootItem(); n; n = tree().GetNextVisibleItem(n))
      out.emplace_back(static_cast<LPCSTR>(tree().GetItemText(n)));
    return out;
  }
  CKyFillStyleGroup* Current() {
    return tree().m_hCurItem ? reinterpret_cast<CKyFillStyleGroup*>(tree().GetItemData(tree().m_hCurItem)) : nullptr;
  }
  std::vector<CKyFillStyleGroup*> Sent() {
    std::vector<CKyFillStyleGroup*> out;
    for (auto& m : dlg.messages) {
      EXPECT_EQ(m.second, 0);
      out.push_back(reinterpret_cast<CKyFillStyleGroup*>(m.first));
    }
    return out;
  }
};

// The nodes for groups at several depths: the chain down to the group is
// open, the group's own sub-groups are reached through the list, not the tree.
TEST(PickTree, NodesForGroupsAtSeveralDepths) {
  struct Case {
    const char* name;
    CKyFillStyleGroup* kytest::TreeLib::*group;
    std::vector<Node> nodes;  // below the root, which comes first, open
    std::vector<std::string> visible;
  };
  const Case cases[] = {
      // The root's first expansion tells the tree, which opens its folder.
      {"the root", &kytest::TreeLib::root, {{1, "A", 0, false}, {1, "B", 0, false}, {1, "C", 0, false}}, {}},
      {"a direct sub-group",
       &kytest::TreeLib::b,
       {{1, "A", 0, false}, {1, "B", 1, false}, {1, "C", 0, false}},
       {}},
      {"three levels down",
       &kytest::TreeLib::a2,
       {{1, "A", 1, true}, {2, "A1", 1, true}, {3, "A2", 1, false}, {1, "B", 0, false}, {1, "C", 0, false}},
       {"A", "A1", "A2", "B", "C"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ComboHost host(nullptr);
    CKyFillStyleGroup* group = host.t.*c.group;
    host.combo.ReAttachStyleGroup(group);
    const std::string root = static_cast<LPCSTR>(host.t.root->GetName());
    std::vector<Node> want{{0, root, 1, true}};
    want.insert(want.end(), c.nodes.begin(), c.nodes.end());
    EXPECT_EQ(host.Nodes(), want);
    EXPECT_EQ(host.Current(), group);
    EXPECT_EQ(host.combo.m_pCurGroup, group);
    if (c.visible.empty()) continue;
    std::vector<std::string> visible{root};
    visible.insert(visible.end(), c.visible.begin(), c.visible.end());
    EXPECT_EQ(host.Visible(), visible);
  }
}

TEST(PickTree, ANullGroupLeavesTheTreeEmpty) {
  ComboHost host(nullptr);
  EXPECT_EQ(host.tree().GetCount(), 0u);
  EXPECT_EQ(host.tree().m_hCurItem, nullptr);
  host.combo.ReAttachStyleGroup(host.t.a);
  EXPECT_EQ(host.tree().GetCount(), 4u);
  host.combo.ReAttachStyleGroup(nullptr);
  EXPECT_EQ(host.tree().GetCount(), 0u);
}

TEST(PickTree, FiftyLevelsDeep) {
  kytest::TreeLib t;
  CKyFillStyleGroup* g = t.c;
  for (int i = 0; i < 50; ++i) g = g->CreateSubGroup(("level" + std::to_string(i)).c_str());
  ComboHost host(nullptr);
  host.combo.ReAttachStyleGroup(g);
  std::vector<Node> nodes = host.Nodes();
  ASSERT_EQ(nodes.size(), 4u + 50u);
  EXPECT_EQ(nodes.back().depth, 51);
  EXPECT_EQ(nodes.back().text, "level49");
  EXPECT_EQ(nodes.back().image, 1);
  EXPECT_EQ(host.Current(), g);
}

TEST(PickCombo, InitSizesTheTree) {
  {
    ComboHost host(nullptr, 0, 0);
    CRect client;
    host.combo.GetClientRect(&client);
    EXPECT_EQ(host.combo.GetDroppedWidth(), client.Width());
    EXPECT_EQ(host.combo.GetDroppedHeight(), 100);
  }
  ComboHost host(nullptr, 150, 200);
  EXPECT_EQ(host.combo.GetDroppedWidth(), 150);
  EXPECT_EQ(host.combo.GetDroppedHeight(), 200);
  host.combo.SetDroppedHeight(120);
  EXPECT_EQ(host.combo.GetDroppedHeight(), 120);
}

TEST(PickCombo, AClickOpensTheTreeUnderTheComboAndASecondOrTheFocusLeavingClosesIt) {
  ComboHost host(nullptr, 0, 200);
  host.combo.ReAttachStyleGroup(host.t.root);
  EXPECT_FALSE(host.combo.GetDroppedState());
  host.h.Then([&] { host.h.Click(DialogHarness::Centre(host.combo.m_hWnd)); });
  host.h.Pump();
  ASSERT_TRUE(host.combo.GetDroppedState());
  CRect combo, tree;
  host.combo.GetWindowRect(&combo);
  host.tree().GetWindowRect(&tree);
  EXPECT_EQ(tree.left, combo.left);
  EXPECT_EQ(tree.top, combo.bottom + 1);
  EXPECT_EQ(tree.Width(), host.combo.GetDroppedWidth());
  EXPECT_EQ(tree.Height(), 200);
  EXPECT_EQ(::GetFocus(), host.tree().m_hWnd);
  // The combo's own list never drops.
  EXPECT_FALSE(host.combo.CComboBox::GetDroppedState());
  host.h.Then([&] { host.h.Click(DialogHarness::Centre(host.combo.m_hWnd)); });
  host.h.Pump();
  EXPECT_FALSE(host.combo.GetDroppedState());
  // Opened again, it closes when the focus goes elsewhere.
  host.h.Then([&] { host.h.Click(DialogHarness::Centre(host.combo.m_hWnd)); });
  host.h.Then([&] { host.h.Click(kOther, host.dlg.m_hWnd); });
  host.h.Pump();
  EXPECT_FALSE(host.combo.GetDroppedState());
  EXPECT_TRUE(host.Sent().empty());
}

TEST(PickCombo, ArrowKeysStepThroughTheVisibleNodesAndTellTheDialogButNotPastTheEnds) {
  ComboHost host(nullptr);
  host.combo.ReAttachStyleGroup(host.t.a);
  host.combo.SetFocus();
  host.h.Then([&] { host.h.Key(VK_DOWN); });
  host.h.Pump();
  // The host does not rebuild the tree: the caret moved on to B.
  std::vector<CKyFillStyleGroup*> want{host.t.b};
  EXPECT_EQ(host.Sent(), want);
  EXPECT_EQ(host.Current(), host.t.b);
  EXPECT_EQ(host.tree().GetSelectedItem(), host.tree().m_hCurItem);
  host.h.Then([&] {
    host.h.Key(VK_RIGHT);
    host.h.Key(VK_UP);
    host.h.Key(VK_LEFT);
    host.h.Key(VK_LEFT);
  });
  host.h.Pump();
  want = {host.t.b, host.t.c, host.t.b, host.t.a, host.t.root};
  EXPECT_EQ(host.Sent(), want);
  EXPECT_EQ(::GetFocus(), host.combo.m_hWnd);
  EXPECT_FALSE(host.combo.GetDroppedState());
  // Past the ends nothing is sent: up from the root, down from the last node.
  host.h.Then([&] { host.h.Key(VK_UP); });
  host.h.Pump();
  host.combo.ReAttachStyleGroup(host.t.c);
  host.h.Then([&] { host.h.Key(VK_DOWN); });
  host.h.Pump();
  EXPECT_EQ(host.Sent(), want);
  EXPECT_EQ(host.Current(), host.t.c);
}

TEST(PickCombo, AltDownOpensEscapeClosesEnterChooses) {
  ComboHost host(nullptr);
  host.combo.ReAttachStyleGroup(host.t.root);
  host.combo.SetFocus();
  host.h.Then([&] { host.h.Key(VK_DOWN, {VK_MENU}); });
  host.h.Pump();
  ASSERT_TRUE(host.combo.GetDroppedState());
  host.h.Then([&] { host.h.Key(VK_ESCAPE); });
  host.h.Pump();
  EXPECT_FALSE(host.combo.GetDroppedState());
  EXPECT_TRUE(host.Sent().empty());
  EXPECT_TRUE(::IsWindow(host.dlg.m_hWnd));  // Escape did not reach the dialog

  host.h.Then([&] { host.h.Key(VK_DOWN, {VK_MENU}); });
  host.h.Then([&] {
    // In the open tree the keys move the caret.
    host.h.Key(VK_DOWN);
    host.h.Key(VK_DOWN);
  });
  CKyFillStyleGroup* caret = nullptr;
  host.h.Then([&] {
    ASSERT_NE(host.tree().GetSelectedItem(), nullptr);
    caret = reinterpret_cast<CKyFillStyleGroup*>(host.tree().GetItemData(host.tree().GetSelectedItem()));
    host.h.Key(VK_RETURN);
  });
  host.h.Pump();
  EXPECT_FALSE(host.combo.GetDroppedState());
  EXPECT_NE(caret, host.t.root);
  std::vector<CKyFillStyleGroup*> want{caret};
  EXPECT_EQ(host.Sent(), want);
  // Enter sends the group but is not a mouse choice.
  EXPECT_EQ(host.combo.GetCurSelGroup(), nullptr);
  EXPECT_EQ(::GetFocus(), host.combo.m_hWnd);
}

TEST(PickCombo, AMouseChoiceIsRememberedAndSent) {
  ComboHost host(nullptr);
  host.combo.ReAttachStyleGroup(host.t.a2);
  host.h.Then([&] { host.h.Click(DialogHarness::Centre(host.combo.m_hWnd)); });
  HTREEITEM target = nullptr;
  host.h.Then([&] {
    // The node of B, the fifth visible one.
    target = host.tree().GetRootItem();
    for (int i = 0; i < 4; ++i) target = host.tree().GetNextVisibleItem(target);
    CRect r;
    ASSERT_TRUE(host.tree().GetItemRect(target, &r, TRUE));
    POINT p = DialogHarness::At(host.tree().m_hWnd, r.left + 2, (r.top + r.bottom) / 2);
    host.h.MoveTo(p);
  });
  host.h.Then([&] {
    // The highlight follows the mouse.
    EXPECT_EQ(host.tree().GetSelectedItem(), target);
    CRect r;
    host.tree().GetItemRect(target, &r, TRUE);
    host.h.Click(DialogHarness::At(host.tree().m_hWnd, r.left + 2, (r.top + r.bottom) / 2));
  });
  host.h.Pump();
  EXPECT_FALSE(host.combo.GetDroppedState());
  std::vector<CKyFillStyleGroup*> want{host.t.b};
  EXPECT_EQ(host.Sent(), want);
  EXPECT_EQ(host.combo.GetCurSelGroup(), host.t.b);
}

TEST(PickCombo, TheBoxNamesTheGroupBesideAFolder) {
  ComboHost host(nullptr);
  CRect r;
  host.combo.GetClientRect(&r);
  host.combo.ClientToScreen(&r);
  // Without a group only the background is drawn.
  std::vector<DWORD> empty = DialogHarness::Capture(CRect(r.left + 4, r.top + 2, r.left + 20, r.bottom - 2));
  std::set<DWORD> colours(empty.begin(), empty.end());
  EXPECT_EQ(colours.size(), 1u);
  host.combo.ReAttachStyleGroup(host.t.b);
  host.combo.Invalidate();
  host.h.Pump();
  std::vector<DWORD> icon = DialogHarness::Capture(CRect(r.left + 4, r.top + 2, r.left + 20, r.bottom - 2));
  colours = std::set<DWORD>(icon.begin(), icon.end());
  EXPECT_GT(colours.size(), 2u);
  // The name "B" after the icon, in the window text colour (or its inverse
  // when the box has the focus).
  std::vector<DWORD> name = DialogHarness::Capture(CRect(r.left + 22, r.top + 1, r.left + 34, r.bottom - 1));
  const DWORD text = GetSysColor(COLOR_WINDOWTEXT);
  const DWORD rgb = ((text & 0xFF) << 16) | (text & 0xFF00) | ((text >> 16) & 0xFF);
  int dark = 0;
  for (DWORD p : name) dark += p == rgb || p == (~rgb & 0xFFFFFF);
  EXPECT_GT(dark, 5);
}

}  // namespace
