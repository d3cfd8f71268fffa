// Drawing with coordinates far outside the bitmap: the pixels that land on
// it are those of the same figure drawn short, dash styles keep their phase,
// and every call returns at once. The far figures here run over billions of
// pixels, so a rasteriser that walked their whole length or area would keep
// this suite running for minutes.
#include <climits>
#include <cstdint>
#include <functional>

#include "gdi_fixture.h"

namespace {

const COLORREF kInk = RGB(255, 0, 0);
const COLORREF kBack = RGB(0, 160, 0);
const COLORREF kFill = RGB(0, 0, 255);

std::vector<COLORREF> Pixels(const TestCanvas& c, int w, int h) {
  std::vector<COLORREF> out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.push_back(c.At(x, y));
  return out;
}

// The line through p in direction d from p - from * d to p + to * d.
void Line(HDC dc, POINT p, POINT d, int64_t from, int64_t to) {
  MoveToEx(dc, int(p.x - from * d.x), int(p.y - from * d.y), nullptr);
  LineTo(dc, int(p.x + to * d.x), int(p.y + to * d.y));
}

// The most steps of d from p that stay inside the int range, less a margin.
int64_t FarSteps(POINT p, POINT d) {
  int64_t m = std::max(std::abs(d.x), std::abs(d.y));
  return (int64_t(INT_MAX) - 64 - std::max(std::abs(p.x), std::abs(p.y))) / m;
}

const int kW = 40, kH = 30;
const POINT kThrough{17, 13};
// Directions in every octant, steep and shallow, axis-parallel and diagonal.
const POINT kDirections[] = {{7, 3}, {3, 7}, {-7, 3}, {-3, -7}, {1, 0},   {0, 1},
                             {1, 1}, {-1, 1}, {-5, 2}, {2, -5},  {1000, 1}};

struct PenCase {
  const char* name;
  int style;
  int width;
  bool clip = false;  // through a clip of a rectangle with a hole
};

TEST(FarLine, PixelsEqualThoseOfTheShortLine) {
  const PenCase pens[] = {
      {"solid", PS_SOLID, 1}, {"wide 2", PS_SOLID, 2}, {"wide 3", PS_SOLID, 3}, {"wide 5", PS_SOLID, 5},
      {"wide 8", PS_SOLID, 8}, {"square caps 6", PS_SOLID | PS_ENDCAP_FLAT, 6},
      {"clipped", PS_SOLID, 1, true},
  };
  for (int bpp : kAllBpp)
    for (const PenCase& pen : pens)
      for (POINT d : kDirections) {
        TestCanvas far(kW, kH, bpp), near(kW, kH, bpp);
        HPEN h = CreatePen(pen.style, pen.width, kInk);
        HGDIOBJ old_far = SelectObject(far.dc(), h), old_near = SelectObject(near.dc(), h);
        if (pen.clip)
          for (HDC dc : {far.dc(), near.dc()}) {
            IntersectClipRect(dc, 5, 4, 31, 22);
            ExcludeClipRect(dc, 15, 10, 20, 15);
          }
        int64_t k = FarSteps(kThrough, d);
        if (pen.width > 1) k /= 2;  // room for the pen's half width
        Line(far.dc(), kThrough, d, k, k);
        // 60 steps each way reach past the bitmap and past any cap.
        Line(near.dc(), kThrough, d, 60, 60);
        EXPECT_EQ(Pixels(far, kW, kH), Pixels(near, kW, kH))
            << pen.name << " bpp " << bpp << " direction " << d.x << "," << d.y;
        SelectObject(far.dc(), old_far);
        SelectObject(near.dc(), old_near);
        DeleteObject(h);
      }
}

// Every dash style's pattern repeats after 24 pixels (dots after 6).
const int kPeriod = 24;

TEST(FarLine, DashesKeepThePhaseOfTheWholeLine) {
  const PenCase pens[] = {{"dash", PS_DASH, 1}, {"dot", PS_DOT, 1}, {"dash dot", PS_DASHDOT, 1},
                          {"dash dot dot", PS_DASHDOTDOT, 1}};
  for (int mode : {OPAQUE, TRANSPARENT})
    for (const PenCase& pen : pens)
      for (POINT d : kDirections) {
        TestCanvas far(kW, kH, 32), near(kW, kH, 32);
        HPEN h = CreatePen(pen.style, 1, kInk);
        for (HDC dc : {far.dc(), near.dc()}) {
          SelectObject(dc, h);
          SetBkMode(dc, mode);
          SetBkColor(dc, kBack);
        }
        // Both start a whole number of periods of steps before the point, so
        // the dashes must meet the bitmap in the same phase; the short line
        // starts off the bitmap too.
        int64_t k = FarSteps(kThrough, d) / kPeriod * kPeriod;
        Line(far.dc(), kThrough, d, k, k);
        Line(near.dc(), kThrough, d, 3 * kPeriod, 60);
        EXPECT_EQ(Pixels(far, kW, kH), Pixels(near, kW, kH))
            << pen.name << (mode == OPAQUE ? " opaque " : " transparent ") << d.x << "," << d.y;
        for (HDC dc : {far.dc(), near.dc()}) SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(h);
      }
}

TEST(FarLine, DashesGoOnAcrossACornerOffTheBitmap) {
  // Two segments above the bitmap, the first two billion pixels long, then
  // one across it: the phase where the third starts depends on the length
  // of both, which the short version matches modulo the period.
  const int64_t first = int64_t(-50) - (INT_MIN + 10);
  const int64_t short_first = first % kPeriod + kPeriod;
  const POINT far_pts[] = {{INT_MIN + 10, -1000}, {-50, -1000}, {-50, 10}, {100, 10}};
  const POINT near_pts[] = {{LONG(-50 - short_first), -1000}, {-50, -1000}, {-50, 10}, {100, 10}};
  for (int style : {PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT}) {
    TestCanvas far(kW, kH, 32), near(kW, kH, 32);
    HPEN h = CreatePen(style, 1, kInk);
    SelectObject(far.dc(), h);
    SelectObject(near.dc(), h);
    Polyline(far.dc(), far_pts, 4);
    Polyline(near.dc(), near_pts, 4);
    std::vector<COLORREF> got = Pixels(far, kW, kH);
    EXPECT_EQ(got, Pixels(near, kW, kH)) << style;
    EXPECT_NE(std::count(got.begin(), got.end(), kInk), 0) << style;
    SelectObject(far.dc(), GetStockObject(BLACK_PEN));
    SelectObject(near.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(h);
  }
}

TEST(FarLine, TransformsThatOverflowSaturate) {
  TestCanvas c(kW, kH, 32);
  HDC dc = c.dc();
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 1, 1, nullptr);
  SetViewportExtEx(dc, 1 << 20, 1, nullptr);
  POINT p[] = {{-5000, 7}, {5000, 7}, {3, 7}};
  LPtoDP(dc, p, 3);
  EXPECT_EQ(p[0].x, INT_MIN);
  EXPECT_EQ(p[1].x, INT_MAX);
  EXPECT_EQ(p[2].x, 3 << 20);
  // The line held at the ends of the range still crosses the whole bitmap.
  HPEN h = CreatePen(PS_SOLID, 1, kInk);
  SelectObject(dc, h);
  MoveToEx(dc, -5000, 7, nullptr);
  LineTo(dc, 5000, 7);
  SetMapMode(dc, MM_TEXT);
  for (int x = 0; x < kW; ++x) {
    EXPECT_EQ(c.At(x, 7), kInk) << x;
    EXPECT_EQ(c.At(x, 6), RGB(255, 255, 255)) << x;
  }
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(h);
  // The origins too: MM_TEXT adds them in 64 bits.
  SetMapMode(dc, MM_TEXT);
  SetViewportOrgEx(dc, INT_MAX, INT_MIN, nullptr);
  POINT q{INT_MAX, INT_MIN};
  LPtoDP(dc, &q, 1);
  EXPECT_EQ(q.x, INT_MAX);
  EXPECT_EQ(q.y, INT_MIN);
}

// The far calls draw on a square, so that the diagonals pass its middle.
const int kSide = 30;

// One drawing call given coordinates spanning the whole int range, in
// logical units lo..hi, with the pixel expected in the middle of the bitmap
// afterwards (CLR_INVALID: not looked at).
struct FarCall {
  const char* name;
  std::function<BOOL(HDC, int lo, int hi)> draw;
  COLORREF middle;
  int pen_style = PS_SOLID;  // the pen selected for the call, in kInk
  int pen_width = 1;
};

HBRUSH FillBrush() {
  static HBRUSH b = CreateSolidBrush(kFill);
  return b;
}

HRGN HugeRegion(int lo, int hi) { return CreateRectRgn(lo, lo, hi, hi); }

const FarCall kFarCalls[] = {
    {"LineTo corner to corner", [](HDC dc, int lo, int hi) {
       MoveToEx(dc, lo, lo, nullptr);
       return LineTo(dc, hi, hi);
     }, kInk},
    {"dashed Polyline", [](HDC dc, int lo, int hi) {
       POINT p[] = {{lo, hi}, {hi, lo}, {lo, lo}, {hi, hi}};
       return Polyline(dc, p, 4);
     }, CLR_INVALID, PS_DASHDOTDOT, 1},
    {"wide Polyline", [](HDC dc, int lo, int hi) {
       POINT p[] = {{lo, 10}, {hi, 10}, {hi / 2, lo}, {lo / 2, hi}};
       return Polyline(dc, p, 4);
     }, CLR_INVALID, PS_SOLID, 9},
    {"Polyline with the widest pen", [](HDC dc, int lo, int hi) {
       POINT p[] = {{lo, 0}, {hi, 0}, {hi, hi}};
       return Polyline(dc, p, 3);
     }, kInk, PS_SOLID, INT_MAX},
    {"PolylineTo and PolyPolyline", [](HDC dc, int lo, int hi) {
       POINT p[] = {{hi, lo}, {lo, hi}, {hi, hi}, {lo, lo}};
       DWORD n[] = {2, 2};
       MoveToEx(dc, lo, lo, nullptr);
       return PolylineTo(dc, p, 4) && PolyPolyline(dc, p, n, 2);
     }, CLR_INVALID},
    {"Polygon", [](HDC dc, int lo, int hi) {
       POINT p[] = {{lo, lo}, {hi, lo}, {0, hi}};
       return Polygon(dc, p, 3);
     }, kFill},
    {"wide PolyPolygon", [](HDC dc, int lo, int hi) {
       POINT p[] = {{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}, {lo, lo}, {hi, hi}, {lo, hi}};
       INT n[] = {4, 3};
       return PolyPolygon(dc, p, n, 2);
     }, CLR_INVALID, PS_SOLID, 7},
    {"Rectangle", [](HDC dc, int lo, int hi) { return Rectangle(dc, lo, lo, hi, hi); }, kFill},
    {"Rectangle, wide pen", [](HDC dc, int lo, int hi) { return Rectangle(dc, lo, lo, hi, hi); }, kFill,
     PS_SOLID, 11},
    {"Rectangle, inside frame", [](HDC dc, int lo, int hi) { return Rectangle(dc, lo, lo, hi, hi); }, kFill,
     PS_INSIDEFRAME, 11},
    {"Rectangle, null pen", [](HDC dc, int lo, int hi) { return Rectangle(dc, lo, lo, hi, hi); }, kFill,
     PS_NULL, 1},
    {"RoundRect", [](HDC dc, int lo, int hi) { return RoundRect(dc, lo, lo, hi, hi, hi, hi); }, kFill},
    {"RoundRect, wide pen", [](HDC dc, int lo, int hi) {
       return RoundRect(dc, lo, lo, hi, hi, INT_MIN, INT_MAX);
     }, kFill, PS_SOLID, 5},
    {"Ellipse", [](HDC dc, int lo, int hi) { return Ellipse(dc, lo, lo, hi, hi); }, kFill},
    {"Ellipse, wide pen", [](HDC dc, int lo, int hi) { return Ellipse(dc, lo, lo, hi, hi); }, kFill,
     PS_SOLID, 13},
    {"Ellipse, null pen", [](HDC dc, int lo, int hi) { return Ellipse(dc, lo, lo, hi, hi); }, kFill,
     PS_NULL, 1},
    {"Arc", [](HDC dc, int lo, int hi) { return Arc(dc, lo, lo, hi, hi, hi, 0, 0, hi); }, CLR_INVALID},
    {"Arc, wide pen", [](HDC dc, int lo, int hi) {
       return Arc(dc, lo, lo, hi, hi, lo, lo, lo, lo);
     }, CLR_INVALID, PS_SOLID, 6},
    {"Pie", [](HDC dc, int lo, int hi) { return Pie(dc, lo, lo, hi, hi, hi, hi, lo, hi); }, CLR_INVALID},
    {"Chord", [](HDC dc, int lo, int hi) { return Chord(dc, lo, lo, hi, hi, lo, lo, hi, lo); }, CLR_INVALID},
    {"PatBlt", [](HDC dc, int lo, int hi) { return PatBlt(dc, lo / 2, lo / 2, INT_MAX, INT_MAX, PATCOPY); }, kFill},
    {"PatBlt, mirrored", [](HDC dc, int lo, int hi) { return PatBlt(dc, hi, hi, INT_MIN, INT_MIN, PATCOPY); }, kFill},
    {"StretchBlt", [](HDC dc, int lo, int hi) {
       TestCanvas src(4, 4, 32, kFill);
       return StretchBlt(dc, lo / 2, lo / 2, INT_MAX, INT_MAX, src.dc(), 0, 0, 4, 4, SRCCOPY);
     }, kFill},
    {"StretchBlt, shrinking", [](HDC dc, int lo, int hi) {
       TestCanvas src(64, 64, 32, kFill);
       SetStretchBltMode(dc, BLACKONWHITE);
       return StretchBlt(dc, hi, hi, INT_MIN, INT_MIN, src.dc(), 63, 0, -64, 64, SRCCOPY);
     }, kFill},
    {"BitBlt", [](HDC dc, int lo, int hi) {
       TestCanvas src(4, 4, 32, kFill);
       return BitBlt(dc, lo, lo, INT_MAX, INT_MAX, src.dc(), lo, lo, SRCCOPY);
     }, CLR_INVALID},
    {"FillRect", [](HDC dc, int lo, int hi) {
       RECT r{lo, lo, hi, hi};
       return BOOL(FillRect(dc, &r, FillBrush()));
     }, kFill},
    {"FrameRect", [](HDC dc, int lo, int hi) {
       RECT r{lo, lo, hi, hi};
       return BOOL(FrameRect(dc, &r, FillBrush()));
     }, RGB(255, 255, 255)},
    {"InvertRect twice", [](HDC dc, int lo, int hi) {
       RECT r{lo, lo, hi, hi};
       return InvertRect(dc, &r) && InvertRect(dc, &r);
     }, RGB(255, 255, 255)},
    {"DrawFocusRect", [](HDC dc, int lo, int hi) {
       RECT r{lo, lo, hi, hi};
       return DrawFocusRect(dc, &r);
     }, RGB(255, 255, 255)},
    {"DrawEdge", [](HDC dc, int lo, int hi) {
       RECT r{lo, lo, hi, hi};
       return DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
     }, CLR_INVALID},
    {"FillRgn and FrameRgn", [](HDC dc, int lo, int hi) {
       HRGN r = HugeRegion(lo, hi);
       BOOL ok = FillRgn(dc, r, FillBrush()) && FrameRgn(dc, r, FillBrush(), INT_MAX, INT_MAX);
       DeleteObject(r);
       return ok;
     }, kFill},
    {"PaintRgn and InvertRgn", [](HDC dc, int lo, int hi) {
       HRGN r = HugeRegion(lo, hi);
       BOOL ok = InvertRgn(dc, r) && InvertRgn(dc, r) && PaintRgn(dc, r);
       DeleteObject(r);
       return ok;
     }, kFill},
    {"SetPixel and GetPixel", [](HDC dc, int lo, int hi) {
       return BOOL(SetPixel(dc, hi, hi, kInk) == CLR_INVALID && GetPixel(dc, hi, lo) == CLR_INVALID &&
                   SetPixel(dc, INT_MAX, INT_MAX, kInk) == CLR_INVALID && !PtVisible(dc, INT_MAX, INT_MAX));
     }, RGB(255, 255, 255)},
    {"TextOut", [](HDC dc, int lo, int hi) {
       SetTextAlign(dc, TA_RIGHT | TA_BOTTOM | TA_UPDATECP);
       MoveToEx(dc, lo, hi, nullptr);
       BOOL ok = TextOutA(dc, 0, 0, "far", 3) && TextOutA(dc, hi, lo, "far", 3);
       SetTextAlign(dc, TA_CENTER | TA_BASELINE);
       return ok && TextOutA(dc, hi, hi, "far", 3) && TextOutA(dc, lo, lo, "far", 3);
     }, RGB(255, 255, 255)},
    {"ExtTextOut, opaque rectangle", [](HDC dc, int lo, int hi) {
       RECT r{lo, lo, hi, hi};
       SetBkColor(dc, kFill);
       return ExtTextOutA(dc, lo, lo, ETO_OPAQUE, &r, "far", 3, nullptr);
     }, kFill},
    {"DrawText", [](HDC dc, int lo, int hi) {
       RECT r{lo, lo, hi, hi};
       SetBkMode(dc, OPAQUE);
       // The height in logical units: 0 when the mapping scales by 2^20.
       return DrawTextA(dc, "far\nfarther", -1, &r, DT_CENTER) >= 0 &&
              DrawTextA(dc, "far", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT) >= 0;
     }, RGB(255, 255, 255)},
};

// The mappings the calls run under: none, and one that scales by 2^20 so
// that every far coordinate overflows the transform.
struct FarMapping {
  const char* name;
  int lo, hi;
  void (*set)(HDC);
};
const FarMapping kFarMappings[] = {
    {"MM_TEXT", INT_MIN + 1, INT_MAX - 1, [](HDC) {}},
    {"scaled by 2^20", -(1 << 30), 1 << 30, [](HDC dc) {
       SetMapMode(dc, MM_ANISOTROPIC);
       SetWindowExtEx(dc, 1, 1, nullptr);
       SetViewportExtEx(dc, 1 << 20, 1 << 20, nullptr);
       SetViewportOrgEx(dc, kSide / 2, kSide / 2, nullptr);
     }},
};

// Each call is made twice, once through a small clip inside the bitmap: the
// far shapes paint exactly the clipped part of what they paint without it.
TEST(FarCalls, ReturnAtOnceAndPaintTheVisiblePart) {
  for (const FarMapping& m : kFarMappings)
    for (const FarCall& call : kFarCalls) {
      const std::string where = std::string(call.name) + " under " + m.name;
      TestCanvas whole(kSide, kSide, 32), clipped(kSide, kSide, 32);
      IntersectClipRect(clipped.dc(), 8, 6, 27, 21);  // in device units, before the mapping
      HPEN pen = CreatePen(call.pen_style, call.pen_width, kInk);
      for (TestCanvas* c : {&whole, &clipped}) {
        m.set(c->dc());
        SelectObject(c->dc(), pen);
        SelectObject(c->dc(), FillBrush());
        EXPECT_TRUE(call.draw(c->dc(), m.lo, m.hi)) << where;
        SetMapMode(c->dc(), MM_TEXT);
        SetViewportOrgEx(c->dc(), 0, 0, nullptr);
        SelectClipRgn(c->dc(), nullptr);  // GetPixel reads through the clip
        SelectObject(c->dc(), GetStockObject(BLACK_PEN));
        SelectObject(c->dc(), GetStockObject(WHITE_BRUSH));
      }
      DeleteObject(pen);
      if (call.middle != CLR_INVALID) {
        EXPECT_EQ(whole.At(kSide / 2, kSide / 2), call.middle) << where;
      }
      for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
          bool inside = x >= 8 && x < 27 && y >= 6 && y < 21;
          COLORREF want = inside ? whole.At(x, y) : RGB(255, 255, 255);
          ASSERT_EQ(clipped.At(x, y), want) << where << " at " << x << "," << y;
        }
    }
}

TEST(FarRegions, AreCutAndPaintOnlyTheirVisiblePart) {
  // Regions do not know a surface: from far coordinates they are cut 2^18
  // pixels out, which bounds the rows made; painting walks only the clip.
  HRGN e = CreateEllipticRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  POINT p[] = {
      {INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN / 3, INT_MAX}, {INT_MIN, INT_MAX / 3}};
  HRGN g = CreatePolygonRgn(p, 5, WINDING);
  ASSERT_TRUE(e && g);
  RECT box;
  // Inside the rows made the polygon covers every column: one rectangle.
  EXPECT_EQ(GetRgnBox(g, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, INT_MIN);
  EXPECT_EQ(box.top, -(1 << 18));
  EXPECT_EQ(box.bottom, 1 << 18);
  for (const FarMapping& m : kFarMappings)
    for (HRGN r : {e, g}) {
      TestCanvas c(kSide, kSide, 32);
      m.set(c.dc());
      SelectObject(c.dc(), FillBrush());
      EXPECT_TRUE(FillRgn(c.dc(), r, FillBrush()));
      EXPECT_TRUE(InvertRgn(c.dc(), r));
      EXPECT_TRUE(FrameRgn(c.dc(), r, FillBrush(), INT_MAX, 1));
      EXPECT_TRUE(PaintRgn(c.dc(), r));
      // Regions are in device units: the mapping does not move them, and
      // the bitmap lies well inside both.
      SetMapMode(c.dc(), MM_TEXT);
      SetViewportOrgEx(c.dc(), 0, 0, nullptr);
      std::string all;
      for (int y = 0; y < kSide; ++y) all += std::string(kSide, '#') + "\n";
      EXPECT_EQ(c.Picture(kFill), all) << m.name;
      SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
    }
  DeleteObject(e);
  DeleteObject(g);
}

TEST(FarText, WildAdvancesAndOriginsSaturate) {
  TestCanvas c(kSide, kSide, 32);
  HDC dc = c.dc();
  // Advances that would take the pen around the int range and back.
  const INT dx[] = {INT_MAX, INT_MIN, INT_MAX, INT_MIN};
  EXPECT_TRUE(ExtTextOutA(dc, 2, 2, 0, nullptr, "wild", 4, dx));
  SetTextCharacterExtra(dc, INT_MAX);
  EXPECT_TRUE(TextOutA(dc, 2, 2, "wild", 4));
  SetTextCharacterExtra(dc, 0);
  // A calculated rectangle at the end of the range stays there.
  RECT r{INT_MAX - 2, INT_MAX - 2, INT_MAX, INT_MAX};
  EXPECT_GT(DrawTextA(dc, "wide text", -1, &r, DT_CALCRECT), 0);
  EXPECT_EQ(r.right, INT_MAX);
  EXPECT_EQ(r.bottom, INT_MAX);
  // Origins moved past the end are held there.
  POINT org;
  OffsetViewportOrgEx(dc, INT_MAX, INT_MIN, nullptr);
  OffsetViewportOrgEx(dc, INT_MAX, INT_MIN, nullptr);
  GetViewportOrgEx(dc, &org);
  EXPECT_EQ(org.x, INT_MAX);
  EXPECT_EQ(org.y, INT_MIN);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  // A clip moved by a scaled offset beyond the range.
  SetMapMode(dc, MM_ANISOTROPIC);
  SetViewportExtEx(dc, 1 << 20, 1 << 20, nullptr);
  IntersectClipRect(dc, 0, 0, 1, 1);
  EXPECT_NE(OffsetClipRgn(dc, INT_MAX, INT_MIN), ERROR);
}

}  // namespace
