#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "KyFillStyle.h"
#include "bmp_builder.h"
#include "library_files.h"

namespace {

using kytest::LE;

// Opens the record byte operations, which the library uses, to the tests.
class Record : public CKyFillStyle {
 public:
  using CKyFillStyle::FromBytes;
  using CKyFillStyle::FromBytesEx;
  using CKyFillStyle::IsSingleColor;
  using CKyFillStyle::ToBytes;
};

std::vector<uint8_t> Bytes(const CByteArray& a) { return kytest::FromArray(a); }

CByteArray& Array(const std::vector<uint8_t>& v, CByteArray& out) {
  kytest::ToArray(v, out);
  return out;
}

// Appends each value as four little-endian bytes.
void PutLE(std::vector<uint8_t>& out, std::initializer_list<long> values) {
  for (long v : values) {
    const std::vector<uint8_t> b = LE(v);
    out.insert(out.end(), b.begin(), b.end());
  }
}

TEST(FillStyleRecord, DefaultsAreThoseOfANewRecord) {
  Record r;
  EXPECT_EQ(-1, r.GetFillStyleID());
  EXPECT_EQ(std::string(""), r.GetFillStyleName().str());
  EXPECT_EQ(0, r.GetType());
  EXPECT_EQ(81, r.GetResolution());
  EXPECT_EQ(0xFF0000u, r.m_crFore);
  EXPECT_EQ(0xFFFFFFu, r.m_crBack);
  EXPECT_EQ(0, r.GetTileWidth());
  CByteArray out;
  EXPECT_FALSE(r.GetBMPArray(out));
  EXPECT_EQ(nullptr, r.GetFillStyleVector());
  // A new symbol pattern: no symbol, no angle, size 60, no points.
  r.CreateFillStyleVector(20, "v", 123, 456);
  CKyFillStyleVector* v = r.GetFillStyleVector();
  ASSERT_NE(nullptr, v);
  EXPECT_EQ(0, v->GetSymID());
  EXPECT_EQ(0, v->GetSymAngle());
  EXPECT_EQ(60, v->GetSymSize());
  EXPECT_EQ(0, v->GetPointCount());
  EXPECT_EQ(nullptr, v->GetPoints());
  EXPECT_EQ(123u, v->GetWidth());
  EXPECT_EQ(456u, v->GetHeight());
  // A bitmap record hides a vector pointer even if one were set.
  r.m_nType = CKyFillStyle::FS_TYPE_BITMAP;
  EXPECT_EQ(nullptr, r.GetFillStyleVector());
}

TEST(FillStyleRecord, ResolutionIsValidatedOnCreationButNotBySetResolution) {
  CByteArray pattern;
  CKyFillStyle a(9, "x", pattern, static_cast<CKyFillStyle::FS_RESOLUTION>(100));
  EXPECT_EQ(81, a.GetResolution());
  a.CreateFillStyle(9, "x", pattern, static_cast<CKyFillStyle::FS_RESOLUTION>(100));
  EXPECT_EQ(81, a.GetResolution());
  a.CreateFillStyle(9, "x", pattern, CKyFillStyle::FS_254DPI);
  EXPECT_EQ(254, a.GetResolution());
  EXPECT_TRUE(a.SetResolution(static_cast<CKyFillStyle::FS_RESOLUTION>(100)));
  EXPECT_EQ(100, a.GetResolution());
}

TEST(FillStyleRecord, BitmapRecordBytesAreExact) {
  CByteArray pattern;
  Array(std::vector<uint8_t>(62, 0xAB), pattern);
  Record r;
  r.CreateFillStyle(0x01020304, "ab", pattern, CKyFillStyle::FS_96DPI);
  CByteArray out;
  ASSERT_TRUE(r.ToBytes(out));
  std::vector<uint8_t> expected = {0};
  PutLE(expected, {0x01020304, 2});
  expected.insert(expected.end(), {'a', 'b'});
  PutLE(expected, {96, 62});
  expected.insert(expected.end(), 62, 0xAB);
  EXPECT_EQ(81u, expected.size());
  EXPECT_EQ(expected, Bytes(out));

  // Read back at an offset inside a larger array.
  std::vector<uint8_t> padded(5 + expected.size(), 0xEE);
  std::copy(expected.begin(), expected.end(), padded.begin() + 5);
  CByteArray in;
  Record back;
  EXPECT_EQ(5 + 81, back.FromBytes(5, Array(padded, in), KY_FSL_MAGIC_CURRENT));
  EXPECT_EQ(0x01020304, back.GetFillStyleID());
  EXPECT_EQ(std::string("ab"), back.GetFillStyleName().str());
  EXPECT_EQ(96, back.GetResolution());
  EXPECT_EQ(std::vector<uint8_t>(62, 0xAB), Bytes(back.m_arrBMP));
}

TEST(FillStyleRecord, SymbolPatternRecordBytesKeepSizeBeforeAngle) {
  Record r;
  r.CreateFillStyleVector(12, "abc", 300, 200);
  CKyFillStyleVector* v = r.GetFillStyleVector();
  ASSERT_NE(nullptr, v);
  v->SetSymID(17);
  v->SetSymAngle(450);
  v->SetSymSize(80);
  v->AddPoint(CPoint(1, 2));
  v->AddPoint(CPoint(-3, 4));
  CByteArray out;
  ASSERT_TRUE(r.ToBytes(out));
  std::vector<uint8_t> expected = {1};
  PutLE(expected, {12, 3});
  expected.insert(expected.end(), {'a', 'b', 'c'});
  PutLE(expected, {300, 200, 17, 80, 450, 2, 1, 2, -3, 4});
  EXPECT_EQ(52u, expected.size());
  EXPECT_EQ(expected, Bytes(out));

  Record back;
  EXPECT_EQ(52, back.FromBytes(0, out, KY_FSL_MAGIC_CURRENT));
  CKyFillStyleVector* bv = back.GetFillStyleVector();
  ASSERT_NE(nullptr, bv);
  EXPECT_EQ(300u, bv->GetWidth());
  EXPECT_EQ(200u, bv->GetHeight());
  EXPECT_EQ(17, bv->GetSymID());
  EXPECT_EQ(80, bv->GetSymSize());
  EXPECT_EQ(450, bv->GetSymAngle());
  ASSERT_EQ(2, bv->GetPointCount());
  EXPECT_EQ(CPoint(-3, 4), bv->GetPoint(1));
}

TEST(FillStyleRecord, OlderLayoutsReadTheirOwnFields) {
  // 20010521: id, name, resolution, pattern.
  std::vector<uint8_t> v;
  PutLE(v, {30, 1});
  v.push_back('n');
  PutLE(v, {100, 3});
  v.insert(v.end(), {7, 8, 9});
  CByteArray in;
  Record r;
  EXPECT_EQ(20, r.FromBytes(0, Array(v, in), KY_FSL_MAGIC_2001_05_21));
  EXPECT_EQ(30, r.GetFillStyleID());
  EXPECT_EQ(100, r.GetResolution());  // stored resolutions are not validated
  EXPECT_EQ((std::vector<uint8_t>{7, 8, 9}), Bytes(r.m_arrBMP));

  // 20010510: id, name, pattern; resolution 81.
  std::vector<uint8_t> w;
  PutLE(w, {31, 2});
  w.insert(w.end(), {'n', 'm'});
  PutLE(w, {2});
  w.insert(w.end(), {5, 6});
  Record s;
  EXPECT_EQ(16, s.FromBytes(0, Array(w, in), KY_FSL_MAGIC_2001_05_10));
  EXPECT_EQ(31, s.GetFillStyleID());
  EXPECT_EQ(81, s.GetResolution());
  Record t;
  EXPECT_EQ(16, t.FromBytesEx(0, in));
  EXPECT_EQ(std::string("nm"), t.GetFillStyleName().str());
}

TEST(FillStyleRecord, FromBytesFailures) {
  CByteArray pattern, empty, in;
  Array(std::vector<uint8_t>(10, 1), pattern);
  Record r;
  r.CreateFillStyle(9, "keep", pattern, CKyFillStyle::FS_81DPI);
  // An empty input leaves the record as it was.
  EXPECT_EQ(-1, r.FromBytes(0, empty, KY_FSL_MAGIC_CURRENT));
  EXPECT_EQ(9, r.GetFillStyleID());
  EXPECT_EQ(10, r.m_arrBMP.GetSize());
  // An unknown type byte leaves it released.
  EXPECT_EQ(-1, r.FromBytes(0, Array({2, 0, 0, 0, 0}, in), KY_FSL_MAGIC_CURRENT));
  EXPECT_EQ(0, r.m_arrBMP.GetSize());
  EXPECT_EQ(nullptr, r.m_pVector);
  // Unknown magic.
  EXPECT_EQ(-1, r.FromBytes(0, in, 20020202));
}

TEST(FillStyleRecord, EveryTruncationAndAbsurdLengthIsRefused) {
  CByteArray pattern;
  Array(kytest::Mono(8, 8), pattern);
  Record bitmap;
  bitmap.CreateFillStyle(8, "name", pattern, CKyFillStyle::FS_81DPI);
  Record vector;
  vector.CreateFillStyleVector(9, "vec", 10, 10);
  vector.GetFillStyleVector()->AddPoint(CPoint(1, 1));
  vector.GetFillStyleVector()->AddPoint(CPoint(2, 2));
  for (Record* rec : {&bitmap, &vector}) {
    CByteArray full;
    ASSERT_TRUE(rec->ToBytes(full));
    std::vector<uint8_t> bytes = Bytes(full);
    for (size_t n = 1; n < bytes.size(); ++n) {
      CByteArray cut;
      Array(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)), cut);
      Record r;
      EXPECT_EQ(-1, r.FromBytes(0, cut, KY_FSL_MAGIC_CURRENT)) << "cut at " << n;
    }
  }
  // Name and pattern lengths of 0x7FFFFFFF and -1, point count 0x20000000.
  CByteArray in;
  Record r;
  EXPECT_EQ(-1, r.FromBytes(0, Array({0, 8, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}, in), KY_FSL_MAGIC_CURRENT));
  EXPECT_EQ(-1, r.FromBytes(0, Array({0, 8, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, in), KY_FSL_MAGIC_CURRENT));
  EXPECT_EQ(-1, r.FromBytes(0, Array({0, 8, 0, 0, 0, 0, 0, 0, 0, 81, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}, in),
                            KY_FSL_MAGIC_CURRENT));
  std::vector<uint8_t> vec = {1, 8, 0, 0, 0, 0, 0, 0, 0};
  vec.resize(vec.size() + 20, 0);
  PutLE(vec, {0x20000000});
  EXPECT_EQ(-1, r.FromBytes(0, Array(vec, in), KY_FSL_MAGIC_CURRENT));
  EXPECT_EQ(nullptr, r.m_pVector);
  // An offset outside the input.
  EXPECT_EQ(-1, r.FromBytes(1000, in, KY_FSL_MAGIC_CURRENT));
  EXPECT_EQ(-1, r.FromBytes(-4, in, KY_FSL_MAGIC_2001_05_21));
}

TEST(FillStyleRecord, ToBytesRefusesAVectorlessSymbolPatternAndUnknownTypes) {
  Record r;
  CByteArray out;
  Array({1, 2, 3}, out);
  r.m_nType = CKyFillStyle::FS_TYPE_VECTOR;
  EXPECT_FALSE(r.ToBytes(out));
  r.m_nType = 5;
  EXPECT_FALSE(r.ToBytes(out));
  EXPECT_EQ(3, out.GetSize());
  r.m_nType = CKyFillStyle::FS_TYPE_BITMAP;
  EXPECT_TRUE(r.ToBytes(out));  // a bitmap record without pattern still writes
  EXPECT_EQ(17, out.GetSize());
}

TEST(FillStyleRecord, AssignmentCopiesContentNotTiles) {
  CKyFillStyle src;
  src.CreateFillStyleVector(20, "v", 10, 20);
  src.GetFillStyleVector()->AddPoint(CPoint(5, 6));
  CKySymLib* fakeLib = reinterpret_cast<CKySymLib*>(0x1000);
  src.AttachSymLib(fakeLib);
  CRgn* fakeRgn = reinterpret_cast<CRgn*>(0x2000);
  src.SetPrintRgn(fakeRgn);
  src.m_nTileWidth = 33;
  src.m_crFore = 0x123456;

  CKyFillStyle dst;
  dst = src;
  ASSERT_NE(nullptr, dst.GetFillStyleVector());
  EXPECT_EQ(20, dst.GetFillStyleID());
  EXPECT_EQ(fakeLib, dst.GetFillStyleVector()->GetSymLib());
  EXPECT_EQ(fakeRgn, dst.GetPrintRgn());
  EXPECT_EQ(0, dst.m_nTileWidth);
  EXPECT_EQ(0xFF0000u, dst.m_crFore);
  dst.GetFillStyleVector()->SetPoint(0, CPoint(9, 9));
  EXPECT_EQ(CPoint(5, 6), src.GetFillStyleVector()->GetPoint(0));

  // A source whose bytes cannot be written leaves the target's content.
  CKyFillStyle broken;
  broken.m_nType = CKyFillStyle::FS_TYPE_VECTOR;
  broken.SetPrintRgn(nullptr);
  dst = broken;
  EXPECT_EQ(20, dst.GetFillStyleID());
  ASSERT_NE(nullptr, dst.GetFillStyleVector());
  EXPECT_EQ(nullptr, dst.GetPrintRgn());
}

TEST(FillStyleRecord, IsSingleColorReadsTheBitCount) {
  Record r;
  EXPECT_FALSE(r.IsSingleColor());
  CByteArray pattern;
  Array(kytest::Mono(8, 8), pattern);
  r.CreateFillStyle(8, "m", pattern, CKyFillStyle::FS_81DPI);
  EXPECT_TRUE(r.IsSingleColor());
  r.m_arrBMP[28] = 24;
  EXPECT_FALSE(r.IsSingleColor());
}

TEST(FillStyleVector, PointsSymbolIdAndAssignment) {
  CKyFillStyleVector v;
  v.AddPoint(CPoint(1, 1));
  v.AddPoint(CPoint(2, 2));
  EXPECT_TRUE(v.InsertPoint(5, CPoint(7, 7)));
  ASSERT_EQ(6, v.GetPointCount());
  const CPoint expected[] = {{1, 1}, {2, 2}, {0, 0}, {0, 0}, {0, 0}, {7, 7}};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(expected[i], v.GetPoint(i)) << i;
  EXPECT_TRUE(v.InsertPoint(1, CPoint(3, 3)));
  EXPECT_EQ(CPoint(3, 3), v.GetPoint(1));
  EXPECT_EQ(CPoint(2, 2), v.GetPoint(2));
  v.DeletePoint(1, 2);
  EXPECT_EQ(5, v.GetPointCount());
  EXPECT_EQ(CPoint(0, 0), v.GetPoint(1));
  v.RemoveAllPoint();
  EXPECT_EQ(nullptr, v.GetPoints());
  // Moving the symbol id, and assignment.
  CKyFillStyleVector a;
  a.SetSymID(12);
  EXPECT_TRUE(a.MoveSymID(5));
  EXPECT_EQ(17, a.GetSymID());
  a.AddPoint(CPoint(4, 5));
  CKyFillStyleVector b;
  b = a;
  EXPECT_EQ(17, b.GetSymID());
  EXPECT_EQ(1, b.GetPointCount());
}

}  // namespace
