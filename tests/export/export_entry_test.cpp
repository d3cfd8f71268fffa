// Which styles an export takes, their UTF-8 names, groups and file stems.
#include "KyExportEntry.h"

#include <gtest/gtest.h>

#include "lib_builder.h"

namespace {

using kyexport::CollectEntries;
using kyexport::ExportEntry;

TEST(ExportEntry, SafeStem) {
  struct Case {
    const char* name;
    long id;
    std::string text, expected;
  };
  const Case cases[] = {
      {"plain", 8, "Sand", "8-Sand"},
      {"spaces and slashes", 9, "a b/c\\d", "9-a_b_c_d"},
      {"markup and quotes", 10, "<x>&\"y\"", "10-_x___y_"},
      {"letters of other scripts kept", 11, "\xE6\xA3\xAE\xE6\x9E\x97", "11-\xE6\xA3\xAE\xE6\x9E\x97"},
      {"empty name: the id alone", 12, "", "12"},
      {"long names cut at 48 bytes", 13, std::string(60, 'x'), "13-" + std::string(48, 'x')},
      // 16 three-byte characters fill 48 bytes; the 17th is left out whole.
      {"cut between characters", 14, [] {
         std::string s;
         for (int i = 0; i < 17; ++i) s += "\xE6\xA3\xAE";
         return s;
       }(),
       [] {
         std::string s = "14-";
         for (int i = 0; i < 16; ++i) s += "\xE6\xA3\xAE";
         return s;
       }()},
  };
  for (const Case& c : cases) EXPECT_EQ(kyexport::SafeStem(c.id, c.text), c.expected) << c.name;
}

TEST(ExportEntry, NamesAndGroupsInUtf8FromGb2312) {
  CKyFillStyleLib lib;
  CKyFillStyleGroup* veg = lib.GetStyleGroup()->CreateSubGroup("\xD6\xB2\xB1\xBB");  // 植被
  CKyFillStyleGroup* forest = veg->CreateSubGroup("Forest");
  ASSERT_TRUE(kytest::AddBitmap(lib, 9, "\xC9\xAD\xC1\xD6", forest));  // 森林
  ASSERT_TRUE(kytest::AddBitmap(lib, 8, "Sand"));
  std::vector<ExportEntry> entries;
  std::string error;
  ASSERT_TRUE(CollectEntries(lib, {}, kyexport::CodePageDecoder(936), &entries, &error)) << error;
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].id, 8);
  EXPECT_EQ(entries[0].group, lib.GetStyleGroup()->GetName().str());  // in the root group
  EXPECT_EQ(entries[0].stem, "8-Sand");
  EXPECT_EQ(entries[1].id, 9);
  EXPECT_EQ(entries[1].name, "\xE6\xA3\xAE\xE6\x9E\x97");
  EXPECT_EQ(entries[1].group, "\xE6\xA4\x8D\xE8\xA2\xAB/Forest");
  EXPECT_EQ(entries[1].style, lib.GetFillStyle(lib.FindID(9)));
}

TEST(ExportEntry, ChosenIdsInOrderOnce) {
  CKyFillStyleLib lib;
  for (long id : {8, 9, 10, 11}) ASSERT_TRUE(kytest::AddBitmap(lib, id, "s"));
  std::vector<ExportEntry> entries;
  std::string error;
  ASSERT_TRUE(CollectEntries(lib, {11, 9, 11}, kyexport::CodePageDecoder(936), &entries, &error));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].id, 9);
  EXPECT_EQ(entries[1].id, 11);
}

// Ranges are walked, not expanded: the whole id space costs nothing, and
// the ids missing from many ranges are named by their first ten stretches.
TEST(ExportEntry, RangesOfIds) {
  CKyFillStyleLib lib;
  for (long id : {8, 9, 10, 11}) ASSERT_TRUE(kytest::AddBitmap(lib, id, "s"));
  std::vector<kyexport::IdRange> many;
  for (long k = 199; k >= 0; --k) many.push_back({k * 1000, k * 1000 + 500});
  struct Case {
    const char* name;
    std::vector<kyexport::IdRange> ranges;
    std::vector<long> ids;  // chosen, when the ranges are all there
    std::string error;
  } cases[] = {
      {"overlapping ranges once each", {{10, 11}, {8, 10}, {9, 9}}, {8, 9, 10, 11}, ""},
      {"touching ranges", {{10, 11}, {8, 9}}, {8, 9, 10, 11}, ""},
      {"the whole id space", {{0, 2147483647}}, {}, "the library has no styles 0-7, 12-2147483647"},
      {"one id past the end", {{11, 12}}, {}, "the library has no style 12"},
      {"200 ranges",
       many,
       {},
       "the library has no styles 0-7, 12-500, 1000-1500, 2000-2500, 3000-3500, 4000-4500, 5000-5500, 6000-6500, "
       "7000-7500, 8000-8500 and 95691 more"},
  };
  for (const Case& c : cases) {
    std::vector<ExportEntry> entries;
    std::string error;
    EXPECT_EQ(c.error.empty(),
              kyexport::CollectEntriesInRanges(lib, c.ranges, kyexport::CodePageDecoder(936), &entries, &error))
        << c.name;
    EXPECT_EQ(error, c.error) << c.name;
    std::vector<long> ids;
    for (const ExportEntry& e : entries) ids.push_back(e.id);
    EXPECT_EQ(ids, c.ids) << c.name;
  }
}

TEST(ExportEntry, RefusalsSayWhy) {
  struct Case {
    const char* name;
    void (*fill)(CKyFillStyleLib&);
    std::vector<long> ids;
    std::string error;
  };
  const Case cases[] = {
      {"empty library", [](CKyFillStyleLib&) {}, {}, "the library has no styles to export"},
      {"one id missing", [](CKyFillStyleLib& l) { kytest::AddBitmap(l, 8, "a"); }, {8, 12},
       "the library has no style 12"},
      {"all missing ids in one message", [](CKyFillStyleLib& l) { kytest::AddBitmap(l, 8, "a"); }, {30, 12, 8, 40},
       "the library has no styles 12, 30, 40"},
      {"control bytes in a name", [](CKyFillStyleLib& l) { kytest::AddBitmap(l, 8, "a\x01z"); }, {},
       "the name of style 8 holds control characters"},
      {"invalid GB2312", [](CKyFillStyleLib& l) { kytest::AddBitmap(l, 8, "\xFF\xFE"); }, {},
       "the name of style 8 is not valid text of the library's code page (try --codepage)"},
      {"a lone lead byte", [](CKyFillStyleLib& l) { kytest::AddBitmap(l, 8, "ab\xC9"); }, {},
       "the name of style 8 is not valid text of the library's code page (try --codepage)"},
      {"bad group name",
       [](CKyFillStyleLib& l) { kytest::AddBitmap(l, 8, "a", l.GetStyleGroup()->CreateSubGroup("g\x1bh")); }, {},
       "a group name above style 8 holds control characters"},
  };
  for (const Case& c : cases) {
    CKyFillStyleLib lib;
    c.fill(lib);
    std::vector<ExportEntry> entries;
    std::string error;
    EXPECT_FALSE(CollectEntries(lib, c.ids, kyexport::CodePageDecoder(936), &entries, &error)) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
    EXPECT_TRUE(entries.empty()) << c.name;
  }
}

}  // namespace
