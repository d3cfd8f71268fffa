#include <gtest/gtest.h>

#include <vector>

#include "KyVuv50.h"

namespace {

CKySymbol* MakeSymbol(DWORD id, const char* name = "s") {
  auto* sym = new CKySymbol;
  sym->SetSymId(id);
  sym->SetSymName(name);
  auto* s = new CKySymStroke;
  EXPECT_TRUE(s->MakeStroke_FilledEllipse({-0.25, -0.25}, {0.25, 0.25}, 0, FALSE, id));
  sym->AddStroke(s);
  return sym;
}

std::vector<long> Ids(const CKySymLib& lib) {
  std::vector<long> v;
  for (long i = 0; i < lib.GetSymbolCount(); ++i) v.push_back(lib.GetSymbolID(i));
  return v;
}

TEST(CKySymLib, PositionsFollowAscendingIdsWhateverTheOrderOfAdding) {
  CKySymLib lib;
  for (DWORD id : {30u, 10u, 20u, 0u, 0x7FFFFFFFu}) ASSERT_TRUE(lib.AddSymbol(MakeSymbol(id))) << id;
  EXPECT_EQ((std::vector<long>{0, 10, 20, 30, 0x7FFFFFFF}), Ids(lib));
  EXPECT_EQ(0x7FFFFFFF, lib.GetSymbolID(lib.GetSymbolCount() - 1)) << "the last position holds the highest id";

  struct { long id; long pos; } finds[] = {{0, 0}, {10, 1}, {20, 2}, {30, 3}, {0x7FFFFFFF, 4},
                                           {15, -1}, {-1, -1}, {31, -1}};
  for (auto f : finds) EXPECT_EQ(f.pos, lib.FindID(f.id)) << f.id;
  for (long pos : {-1L, 5L, 1000L}) EXPECT_EQ(-1, lib.GetSymbolID(pos)) << pos;
  EXPECT_EQ(nullptr, lib.GetSymbolAt(5));
  EXPECT_EQ(lib.GetSymbolAt(2), lib.GetSymbol(20));
  EXPECT_EQ(20u, lib.GetSymbol(20)->GetSymId());
  EXPECT_EQ(lib.GetSymbol(30), lib.GetSymbolEx(30));
  EXPECT_EQ(nullptr, lib.GetSymbol(15));
  EXPECT_EQ(nullptr, lib.GetSymbol(0x80000000ul));
  EXPECT_EQ(nullptr, lib.GetSymbolEx(0xFFFFFFFFul));
}

TEST(CKySymLib, AddSymbolRefusesDuplicatesNullAndIdsAboveTheLimit) {
  CKySymLib lib;
  EXPECT_FALSE(lib.AddSymbol(nullptr));
  CKySymbol* first = MakeSymbol(10, "first");
  ASSERT_TRUE(lib.AddSymbol(first));

  CKySymbol* dup = MakeSymbol(10, "second");
  EXPECT_FALSE(lib.AddSymbol(dup));
  EXPECT_FALSE(lib.AddSymbol(first)) << "the same symbol twice is a duplicate id";
  EXPECT_EQ(first, lib.GetSymbol(10));
  EXPECT_EQ(CString("first"), lib.GetSymbol(10)->GetSymName());
  delete dup;  // a refused symbol stays the caller's

  CKySymbol* big = MakeSymbol(0x80000000u);
  EXPECT_FALSE(lib.AddSymbol(big));
  delete big;
  EXPECT_EQ(1, lib.GetSymbolCount());
}

TEST(CKySymLib, RemoveSymbolDeletesItAndMovesLaterPositions) {
  CKySymLib lib;
  for (DWORD id : {10u, 11u, 12u, 13u}) lib.AddSymbol(MakeSymbol(id));
  EXPECT_TRUE(lib.RemoveSymbol(11));
  EXPECT_EQ((std::vector<long>{10, 12, 13}), Ids(lib));
  EXPECT_EQ(1, lib.FindID(12));
  EXPECT_FALSE(lib.RemoveSymbol(11));
  EXPECT_FALSE(lib.RemoveSymbol(-1));
  EXPECT_TRUE(lib.RemoveSymbol(13));
  EXPECT_TRUE(lib.RemoveSymbol(10));
  EXPECT_EQ((std::vector<long>{12}), Ids(lib));
  lib.RemoveAll();
  EXPECT_EQ(0, lib.GetSymbolCount());
  EXPECT_EQ(-1, lib.GetSymbolID(0));
}

TEST(CKySymLib, CopiesAreDeep) {
  CKySymLib src;
  for (DWORD id : {10u, 12u}) src.AddSymbol(MakeSymbol(id));
  CKySymLib dst;
  dst.AddSymbol(MakeSymbol(99));
  dst = src;
  EXPECT_EQ(src, dst);
  EXPECT_EQ((std::vector<long>{10, 12}), Ids(dst));
  EXPECT_NE(src.GetSymbol(10), dst.GetSymbol(10));
  EXPECT_NE(src.GetSymbol(10)->GetLastStroke(0), dst.GetSymbol(10)->GetLastStroke(0));
  dst.RemoveSymbol(10);
  EXPECT_NE(nullptr, src.GetSymbol(10));

  CKySymLib copy(src);
  EXPECT_EQ(src, copy);
  CKySymLib& self = src;
  src = self;
  EXPECT_EQ(copy, src);
  CKySymLib moved(std::move(copy));
  EXPECT_EQ(src, moved);
}

}  // namespace
