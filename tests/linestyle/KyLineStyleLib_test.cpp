// The line style library: its own styles, lookups, and the DC it keeps.
#include "KyLineStyleLib.h"

#include <gtest/gtest.h>

#include "linestyle_canvas.h"

namespace {

// A library holding the built-in styles.
class LineStyleLib : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(lib.CreateDefault()); }
  CKyLineStyleLib lib;
};

TEST_F(LineStyleLib, OwnStylesHaveIdsFromSixInOrder) {
  CKyLineStyleLib empty;
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_EQ(empty.FindID(6), -1);
  ASSERT_EQ(lib.Count(), 6);
  const char* names[] = {"Double line", "Dash-dot with ticks", "Railway", "Fence with teeth", "Boundary", "Wall"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(lib.GetStyleObj(i).GetID(), 6 + i);
    EXPECT_STREQ(lib.GetStyleObj(i).GetName(), names[i]);
    EXPECT_EQ(lib.FindID(6 + i), i);
    EXPECT_EQ(lib.GetStyleObj(i).GetLib(), &lib);
  }
  for (long id : {-1L, 0L, 5L, 12L, 1000000L}) EXPECT_EQ(lib.FindID(id), -1) << id;
  // Creating again replaces, it does not add.
  lib.CreateDefault();
  EXPECT_EQ(lib.Count(), 6);
}

TEST_F(LineStyleLib, ChineseNamesFollowTheUiLanguage) {
  SetThreadUILanguage(2052);
  CKyLineStyleLib zh;
  zh.CreateDefault();
  SetThreadUILanguage(0);  // back to the language of the locale
  EXPECT_STREQ(zh.GetStyleObj(0).GetName(), "\xcb\xab\xcf\xdf");  // 双线
  EXPECT_STREQ(zh.GetStyleObj(2).GetName(), "\xcc\xfa\xc2\xb7");  // 铁路
}

TEST_F(LineStyleLib, AddKeepsIdOrderAndRefusesBadIds) {
  EXPECT_EQ(lib.Add(CKyLineStyleObj(20, "twenty", {})), 6);
  EXPECT_EQ(lib.Add(CKyLineStyleObj(15, "fifteen", {})), 6);
  EXPECT_EQ(lib.FindID(20), 7);
  EXPECT_EQ(lib.Add(CKyLineStyleObj(15, "again", {})), -1);
  EXPECT_EQ(lib.Add(CKyLineStyleObj(5, "pen id", {})), -1);
  EXPECT_EQ(lib.Add(CKyLineStyleObj(-3, "negative", {})), -1);
  EXPECT_EQ(lib.Count(), 8);
  EXPECT_EQ(lib.GetStyleObj(6).GetLib(), &lib);
}

TEST_F(LineStyleLib, OutOfRangeIndexGivesAnEmptyStyle) {
  for (int index : {-1, 6, 1 << 30}) {
    CKyLineStyleObj& s = lib.GetStyleObj(index);
    EXPECT_EQ(s.GetID(), -1) << index;
    EXPECT_TRUE(s.GetLayers().empty()) << index;
    POINT pts[2] = {{0, 0}, {10, 0}};
    EXPECT_FALSE(s.Polyline(pts, 2)) << index;  // belongs to no library
  }
}

TEST_F(LineStyleLib, KeepAndStoreRestoreTheDc) {
  LineCanvas canvas(20, 20);
  CDC* dc = canvas.DC();
  EXPECT_FALSE(lib.KeepLineStyleDC(nullptr));
  EXPECT_FALSE(lib.StoreLineStyleDC(dc));  // nothing kept
  const int mode = dc->GetMapMode();
  HGDIOBJ pen = dc->GetCurrentPen()->GetSafeHandle();
  ASSERT_TRUE(lib.KeepLineStyleDC(dc));
  EXPECT_EQ(lib.GetKeptDC(), dc);
  EXPECT_FALSE(lib.KeepLineStyleDC(dc));  // one at a time
  dc->SetMapMode(MM_LOMETRIC);
  dc->SelectStockObject(WHITE_PEN);
  LineCanvas other(4, 4);
  EXPECT_FALSE(lib.StoreLineStyleDC(other.DC()));
  ASSERT_TRUE(lib.StoreLineStyleDC(dc));
  EXPECT_EQ(lib.GetKeptDC(), nullptr);
  EXPECT_EQ(dc->GetMapMode(), mode);
  EXPECT_EQ(dc->GetCurrentPen()->GetSafeHandle(), pen);
}

TEST_F(LineStyleLib, StyleCopiesDrawOnTheKeptDc) {
  LineCanvas canvas(60, 40);
  CKyLineStyleObj copy(lib.GetStyleObj(lib.FindID(6)));
  copy.SetLineStyle(2, RGB(255, 0, 0));
  POINT pts[2] = {{10, 20}, {50, 20}};
  EXPECT_FALSE(copy.Polyline(pts, 2));  // no DC kept yet
  EXPECT_EQ(canvas.Count(kRed), 0);
  ASSERT_TRUE(lib.KeepLineStyleDC(canvas.DC()));
  EXPECT_TRUE(copy.Polyline(pts, 2));
  lib.StoreLineStyleDC(canvas.DC());
  EXPECT_GT(canvas.Count(kRed), 0);
  // The library's own object is untouched by the copy's settings.
  EXPECT_EQ(lib.GetStyleObj(0).GetWidth(), 1);
  EXPECT_EQ(copy.GetWidth(), 2);
  EXPECT_EQ(copy.GetColor(), RGB(255, 0, 0));
}

}  // namespace
