#include <gtest/gtest.h>

#include <vector>

#include "KyFillStyleLib.h"
#include "lib_builder.h"

namespace {

using kytest::AddBitmap;
using kytest::Items;

class Group : public CKyFillStyleGroup {
 public:
  using CKyFillStyleGroup::AppendSubGroup;
  using CKyFillStyleGroup::GetGroup;
  using CKyFillStyleGroup::IsCurrentGroupItemExisted;
};

// A library and its root group.
class FillStyleGroup : public ::testing::Test {
 protected:
  CKyFillStyleLib lib;
  CKyFillStyleGroup* root = lib.GetStyleGroup();
};

std::vector<uint8_t> Stored(const CKyFillStyleGroup& g) {
  CKyByteArrayEx s;
  g.Store(s);
  return kytest::FromArray(s);
}

TEST_F(FillStyleGroup, SubGroupNamesAreUniqueCaseSensitiveAndNotEmpty) {
  CKyFillStyleGroup* a = root->CreateSubGroup("A");
  ASSERT_NE(nullptr, a);
  EXPECT_EQ(nullptr, root->CreateSubGroup("A"));
  EXPECT_EQ(nullptr, root->SubGroup(CString("a")));
  EXPECT_EQ(a, root->SubGroup(CString("A")));
  EXPECT_EQ(a, root->SubGroup(0L));
  EXPECT_EQ(nullptr, root->SubGroup(1L));
  EXPECT_EQ(nullptr, root->SubGroup(-1L));
  EXPECT_EQ(root, a->GetParentGroup());
  EXPECT_EQ(CKyFillStyleGroup::TYPE_FILLSTYLE, a->GetStyleType());
  EXPECT_EQ(&lib, a->GetLib());
  // SetName refuses empty and sibling names, its own included.
  root->CreateSubGroup("B");
  EXPECT_FALSE(a->SetName("A"));
  EXPECT_FALSE(a->SetName("B"));
  EXPECT_FALSE(a->SetName(""));
  EXPECT_TRUE(a->SetName("C"));
  EXPECT_FALSE(root->SetName(""));
  EXPECT_TRUE(root->SetName("A"));
}

TEST_F(FillStyleGroup, AddStyleItemChecksTypeTreeAndLibrary) {
  CKyFillStyleGroup* sub = root->CreateSubGroup("S");
  AddBitmap(lib, 12, "twelve", sub);
  AddBitmap(lib, 13, "thirteen", sub);
  sub->RemoveID(13);
  EXPECT_FALSE(root->AddStyleItem(12));  // already in the tree
  EXPECT_FALSE(root->AddStyleItem(40));  // not in the library
  EXPECT_TRUE(root->AddStyleItem(13));
  EXPECT_EQ(std::vector<long>{13}, Items(root));
  root->SetStyleType(CKyFillStyleGroup::TYPE_2);
  EXPECT_TRUE(root->AddStyleItem(40));
  EXPECT_EQ(1, root->GetItemCount());
  root->SetStyleType(CKyFillStyleGroup::TYPE_NONE);
  EXPECT_FALSE(root->AddStyleItem(13));
  CKyFillStyleGroup loose;
  loose.SetStyleType(CKyFillStyleGroup::TYPE_FILLSTYLE);
  EXPECT_FALSE(loose.AddStyleItem(12));  // no library
}

TEST_F(FillStyleGroup, RemoveStyleItemMovesUpOrDeletes) {
  AddBitmap(lib, 8, "r");
  CKyFillStyleGroup* sub = root->CreateSubGroup("S");
  AddBitmap(lib, 20, "a", sub);
  AddBitmap(lib, 21, "b", sub);
  EXPECT_FALSE(root->RemoveStyleItem(0, FALSE));  // the root has no parent
  EXPECT_TRUE(sub->RemoveStyleItem(0, FALSE));
  EXPECT_EQ((std::vector<long>{8, 20}), Items(root));
  EXPECT_EQ(std::vector<long>{21}, Items(sub));
  EXPECT_TRUE(sub->RemoveStyleItem(0, TRUE));
  EXPECT_EQ(-1, lib.FindID(21));
  EXPECT_EQ(0, sub->GetItemCount());
  EXPECT_FALSE(sub->RemoveStyleItem(0, TRUE));
}

TEST_F(FillStyleGroup, DissolvingRenamesClashingGrandchildren) {
  AddBitmap(lib, 8, "x");
  root->CreateSubGroup("Red");
  CKyFillStyleGroup* lines = root->CreateSubGroup("Lines");
  AddBitmap(lib, 20, "a", lines);
  AddBitmap(lib, 21, "b", lines);
  CKyFillStyleGroup* red = lines->CreateSubGroup("Red");
  AddBitmap(lib, 30, "c", red);
  CKyFillStyleGroup* lines2 = lines->CreateSubGroup("Lines");

  EXPECT_TRUE(root->RemoveSubGroup(1, FALSE));
  EXPECT_EQ((std::vector<long>{8, 20, 21}), Items(root));
  ASSERT_EQ(3, root->GetSubGroupCount());
  EXPECT_EQ(std::string("Red"), root->SubGroup(0L)->GetName().str());
  EXPECT_EQ(std::string("Red-Lines"), root->SubGroup(1L)->GetName().str());
  EXPECT_EQ(red, root->SubGroup(1L));
  EXPECT_EQ(root, red->GetParentGroup());
  // A grandchild named like the dissolved group keeps its name.
  EXPECT_EQ(lines2, root->SubGroup(2L));
  EXPECT_EQ(std::string("Lines"), lines2->GetName().str());
  EXPECT_EQ(std::vector<long>{30}, Items(red));
  EXPECT_FALSE(root->RemoveSubGroup(3, FALSE));
}

TEST_F(FillStyleGroup, DeletingASubGroupDeletesItsRecordsRemoveAllKeepsItsPlace) {
  AddBitmap(lib, 8, "x");
  CKyFillStyleGroup* g = root->CreateSubGroup("G");
  AddBitmap(lib, 9, "a", g);
  CKyFillStyleGroup* h = g->CreateSubGroup("H");
  AddBitmap(lib, 10, "b", h);
  EXPECT_TRUE(root->RemoveSubGroup(0, TRUE));
  EXPECT_EQ(0, root->GetSubGroupCount());
  EXPECT_EQ(1, lib.GetCount());
  EXPECT_EQ(0, lib.FindID(8));
  EXPECT_EQ(-1, lib.FindID(9));
  EXPECT_EQ(-1, lib.FindID(10));
  // RemoveAll keeps the type, the parent and the library.
  CKyFillStyleGroup* s = root->CreateSubGroup("s");
  s->CreateSubGroup("t");
  EXPECT_TRUE(s->RemoveAll());
  EXPECT_EQ(0, s->GetSubGroupCount());
  EXPECT_EQ(std::string(""), s->GetName().str());
  EXPECT_EQ(root, s->GetParentGroup());
  EXPECT_EQ(CKyFillStyleGroup::TYPE_FILLSTYLE, s->GetStyleType());
  EXPECT_EQ(&lib, s->GetLib());
}

TEST(FillStyleGroupTree, SetIdAndRemoveIdTouchTheFirstOccurrenceInPreOrder) {
  Group root;
  root.SetStyleType(CKyFillStyleGroup::TYPE_FILLSTYLE);
  CKyFillStyleGroup* a = root.CreateSubGroup("a");
  CKyFillStyleGroup* b = root.CreateSubGroup("b");
  a->m_arrItems.Add(9);
  b->m_arrItems.Add(9);
  EXPECT_FALSE(root.SetID(9, 7));
  EXPECT_TRUE(root.SetID(9, 15));
  EXPECT_EQ(std::vector<long>{15}, Items(a));
  EXPECT_EQ(std::vector<long>{9}, Items(b));
  EXPECT_FALSE(root.SetID(99, 15));
  EXPECT_TRUE(root.RemoveID(9));
  EXPECT_EQ(0, b->GetItemCount());
  EXPECT_FALSE(root.RemoveID(9));
  EXPECT_TRUE(b->IsItemExisted(15));  // climbs to the root
  EXPECT_TRUE(root.IsCurrentGroupItemExisted(15));
  EXPECT_EQ(a, b->GetGroupWithItemID(15));
}

TEST_F(FillStyleGroup, TextSearchWrapsFromTheStart) {
  AddBitmap(lib, 8, "xAB");
  AddBitmap(lib, 9, "y");
  AddBitmap(lib, 10, "zab");
  EXPECT_EQ(2, root->GetItemIndex(CString("ab"), 2));
  EXPECT_EQ(0, root->GetItemIndex(CString("ab"), 3));
  EXPECT_EQ(1, root->GetItemIndex(CString(""), 1));
  EXPECT_EQ(-1, root->GetItemIndex(CString("q"), 0));
  EXPECT_EQ(root, root->GetGroupWithItemName("ZA"));
  EXPECT_EQ(std::string("zab"), root->GetItemName(2).str());
  EXPECT_EQ(std::string(""), root->GetItemName(3).str());
  EXPECT_TRUE(root->SetItemName(1, "renamed"));
  EXPECT_EQ(std::string("renamed"), lib.GetFillStyleName(1).str());
  EXPECT_FALSE(root->SetItemName(5, "x"));
}

TEST_F(FillStyleGroup, SetItemIdAsksTheLibrary) {
  AddBitmap(lib, 8, "a");
  AddBitmap(lib, 9, "b");
  EXPECT_TRUE(root->SetItemID(0, 8));
  EXPECT_FALSE(root->SetItemID(0, 9));  // the library refuses a used id
  EXPECT_FALSE(root->SetItemID(0, 5));
  EXPECT_TRUE(root->SetItemID(0, 30));
  EXPECT_EQ((std::vector<long>{30, 9}), Items(root));
  EXPECT_EQ(0, lib.FindID(30));
  EXPECT_FALSE(root->SetItemID(2, 31));
}

TEST(FillStyleGroupTree, SortItemSortsEveryGroupButNotTheirOrder) {
  Group root;
  root.m_arrItems.Add(30);
  root.m_arrItems.Add(-2);
  root.m_arrItems.Add(9);
  CKyFillStyleGroup* z = root.CreateSubGroup("z");
  CKyFillStyleGroup* a = root.CreateSubGroup("a");
  a->m_arrItems.Add(5);
  a->m_arrItems.Add(1);
  root.SortItem();
  EXPECT_EQ((std::vector<long>{-2, 9, 30}), Items(&root));
  EXPECT_EQ((std::vector<long>{1, 5}), Items(a));
  EXPECT_EQ(z, root.SubGroup(0L));
}

TEST(FillStyleGroupTree, StoreWritesTheExactBlockAndLoadRoundTrips) {
  Group g;
  g.SetName("r");
  g.SetStyleType(CKyFillStyleGroup::TYPE_FILLSTYLE);
  g.CreateSubGroup("s");
  g.m_arrItems.Add(8);
  g.m_arrItems.Add(9);
  const std::vector<uint8_t> expected = {1, 0, 0, 0, 'r', 3, 0, 0, 0, 1, 0, 0, 0,   // name, type, 1 sub-group
                                         1, 0, 0, 0, 's', 3, 0, 0, 0, 0, 0, 0, 0,   // sub-group block
                                         0, 0, 0, 0,                                //   ... no items
                                         2, 0, 0, 0, 8, 0, 0, 0, 9, 0, 0, 0};       // items 8 and 9
  const std::vector<uint8_t> bytes = Stored(g);
  EXPECT_EQ(42u, bytes.size());
  EXPECT_EQ(expected, bytes);

  CKyByteArrayEx stream;
  kytest::ToArray(bytes, stream);
  CKyFillStyleGroup back;
  int position = 0;
  EXPECT_TRUE(back.Load(stream, position));
  EXPECT_EQ(42, position);
  EXPECT_EQ(bytes, Stored(back));
  EXPECT_EQ(&back, back.SubGroup(0L)->GetParentGroup());
}

TEST(FillStyleGroupTree, LoadStopsCleanlyOnEveryTruncationAndAbsurdCount) {
  Group g;
  g.SetName("root");
  CKyFillStyleGroup* a = g.CreateSubGroup("a");
  a->CreateSubGroup("b")->m_arrItems.Add(11);
  g.m_arrItems.Add(8);
  const std::vector<uint8_t> bytes = Stored(g);
  for (size_t n = 0; n < bytes.size(); ++n) {
    CKyByteArrayEx stream;
    kytest::ToArray(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)), stream);
    CKyFillStyleGroup back;
    int position = 0;
    EXPECT_FALSE(back.Load(stream, position)) << "cut at " << n;
    EXPECT_EQ(static_cast<int>(n), position);
  }
  // A sub-group count of two billion in 20 bytes makes no groups.
  CKyByteArrayEx stream;
  kytest::ToArray({0, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}, stream);
  CKyFillStyleGroup back;
  int position = 0;
  EXPECT_FALSE(back.Load(stream, position));
  EXPECT_EQ(0, back.GetSubGroupCount());
  // Nesting deeper than the limit is refused instead of exhausting the stack.
  std::vector<uint8_t> deep;
  for (int i = 0; i < CKyFillStyleGroup::kMaxDepth + 5; ++i) deep.insert(deep.end(), {0, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0});
  deep.resize(deep.size() + 16 * (CKyFillStyleGroup::kMaxDepth + 6), 0);
  kytest::ToArray(deep, stream);
  CKyFillStyleGroup tooDeep;
  position = 0;
  EXPECT_FALSE(tooDeep.Load(stream, position));
}

TEST_F(FillStyleGroup, AppendMergesByNameOrAsASubGroup) {
  root->SetName("Root");
  AddBitmap(lib, 8, "a");
  AddBitmap(lib, 9, "b");
  root->CreateSubGroup("Shared");

  Group other;
  other.SetName("Root");
  other.m_arrItems.Add(8);   // already in the tree: not added twice
  other.m_arrItems.Add(9);   // idem
  other.m_arrItems.Add(77);  // not in the library: not added
  CKyFillStyleGroup* shared = other.CreateSubGroup("Shared");
  shared->m_arrItems.Add(50);
  other.CreateSubGroup("New")->m_arrItems.Add(51);
  EXPECT_TRUE(root->Append(&other));
  EXPECT_EQ((std::vector<long>{8, 9}), Items(root));
  ASSERT_EQ(2, root->GetSubGroupCount());
  EXPECT_EQ(std::vector<long>{50}, Items(root->SubGroup(CString("Shared"))));  // unchecked
  EXPECT_EQ(std::vector<long>{51}, Items(root->SubGroup(CString("New"))));
  EXPECT_EQ(2, other.GetSubGroupCount());  // the other tree is not changed

  Group foreign;
  foreign.SetName("Elsewhere");
  foreign.m_arrItems.Add(60);
  EXPECT_TRUE(root->Append(&foreign));
  ASSERT_EQ(3, root->GetSubGroupCount());
  EXPECT_EQ(std::vector<long>{60}, Items(root->SubGroup(CString("Elsewhere"))));
  EXPECT_FALSE(root->Append(nullptr));

  CKyFillStyleGroup unnamed;
  Group named;
  named.SetName("N");
  unnamed.Append(&named);
  EXPECT_EQ(std::string("N"), unnamed.GetName().str());
}

}  // namespace

// The sub-group lookups by index and by name agree with the list after every
// kind of change, including changes made after a lookup filled the tables.
namespace {

std::string Names(CKyFillStyleGroup* g) {
  std::string out;
  for (long i = 0; i < g->GetSubGroupCount(); ++i) {
    CKyFillStyleGroup* s = g->SubGroup(i);
    out += (i ? "," : "") + s->GetName().str();
    // Every group is found by its name, unless an earlier sibling shares it.
    if (g->SubGroup(s->GetName()) != s && g->SubGroup(s->GetName())->GetName() != s->GetName()) out += "!";
  }
  return out;
}

TEST(FillStyleGroupLookup, FollowsEveryChange) {
  static const struct {
    const char* name;
    void (*change)(CKyFillStyleGroup* root);
    const char* expected;
  } cases[] = {
      {"create", [](CKyFillStyleGroup* r) { r->CreateSubGroup("D"); }, "A,B,C,D"},
      {"rename", [](CKyFillStyleGroup* r) { r->SubGroup(1L)->SetName("Z"); }, "A,Z,C"},
      {"delete", [](CKyFillStyleGroup* r) { r->RemoveSubGroup(0, TRUE); }, "B,C"},
      {"dissolve", [](CKyFillStyleGroup* r) { r->RemoveSubGroup(2, FALSE); }, "A,B,C1,C2"},
      {"remove all", [](CKyFillStyleGroup* r) { r->RemoveAll(); }, ""},
  };
  for (const auto& c : cases) {
    CKyFillStyleLib lib;
    CKyFillStyleGroup* root = lib.GetStyleGroup();
    root->CreateSubGroup("A");
    root->CreateSubGroup("B");
    CKyFillStyleGroup* three = root->CreateSubGroup("C");
    three->CreateSubGroup("C1");
    three->CreateSubGroup("C2");
    ASSERT_EQ("A,B,C", Names(root)) << c.name;  // fills the tables
    c.change(root);
    EXPECT_EQ(c.expected, Names(root)) << c.name;
    EXPECT_EQ(nullptr, root->SubGroup(CString("nothing"))) << c.name;
    EXPECT_EQ(nullptr, root->SubGroup(static_cast<long>(root->GetSubGroupCount()))) << c.name;
  }
}

TEST(FillStyleGroupLookup, ReadTreesAndRenamedSiblingsAreFound) {
  CKyFillStyleLib lib;
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  root->CreateSubGroup("old");
  ASSERT_NE(nullptr, root->SubGroup(CString("old")));
  root->SubGroup(0L)->SetName("new");
  EXPECT_EQ(nullptr, root->SubGroup(CString("old")));
  EXPECT_EQ(root->SubGroup(0L), root->SubGroup(CString("new")));
  // A tree read from bytes: 3 siblings, two with one name; the first wins.
  CKyFillStyleLib other;
  CKyFillStyleGroup* src = other.GetStyleGroup();
  src->SetName("root");
  src->CreateSubGroup("x");
  src->CreateSubGroup("y");
  src->CreateSubGroup("z");
  CKyByteArrayEx bytes;
  src->Store(bytes);
  Group read;
  EXPECT_EQ(nullptr, read.SubGroup(CString("none")));
  int position = 0;
  ASSERT_TRUE(read.Load(bytes, position));
  EXPECT_EQ("x,y,z", Names(&read));
  read.SubGroup(2L)->m_strName = "x";  // as a file may hold it
  read.SubGroup(1L)->SetName("w");     // any change drops the tables
  EXPECT_EQ(read.SubGroup(0L), read.SubGroup(CString("x")));
  EXPECT_EQ("x,w,x", Names(&read));
}

// Walking 20,000 siblings by index once touches each once; before the tables
// this walk went through the list from its head for every index.
TEST(FillStyleGroupLookup, ManySiblingsByIndexAndName) {
  CKyFillStyleLib lib;
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  for (long i = 0; i < 20000; ++i) {
    CString name;
    name.Format("g%ld", i);
    ASSERT_NE(nullptr, root->CreateSubGroup(name)) << i;
  }
  for (long i = 0; i < 20000; i += 997) {
    CString name;
    name.Format("g%ld", i);
    EXPECT_EQ(root->SubGroup(i), root->SubGroup(name)) << i;
    EXPECT_EQ(name, root->SubGroup(i)->GetName()) << i;
  }
}

}  // namespace
