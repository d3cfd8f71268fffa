#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "KyMapView.h"

namespace {

using kymap::Extent;
using kymap::MapError;
using kymap::MapView;

TEST(MapView, TheExtentIsFittedWithOneScaleAboutItsCentre) {
  struct Case {
    const char* name;
    Extent extent;
    int width, height;
    double scale;
    Extent fitted;
  };
  const Case cases[] = {
      {"wide extent in a square", {0, 0, 200, 100}, 100, 100, 0.5, {0, -50, 200, 150}},
      {"tall extent in a wide picture", {-10, -10, 10, 30}, 400, 200, 5, {-40, -10, 40, 30}},
      {"same aspect", {-180, -90, 180, 90}, 720, 360, 2, {-180, -90, 180, 90}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MapView v(c.extent, c.width, c.height);
    EXPECT_DOUBLE_EQ(c.scale, v.Scale());
    EXPECT_DOUBLE_EQ(c.fitted.minX, v.Fitted().minX);
    EXPECT_DOUBLE_EQ(c.fitted.minY, v.Fitted().minY);
    EXPECT_DOUBLE_EQ(c.fitted.maxX, v.Fitted().maxX);
    EXPECT_DOUBLE_EQ(c.fitted.maxY, v.Fitted().maxY);
  }
  const MapView v(Extent{0, 0, 10, 10}, 100, 100);
  EXPECT_DOUBLE_EQ(0, v.DeviceX(0));
  EXPECT_DOUBLE_EQ(100, v.DeviceY(0));  // y runs down on the device
  EXPECT_DOUBLE_EQ(0, v.DeviceY(10));
}

TEST(MapView, AnExtentWithoutAreaIsRefused) {
  for (const Extent& e : {Extent{0, 0, 0, 10}, Extent{0, 5, 10, 5}, Extent{1, 1, 0, 2},
                          Extent{0, 0, HUGE_VAL, 1}, Extent{NAN, 0, 1, 1}}) {
    EXPECT_THROW(MapView(e, 10, 10), MapError);
  }
  EXPECT_THROW(MapView(Extent{0, 0, 1, 1}, 0, 10), MapError);
}

TEST(MapView, RingsAreCutToThePictureAndRounded) {
  const MapView v(Extent{0, 0, 100, 100}, 100, 100);
  std::vector<POINT> pts;
  std::vector<int> counts;
  // A square far larger than the picture, with a small hole inside it, and
  // a ring entirely off the picture.
  const std::vector<double> xy = {-1e9, -1e9, 1e9, -1e9, 1e9, 1e9, -1e9, 1e9, -1e9, -1e9,
                                  40.2, 40.2, 60.5, 40.2, 60.5, 60.5, 40.2, 60.5, 40.2, 40.2,
                                  500, 500, 600, 500, 600, 600, 500, 500};
  ASSERT_EQ(2, v.ClipRings(xy, {5, 5, 4}, 2, pts, counts));
  ASSERT_EQ((std::vector<int>{4, 4}), counts);
  const std::vector<std::pair<int, int>> want = {{-2, -2}, {102, -2}, {102, 102}, {-2, 102},
                                                 {40, 60}, {61, 60}, {61, 40}, {40, 40}};
  std::vector<std::pair<int, int>> got;
  for (const POINT& p : pts) got.emplace_back(p.x, p.y);
  // The clipper may start a ring at another corner; compare as sets of rings.
  std::sort(got.begin(), got.begin() + 4);
  std::sort(got.begin() + 4, got.end());
  std::vector<std::pair<int, int>> sorted = want;
  std::sort(sorted.begin(), sorted.begin() + 4);
  std::sort(sorted.begin() + 4, sorted.end());
  EXPECT_EQ(sorted, got);
}

TEST(MapView, RingsThatShrinkBelowThreePointsVanish) {
  const MapView v(Extent{0, 0, 1000, 1000}, 10, 10);
  std::vector<POINT> pts;
  std::vector<int> counts;
  // Under a pixel: every corner rounds to the same point.
  EXPECT_EQ(0, v.ClipRings({1, 1, 2, 1, 2, 2, 1, 1}, {4}, 0, pts, counts));
  EXPECT_TRUE(pts.empty());
}

TEST(Paper, SizesAtAResolutionAndTheBound) {
  struct Case {
    const char* spec;
    int dpi, width, height;
  };
  const Case cases[] = {
      {"A4", 96, 794, 1123},           {"A4,landscape", 300, 3508, 2480}, {"a3,portrait", 150, 1754, 2480},
      {"Letter,landscape", 100, 1100, 850}, {"a4,LANDSCAPE", 96, 1123, 794}, {"A5,Portrait", 96, 559, 794}, {"A0", 72, 2384, 3370},
  };
  for (const Case& c : cases) {
    int w = 0, h = 0;
    kymap::PaperPixels(c.spec, c.dpi, w, h);
    EXPECT_EQ(c.width, w) << c.spec;
    EXPECT_EQ(c.height, h) << c.spec;
  }
  int w, h;
  EXPECT_THROW(kymap::PaperPixels("A9", 96, w, h), MapError);
  EXPECT_THROW(kymap::PaperPixels("A4,sideways", 96, w, h), MapError);
  EXPECT_NO_THROW(kymap::CheckPictureSize(16384, 16384));
  EXPECT_THROW(kymap::CheckPictureSize(16385, 10), MapError);
  EXPECT_THROW(kymap::CheckPictureSize(0, 10), MapError);
  kymap::PaperPixels("A0,landscape", 600, w, h);
  EXPECT_THROW(kymap::CheckPictureSize(w, h), MapError);
}

}  // namespace
