#include <gtest/gtest.h>

#include <string>

#include "KyROdi50.h"

namespace {

std::string Corners(const CPoint* p) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += "(" + std::to_string(p[i].x) + "," + std::to_string(p[i].y) + ")";
  return s;
}

// Corners in the order top left, top right, bottom right, bottom left of the
// unturned rectangle; a turn is counter-clockwise as seen on a y-down device.
TEST(CKyOperator, RotateRectGivesExactCorners) {
  struct Case {
    CRect rect;
    short angle;
    const char* corners;
  } cases[] = {
      {{0, 0, 100, 50}, 0, "(0,0)(100,0)(100,50)(0,50)"},
      {{0, 0, 100, 50}, 900, "(25,75)(25,-25)(75,-25)(75,75)"},
      {{0, 0, 100, 50}, 1800, "(100,50)(0,50)(0,0)(100,0)"},
      {{0, 0, 100, 50}, 2700, "(75,-25)(75,75)(25,75)(25,-25)"},
      {{0, 0, 100, 50}, -900, "(75,-25)(75,75)(25,75)(25,-25)"},
      {{0, 0, 100, 50}, 3600, "(0,0)(100,0)(100,50)(0,50)"},
      {{0, 0, 100, 50}, 450, "(-3,43)(68,-28)(103,7)(32,78)"},
      {{10, 20, 30, 40}, 1800, "(30,40)(10,40)(10,20)(30,20)"},
      {{-10, -10, 10, 10}, 900, "(-10,10)(-10,-10)(10,-10)(10,10)"},
      // Half-way corners round away from zero, also at a quarter turn.
      {{0, 0, 2, 1}, 900, "(1,2)(1,-1)(2,-1)(2,2)"},
      {{-2, -1, 0, 0}, 900, "(-2,1)(-2,-2)(-1,-2)(-1,1)"},
  };
  for (const Case& c : cases) {
    CPoint out[4];
    ASSERT_TRUE(CKyOperator::RotateRect(c.rect, 4, c.angle, out)) << c.angle;
    EXPECT_EQ(c.corners, Corners(out)) << "angle " << c.angle;
  }
}

TEST(CKyOperator, RotateRectWantsFourCorners) {
  CPoint out[4] = {CPoint(7, 7), CPoint(7, 7), CPoint(7, 7), CPoint(7, 7)};
  EXPECT_FALSE(CKyOperator::RotateRect(CRect(0, 0, 1, 1), 3, 0, out));
  EXPECT_FALSE(CKyOperator::RotateRect(CRect(0, 0, 1, 1), 5, 0, out));
  EXPECT_EQ("(7,7)(7,7)(7,7)(7,7)", Corners(out));
  EXPECT_FALSE(CKyOperator::RotateRect(CRect(0, 0, 1, 1), 4, 0, nullptr));
}

}  // namespace
