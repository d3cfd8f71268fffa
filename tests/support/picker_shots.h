// The stored screenshots of the picker and the editor (tests/data/<folder>/):
// a picture drawn is compared pixel for pixel with its stored one, and a
// difference writes the picture drawn to test-dumps/ beside the expected one.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gdipng.h"

namespace kytest {

inline std::string TestDataDir() {
  if (const char* d = std::getenv("KY_TEST_DATA")) return d;
  return (std::filesystem::path(__FILE__).parent_path().parent_path() / "data").string();
}

// Compares w x h pixels with <data>/<folder>/<name>.png; with regen set, the
// picture is written there instead.
inline void CompareWithStored(const std::string& folder, const std::string& name, int w, int h,
                              const std::vector<DWORD>& px, bool regen = false) {
  const std::string path = TestDataDir() + "/" + folder + "/" + name + ".png";
  if (regen) {
    ASSERT_TRUE(GdiWritePngPixels(path.c_str(), w, h, px.data())) << path;
    return;
  }
  int sw = 0, sh = 0;
  std::vector<DWORD> want;
  ASSERT_TRUE(GdiReadPngPixels(path.c_str(), &sw, &sh, &want)) << path;
  long diff = 0;
  if (sw == w && sh == h)
    for (size_t i = 0; i < want.size(); ++i) diff += want[i] != px[i];
  if (sw != w || sh != h || diff) {
    std::filesystem::create_directories("test-dumps");
    const std::string actual = "test-dumps/" + name + "-actual.png";
    GdiWritePngPixels(actual.c_str(), w, h, px.data());
    ADD_FAILURE() << name << ": " << w << "x" << h << " drawn, " << sw << "x" << sh << " stored, " << diff
                  << " pixels differ; see " << actual;
  }
}

}  // namespace kytest
