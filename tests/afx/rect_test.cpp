#include <gtest/gtest.h>

#include <climits>

#include "afx.h"

namespace {

std::string Str(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

#define EXPECT_RECT(expected, actual, name) EXPECT_EQ(Str(expected), Str(actual)) << name

TEST(CRect, NormalizeRectSwapsInvertedSides) {
  struct { CRect in, out; } cases[] = {
      {{10, 20, 0, 5}, {0, 5, 10, 20}},
      {{0, 0, 5, 5}, {0, 0, 5, 5}},
      {{5, 0, 0, 5}, {0, 0, 5, 5}},
      {{0, 5, 5, 0}, {0, 0, 5, 5}},
      {{-3, -3, -3, -3}, {-3, -3, -3, -3}},
  };
  for (auto& c : cases) {
    CRect r = c.in;
    r.NormalizeRect();
    EXPECT_RECT(c.out, r, Str(c.in));
  }
}

TEST(CRect, SizeCentreAndCorners) {
  CRect r(10, 20, 31, 60);
  EXPECT_EQ(21, r.Width());
  EXPECT_EQ(40, r.Height());
  EXPECT_EQ(CSize(21, 40), r.Size());
  EXPECT_EQ(CPoint(20, 40), r.CenterPoint());  // (10 + 31) / 2 truncates
  EXPECT_EQ(CPoint(-2, -2), CRect(-5, -5, 0, 0).CenterPoint());
  r.TopLeft() = CPoint(0, 0);
  r.BottomRight().Offset(1, 1);
  EXPECT_RECT(CRect(0, 0, 32, 61), r, "corners are references");
  EXPECT_RECT(CRect(1, 2, 4, 6), CRect(CPoint(1, 2), CSize(3, 4)), "point and size");
  EXPECT_RECT(CRect(1, 2, 3, 4), CRect(CPoint(1, 2), CPoint(3, 4)), "two points");
}

struct BinCase {
  const char* name;
  RECT a, b;
  BOOL ok;
  RECT out;
};

TEST(CRect, IntersectRectKeepsTheCommonPartOrEmpties) {
  const BinCase cases[] = {
      {"overlap", {0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}},
      {"contained", {0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}},
      {"same", {1, 1, 2, 2}, {1, 1, 2, 2}, TRUE, {1, 1, 2, 2}},
      {"touching edges share nothing", {0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}},
      {"touching bottom", {0, 0, 10, 10}, {0, 10, 10, 20}, FALSE, {0, 0, 0, 0}},
      {"disjoint", {0, 0, 1, 1}, {5, 5, 6, 6}, FALSE, {0, 0, 0, 0}},
      {"empty input", {5, 5, 5, 10}, {0, 0, 10, 10}, FALSE, {0, 0, 0, 0}},
      {"inverted input", {10, 10, 0, 0}, {0, 0, 10, 10}, FALSE, {0, 0, 0, 0}},
      {"negative space", {-10, -10, -2, -2}, {-5, -20, 0, -4}, TRUE, {-5, -10, -2, -4}},
  };
  for (const BinCase& c : cases) {
    RECT d{7, 7, 7, 7};
    EXPECT_EQ(c.ok, ::IntersectRect(&d, &c.a, &c.b)) << c.name;
    EXPECT_RECT(c.out, d, c.name);
    CRect r;
    EXPECT_EQ(c.ok, r.IntersectRect(&c.a, &c.b)) << c.name;
    EXPECT_RECT(c.out, CRect(c.a) & c.b, c.name);
    CRect m(c.a);
    m &= c.b;
    EXPECT_RECT(c.out, m, c.name);
  }
  RECT d;
  EXPECT_FALSE(::IntersectRect(nullptr, &cases[0].a, &cases[0].b));
  EXPECT_FALSE(::IntersectRect(&d, nullptr, &cases[0].b));
}

TEST(CRect, UnionRectIgnoresEmptyRectangles) {
  const BinCase cases[] = {
      {"overlap", {0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {0, 0, 15, 15}},
      {"disjoint", {0, 0, 1, 1}, {5, 5, 6, 6}, TRUE, {0, 0, 6, 6}},
      {"first empty", {-100, -100, -100, 0}, {1, 2, 3, 4}, TRUE, {1, 2, 3, 4}},
      {"second empty", {1, 2, 3, 4}, {50, 50, 40, 60}, TRUE, {1, 2, 3, 4}},
      {"both empty", {0, 0, 0, 0}, {5, 5, 5, 9}, FALSE, {0, 0, 0, 0}},
  };
  for (const BinCase& c : cases) {
    RECT d{7, 7, 7, 7};
    EXPECT_EQ(c.ok, ::UnionRect(&d, &c.a, &c.b)) << c.name;
    EXPECT_RECT(c.out, d, c.name);
    EXPECT_RECT(c.out, CRect(c.a) | c.b, c.name);
    CRect m(c.a);
    m |= c.b;
    EXPECT_RECT(c.out, m, c.name);
  }
}

TEST(CRect, SubtractRectShrinksOnlyWhenASideIsCovered) {
  const BinCase cases[] = {
      {"left strip", {0, 0, 10, 10}, {-5, -5, 4, 15}, TRUE, {4, 0, 10, 10}},
      {"right strip", {0, 0, 10, 10}, {6, 0, 10, 10}, TRUE, {0, 0, 6, 10}},
      {"top strip", {0, 0, 10, 10}, {0, 0, 10, 3}, TRUE, {0, 3, 10, 10}},
      {"bottom strip", {0, 0, 10, 10}, {-1, 8, 11, 20}, TRUE, {0, 0, 10, 8}},
      {"hole in the middle", {0, 0, 10, 10}, {2, 2, 8, 8}, TRUE, {0, 0, 10, 10}},
      {"corner only", {0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {0, 0, 10, 10}},
      {"disjoint", {0, 0, 10, 10}, {20, 20, 30, 30}, TRUE, {0, 0, 10, 10}},
      {"covered whole", {0, 0, 10, 10}, {-1, -1, 11, 11}, FALSE, {0, 0, 0, 0}},
      {"empty source", {0, 0, 0, 10}, {0, 0, 1, 1}, FALSE, {0, 0, 0, 0}},
  };
  for (const BinCase& c : cases) {
    RECT d{7, 7, 7, 7};
    EXPECT_EQ(c.ok, ::SubtractRect(&d, &c.a, &c.b)) << c.name;
    EXPECT_RECT(c.out, d, c.name);
  }
}

TEST(CRect, InflateDeflateAndOffset) {
  CRect r(10, 20, 30, 40);
  r.InflateRect(1, 2);
  EXPECT_RECT(CRect(9, 18, 31, 42), r, "inflate x y");
  r.DeflateRect(1, 2);
  EXPECT_RECT(CRect(10, 20, 30, 40), r, "deflate x y");
  r.InflateRect(CSize(-5, -5));
  EXPECT_RECT(CRect(15, 25, 25, 35), r, "inflate by a negative size");
  r.DeflateRect(CSize(-5, -5));
  EXPECT_RECT(CRect(10, 20, 30, 40), r, "deflate by a negative size");
  r.InflateRect(1, 2, 3, 4);
  EXPECT_RECT(CRect(9, 18, 33, 44), r, "inflate per side");
  r.DeflateRect(1, 2, 3, 4);
  EXPECT_RECT(CRect(10, 20, 30, 40), r, "deflate per side");
  const RECT sides{1, 2, 3, 4};
  r.InflateRect(&sides);
  EXPECT_RECT(CRect(9, 18, 33, 44), r, "inflate by a rect");
  r.DeflateRect(&sides);
  EXPECT_RECT(CRect(10, 20, 30, 40), r, "deflate by a rect");
  r.DeflateRect(20, 0);
  EXPECT_RECT(CRect(30, 20, 10, 40), r, "deflating past the middle inverts, as on the platform");
  EXPECT_TRUE(r.IsRectEmpty());

  CRect o(0, 0, 2, 3);
  o.OffsetRect(5, -5);
  EXPECT_RECT(CRect(5, -5, 7, -2), o, "offset x y");
  o.OffsetRect(CPoint(-5, 5));
  EXPECT_RECT(CRect(0, 0, 2, 3), o, "offset by a point");
  o.OffsetRect(CSize(1, 1));
  EXPECT_RECT(CRect(1, 1, 3, 4), o, "offset by a size");
  o.MoveToXY(10, 20);
  EXPECT_RECT(CRect(10, 20, 12, 23), o, "move keeps the size");
  EXPECT_RECT(CRect(11, 22, 13, 25), o + CPoint(1, 2), "plus a point");
  EXPECT_RECT(CRect(9, 18, 11, 21), o - CPoint(1, 2), "minus a point");
  o += CPoint(-10, -20);
  EXPECT_RECT(CRect(0, 0, 2, 3), o, "+=");
  EXPECT_FALSE(::InflateRect(nullptr, 1, 1));
  EXPECT_FALSE(::OffsetRect(nullptr, 1, 1));
}

TEST(CRect, PtInRectIsHalfOpen) {
  const CRect r(0, 0, 10, 5);
  struct { POINT p; BOOL in; } cases[] = {
      {{0, 0}, TRUE},  {{9, 4}, TRUE},   {{5, 2}, TRUE},   {{10, 0}, FALSE}, {{0, 5}, FALSE},
      {{9, 5}, FALSE}, {{-1, 0}, FALSE}, {{0, -1}, FALSE}, {{10, 5}, FALSE},
  };
  for (auto& c : cases) {
    EXPECT_EQ(c.in, r.PtInRect(c.p)) << c.p.x << "," << c.p.y;
    EXPECT_EQ(c.in, ::PtInRect(&r, c.p)) << c.p.x << "," << c.p.y;
  }
  EXPECT_FALSE(CRect(5, 5, 5, 10).PtInRect(CPoint(5, 5))) << "an empty rect holds no point";
  EXPECT_FALSE(CRect(10, 10, 0, 0).PtInRect(CPoint(5, 5))) << "nor does an inverted one";
  EXPECT_FALSE(::PtInRect(nullptr, POINT{0, 0}));
}

TEST(CRect, EmptinessEqualityAndSetters) {
  struct { RECT r; BOOL empty; } cases[] = {
      {{0, 0, 0, 10}, TRUE}, {{0, 0, 10, 0}, TRUE}, {{5, 0, 0, 5}, TRUE},
      {{0, 5, 5, 0}, TRUE},  {{0, 0, 1, 1}, FALSE}, {{-2, -2, -1, -1}, FALSE},
  };
  for (auto& c : cases) EXPECT_EQ(c.empty, ::IsRectEmpty(&c.r)) << Str(c.r);
  EXPECT_TRUE(::IsRectEmpty(nullptr));

  CRect r;
  EXPECT_TRUE(r.IsRectNull());
  r.SetRect(1, 2, 3, 4);
  EXPECT_FALSE(r.IsRectNull());
  EXPECT_TRUE(r.EqualRect(CRect(1, 2, 3, 4)));
  EXPECT_TRUE(r == CRect(1, 2, 3, 4));
  EXPECT_TRUE(r != CRect(1, 2, 3, 5));
  CRect c;
  c.CopyRect(&r);
  EXPECT_RECT(r, c, "copy");
  c.SetRectEmpty();
  EXPECT_TRUE(c.IsRectNull());
  EXPECT_FALSE(::EqualRect(nullptr, &r));
  EXPECT_FALSE(::SetRect(nullptr, 0, 0, 1, 1));
  EXPECT_FALSE(::CopyRect(nullptr, &r));
  EXPECT_FALSE(::CopyRect(&c, nullptr));
}

TEST(MulDiv, RoundsHalfAwayFromZeroWithAWideIntermediate) {
  struct { int n, num, den, out; } cases[] = {
      {5, 3, 2, 8},       // 7.5
      {-5, 3, 2, -8},     // -7.5
      {5, -3, 2, -8},
      {5, 3, -2, -8},
      {-5, -3, -2, -8},
      {-5, -3, 2, 8},
      {1, 1, 2, 1},       // 0.5
      {-1, 1, 2, -1},
      {1, 1, 3, 0},
      {2, 1, 3, 1},
      {-2, 1, 3, -1},
      {7, 1, -2, -4},
      {0, 5, 7, 0},
      {254, 96, 254, 96},
      {100, 96, 72, 133},  // 133.33
      {65536, 65536, 65536, 65536},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {INT_MIN, 1, 1, INT_MIN},
      {INT_MAX, 2, 2, INT_MAX},
      {INT_MAX, 2, 1, -1},   // overflow
      {INT_MIN, -1, 1, -1},  // overflow
      {5, 3, 0, -1},         // division by zero
  };
  for (auto& c : cases) EXPECT_EQ(c.out, MulDiv(c.n, c.num, c.den)) << c.n << "*" << c.num << "/" << c.den;
}

}  // namespace
