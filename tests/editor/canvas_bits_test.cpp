// The canvas's buffers without its window: the 1-bit layout, resizing,
// invert and undo, the floating block, Arrange paste, and the BMP exchange
// with what it refuses.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "KyFSLEditWnd.h"
#include "bmp_builder.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Of(const CByteArray& a) { return kytest::FromArray(a); }
void Set(CByteArray& a, const Bytes& v) { kytest::ToArray(v, a); }

// A canvas holding a fresh w x h pattern, as the dialog's New makes one.
void NewPattern(CKyFSLEditWnd& c, int w, int h) {
  c.m_nWidth = c.m_nUndoWidth = w;
  c.m_nHeight = c.m_nUndoHeight = h;
  const int s = ((w - 1) / 32) * 4 + 4;
  c.m_arrBits.RemoveAll();
  c.m_arrBits.SetSize(static_cast<INT_PTR>(s) * h);
  c.m_arrUndo.Copy(c.m_arrBits);
}

bool Pixel(const CKyFSLEditWnd& c, int x, int y) {
  const int s = static_cast<int>(c.m_arrBits.GetSize() / c.m_nHeight);
  return (c.m_arrBits[(c.m_nHeight - y - 1) * s + x / 8] & (0x80 >> (x % 8))) != 0;
}

using Pixels = std::vector<std::pair<int, int>>;

// The set pixels, row by row from the top.
Pixels SetPixels(const CKyFSLEditWnd& c) {
  Pixels out;
  for (int y = 0; y < c.m_nHeight; ++y)
    for (int x = 0; x < c.m_nWidth; ++x)
      if (Pixel(c, x, y)) out.emplace_back(x, y);
  return out;
}

// Width, height, undo width, undo height and the size of the buffer.
std::vector<INT_PTR> Sizes(const CKyFSLEditWnd& c) {
  return {c.m_nWidth, c.m_nHeight, c.m_nUndoWidth, c.m_nUndoHeight, c.m_arrBits.GetSize()};
}

// Resizes the way the handles and the size edits do: snapshot, then resize.
void Resize(CKyFSLEditWnd& c, int w, int h) {
  c.SaveUndo();
  c.m_nWidth = w;
  c.m_nHeight = h;
  c.DragBrush();
}

TEST(CanvasBits, NewPatternIs128BytesAnd190ByteImage) {
  CKyFSLEditWnd c;
  NewPattern(c, 32, 32);
  EXPECT_EQ(c.m_arrBits.GetSize(), 128);
  CByteArray out;
  ASSERT_EQ(c.ToByteBuffer(out), 1);
  ASSERT_EQ(out.GetSize(), 190);
  const Bytes header = {'B', 'M', 190, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,  // file header
                        40, 0, 0, 0, 32, 0, 0, 0, 32, 0, 0, 0, 1, 0, 1, 0,  // size, W, H, planes, bits
                        0, 0, 0, 0, 0, 0, 0, 0,                            // compression, image size
                        0x10, 0x27, 0, 0, 0x10, 0x27, 0, 0,                // 10000 pixels per metre
                        0, 0, 0, 0, 0, 0, 0, 0,                            // colours used, important
                        255, 255, 255, 0, 0, 0, 0, 0};                     // white, black
  const Bytes got = Of(out);
  EXPECT_EQ(Bytes(got.begin(), got.begin() + 62), header);
  EXPECT_EQ(Bytes(got.begin() + 62, got.end()), Bytes(128, 0));
}

TEST(CanvasBits, InsertBitFollowsTheDibLayout) {
  CKyFSLEditWnd c;
  NewPattern(c, 33, 3);  // rows of 8 bytes
  ASSERT_EQ(c.m_arrBits.GetSize(), 24);
  c.InsertBit(CPoint(0, 0), 1);   // top row: the last row of the buffer
  c.InsertBit(CPoint(9, 0), 1);   // byte 1, bit 6
  c.InsertBit(CPoint(32, 2), 1);  // bottom row, byte 4, bit 7
  c.InsertBit(CPoint(33, 0), 1);  // outside: nothing
  c.InsertBit(CPoint(-1, 0), 1);
  c.InsertBit(CPoint(0, 3), 1);
  Bytes want(24, 0);
  want[16] = 0x80;
  want[17] = 0x40;
  want[4] = 0x80;
  EXPECT_EQ(Of(c.m_arrBits), want);
  c.InsertBit(CPoint(0, 0), 0);
  want[16] = 0;
  EXPECT_EQ(Of(c.m_arrBits), want);
}

// Resizing keeps the pixels at the top left, clears what it exposes, and
// keeps the sizes at 999 or less; a size of 0 empties the pattern.
TEST(CanvasBits, Resizing) {
  CKyFSLEditWnd c;
  NewPattern(c, 32, 4);
  for (int i = 0; i < 16; ++i) c.m_arrBits[i] = static_cast<BYTE>(0x11 * (i + 1));
  const Bytes before = Of(c.m_arrBits);
  Resize(c, 33, 4);  // four zero bytes inserted after each row
  Bytes want;
  for (int r = 0; r < 4; ++r) {
    want.insert(want.end(), before.begin() + r * 4, before.begin() + r * 4 + 4);
    want.insert(want.end(), 4, 0);
  }
  EXPECT_EQ(Of(c.m_arrBits), want);

  NewPattern(c, 40, 5);
  for (INT_PTR i = 0; i < c.m_arrBits.GetSize(); ++i) c.m_arrBits[i] = 0xFF;
  Resize(c, 13, 5);
  EXPECT_EQ(c.m_arrBits.GetSize(), 20);
  Resize(c, 40, 5);  // the columns exposed again are clear
  EXPECT_EQ(Sizes(c), (std::vector<INT_PTR>{40, 5, 13, 5, 40}));
  Pixels left;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 13; ++x) left.emplace_back(x, y);
  EXPECT_EQ(SetPixels(c), left);

  NewPattern(c, 8, 4);
  c.InsertBit(CPoint(1, 0), 1);
  c.InsertBit(CPoint(2, 3), 1);
  Resize(c, 8, 6);
  EXPECT_EQ(c.m_arrBits.GetSize(), 24);
  EXPECT_EQ(SetPixels(c), (Pixels{{1, 0}, {2, 3}}));
  Resize(c, 8, 3);
  EXPECT_EQ(c.m_arrBits.GetSize(), 12);
  Resize(c, 8, 4);  // (2, 3) went with the bottom row
  EXPECT_EQ(SetPixels(c), (Pixels{{1, 0}}));

  NewPattern(c, 10, 10);
  Resize(c, 0, 7);
  EXPECT_EQ(Sizes(c), (std::vector<INT_PTR>{0, 0, 10, 10, 0}));
  NewPattern(c, 10, 10);
  c.InsertBit(CPoint(9, 9), 1);
  Resize(c, 999, 999);
  EXPECT_EQ(c.m_arrBits.GetSize(), 999 * 128);
  EXPECT_TRUE(Pixel(c, 9, 9));
  Resize(c, 5000, 1200);
  EXPECT_EQ(Sizes(c), (std::vector<INT_PTR>{999, 999, 999, 999, 999 * 128}));
}

TEST(CanvasBits, InvertTwiceRestoresAndLeavesTheSnapshot) {
  CKyFSLEditWnd c;
  NewPattern(c, 20, 3);
  c.InsertBit(CPoint(4, 1), 1);
  const Bytes original = Of(c.m_arrBits);
  ASSERT_EQ(c.InvertBrush(), 1);
  const Bytes inverted = Of(c.m_arrBits);
  for (size_t i = 0; i < original.size(); ++i) EXPECT_EQ(inverted[i], static_cast<uint8_t>(~original[i]));
  EXPECT_EQ(Of(c.m_arrUndo), original);  // the snapshot the dialog's Undo swaps with
  ASSERT_EQ(c.InvertBrush(), 1);
  EXPECT_EQ(Of(c.m_arrBits), original);
  CKyFSLEditWnd empty;
  EXPECT_EQ(empty.InvertBrush(), 0);
}

TEST(CanvasBits, SelectionLiftsIntoThePackedBlockAndDrops) {
  CKyFSLEditWnd c;
  // A drag up and to the left selects the cells between.
  c.m_ptAnchor = CPoint(5, 5);
  c.m_ptEnd = CPoint(2, 2);
  c.DrawSelect(FALSE);
  EXPECT_EQ(c.m_rcSelect, CRect(3, 3, 5, 5));
  c.m_rcSelect.SetRectEmpty();
  c.m_ptAnchor = CPoint(1, 2);
  c.m_ptEnd = CPoint(4, 2);
  c.DrawSelect(FALSE);
  EXPECT_EQ(c.m_rcSelect, CRect(1, 2, 5, 3));

  NewPattern(c, 16, 4);
  c.InsertBit(CPoint(2, 1), 1);
  c.InsertBit(CPoint(11, 2), 1);
  c.InsertBit(CPoint(1, 1), 1);  // outside the selection
  c.m_rcSelect = CRect(2, 1, 12, 3);  // 10 x 2: rows of 16 bytes
  ASSERT_EQ(c.SelectToByteArray(), 1);
  Bytes want(32, 0);
  want[0] = 0x80;       // (0, 0)
  want[16 + 1] = 0x40;  // (9, 1)
  EXPECT_EQ(Of(c.m_arrFloat), want);
  ASSERT_EQ(c.InsertSelect(0, TRUE), 1);  // lifted: the pattern loses them
  EXPECT_EQ(SetPixels(c), (Pixels{{1, 1}}));
  EXPECT_FALSE(c.m_rcSelect.IsRectEmpty());  // still floating
  c.m_rcSelect = CRect(0, 0, 0, 3);
  EXPECT_EQ(c.SelectToByteArray(), 0);

  // A dropped block keeps the pixels under its clear bits.
  NewPattern(c, 8, 8);
  c.InsertBit(CPoint(3, 3), 1);
  c.InsertBit(CPoint(4, 3), 1);
  c.m_rcSelect = CRect(3, 3, 5, 4);  // a 2 x 1 block with only its right bit set
  Set(c.m_arrFloat, Bytes{0x40, 0, 0, 0, 0, 0, 0, 0});
  ASSERT_EQ(c.InsertSelect(1, TRUE), 1);
  EXPECT_EQ(SetPixels(c), (Pixels{{3, 3}, {4, 3}}));
  EXPECT_TRUE(c.m_rcSelect.IsRectEmpty());
  EXPECT_TRUE(c.m_arrFloat.IsEmpty());
  EXPECT_EQ(c.InsertSelect(1, TRUE), 0);
}

TEST(CanvasBits, ArrangePaste) {
  CKyFSLEditWnd c;
  NewPattern(c, 10, 10);
  c.InsertBit(CPoint(9, 9), 1);  // cleared by the paste
  c.m_rcCopy = CRect(0, 0, 2, 2);
  Set(c.m_arrCopy, Bytes(16, 0));
  c.m_arrCopy[0] = 0xC0;  // top row of the block set
  ASSERT_EQ(c.ArrangePaste(CPoint(1, 1), 8, 8), 1);
  EXPECT_EQ(Sizes(c), (std::vector<INT_PTR>{16, 16, 10, 10, 16 * 4}));
  EXPECT_EQ(SetPixels(c), (Pixels{{1, 1}, {2, 1}, {9, 9}, {10, 9}}));
  EXPECT_TRUE(c.m_rcSelect.IsRectEmpty());

  // Refusals.
  CKyFSLEditWnd none;
  EXPECT_EQ(none.ArrangePaste(CPoint(0, 0), 4, 4), 0);  // nothing at all
  NewPattern(c, 10, 10);
  c.m_arrCopy.RemoveAll();
  c.m_rcCopy.SetRectEmpty();
  EXPECT_EQ(c.ArrangePaste(CPoint(0, 0), 4, 4), 0);  // no copy
  c.m_rcCopy = CRect(0, 0, 8, 8);
  Set(c.m_arrCopy, Bytes(64, 0xFF));
  // The block does not fit at the start point: 0, after the enlargement.
  EXPECT_EQ(c.ArrangePaste(CPoint(5, 0), 6, 2), 0);
  EXPECT_EQ(c.m_nWidth, 12);
  EXPECT_EQ(c.m_nHeight, 4);
}

TEST(CanvasBits, FromByteBufferTakesAOneBitImage) {
  CKyFSLEditWnd c;
  CByteArray in;
  kytest::ToArray(kytest::Mono(13, 5, [](int x, int y) { return x == y || x == 12; }), in);
  ASSERT_EQ(c.FromByteBuffer(in), 1);
  EXPECT_EQ(Sizes(c), (std::vector<INT_PTR>{13, 5, 13, 5, 20}));
  EXPECT_EQ(Of(c.m_arrUndo), Of(c.m_arrBits));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 13; ++x) EXPECT_EQ(Pixel(c, x, y), x == y || x == 12);
  CByteArray out;
  ASSERT_EQ(c.ToByteBuffer(out), 1);
  EXPECT_EQ(out.GetSize(), 82);
  const Bytes a = Of(in), b = Of(out);
  EXPECT_EQ(Bytes(a.begin() + 62, a.end()), Bytes(b.begin() + 62, b.end()));
}

TEST(CanvasBits, FromByteBufferHonoursOffsetAndTurnsTopDownImages) {
  Bytes img = kytest::Mono(8, 3, [](int x, int y) { return x == 0 && y == 0; });
  // Eight bytes of gap before the pixels, the offset saying so.
  Bytes moved(img.begin(), img.begin() + 62);
  moved.insert(moved.end(), 8, 0xEE);
  moved.insert(moved.end(), img.begin() + 62, img.end());
  kytest::PutLE(moved, 10, 70, 4);
  CKyFSLEditWnd c;
  CByteArray in;
  kytest::ToArray(moved, in);
  ASSERT_EQ(c.FromByteBuffer(in), 1);
  EXPECT_TRUE(Pixel(c, 0, 0));
  EXPECT_EQ(c.m_arrBits.GetSize(), 12);

  Bytes top = img;
  kytest::PutLE(top, 22, static_cast<uint32_t>(-3), 4);
  // The same rows read top-down: the first stored row is now the top one.
  std::swap_ranges(top.begin() + 62, top.begin() + 66, top.begin() + 70);
  kytest::ToArray(top, in);
  ASSERT_EQ(c.FromByteBuffer(in), 1);
  EXPECT_EQ(c.m_nHeight, 3);
  EXPECT_TRUE(Pixel(c, 0, 0));
  EXPECT_EQ(Of(c.m_arrBits), Bytes(img.begin() + 62, img.end()));
}

Bytes EightBit(int w, int h) {
  const int stride = (w + 3) / 4 * 4;
  Bytes v(54 + 1024 + static_cast<size_t>(stride) * h, 0);
  v[0] = 'B';
  v[1] = 'M';
  kytest::PutLE(v, 2, static_cast<uint32_t>(v.size()), 4);
  kytest::PutLE(v, 10, 54 + 1024, 4);
  kytest::PutLE(v, 14, 40, 4);
  kytest::PutLE(v, 18, static_cast<uint32_t>(w), 4);
  kytest::PutLE(v, 22, static_cast<uint32_t>(h), 4);
  kytest::PutLE(v, 26, 1, 2);
  kytest::PutLE(v, 28, 8, 2);
  for (int i = 0; i < 256; ++i) kytest::PutLE(v, 54 + 4 * i, static_cast<uint32_t>(i * 0x010101), 4);
  for (size_t i = 54 + 1024; i < v.size(); ++i) v[i] = static_cast<uint8_t>(i * 7);
  return v;
}

TEST(CanvasBits, EightBitImageIsKeptAndReturnedUnchanged) {
  CKyFSLEditWnd c;
  const Bytes img = EightBit(5, 4);
  CByteArray in, out;
  kytest::ToArray(img, in);
  ASSERT_EQ(c.FromByteBuffer(in), 1);
  EXPECT_EQ(c.m_nWidth, 0);
  EXPECT_EQ(c.m_nHeight, 0);
  EXPECT_TRUE(c.m_arrBits.IsEmpty());
  EXPECT_EQ(Of(c.m_arrImage), img);
  ASSERT_EQ(c.ToByteBuffer(out), 1);
  EXPECT_EQ(Of(out), img);
  EXPECT_EQ(c.PtInRect(CPoint(1, 1)), 0);
}

struct Malformed {
  const char* name;
  Bytes image;
};

Bytes With(Bytes v, size_t at, uint32_t value, int bytes) {
  kytest::PutLE(v, at, value, bytes);
  return v;
}

TEST(CanvasBits, MalformedImagesLeaveTheCanvasEmpty) {
  const Bytes good = kytest::Mono(16, 4);
  const Bytes eight = EightBit(4, 4);
  const Malformed cases[] = {
      {"empty", {}},
      {"shorter than its headers", Bytes(good.begin(), good.begin() + 53)},
      {"zero width", With(good, 18, 0, 4)},
      {"negative width", With(good, 18, static_cast<uint32_t>(-16), 4)},
      {"width above 999", With(good, 18, 1000, 4)},
      {"zero height", With(good, 22, 0, 4)},
      {"height above 999", With(good, 22, 1000, 4)},
      {"top-down height above 999", With(good, 22, static_cast<uint32_t>(-1000), 4)},
      {"huge width", With(good, 18, 0x7FFFFFFF, 4)},
      {"image size larger than the buffer", With(good, 34, 4096, 4)},
      {"image size smaller than the rows", With(good, 34, 8, 4)},
      {"rows missing", Bytes(good.begin(), good.end() - 1)},
      {"pixel offset past the end", With(good, 10, 4000, 4)},
      {"pixel offset inside the headers", With(good, 10, 20, 4)},
      {"info header too small", With(good, 14, 12, 4)},
      {"compressed", With(good, 30, 1, 4)},
      {"eight-bit image cut short", Bytes(eight.begin(), eight.end() - 3)},
      {"eight-bit image too wide", With(eight, 18, 1200, 4)},
  };
  for (const Malformed& m : cases) {
    CKyFSLEditWnd c;
    NewPattern(c, 8, 8);  // whatever was there goes
    Set(c.m_arrImage, Bytes{1, 2, 3});
    CByteArray in;
    kytest::ToArray(m.image, in);
    EXPECT_EQ(c.FromByteBuffer(in), 0) << m.name;
    EXPECT_TRUE(c.m_arrBits.IsEmpty()) << m.name;
    EXPECT_TRUE(c.m_arrImage.IsEmpty()) << m.name;
    EXPECT_TRUE(c.m_arrUndo.IsEmpty()) << m.name;
    EXPECT_EQ(c.m_nWidth, 0) << m.name;
    EXPECT_EQ(c.m_nHeight, 0) << m.name;
    CByteArray out;
    EXPECT_EQ(c.ToByteBuffer(out), 0) << m.name;
  }
}

TEST(CanvasBits, EmptyCanvasOperationsDoNothing) {
  CKyFSLEditWnd c;
  CByteArray out;
  out.Add(7);
  EXPECT_EQ(c.ToByteBuffer(out), 0);
  EXPECT_EQ(out.GetSize(), 1);  // untouched
  EXPECT_EQ(c.SelectToByteArray(), 0);
  EXPECT_EQ(c.InsertSelect(1, TRUE), 0);
  EXPECT_EQ(c.PtInRect(CPoint(0, 0)), 0);
  c.InsertBit(CPoint(0, 0), 1);
  c.DragBrush();
  c.ReDraw();
  c.ScrollChange(0, 0);
  EXPECT_TRUE(c.m_arrBits.IsEmpty());
  c.Clear();
  EXPECT_EQ(c.m_nWidth, 0);
}

// Fields the dialog may leave inconsistent: no operation leaves the buffers
// (the arrays assert on any index outside them).
TEST(CanvasBits, InconsistentFieldsStayInsideTheBuffers) {
  struct Case {
    const char* name;
    int w, h, bytes, uw, uh;
  };
  const Case cases[] = {
      {"buffer shorter than H x S", 64, 10, 17, 64, 10},
      {"buffer longer than H x S", 8, 4, 100, 8, 4},
      {"width beyond the rows", 200, 4, 16, 200, 4},
      {"sizes without buffer", 30, 30, 0, 30, 30},
      {"buffer without sizes", 0, 0, 40, 0, 0},
      {"negative sizes", -5, -7, 12, -5, -7},
      {"undo sizes wrong", 16, 16, 64, 900, 3},
      {"one byte for many rows", 8, 50, 1, 8, 50},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CKyFSLEditWnd c;
    c.m_nWidth = k.w;
    c.m_nHeight = k.h;
    c.m_nUndoWidth = k.uw;
    c.m_nUndoHeight = k.uh;
    Set(c.m_arrBits, Bytes(static_cast<size_t>(k.bytes), 0xA5));
    c.m_rcSelect = CRect(-3, -3, 70, 70);
    Set(c.m_arrFloat, Bytes(5, 0xFF));
    c.m_rcCopy = CRect(0, 0, 50, 50);
    Set(c.m_arrCopy, Bytes(3, 0xFF));
    for (int y = -1; y <= 60; y += 3)
      for (int x = -1; x <= 210; x += 7) c.InsertBit(CPoint(x, y), (x + y) & 1);
    c.DrawBrush(nullptr);
    c.InsertSelect(0, FALSE);
    c.InsertSelect(1, TRUE);
    c.m_rcSelect = CRect(0, 0, 300, 300);
    c.SelectToByteArray();
    c.InsertSelect(0, TRUE);
    c.InvertBrush();
    CByteArray out;
    c.ToByteBuffer(out);
    c.ArrangePaste(CPoint(0, 0), 30, 30);
    c.m_nWidth = k.w + 3;
    c.DragBrush();
    c.PtInRect(CPoint(10, 10));
    c.m_ptAnchor = CPoint(-5, -5);
    c.m_ptEnd = CPoint(400, 300);
    for (auto draw : {&CKyFSLEditWnd::DrawLine, &CKyFSLEditWnd::DrawRectangle, &CKyFSLEditWnd::DrawRectangleFill,
                      &CKyFSLEditWnd::DrawEllipse, &CKyFSLEditWnd::DrawEllipseFill,
                      &CKyFSLEditWnd::DrawQuarterEllipse})
      (c.*draw)(nullptr, 1, TRUE);
  }
}

TEST(CanvasBits, CellSizeFromTheDialogIsKeptSane) {
  CKyFSLEditWnd c;
  NewPattern(c, 4, 4);
  c.m_nCellSize = 0;  // no division by zero
  EXPECT_EQ(c.PtInRect(CPoint(1, 1)), 4);
  c.m_nCellSize = -8;
  EXPECT_NE(c.PtInRect(CPoint(4, 4)), -1);
}

}  // namespace
