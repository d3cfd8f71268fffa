#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "KyVuv50.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(const CKySymLib& lib) {
  CKyByteArrayEx ar;
  lib.StoreEx(ar);
  return Bytes(ar.GetData(), ar.GetData() + ar.GetSize());
}

void Fill(CKyByteArrayEx& ar, const Bytes& b) {
  ar.RemoveAllSafely();
  ar.Add(b.data(), static_cast<int>(b.size()));
}

void Put32(Bytes& b, size_t at, long v) { KyWriteLE32(&b[at], v); }

CKySymbol* MakeSymbol(DWORD id) {
  auto* sym = new CKySymbol;
  sym->SetSymId(id);
  sym->SetSymName("s");
  auto* s = new CKySymStroke;
  EXPECT_TRUE(s->MakeStroke_FilledEllipse({-0.25, -0.25}, {0.25, 0.25}, 0, FALSE, 0));
  sym->AddStroke(s);
  return sym;
}

// One symbol, id 10, named "ab", holding one rectangle stroke.
CKySymLib OneSymbol() {
  CKySymLib lib;
  auto* sym = new CKySymbol;
  sym->SetSymId(10);
  sym->SetSymName("ab");
  auto* s = new CKySymStroke;
  EXPECT_TRUE(s->MakeStroke_Rectangle({-0.5, 0.25}, {1.0, -2.0}, 0.5, TRUE, 1, 2, FALSE, TRUE, 0x00112233));
  sym->AddStroke(s);
  EXPECT_TRUE(lib.AddSymbol(sym));
  return lib;
}

const Bytes kOneSymbol = {
    0x4B, 0x59, 0x53, 0x4C,                          //  0 magic "KYSL"
    0x01, 0x00, 0x00, 0x00,                          //  4 version 1
    0x01, 0x00, 0x00, 0x00,                          //  8 one symbol
    0x0A, 0x00, 0x00, 0x00,                          // 12 id 10
    0x02, 0x00, 0x00, 0x00, 'a',  'b',               // 16 name "ab"
    0x01, 0x00, 0x00, 0x00,                          // 22 one stroke
    0x03, 0x05, 0x01, 0x02,                          // 26 rectangle, filled + brush fix, dash, hatch 1
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0, 0x3F,  // 30 pen width 0.5
    0x33, 0x22, 0x11, 0x00,                          // 38 colour 0x00112233
    0x02, 0x00, 0x00, 0x00,                          // 42 two points
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0, 0xBF,  // 46 x -0.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xD0, 0x3F,  // 54 y 0.25
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,  // 62 x 1.0
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0,  // 70 y -2.0
};

// A library that a failed load must leave exactly as it was.
CKySymLib Sentinel() {
  CKySymLib lib;
  lib.AddSymbol(MakeSymbol(99));
  return lib;
}

TEST(CKySymLibImage, StoresEveryFieldInItsPlaceAfterWhatTheStreamHolds) {
  EXPECT_EQ((Bytes{0x4B, 0x59, 0x53, 0x4C, 1, 0, 0, 0, 0, 0, 0, 0}), Store(CKySymLib()));
  EXPECT_EQ(kOneSymbol, Store(OneSymbol()));
  CKyByteArrayEx ar;
  ar.Add(7L);
  OneSymbol().StoreEx(ar);
  ASSERT_EQ(static_cast<INT_PTR>(4 + kOneSymbol.size()), ar.GetSize());
  EXPECT_EQ(0, std::memcmp(ar.GetData() + 4, kOneSymbol.data(), kOneSymbol.size()));
}

TEST(CKySymLibImage, RoundTripIsByteExact) {
  for (const CKySymLib& lib : {CKySymLib(), OneSymbol(), KySampleSymbols()}) {
    const Bytes image = Store(lib);
    CKyByteArrayEx ar;
    Fill(ar, image);
    CKySymLib back = Sentinel();
    ASSERT_TRUE(back.LoadEx(ar, 0)) << image.size();
    EXPECT_EQ(lib, back);
    EXPECT_EQ(image, Store(back));
    EXPECT_FALSE(ar.HasReadError());
  }
}

TEST(CKySymLibImage, LoadReplacesTheLibrary) {
  CKySymLib lib = KySampleSymbols();
  CKyByteArrayEx one;
  Fill(one, kOneSymbol);
  ASSERT_TRUE(lib.LoadEx(one, 0));
  ASSERT_EQ(1, lib.GetSymbolCount());
  EXPECT_EQ(10, lib.GetSymbolID(0));
  EXPECT_EQ(CString("ab"), lib.GetSymbol(10)->GetSymName());

  CKyByteArrayEx empty;
  Fill(empty, Store(CKySymLib()));
  ASSERT_TRUE(lib.LoadEx(empty, 0));
  EXPECT_EQ(0, lib.GetSymbolCount());
}

TEST(CKySymLibImage, AppendAddsSymbolsAndRefusesAClashWhole) {
  CKySymLib lib;
  for (DWORD id : {5u, 20u}) lib.AddSymbol(MakeSymbol(id));
  CKyByteArrayEx one;
  Fill(one, kOneSymbol);
  ASSERT_TRUE(lib.LoadEx(one, 1));
  ASSERT_EQ(3, lib.GetSymbolCount());
  EXPECT_EQ(5, lib.GetSymbolID(0));
  EXPECT_EQ(10, lib.GetSymbolID(1));
  EXPECT_EQ(20, lib.GetSymbolID(2));

  CKySymLib clash;
  for (DWORD id : {1u, 10u, 30u}) clash.AddSymbol(MakeSymbol(id));
  const CKySymLib before = clash;
  CKyByteArrayEx again;
  Fill(again, Store(lib));
  EXPECT_FALSE(clash.LoadEx(again, 1)) << "id 10 is on both sides";
  EXPECT_EQ(before, clash);

  CKySymLib empty;
  CKyByteArrayEx samples;
  Fill(samples, Store(KySampleSymbols()));
  ASSERT_TRUE(empty.LoadEx(samples, 1));
  EXPECT_EQ(KySampleSymbols(), empty);
}

TEST(CKySymLibImage, EveryTruncationAndATrailingByteFailAndLeaveTheLibraryAlone) {
  for (const CKySymLib& src : {CKySymLib(), OneSymbol(), KySampleSymbols()}) {
    const Bytes image = Store(src);
    for (size_t n = 0; n < image.size(); ++n) {
      CKyByteArrayEx ar;
      Fill(ar, Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(n)));
      CKySymLib lib = Sentinel();
      ASSERT_FALSE(lib.LoadEx(ar, 0)) << "cut at " << n << " of " << image.size();
      ASSERT_EQ(Sentinel(), lib) << n;
      ASSERT_FALSE(ar.HasReadError()) << n;
    }
  }
  // A byte more than the image holds is malformed too.
  Bytes image = kOneSymbol;
  image.push_back(0);
  CKyByteArrayEx ar;
  Fill(ar, image);
  CKySymLib lib = Sentinel();
  EXPECT_FALSE(lib.LoadEx(ar, 0));
  EXPECT_EQ(Sentinel(), lib);
}

struct Patch {
  const char* name;
  size_t at;
  std::vector<BYTE> bytes;
  BOOL ok;
};

std::vector<BYTE> LE(long v) {
  std::vector<BYTE> b(4);
  KyWriteLE32(b.data(), v);
  return b;
}

TEST(CKySymLibImage, FieldsOutOfRangeAndAbsurdCountsFailCleanly) {
  const Patch patches[] = {
      {"magic", 0, {'k'}, FALSE},
      {"version 0", 4, LE(0), FALSE},
      {"version 2", 4, LE(2), FALSE},
      {"symbol count huge", 8, LE(0x7FFFFFFF), FALSE},
      {"symbol count negative", 8, LE(-1), FALSE},
      {"symbol count 2", 8, LE(2), FALSE},
      {"symbol count 0", 8, LE(0), FALSE},
      {"id negative", 12, LE(-1), FALSE},
      {"id at the limit", 12, LE(0x7FFFFFFF), TRUE},
      {"name length huge", 16, LE(0x7FFFFFFF), FALSE},
      {"name length negative", 16, LE(-2), FALSE},
      {"name length 3", 16, LE(3), FALSE},
      {"stroke count huge", 22, LE(0x7FFFFFFF), FALSE},
      {"stroke count negative", 22, LE(-1), FALSE},
      {"stroke count 0", 22, LE(0), FALSE},
      {"type 5", 26, {5}, FALSE},
      {"type empty with points", 26, {0}, FALSE},
      {"type ellipse", 26, {4}, TRUE},
      {"type filled ellipse", 26, {11}, TRUE},
      {"type polyline filled", 26, {1}, FALSE},
      {"type filled polygon of two", 26, {10}, FALSE},
      {"unknown flag", 27, {0x0D}, FALSE},
      {"unfilled", 27, {0x04}, TRUE},
      {"pen style 6", 28, {6}, FALSE},
      {"brush style 7", 29, {7}, FALSE},
      {"pen width NaN", 30, {0, 0, 0, 0, 0, 0, 0xF8, 0x7F}, FALSE},
      {"pen width negative", 30, {0, 0, 0, 0, 0, 0, 0xE0, 0xBF}, FALSE},
      {"pen width infinite", 30, {0, 0, 0, 0, 0, 0, 0xF0, 0x7F}, FALSE},
      {"point count huge", 42, LE(0x7FFFFFFF), FALSE},
      {"point count negative", 42, LE(-1), FALSE},
      {"point count 3", 42, LE(3), FALSE},
      {"point count 1", 42, LE(1), FALSE},
      {"x NaN", 46, {0, 0, 0, 0, 0, 0, 0xF8, 0x7F}, FALSE},
      {"x beyond the extent", 46, {0, 0, 0, 0, 0, 0x10, 0x70, 0x40}, FALSE},  // 257.0
      {"x at the extent", 46, {0, 0, 0, 0, 0, 0, 0x70, 0xC0}, TRUE},  // -256.0
  };
  for (const Patch& p : patches) {
    Bytes image = kOneSymbol;
    std::copy(p.bytes.begin(), p.bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(p.at));
    CKyByteArrayEx ar;
    Fill(ar, image);
    CKySymLib lib = Sentinel();
    const BOOL got = lib.LoadEx(ar, 0);
    EXPECT_EQ(p.ok, got) << p.name;
    if (got) {
      EXPECT_EQ(image, Store(lib)) << p.name << ": an accepted image stores back the same";
    } else {
      EXPECT_EQ(Sentinel(), lib) << p.name;
    }
  }
}

TEST(CKySymLibImage, IdsMustAscendStrictly) {
  CKySymLib two;
  two.AddSymbol(MakeSymbol(10));
  two.AddSymbol(MakeSymbol(11));
  const Bytes image = Store(two);
  const size_t secondId = 12 + 65;  // id 4, name 5, stroke count 4, filled ellipse 52
  ASSERT_EQ(11, KyReadLE32(&image[secondId]));
  for (long id : {10L, 9L, 12L}) {
    Bytes b = image;
    Put32(b, secondId, id);
    CKyByteArrayEx ar;
    Fill(ar, b);
    CKySymLib lib;
    EXPECT_EQ(id > 10 ? TRUE : FALSE, lib.LoadEx(ar, 0)) << id;
  }
}

TEST(CKySymLibImage, AnyAcceptedMutationStoresBackIdentically) {
  // Flips of single bytes over a whole image: a load either fails leaving
  // the library alone, or succeeds with a library that writes those bytes.
  const Bytes image = Store(KySampleSymbols());
  int accepted = 0;
  for (size_t i = 0; i < image.size(); ++i) {
    for (BYTE mask : {0x01, 0x80, 0xFF}) {
      Bytes b = image;
      b[i] ^= mask;
      CKyByteArrayEx ar;
      Fill(ar, b);
      CKySymLib lib = Sentinel();
      if (lib.LoadEx(ar, 0)) {
        ++accepted;
        ASSERT_EQ(b, Store(lib)) << i << " " << int(mask);
      } else {
        ASSERT_EQ(Sentinel(), lib) << i << " " << int(mask);
      }
    }
  }
  EXPECT_GT(accepted, 0) << "colours and coordinates take most values";
}

}  // namespace
