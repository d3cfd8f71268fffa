#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "capi_fixture.h"

namespace {

using kytest::OpenSmallLibrary;
using kytest::SmallLibraryImage;

TEST(CapiOpen, BytesGiveAHandleThatClosesOnce) {
  const std::vector<uint8_t> image = SmallLibraryImage();
  kyfsl_library* lib = nullptr;
  ASSERT_EQ(kyfsl_open_bytes(image.data(), image.size(), 0, &lib), KYFSL_OK) << kyfsl_last_error();
  ASSERT_NE(lib, nullptr);
  EXPECT_STREQ(kyfsl_last_error(), "");
  EXPECT_EQ(kyfsl_close(lib), KYFSL_OK);
  EXPECT_EQ(kyfsl_close(lib), KYFSL_ERR_HANDLE);
  EXPECT_STREQ(kyfsl_last_error(), "the library handle is closed or was never opened");
}

TEST(CapiOpen, BadBytesAreRefusedWithAReason) {
  const std::vector<uint8_t> good = SmallLibraryImage();
  const uint8_t unknown[] = {1, 2, 3, 4, 5};
  struct Case {
    const char* name;
    const void* data;
    size_t size;
    int status;
    const char* message;
  } cases[] = {
      {"empty", unknown, 0, KYFSL_ERR_FORMAT, "the library image is empty"},
      {"null data", nullptr, 5, KYFSL_ERR_ARGUMENT, "data is NULL"},
      {"unknown magic", unknown, sizeof unknown, KYFSL_ERR_FORMAT,
       "the library image is not a fill style library (unknown layout)"},
      {"three bytes", unknown, 3, KYFSL_ERR_FORMAT, "the library image is not a fill style library (unknown layout)"},
  };
  for (const Case& c : cases) {
    kyfsl_library* lib = nullptr;
    EXPECT_EQ(kyfsl_open_bytes(c.data, c.size, 0, &lib), c.status) << c.name;
    EXPECT_EQ(lib, nullptr) << c.name;
    if (c.message) {
      EXPECT_STREQ(kyfsl_last_error(), c.message) << c.name;
    }
    EXPECT_STRNE(kyfsl_last_error(), "") << c.name;
  }
}

TEST(CapiOpen, EveryCutOfAnImageOpensOrIsRefusedCleanly) {
  const std::vector<uint8_t> good = kytest::SmallLibraryImage();
  for (size_t n = 1; n < good.size(); ++n) {
    kyfsl_library* lib = nullptr;
    const int status = kyfsl_open_bytes(good.data(), n, 0, &lib);
    if (status == KYFSL_OK) {
      size_t count = 99;
      EXPECT_EQ(kyfsl_style_count(lib, &count), KYFSL_OK);
      EXPECT_LT(count, 3u) << n;
      EXPECT_EQ(kyfsl_close(lib), KYFSL_OK);
    } else {
      EXPECT_EQ(status, KYFSL_ERR_FORMAT) << n;
      EXPECT_EQ(lib, nullptr) << n;
    }
  }
}

TEST(CapiOpen, NullOutAndBadCodePageAreArgumentErrors) {
  const std::vector<uint8_t> image = SmallLibraryImage();
  EXPECT_EQ(kyfsl_open_bytes(image.data(), image.size(), 0, nullptr), KYFSL_ERR_ARGUMENT);
  EXPECT_STREQ(kyfsl_last_error(), "out is NULL");
  kyfsl_library* lib = nullptr;
  EXPECT_EQ(kyfsl_open_bytes(image.data(), image.size(), 1234, &lib), KYFSL_ERR_ARGUMENT);
  EXPECT_STREQ(kyfsl_last_error(), "code page 1234 is not one of 0, 936, 1250, 1251, 1252 or 65001");
  EXPECT_EQ(kyfsl_open_default(0, nullptr), KYFSL_ERR_ARGUMENT);
  EXPECT_EQ(kyfsl_open_file(nullptr, 0, &lib), KYFSL_ERR_ARGUMENT);
  EXPECT_STREQ(kyfsl_last_error(), "path is NULL");
}

TEST(CapiOpen, FileRoundTripAndMissingFile) {
  const std::vector<uint8_t> image = SmallLibraryImage();
  const std::string path = ::testing::TempDir() + "capi_open_test.bru";
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(image.data(), 1, image.size(), f);
  std::fclose(f);
  kyfsl_library* lib = nullptr;
  ASSERT_EQ(kyfsl_open_file(path.c_str(), 0, &lib), KYFSL_OK) << kyfsl_last_error();
  size_t count = 0;
  EXPECT_EQ(kyfsl_style_count(lib, &count), KYFSL_OK);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(kyfsl_close(lib), KYFSL_OK);
  std::remove(path.c_str());
  lib = nullptr;
  EXPECT_EQ(kyfsl_open_file(path.c_str(), 0, &lib), KYFSL_ERR_IO);
  EXPECT_EQ(lib, nullptr);
  EXPECT_NE(std::string(kyfsl_last_error()).find("cannot open"), std::string::npos) << kyfsl_last_error();
  // A fifo with no writer is refused at once, not waited on.
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
  EXPECT_EQ(kyfsl_open_file(path.c_str(), 0, &lib), KYFSL_ERR_IO);
  EXPECT_EQ(std::string(kyfsl_last_error()),
            "cannot open " + path + ": it is not a regular file (a fifo, device or socket)");
  std::remove(path.c_str());
}

TEST(CapiOpen, DefaultLibraryHasUtf8Names) {
  kyfsl_library* lib = nullptr;
  ASSERT_EQ(kyfsl_open_default(0, &lib), KYFSL_OK) << kyfsl_last_error();
  size_t count = 0;
  ASSERT_EQ(kyfsl_style_count(lib, &count), KYFSL_OK);
  EXPECT_GT(count, 0u);
  int32_t id = 0;
  ASSERT_EQ(kyfsl_style_id(lib, 0, &id), KYFSL_OK);
  const char* name = nullptr;
  ASSERT_EQ(kyfsl_style_name(lib, id, &name), KYFSL_OK);
  // GB2312 read as code page 936 gives no replacement characters.
  EXPECT_EQ(std::string(name).find("\xEF\xBF\xBD"), std::string::npos) << name;
  EXPECT_EQ(kyfsl_close(lib), KYFSL_OK);
}

TEST(CapiOpen, ForeignAndNullHandlesAreRefusedAndStatusesNamed) {
  int not_a_library = 42;
  auto* foreign = reinterpret_cast<kyfsl_library*>(&not_a_library);
  size_t count = 7;
  EXPECT_EQ(kyfsl_style_count(foreign, &count), KYFSL_ERR_HANDLE);
  EXPECT_EQ(count, 7u);
  EXPECT_EQ(kyfsl_close(foreign), KYFSL_ERR_HANDLE);
  EXPECT_EQ(kyfsl_style_count(nullptr, &count), KYFSL_ERR_HANDLE);
  EXPECT_STREQ(kyfsl_last_error(), "the library handle is NULL");
  EXPECT_EQ(kyfsl_close(nullptr), KYFSL_ERR_HANDLE);
  EXPECT_STREQ(kyfsl_status_name(KYFSL_OK), "KYFSL_OK");
  EXPECT_STREQ(kyfsl_status_name(KYFSL_ERR_MEMORY), "KYFSL_ERR_MEMORY");
  EXPECT_STREQ(kyfsl_status_name(-1), "unknown");
  EXPECT_STREQ(kyfsl_status_name(99), "unknown");
}

TEST(CapiOpen, CodePageIsDetectedFromTheNamesOrGiven) {
  struct Case {
    const char* name;
    const char* stored;
    unsigned page;
    const char* utf8;
  } cases[] = {
      {"ASCII", "Dots", 0, "Dots"},
      {"GBK detected", "\xC4\xAC\xC8\xCF", 0, "\xE9\xBB\x98\xE8\xAE\xA4"},           // 默认
      {"not GBK: the ANSI page", "Caf\xE9", 0, "Caf\xC3\xA9"},                         // Café (1252)
      {"given 1252", "\xC4\xAC", 1252, "\xC3\x84\xC2\xAC"},                            // Ä¬
      {"given 936", "\xC4\xAC", 936, "\xE9\xBB\x98"},                                  // 默
      {"936, a lead byte alone", "A\x81", 936, "A\xEF\xBF\xBD"},
      {"65001, valid", "\xE9\xBB\x98", 65001, "\xE9\xBB\x98"},
      {"65001, a stray byte", "A\xFF" "B", 65001, "A\xEF\xBF\xBD" "B"},
      {"65001, overlong slash", "\xC0\xAF", 65001, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"65001, a surrogate", "\xED\xA0\x80", 65001, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"65001, cut short", "x\xE9\xBB", 65001, "x\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"65001, past U+10FFFF", "\xF4\x90\x80\x80", 65001,
       "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"controls are kept in names", "a\tb\x01", 65001, "a\tb\x01"},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> image = kytest::OneStyleImage(c.stored);
    kyfsl_library* lib = nullptr;
    ASSERT_EQ(kyfsl_open_bytes(image.data(), image.size(), c.page, &lib), KYFSL_OK) << c.name;
    const char* name = nullptr;
    ASSERT_EQ(kyfsl_style_name(lib, 8, &name), KYFSL_OK) << c.name;
    EXPECT_STREQ(name, c.utf8) << c.name;
    const char* group = nullptr;
    ASSERT_EQ(kyfsl_group_path(lib, 0, &group), KYFSL_OK) << c.name;
    EXPECT_STREQ(group, c.utf8) << c.name;
    kyfsl_close(lib);
  }
}

TEST(CapiOpen, AClosedHandleIsNeverGivenAgain) {
  const std::vector<uint8_t> image = SmallLibraryImage();
  std::vector<kyfsl_library*> closed;
  for (int round = 0; round < 64; ++round) {
    kyfsl_library* lib = nullptr;
    ASSERT_EQ(kyfsl_open_bytes(image.data(), image.size(), 0, &lib), KYFSL_OK) << kyfsl_last_error();
    size_t count = 0;
    EXPECT_EQ(kyfsl_style_count(lib, &count), KYFSL_OK) << round;
    for (kyfsl_library* old : closed) {
      ASSERT_NE(old, lib) << round;
      count = 99;
      EXPECT_EQ(kyfsl_style_count(old, &count), KYFSL_ERR_HANDLE) << round;
      EXPECT_EQ(count, 99u) << round;
    }
    EXPECT_STREQ(kyfsl_last_error(), round ? "the library handle is closed or was never opened" : "") << round;
    ASSERT_EQ(kyfsl_close(lib), KYFSL_OK) << round;
    closed.push_back(lib);
  }
}

}  // namespace
