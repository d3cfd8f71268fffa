#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KyFillStyleLib.h"
#include "lib_builder.h"
#include "library_files.h"

namespace {

using kytest::AddBitmap;
using kytest::AddVector;
using kytest::Items;
using kytest::Ids;
using kytest::TempDir;
using kytest::WriteFile;

class Lib : public CKyFillStyleLib {
 public:
  using CKyFillStyleLib::FindIDIndexIndex;
};

TEST(FillStyleLib, NewLibraryIsEmptyAndUnmodified) {
  CKyFillStyleLib lib;
  EXPECT_EQ(0, lib.GetCount());
  EXPECT_EQ(0, lib.GetMaxID());
  EXPECT_EQ(std::string("Root Group"), lib.GetStyleGroup()->GetName().str());
  EXPECT_EQ(CKyFillStyleGroup::TYPE_FILLSTYLE, lib.GetStyleGroup()->GetStyleType());
  EXPECT_FALSE(lib.IsModified());
  EXPECT_EQ(nullptr, lib.GetFillStyle(0));
  EXPECT_EQ(-1, lib.FindIndex(0));
  EXPECT_EQ(std::string(""), lib.GetFillStyleName(0).str());
}

TEST(FillStyleLib, FindIdIndexIndexIsTheBinarySearchOfTheIndex) {
  Lib lib;
  EXPECT_EQ(-1, lib.FindIDIndexIndex(0, 0));
  EXPECT_EQ(0, lib.FindIDIndexIndex(11, 0));
  EXPECT_EQ(-1, lib.FindIDIndexIndex(11, 1));
  for (long id : {8L, 10L, 12L}) AddBitmap(lib, id, "s");
  const struct {
    long id;
    int exact;
    long place;
  } cases[] = {{11, 0, 4}, {13, 0, 6}, {7, 0, 0}, {8, 0, 0}, {10, 0, 2}, {12, 0, 4}, {0, 0, -1}, {-5, 0, -1},
               {8, 1, 0},  {10, 1, 2}, {12, 1, 4}, {11, 1, -1}, {9, 1, -1}, {13, 1, -1}, {7, 1, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.place, lib.FindIDIndexIndex(c.id, c.exact)) << "id " << c.id << " exact " << c.exact;
  }
  EXPECT_EQ(-1, lib.FindID(0));
  EXPECT_EQ(12, lib.GetMaxID());
}

TEST(FillStyleLib, FindIdOverManyIdsMatchesALinearScan) {
  Lib lib;
  std::vector<long> ids;
  for (long id = 8; id < 8 + 3 * 333; id += 3) {
    AddBitmap(lib, id, "s");
    ids.push_back(id);
  }
  for (long probe = 0; probe < 8 + 3 * 334; ++probe) {
    long expected = -1;
    for (size_t k = 0; k < ids.size(); ++k) {
      if (ids[k] == probe) expected = static_cast<long>(k);
    }
    ASSERT_EQ(expected, lib.FindID(probe)) << probe;
  }
}

TEST(FillStyleLib, AddFillStyleFromAFileChecksEverything) {
  TempDir dir;
  CKyFillStyleLib lib;
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  const std::string good = dir.File("good.bmp");
  WriteFile(good, kytest::Mono(8, 8));
  std::vector<uint8_t> big(307201, 0);
  big[0] = 'B';
  big[1] = 'M';
  WriteFile(dir.File("big.bmp"), big);
  big.resize(307200);
  WriteFile(dir.File("edge.bmp"), big);
  WriteFile(dir.File("notbm.bmp"), {'X', 'M', 0, 0});
  WriteFile(dir.File("empty.bmp"), {});
  CKyFillStyleGroup foreign;
  foreign.SetStyleType(CKyFillStyleGroup::TYPE_FILLSTYLE);

  const auto r81 = CKyFillStyle::FS_81DPI;
  EXPECT_FALSE(lib.AddFillStyle(7, "a", root, 0, good.c_str(), r81));
  EXPECT_FALSE(lib.AddFillStyle(8, "a", root, 0, good.c_str(), static_cast<CKyFillStyle::FS_RESOLUTION>(100)));
  EXPECT_FALSE(lib.AddFillStyle(8, "a", nullptr, 0, good.c_str(), r81));
  EXPECT_FALSE(lib.AddFillStyle(8, "a", &foreign, 0, good.c_str(), r81));
  EXPECT_FALSE(lib.AddFillStyle(8, "a", root, 0, dir.File("missing.bmp").c_str(), r81));
  EXPECT_FALSE(lib.AddFillStyle(8, "a", root, 0, dir.File("big.bmp").c_str(), r81));
  EXPECT_FALSE(lib.AddFillStyle(8, "a", root, 0, dir.File("notbm.bmp").c_str(), r81));
  EXPECT_FALSE(lib.AddFillStyle(8, "a", root, 0, dir.File("empty.bmp").c_str(), r81));
  EXPECT_FALSE(lib.IsModified());
  EXPECT_TRUE(lib.AddFillStyle(8, "a", root, 0, dir.File("edge.bmp").c_str(), CKyFillStyle::FS_254DPI));
  EXPECT_FALSE(lib.AddFillStyle(8, "b", root, 0, good.c_str(), r81));
  CKyFillStyleGroup* sub = root->CreateSubGroup("sub");
  EXPECT_TRUE(lib.AddFillStyle(9, "b", sub, 0, good.c_str(), r81));
  EXPECT_TRUE(lib.IsModified());
  EXPECT_EQ((std::vector<long>{8, 9}), Ids(lib));
  EXPECT_EQ(std::vector<long>{9}, Items(sub));
  EXPECT_EQ(254, lib.GetFillStyle(0)->GetResolution());
  EXPECT_EQ(CSize(8, 8), lib.GetFillStyleSize(1));
}

TEST(FillStyleLib, AddFillStyleOfAReadyRecordRenumbersOnlyAClash) {
  CKyFillStyleLib lib;
  AddBitmap(lib, 99, "a");
  CKyFillStyle* clash = AddBitmap(lib, 99, "b");
  ASSERT_NE(nullptr, clash);
  EXPECT_EQ(100, clash->GetFillStyleID());
  CKyFillStyleLib empty;
  CKyFillStyle* low = AddBitmap(empty, 3, "c");
  ASSERT_NE(nullptr, low);
  EXPECT_EQ(3, low->GetFillStyleID());
  // A record that never had an id (-1) cannot be indexed, so it gets one.
  CKyFillStyle* none = AddBitmap(empty, -1, "d");
  ASSERT_NE(nullptr, none);
  EXPECT_EQ(8, none->GetFillStyleID());
  EXPECT_EQ(1, empty.FindID(8));
  // Adding a record the library already owns is refused.
  EXPECT_FALSE(empty.AddFillStyle(none, empty.GetStyleGroup()));
  EXPECT_EQ(2, empty.GetCount());
}

TEST(FillStyleLib, InsertAtAppendsOrReplaces) {
  CKyFillStyleLib lib;
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  for (long id : {8L, 9L, 10L}) AddBitmap(lib, id, "s");
  CByteArray pattern;
  auto* appended = new CKyFillStyle(30, "new", pattern, CKyFillStyle::FS_81DPI);
  EXPECT_EQ(30, lib.InsertAt(3, root, appended));
  EXPECT_EQ((std::vector<long>{8, 9, 10, 30}), Items(root));

  auto* replacement = new CKyFillStyle(40, "rep", pattern, CKyFillStyle::FS_81DPI);
  EXPECT_EQ(40, lib.InsertAt(1, root, replacement));
  EXPECT_EQ((std::vector<long>{8, 40, 10, 30}), Ids(lib));
  EXPECT_EQ((std::vector<long>{8, 40, 10, 30}), Items(root));
  EXPECT_EQ(1, lib.FindID(40));
  EXPECT_EQ(-1, lib.FindID(9));
  EXPECT_EQ(2, lib.FindID(10));

  // An id still in use is renumbered after the largest.
  auto* clash = new CKyFillStyle(10, "clash", pattern, CKyFillStyle::FS_81DPI);
  EXPECT_EQ(41, lib.InsertAt(0, root, clash));
  EXPECT_EQ((std::vector<long>{41, 40, 10, 30}), Ids(lib));

  CKyFillStyle refused(5, "low", pattern, CKyFillStyle::FS_81DPI);
  EXPECT_EQ(-1, lib.InsertAt(0, root, &refused));
  refused.SetFillStyleID(50);
  EXPECT_EQ(-1, lib.InsertAt(5, root, &refused));
  EXPECT_EQ(-1, lib.InsertAt(-1, root, &refused));
  EXPECT_EQ(-1, lib.InsertAt(0, nullptr, &refused));
  // Re-inserting a record where it already stands keeps it alive.
  EXPECT_EQ(40, lib.InsertAt(1, root, lib.GetFillStyle(1)));
  EXPECT_EQ(std::string("rep"), lib.GetFillStyleName(1).str());
}

TEST(FillStyleLib, SetIdRules) {
  CKyFillStyleLib lib;
  for (long id : {8L, 9L}) AddBitmap(lib, id, "s");
  lib.SetModifiedFlag(FALSE);
  EXPECT_FALSE(lib.SetID(0, 7));
  EXPECT_FALSE(lib.SetID(0, 9));
  EXPECT_FALSE(lib.SetID(2, 20));
  EXPECT_FALSE(lib.IsModified());
  EXPECT_TRUE(lib.SetID(0, 8));
  EXPECT_TRUE(lib.IsModified());
  EXPECT_TRUE(lib.SetID(0, 20));
  EXPECT_EQ(0, lib.FindID(20));
  EXPECT_EQ(-1, lib.FindID(8));
  EXPECT_EQ((std::vector<long>{8, 9}), Items(lib.GetStyleGroup()));  // the tree is not touched
  EXPECT_TRUE(lib.SetFillStyleID(1, 21));
  EXPECT_EQ((std::vector<long>{8, 21}), Items(lib.GetStyleGroup()));
}

TEST(FillStyleLib, RemovalsKeepTheIndexInStep) {
  CKyFillStyleLib lib;
  for (long id : {8L, 9L, 10L, 11L, 12L}) AddBitmap(lib, id, "s");
  EXPECT_TRUE(lib.RemoveAt(1, 2));
  EXPECT_EQ(1, lib.FindID(11));
  EXPECT_EQ(2, lib.FindID(12));
  EXPECT_EQ((std::vector<long>{8, 11, 12}), Items(lib.GetStyleGroup()));
  EXPECT_FALSE(lib.RemoveAt(3, 1));
  EXPECT_FALSE(lib.RemoveAt(0, 0));

  CKyFillStyleLib five;
  for (long id : {8L, 9L, 10L, 11L, 12L}) AddBitmap(five, id, "s");
  EXPECT_TRUE(five.RemoveAt(3, 10));
  EXPECT_EQ(3, five.GetCount());

  EXPECT_TRUE(lib.RemoveID(8));
  EXPECT_EQ(0, lib.FindID(11));
  EXPECT_EQ((std::vector<long>{8, 11, 12}), Items(lib.GetStyleGroup()));  // RemoveID keeps the tree
  EXPECT_TRUE(lib.Remove(11));
  EXPECT_EQ((std::vector<long>{8, 12}), Items(lib.GetStyleGroup()));
  EXPECT_FALSE(lib.Remove(11));
  EXPECT_EQ(0, lib.FindID(12));
}

TEST(FillStyleLib, SearchesForwardAndBackward) {
  CKyFillStyleLib lib;
  const char* names[] = {"alpha", "beta", "gamma", "delta", "Alpha2", "x", "y", "z", "ALPHA3", "w"};
  for (long i = 0; i < 10; ++i) AddBitmap(lib, 8 + i, names[i]);
  EXPECT_EQ(0, lib.Find("alp", -5));
  EXPECT_EQ(4, lib.Find("ALP", 1));
  EXPECT_EQ(-1, lib.Find("alp", 9));
  EXPECT_EQ(8, lib.ReverseFind("alp", 0));
  EXPECT_EQ(4, lib.ReverseFind("alp", 2));  // starts at position 7
  EXPECT_EQ(-1, lib.ReverseFind("w", 1));
  EXPECT_EQ(-1, lib.ReverseFind("alp", 10));
}

TEST(FillStyleLib, HandedOutRecordsAreBoundAnew) {
  CKyFillStyleLib lib;
  AddVector(lib, 8, "v", 10);
  CRgn* rgn = reinterpret_cast<CRgn*>(0x10);
  lib.SetPrintClipRgn(rgn);
  CKyFillStyle* s = lib.GetFillStyle(0);
  EXPECT_EQ(rgn, s->GetPrintRgn());
  EXPECT_EQ(lib.GetSymLib(), s->GetFillStyleVector()->GetSymLib());
  s->SetPrintRgn(nullptr);
  s->GetFillStyleVector()->AttachSymLib(nullptr);
  lib.GetFillStyle(0);
  EXPECT_EQ(rgn, s->GetPrintRgn());
  EXPECT_EQ(lib.GetSymLib(), s->GetFillStyleVector()->GetSymLib());
  EXPECT_EQ(CSize(100, 80), lib.GetFillStyleSize(0));
}

}  // namespace
