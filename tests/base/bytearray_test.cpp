#include <gtest/gtest.h>

#include <vector>

#include "KyROdi50.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Of(const CKyByteArrayEx& ar) { return Bytes(ar.GetData(), ar.GetData() + ar.GetSize()); }

void Fill(CKyByteArrayEx& ar, const Bytes& b) {
  ar.RemoveAllSafely();
  ar.Add(b.data(), static_cast<int>(b.size()));
}

TEST(CKyByteArrayEx, LongsAreFourBytesLittleEndian) {
  struct { long value; Bytes bytes; long back; } cases[] = {
      {0, {0, 0, 0, 0}, 0},
      {1, {1, 0, 0, 0}, 1},
      {-1, {0xFF, 0xFF, 0xFF, 0xFF}, -1},
      {0x12345678, {0x78, 0x56, 0x34, 0x12}, 0x12345678},
      {20031121, {0x91, 0xA6, 0x31, 0x01}, 20031121},
      {0x7FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}, 0x7FFFFFFF},
      {-2147483648L, {0, 0, 0, 0x80}, -2147483648L},
      {0x80000000L, {0, 0, 0, 0x80}, -2147483648L},    // the low 32 bits are kept
      {0x100000001L, {1, 0, 0, 0}, 1},
  };
  for (auto& c : cases) {
    CKyByteArrayEx ar;
    ar.Add(c.value);
    EXPECT_EQ(c.bytes, Of(ar)) << c.value;
    int pos = 0;
    EXPECT_EQ(c.back, ar.GetLongAt(pos)) << c.value;
    EXPECT_EQ(4, pos);
    EXPECT_FALSE(ar.HasReadError());
  }
}

TEST(CKyByteArrayEx, StringsAreLengthThenBytesWithoutTerminator) {
  struct { CString text; Bytes bytes; } cases[] = {
      {"", {0, 0, 0, 0}},
      {"ab", {2, 0, 0, 0, 'a', 'b'}},
      {CString("\xC4\xE3\xBA\xC3"), {4, 0, 0, 0, 0xC4, 0xE3, 0xBA, 0xC3}},  // GB2312 bytes as they are
      {CString("a\0b", 3), {3, 0, 0, 0, 'a', 0, 'b'}},
  };
  for (auto& c : cases) {
    CKyByteArrayEx ar;
    ar.Add(c.text);
    EXPECT_EQ(c.bytes, Of(ar)) << c.text.str();
    int pos = 0;
    EXPECT_EQ(c.text.str(), ar.GetStringAt(pos).str());
    EXPECT_EQ(static_cast<int>(c.bytes.size()), pos);
    EXPECT_FALSE(ar.HasReadError());
  }
}

TEST(CKyByteArrayEx, RawBytesAndAMixedStream) {
  CKyByteArrayEx ar;
  const unsigned char raw[3] = {9, 8, 7};
  ar.Add(raw, 3);
  ar.Add(raw, 0);
  ar.Add(raw, -1);
  ar.Add(nullptr, 2);
  ar.Add(5L);
  ar.Add(CString("z"));
  ar.AddByte(0xEE);
  EXPECT_EQ((Bytes{9, 8, 7, 5, 0, 0, 0, 1, 0, 0, 0, 'z', 0xEE}), Of(ar));

  int pos = 0;
  unsigned char got[3] = {};
  EXPECT_TRUE(ar.GetBytesAt(pos, got, 3));
  EXPECT_EQ((Bytes{9, 8, 7}), Bytes(got, got + 3));
  EXPECT_EQ(5, ar.GetLongAt(pos));
  EXPECT_EQ(std::string("z"), ar.GetStringAt(pos).str());
  EXPECT_TRUE(ar.GetBytesAt(pos, got, 1));
  EXPECT_EQ(0xEE, got[0]);
  EXPECT_EQ(13, pos);
  EXPECT_TRUE(ar.GetBytesAt(pos, nullptr, 0)) << "nothing to read at the end is fine";
  EXPECT_FALSE(ar.HasReadError());
}

TEST(CKyByteArrayEx, EveryReadPastTheEndFailsCleanly) {
  enum Kind { Long, String, BytesN };
  struct Case {
    const char* name;
    Bytes data;
    int pos;
    Kind kind;
    int n;
  } cases[] = {
      {"long in an empty stream", {}, 0, Long, 0},
      {"long cut to 3", {1, 2, 3}, 0, Long, 0},
      {"long at the end", {1, 2, 3, 4}, 4, Long, 0},
      {"long straddling the end", {1, 2, 3, 4, 5}, 2, Long, 0},
      {"long at a negative pos", {1, 2, 3, 4}, -1, Long, 0},
      {"long far past the end", {1, 2, 3, 4}, 1000, Long, 0},
      {"string length cut", {2, 0, 0}, 0, String, 0},
      {"string body cut", {3, 0, 0, 0, 'a', 'b'}, 0, String, 0},
      {"string length negative", {0xFF, 0xFF, 0xFF, 0xFF, 'a'}, 0, String, 0},
      {"string length most negative", {0, 0, 0, 0x80, 'a'}, 0, String, 0},
      {"string length huge", {0xFF, 0xFF, 0xFF, 0x7F, 'a'}, 0, String, 0},
      {"string at a negative pos", {0, 0, 0, 0}, -4, String, 0},
      {"bytes past the end", {1, 2}, 1, BytesN, 2},
      {"bytes negative count", {1, 2}, 0, BytesN, -1},
      {"bytes at a negative pos", {1, 2}, -1, BytesN, 1},
      {"bytes huge count", {1, 2}, 1, BytesN, 0x7FFFFFFF},
  };
  for (const Case& c : cases) {
    CKyByteArrayEx ar;
    Fill(ar, c.data);
    int pos = c.pos;
    unsigned char out[8] = {};
    switch (c.kind) {
      case Long: EXPECT_EQ(0, ar.GetLongAt(pos)) << c.name; break;
      case String: EXPECT_TRUE(ar.GetStringAt(pos).IsEmpty()) << c.name; break;
      case BytesN: EXPECT_FALSE(ar.GetBytesAt(pos, out, c.n)) << c.name; break;
    }
    EXPECT_TRUE(ar.HasReadError()) << c.name;
    EXPECT_EQ(static_cast<int>(c.data.size()), pos) << c.name << ": pos goes to the end so that a loop stops";
    EXPECT_EQ(c.data, Of(ar)) << c.name << ": the data is untouched";
  }
  CKyByteArrayEx ar;
  Fill(ar, {1, 2, 3, 4});
  int pos = 0;
  EXPECT_FALSE(ar.GetBytesAt(pos, nullptr, 2)) << "no buffer for a count above 0";
  EXPECT_TRUE(ar.HasReadError());
}

TEST(CKyByteArrayEx, ReadErrorIsStickyUntilCleared) {
  CKyByteArrayEx ar;
  ar.Add(7L);
  int pos = 2;
  ar.GetLongAt(pos);
  ASSERT_TRUE(ar.HasReadError());
  pos = 0;
  EXPECT_EQ(7, ar.GetLongAt(pos)) << "a good read still reads";
  EXPECT_TRUE(ar.HasReadError()) << "and leaves the flag raised";
  ar.ClearReadError();
  EXPECT_FALSE(ar.HasReadError());
  ar.GetLongAt(pos);
  EXPECT_TRUE(ar.HasReadError());
  ar.RemoveAllSafely();
  EXPECT_FALSE(ar.HasReadError());
  EXPECT_EQ(0, ar.GetSize());
}

TEST(CKyByteArrayEx, CanReadChecksBothEnds) {
  CKyByteArrayEx ar;
  Fill(ar, {1, 2, 3, 4});
  struct { int pos; long long n; BOOL ok; } cases[] = {
      {0, 4, TRUE}, {0, 5, FALSE}, {4, 0, TRUE}, {3, 1, TRUE}, {3, 2, FALSE},
      {-1, 1, FALSE}, {0, -1, FALSE}, {5, 0, FALSE}, {1, 0x7FFFFFFFFFFFFFF0LL, FALSE},
  };
  for (auto& c : cases) EXPECT_EQ(c.ok, ar.CanRead(c.pos, c.n)) << c.pos << "+" << c.n;
}

TEST(KyLE32, ReadsAndWritesLittleEndian) {
  BYTE b[4];
  KyWriteLE32(b, -2);
  EXPECT_EQ((Bytes{0xFE, 0xFF, 0xFF, 0xFF}), Bytes(b, b + 4));
  EXPECT_EQ(-2, KyReadLE32(b));
  const BYTE c[4] = {0x01, 0x02, 0x03, 0x84};
  EXPECT_EQ(static_cast<LONG>(0x84030201u), KyReadLE32(c));
}

}  // namespace
