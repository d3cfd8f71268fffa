#include <gtest/gtest.h>

#include <string>

#include "capi_fixture.h"

namespace {

TEST(CapiStyles, IdsNamesAndGroupPaths) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  ASSERT_TRUE(lib);
  struct Case {
    int32_t id;
    const char* name;
    const char* group;
  } cases[] = {{8, "Checker", "Root"}, {9, "Stripe", "Root/Lines"}, {10, "Fine", "Root/Lines/Fine"}};
  size_t count = 0;
  ASSERT_EQ(kyfsl_style_count(lib.get(), &count), KYFSL_OK);
  ASSERT_EQ(count, 3u);
  for (size_t i = 0; i < count; ++i) {
    const Case& c = cases[i];
    int32_t id = -1;
    ASSERT_EQ(kyfsl_style_id(lib.get(), i, &id), KYFSL_OK);
    EXPECT_EQ(id, c.id);
    const char* text = nullptr;
    ASSERT_EQ(kyfsl_style_name(lib.get(), id, &text), KYFSL_OK);
    EXPECT_STREQ(text, c.name);
    ASSERT_EQ(kyfsl_style_group(lib.get(), id, &text), KYFSL_OK);
    EXPECT_STREQ(text, c.group) << c.name;
  }
  int32_t id = 0;
  EXPECT_EQ(kyfsl_style_id(lib.get(), 3, &id), KYFSL_ERR_NOT_FOUND);
  EXPECT_STREQ(kyfsl_last_error(), "position 3 is past the library's 3 styles");
  const char* text = nullptr;
  EXPECT_EQ(kyfsl_style_name(lib.get(), 11, &text), KYFSL_ERR_NOT_FOUND);
  EXPECT_STREQ(kyfsl_last_error(), "the library has no style 11");
  EXPECT_EQ(kyfsl_style_name(lib.get(), 8, nullptr), KYFSL_ERR_ARGUMENT);
}

TEST(CapiStyles, GroupsInTreeOrder) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  size_t count = 0;
  ASSERT_EQ(kyfsl_group_count(lib.get(), &count), KYFSL_OK);
  ASSERT_EQ(count, 3u);
  const char* paths[] = {"Root", "Root/Lines", "Root/Lines/Fine"};
  const int32_t first[] = {8, 9, 10};
  for (size_t g = 0; g < count; ++g) {
    const char* path = nullptr;
    ASSERT_EQ(kyfsl_group_path(lib.get(), g, &path), KYFSL_OK);
    EXPECT_STREQ(path, paths[g]);
    const int32_t* ids = nullptr;
    size_t n = 0;
    ASSERT_EQ(kyfsl_group_styles(lib.get(), g, &ids, &n), KYFSL_OK);
    ASSERT_EQ(n, 1u) << path;
    EXPECT_EQ(ids[0], first[g]) << path;
  }
  const char* path = nullptr;
  EXPECT_EQ(kyfsl_group_path(lib.get(), 3, &path), KYFSL_ERR_NOT_FOUND);
  EXPECT_STREQ(kyfsl_last_error(), "group 3 is past the library's 3 groups");
}

TEST(CapiStyles, InfoGivesKindPixelsMillimetresResolution) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  struct Case {
    int32_t id;
    int32_t width, height, resolution;
    double mm;
  } cases[] = {{8, 8, 8, 254, 0.8}, {9, 4, 4, 254, 0.4}, {10, 8, 8, 96, 2.116667}};
  for (const Case& c : cases) {
    kyfsl_style_info info{};
    ASSERT_EQ(kyfsl_style_info_get(lib.get(), c.id, &info), KYFSL_OK) << kyfsl_last_error();
    EXPECT_EQ(info.id, c.id);
    EXPECT_EQ(info.kind, KYFSL_KIND_BITMAP);
    EXPECT_EQ(info.width, c.width) << c.id;
    EXPECT_EQ(info.height, c.height) << c.id;
    EXPECT_EQ(info.resolution, c.resolution) << c.id;
    // Rounded up to a millionth of a millimetre.
    EXPECT_DOUBLE_EQ(info.width_mm, c.mm) << c.id;
  }
  kyfsl_style_info info{};
  EXPECT_EQ(kyfsl_style_info_get(lib.get(), 7, &info), KYFSL_ERR_NOT_FOUND);
  EXPECT_EQ(kyfsl_style_info_get(lib.get(), 8, nullptr), KYFSL_ERR_ARGUMENT);
}

}  // namespace
