#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "KyFillStyleLib.h"
#include "lib_builder.h"
#include "library_files.h"

namespace {

using kytest::AddBitmap;
using kytest::AddVector;
using kytest::Items;
using kytest::LE;
using kytest::Ids;
using kytest::ReadFile;
using kytest::TempDir;
using kytest::WriteFile;

class Lib : public CKyFillStyleLib {
 public:
  using CKyFillStyleLib::AppendFromByteArray;
};

std::vector<long> SymbolIds(CKyFillStyleLib& lib) {
  std::vector<long> out;
  for (long i = 0; i < lib.GetSymLib()->GetSymbolCount(); ++i) out.push_back(lib.GetSymLib()->GetSymbolID(i));
  return out;
}

long EmptySymbolSectionSize() {
  CKySymLib empty;
  CKyByteArrayEx s;
  empty.StoreEx(s);
  return static_cast<long>(s.GetSize());
}

// A scratch folder and the library file's place in it.
class LibraryFile : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string path = dir.File("lib.bru");
};

void Append(std::vector<uint8_t>& v, const std::vector<uint8_t>& more) { v.insert(v.end(), more.begin(), more.end()); }

TEST(LibraryImage, OneBitmapStyleWritesTheDocumentedSizeAndNoStylesNothing) {
  CKyFillStyleLib lib;
  CByteArray unchanged;
  kytest::ToArray({1, 2, 3}, unchanged);
  lib.SetModifiedFlag(TRUE);
  EXPECT_FALSE(lib.ToByteArray(unchanged));
  EXPECT_EQ(3, unchanged.GetSize());
  EXPECT_TRUE(lib.IsModified());
  lib.GetStyleGroup()->SetName("root");
  CByteArray pattern;
  kytest::ToArray(std::vector<uint8_t>(94, 7), pattern);
  ASSERT_TRUE(lib.AddFillStyle(new CKyFillStyle(8, "abc", pattern, CKyFillStyle::FS_81DPI), lib.GetStyleGroup()));
  CByteArray out;
  ASSERT_TRUE(lib.ToByteArray(out));
  const long m = EmptySymbolSectionSize();
  EXPECT_EQ(12 + m + 24 + 114, out.GetSize());
  std::vector<uint8_t> bytes = kytest::FromArray(out);
  EXPECT_EQ(LE(20031121), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4));
  EXPECT_EQ(LE(m), std::vector<uint8_t>(bytes.begin() + 4, bytes.begin() + 8));
  EXPECT_EQ(LE(24), std::vector<uint8_t>(bytes.begin() + 8 + m, bytes.begin() + 12 + m));
  EXPECT_FALSE(lib.IsModified());
}

TEST(LibraryImage, OldestLayoutPutsEveryRecordInTheRoot) {
  std::vector<uint8_t> image = LE(20010510);
  for (long id : {20L, 9L}) {
    Append(image, LE(id));
    Append(image, LE(1));
    image.push_back('n');
    Append(image, LE(2));
    Append(image, {'B', 'M'});
  }
  CByteArray in;
  kytest::ToArray(image, in);
  CKyFillStyleLib lib;
  lib.GetStyleGroup()->SetName("old name");
  ASSERT_TRUE(lib.FromByteArray(in));
  EXPECT_EQ((std::vector<long>{20, 9}), Ids(lib));
  EXPECT_EQ((std::vector<long>{20, 9}), Items(lib.GetStyleGroup()));
  EXPECT_EQ(81, lib.GetFillStyle(0)->GetResolution());
  EXPECT_EQ(81, lib.GetFillStyle(1)->GetResolution());
  EXPECT_EQ(std::string("Root Group"), lib.GetStyleGroup()->GetName().str());
  // The index is searchable although the file was not in id order.
  EXPECT_EQ(1, lib.FindID(9));
  EXPECT_EQ(0, lib.FindID(20));
}

TEST(LibraryImage, WriteAndReadBackKeepsStylesTreeAndUsedSymbolsOnly) {
  CKyFillStyleLib lib;
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  CKyFillStyleGroup* sub = root->CreateSubGroup("Marsh");
  for (int i = 0; i < 3; ++i) ASSERT_EQ(10 + i, lib.AddSymbol(new CKySymbol));
  AddBitmap(lib, 30, "b30", sub);
  AddVector(lib, 12, "v12", 11, sub);
  AddBitmap(lib, 9, "b9");
  CByteArray image;
  ASSERT_TRUE(lib.ToByteArray(image));
  EXPECT_EQ(std::vector<long>{11}, SymbolIds(lib));  // compacted before writing
  EXPECT_EQ((std::vector<long>{9, 12, 30}), Ids(lib));  // sorted by id

  CKyFillStyleLib back;
  ASSERT_TRUE(back.FromByteArray(image));
  EXPECT_EQ((std::vector<long>{9, 12, 30}), Ids(back));
  EXPECT_EQ(std::vector<long>{11}, SymbolIds(back));
  ASSERT_EQ(1, back.GetStyleGroup()->GetSubGroupCount());
  EXPECT_EQ((std::vector<long>{12, 30}), Items(back.GetStyleGroup()->SubGroup(0L)));
  EXPECT_EQ(std::vector<long>{9}, Items(back.GetStyleGroup()));
  EXPECT_EQ(11, back.GetFillStyle(1)->GetFillStyleVector()->GetSymID());
  CByteArray again;
  ASSERT_TRUE(back.ToByteArray(again));
  EXPECT_EQ(kytest::FromArray(image), kytest::FromArray(again));
}

TEST(LibraryImage, EveryTruncationReadsWithoutFaultAndReportsDamage) {
  CKyFillStyleLib lib;
  lib.AddSymbol(new CKySymbol);
  AddVector(lib, 8, "vector", 10, lib.GetStyleGroup()->CreateSubGroup("g"));
  AddBitmap(lib, 9, "bitmap");
  AddBitmap(lib, 10, "bitmap2");
  CByteArray image;
  ASSERT_TRUE(lib.ToByteArray(image));
  const std::vector<uint8_t> full = kytest::FromArray(image);
  // A cut that falls between two records leaves a sound, shorter image.
  std::vector<size_t> boundaries;
  size_t end = full.size();
  for (long i = lib.GetCount() - 1; i >= 0; --i) {
    CKyFillStyle* st = lib.GetFillStyle(i);
    const size_t name = static_cast<size_t>(st->GetFillStyleName().GetLength());
    const CKyFillStyleVector* v = st->GetFillStyleVector();
    end -= v ? 9 + name + 24 + 8 * static_cast<size_t>(v->GetPointCount())
             : 17 + name + static_cast<size_t>(st->m_arrBMP.GetSize());
    boundaries.push_back(end);
  }
  for (size_t n = 1; n < full.size(); ++n) {
    CByteArray cut;
    kytest::ToArray(std::vector<uint8_t>(full.begin(), full.begin() + static_cast<long>(n)), cut);
    CKyFillStyleLib r;
    const BOOL ok = r.FromByteArray(cut);
    const bool atBoundary = std::find(boundaries.begin(), boundaries.end(), n) != boundaries.end();
    EXPECT_EQ(atBoundary, ok != FALSE) << "cut at " << n;
    EXPECT_LE(r.GetCount(), 3);
    for (long i = 0; i < r.GetCount(); ++i) EXPECT_EQ(i, r.FindID(r.FindIndex(i)));
  }
}

TEST(LibraryImage, AbsurdLengthsAndUnknownMagicsAreRefused) {
  const std::vector<std::vector<uint8_t>> images = {
      {0x91, 0xA6, 0x31, 0x01, 0xFF, 0xFF, 0xFF, 0x7F},  // symbol section of 2 GB
      {0x91, 0xA6, 0x31, 0x01, 0xFF, 0xFF, 0xFF, 0xFF},  // negative symbol section
      {0x19, 0x56, 0x31, 0x01, 0xF0, 0xFF, 0xFF, 0x7F},  // tree of 2 GB
      {0x19, 0x56, 0x31, 0x01, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x7F},  // empty tree, absurd record
      {0x01, 0x02, 0x03, 0x04, 0x05},                    // unknown magic
      {0x91, 0xA6},                                      // shorter than a magic
  };
  for (size_t k = 0; k < images.size(); ++k) {
    CByteArray in;
    kytest::ToArray(images[k], in);
    CKyFillStyleLib lib;
    AddBitmap(lib, 8, "gone");
    EXPECT_FALSE(lib.FromByteArray(in)) << k;
    EXPECT_EQ(0, lib.GetCount()) << k;
  }
  CByteArray empty;
  CKyFillStyleLib lib;
  AddBitmap(lib, 8, "kept");
  EXPECT_FALSE(lib.FromByteArray(empty));
  EXPECT_EQ(1, lib.GetCount());
}

TEST(LibraryImage, DuplicateIdsInAFileKeepTheFirstRecord) {
  std::vector<uint8_t> image = LE(20010510);
  for (const char* name : {"first", "second"}) {
    Append(image, LE(8));
    Append(image, LE(static_cast<long>(std::strlen(name))));
    image.insert(image.end(), name, name + std::strlen(name));
    Append(image, LE(0));
  }
  CByteArray in;
  kytest::ToArray(image, in);
  CKyFillStyleLib lib;
  EXPECT_TRUE(lib.FromByteArray(in));
  ASSERT_EQ(1, lib.GetCount());
  EXPECT_EQ(std::string("first"), lib.GetFillStyleName(0).str());
}

TEST_F(LibraryFile, StoreAndLoadKeepTheModifiedFlagRules) {
  CKyFillStyleLib lib;
  AddBitmap(lib, 8, "a");
  ASSERT_TRUE(lib.IsModified());
  EXPECT_TRUE(lib.Store(path.c_str()));
  EXPECT_TRUE(lib.IsModified());
  CKyFillStyleLib back;
  back.SetModifiedFlag(TRUE);
  EXPECT_TRUE(back.Load(path.c_str()));
  EXPECT_FALSE(back.IsModified());
  EXPECT_EQ(std::vector<long>{8}, Ids(back));
  EXPECT_EQ(1u, ::access(path.c_str(), F_OK) == 0 ? 1u : 0u);
}

TEST_F(LibraryFile, AFailedStoreKeepsTheOldFileAndLeavesNoTemporaryFile) {
  WriteFile(path, {9, 9, 9});
  CKyFillStyleLib lib;
  CByteArray big;
  kytest::ToArray(std::vector<uint8_t>(200000, 0x42), big);
  lib.AddFillStyle(new CKyFillStyle(8, "big", big, CKyFillStyle::FS_81DPI), lib.GetStyleGroup());

  // A file size limit makes the write fail halfway, as a full disk would.
  struct rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit limit = old;
  limit.rlim_cur = 65536;
  void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limit);
  const BOOL stored = lib.Store(path.c_str());
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(stored);
  EXPECT_EQ((std::vector<uint8_t>{9, 9, 9}), ReadFile(path));
  EXPECT_EQ(0, std::system(("test $(ls -A '" + dir.Path() + "' | wc -l) -eq 1").c_str()));
  // A folder that does not exist cannot take the file.
  EXPECT_FALSE(lib.Store(dir.File("no/such/folder.bru").c_str()));
}

TEST_F(LibraryFile, StoreReplacesTheOldFileWholeUnlessTheLibraryIsEmpty) {
  WriteFile(path, std::vector<uint8_t>(5000, 0xEE));
  CKyFillStyleLib lib;
  EXPECT_FALSE(lib.Store(path.c_str()));
  EXPECT_EQ(std::vector<uint8_t>(5000, 0xEE), ReadFile(path));
  AddBitmap(lib, 8, "a");
  CByteArray image;
  ASSERT_TRUE(lib.Store(path.c_str()));
  lib.ToByteArray(image);
  EXPECT_EQ(kytest::FromArray(image), ReadFile(path));
  // Only the library is left in the folder.
  EXPECT_EQ(0, std::system(("test $(ls -A '" + dir.Path() + "' | wc -l) -eq 1").c_str()));
  // A path that names a folder is refused.
  EXPECT_FALSE(lib.Store(dir.Path().c_str()));
}

TEST_F(LibraryFile, LoadRefusesMissingAndEmptyFiles) {
  CKyFillStyleLib lib;
  AddBitmap(lib, 8, "kept");
  EXPECT_FALSE(lib.Load(dir.File("missing.bru").c_str()));
  WriteFile(dir.File("empty.bru"), {});
  EXPECT_FALSE(lib.Load(dir.File("empty.bru").c_str()));
  EXPECT_FALSE(lib.Load(dir.Path().c_str()));
  EXPECT_EQ(1, lib.GetCount());
  EXPECT_FALSE(lib.Append(dir.File("missing.bru").c_str(), FALSE));
}

TEST(LibraryMerge, TwoAscendingListsWithOverwriteOrKeep) {
  for (int overwrite = 0; overwrite < 2; ++overwrite) {
    CKyFillStyleLib file;
    for (long id : {9L, 10L, 13L}) AddBitmap(file, id, ("file" + std::to_string(id)).c_str());
    CByteArray image;
    ASSERT_TRUE(file.ToByteArray(image));

    Lib lib;
    for (long id : {8L, 10L, 12L}) AddBitmap(lib, id, ("here" + std::to_string(id)).c_str());
    ASSERT_TRUE(lib.AppendFromByteArray(image, overwrite));
    EXPECT_EQ((std::vector<long>{8, 9, 10, 12, 13}), Ids(lib));
    EXPECT_EQ(std::string(overwrite ? "file10" : "here10"), lib.GetFillStyleName(2).str());
    for (long i = 0; i < lib.GetCount(); ++i) EXPECT_EQ(i, lib.FindID(lib.FindIndex(i)));
    // Both roots are named "Root Group", so the items merge into one root.
    EXPECT_EQ((std::vector<long>{8, 9, 10, 12, 13}), Items(lib.GetStyleGroup()));
    EXPECT_TRUE(lib.IsModified());
  }
}

TEST(LibraryMerge, FileSymbolsAreShiftedAfterOurs) {
  CKyFillStyleLib file;
  for (int i = 0; i < 3; ++i) file.AddSymbol(new CKySymbol);  // 10, 11, 12
  AddVector(file, 9, "draws 12", 12);
  AddVector(file, 13, "draws 10", 10);
  CByteArray image;
  ASSERT_TRUE(file.ToByteArray(image));  // symbol 11 is compacted away

  Lib lib;
  for (int i = 0; i < 5; ++i) lib.AddSymbol(new CKySymbol);  // 10..14
  AddBitmap(lib, 8, "here");
  ASSERT_TRUE(lib.AppendFromByteArray(image, FALSE));
  EXPECT_EQ((std::vector<long>{10, 11, 12, 13, 14, 15, 17}), SymbolIds(lib));
  EXPECT_EQ(17, lib.GetFillStyle(lib.FindID(9))->GetFillStyleVector()->GetSymID());
  EXPECT_EQ(15, lib.GetFillStyle(lib.FindID(13))->GetFillStyleVector()->GetSymID());

  Lib none;
  AddBitmap(none, 8, "here");
  CKyFillStyleLib two;
  two.AddSymbol(new CKySymbol);
  two.AddSymbol(new CKySymbol);
  AddVector(two, 20, "a", 10);
  AddVector(two, 21, "b", 11);
  CByteArray twoImage;
  two.ToByteArray(twoImage);
  none.AppendFromByteArray(twoImage, FALSE);
  EXPECT_EQ((std::vector<long>{10, 11}), SymbolIds(none));
}

TEST(LibraryMerge, AppendingToAnEmptyLibraryReplacesIt) {
  CKyFillStyleLib file;
  file.GetStyleGroup()->SetName("Other");
  AddBitmap(file, 30, "x");
  CByteArray image;
  file.ToByteArray(image);
  Lib lib;
  lib.GetStyleGroup()->CreateSubGroup("gone");
  lib.AppendFromByteArray(image, FALSE);
  EXPECT_EQ(std::vector<long>{30}, Ids(lib));
  EXPECT_EQ(std::string("Other"), lib.GetStyleGroup()->GetName().str());
  EXPECT_EQ(0, lib.GetStyleGroup()->GetSubGroupCount());
  CByteArray empty;
  EXPECT_FALSE(lib.AppendFromByteArray(empty, FALSE));
}

TEST(LibraryMerge, AForeignRootArrivesAsASubGroup) {
  CKyFillStyleLib file;
  file.GetStyleGroup()->SetName("Theirs");
  AddBitmap(file, 30, "x");
  AddBitmap(file, 8, "dup");
  CByteArray image;
  file.ToByteArray(image);
  Lib lib;
  AddBitmap(lib, 8, "mine");
  lib.AppendFromByteArray(image, FALSE);
  EXPECT_EQ(std::vector<long>{8}, Items(lib.GetStyleGroup()));
  CKyFillStyleGroup* theirs = lib.GetStyleGroup()->SubGroup(CString("Theirs"));
  ASSERT_NE(nullptr, theirs);
  EXPECT_EQ(std::vector<long>{30}, Items(theirs));  // the kept duplicate stays where it was here
}

TEST(LibrarySymbols, AddRemoveCompact) {
  CKyFillStyleLib lib;
  EXPECT_EQ(10, lib.AddSymbol(new CKySymbol));
  EXPECT_EQ(11, lib.AddSymbol(new CKySymbol));
  EXPECT_EQ(12, lib.AddSymbol(new CKySymbol));
  AddVector(lib, 8, "uses 11", 11);
  EXPECT_TRUE(lib.IsUsedByFillStyle(11));
  EXPECT_FALSE(lib.IsUsedByFillStyle(10));
  EXPECT_FALSE(lib.RemoveSymbol(11));
  EXPECT_EQ((std::vector<long>{10, 11, 12}), SymbolIds(lib));
  lib.SetModifiedFlag(FALSE);
  lib.CompactSymLib();
  EXPECT_EQ(std::vector<long>{11}, SymbolIds(lib));
  EXPECT_TRUE(lib.IsModified());
  EXPECT_EQ(12, lib.AddSymbol(new CKySymbol));
  EXPECT_TRUE(lib.RemoveSymbol(12));
  EXPECT_EQ(-1, lib.AddSymbol(nullptr));
}

}  // namespace
