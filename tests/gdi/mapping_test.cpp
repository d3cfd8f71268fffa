// Map modes and coordinate conversion.
#include "afxdc.h"
#include "gdi_fixture.h"

namespace {

// A display of 500 x 400 pixels over 100 x 80 mm: 5 pixels per mm, so one
// MM_LOMETRIC unit is half a pixel and rounding shows.
class MappingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KyGetDisplaySettings(&saved_);
    KyDisplaySettings s{500, 400, 100, 80, 32, 96};
    ASSERT_TRUE(KySetDisplaySettings(&s));
    dc_ = CreateCompatibleDC(nullptr);
  }
  void TearDown() override {
    DeleteDC(dc_);
    KySetDisplaySettings(&saved_);
  }
  POINT ToDevice(int x, int y) {
    POINT p{x, y};
    LPtoDP(dc_, &p, 1);
    return p;
  }
  KyDisplaySettings saved_{};
  HDC dc_ = nullptr;
};

TEST_F(MappingTest, FixedModesScaleByTheDeviceSize) {
  struct Case {
    const char* name;
    int mode;
    POINT logical, device;
  } cases[] = {
      {"text", MM_TEXT, {7, -3}, {7, -3}},
      {"lometric 10 units", MM_LOMETRIC, {10, -10}, {5, 5}},
      {"lometric half up", MM_LOMETRIC, {1, -1}, {1, 1}},
      {"lometric minus half", MM_LOMETRIC, {-1, 1}, {0, 0}},
      {"lometric 1.5", MM_LOMETRIC, {3, -3}, {2, 2}},
      {"lometric -1.5", MM_LOMETRIC, {-3, 3}, {-1, -1}},
      {"himetric", MM_HIMETRIC, {1000, -2000}, {50, 100}},
      {"loenglish inch", MM_LOENGLISH, {100, -100}, {127, 127}},
      {"twips inch", MM_TWIPS, {1440, 0}, {127, 0}},
  };
  for (const Case& c : cases) {
    SetMapMode(dc_, c.mode);
    POINT d = ToDevice(c.logical.x, c.logical.y);
    EXPECT_EQ(d.x, c.device.x) << c.name;
    EXPECT_EQ(d.y, c.device.y) << c.name;
  }
}

TEST_F(MappingTest, OriginsShiftBeforeAndAfterScaling) {
  SetMapMode(dc_, MM_LOMETRIC);
  SetWindowOrgEx(dc_, 100, -100, nullptr);
  SetViewportOrgEx(dc_, 10, 20, nullptr);
  POINT d = ToDevice(100, -100);
  EXPECT_EQ(d.x, 10);
  EXPECT_EQ(d.y, 20);
  d = ToDevice(120, -120);
  EXPECT_EQ(d.x, 20);
  EXPECT_EQ(d.y, 30);
  POINT back = d;
  DPtoLP(dc_, &back, 1);
  EXPECT_EQ(back.x, 120);
  EXPECT_EQ(back.y, -120);
}

TEST_F(MappingTest, IsotropicStartsWithTheLometricExtents) {
  SetMapMode(dc_, MM_LOMETRIC);
  SIZE lw, lv, iw, iv;
  GetWindowExtEx(dc_, &lw);
  GetViewportExtEx(dc_, &lv);
  EXPECT_EQ(SetMapMode(dc_, MM_ISOTROPIC), MM_LOMETRIC);
  GetWindowExtEx(dc_, &iw);
  GetViewportExtEx(dc_, &iv);
  EXPECT_EQ(iw.cx, lw.cx);
  EXPECT_EQ(iw.cy, lw.cy);
  EXPECT_EQ(iv.cx, lv.cx);
  EXPECT_EQ(iv.cy, lv.cy);
  EXPECT_EQ(lw.cx, 1000);
  EXPECT_EQ(lv.cy, -400);
  POINT d = ToDevice(10, -10);
  EXPECT_EQ(d.x, 5);
  EXPECT_EQ(d.y, 5);
}

TEST_F(MappingTest, IsotropicKeepsUnitsSquare) {
  SetMapMode(dc_, MM_ISOTROPIC);
  SetWindowExtEx(dc_, 100, 100, nullptr);
  SetViewportExtEx(dc_, 200, 100, nullptr);
  SIZE v;
  GetViewportExtEx(dc_, &v);
  EXPECT_EQ(v.cx, 100);  // the wider axis shrinks to the narrower one
  EXPECT_EQ(v.cy, 100);
  SetMapMode(dc_, MM_ANISOTROPIC);
  SetViewportExtEx(dc_, 200, 100, nullptr);
  GetViewportExtEx(dc_, &v);
  EXPECT_EQ(v.cx, 200);
  // Fixed modes ignore extents.
  SetMapMode(dc_, MM_TEXT);
  EXPECT_TRUE(SetWindowExtEx(dc_, 5, 5, nullptr));
  SIZE w;
  GetWindowExtEx(dc_, &w);
  EXPECT_EQ(w.cx, 1);
}

TEST_F(MappingTest, FrameworkSizesUseAbsoluteExtents) {
  CDC dc;
  dc.Attach(dc_);
  dc.SetMapMode(MM_LOMETRIC);
  CSize s(254, 254);
  dc.LPtoDP(&s);
  EXPECT_EQ(s.cx, 127);  // positive although y grows upward
  EXPECT_EQ(s.cy, 127);
  dc.DPtoLP(&s);
  EXPECT_EQ(s.cx, 254);
  EXPECT_EQ(s.cy, 254);
  CRect r(0, 0, 20, -20);
  dc.LPtoDP(&r);
  EXPECT_EQ(r, CRect(0, 0, 10, 10));
  dc.Detach();
}

TEST_F(MappingTest, DrawingHonoursTheMapping) {
  TestCanvas c(10, 10, 32);
  SetMapMode(c.dc(), MM_LOMETRIC);
  PatBlt(c.dc(), 2, -2, 4, -4, BLACKNESS);  // device (1, 1) to (3, 3)
  SetMapMode(c.dc(), MM_TEXT);
  EXPECT_EQ(c.Count(0x000000), 4);
  EXPECT_EQ(c.At(1, 1), RGB(0, 0, 0));
  EXPECT_EQ(c.At(2, 2), RGB(0, 0, 0));
}

TEST_F(MappingTest, DeviceCaps) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 500);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 400);
  EXPECT_EQ(GetDeviceCaps(screen, HORZSIZE), 100);
  EXPECT_EQ(GetDeviceCaps(screen, VERTSIZE), 80);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(screen, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_TRUE(GetDeviceCaps(screen, RASTERCAPS) & RC_BITBLT);
  EXPECT_EQ(GetDeviceCaps(nullptr, HORZRES), 0);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  KyDisplaySettings bad{0, 400, 100, 80, 32, 96};
  EXPECT_FALSE(KySetDisplaySettings(&bad));
  bad = KyDisplaySettings{500, 400, 100, 80, 12, 96};
  EXPECT_FALSE(KySetDisplaySettings(&bad));
  HDC printer = KyCreatePrinterDC();
  ASSERT_NE(printer, nullptr);
  EXPECT_EQ(GetDeviceCaps(printer, HORZRES), 4800);
  EXPECT_EQ(GetDeviceCaps(printer, VERTSIZE), 279);
  EXPECT_EQ(GetDeviceCaps(printer, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(GetPixel(printer, 10, 10), RGB(255, 255, 255));
  DeleteDC(printer);
}

}  // namespace
