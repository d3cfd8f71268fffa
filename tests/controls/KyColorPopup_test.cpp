// The popup's geometry: where its entries lie and what a point hits.
#include "KyColorPopup.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorPopup, EntryGeometryAndHitTest) {
  CKyColorPopup popup(nullptr);
  EXPECT_EQ(popup.EntryRect(0), CRect(4, 4, 22, 22));
  EXPECT_EQ(popup.EntryRect(9), CRect(22, 22, 40, 40));
  EXPECT_EQ(popup.EntryRect(CKyColorPopup::kMoreEntry), CRect(4, 98, 148, 120));
  EXPECT_EQ(popup.EntryRect(-1), CRect(0, 0, 0, 0));
  EXPECT_EQ(popup.EntryRect(CKyColorPopup::kMoreEntry + 1), CRect(0, 0, 0, 0));
  EXPECT_EQ(popup.HitTest(POINT{5, 5}), 0);
  EXPECT_EQ(popup.HitTest(POINT{147, 93}), 39);
  EXPECT_EQ(popup.HitTest(POINT{70, 100}), CKyColorPopup::kMoreEntry);
  EXPECT_EQ(popup.HitTest(POINT{1, 1}), -1);
  EXPECT_EQ(popup.HitTest(POINT{70, 95}), -1);  // the margin above "More..."
  EXPECT_EQ(CKyColorPopup::Palette()[0], RGB(0, 0, 0));
  EXPECT_EQ(CKyColorPopup::Palette()[39], RGB(255, 255, 255));
}

}  // namespace
