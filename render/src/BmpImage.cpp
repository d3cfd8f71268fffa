#include "BmpImage.h"

#include <cstring>
#include <vector>

namespace ky {

namespace {

void PutEntry(BYTE* e, COLORREF c) {
  e[0] = GetBValue(c);
  e[1] = GetGValue(c);
  e[2] = GetRValue(c);
}

void Put32(BYTE* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<BYTE>(v >> (8 * i));
}
uint32_t Get32(const BYTE* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

BOOL ReadBmpHeader(const CByteArray& image, KyBmpHeader& out) {
  return CKyDib::ReadHeader(image.GetData(), static_cast<size_t>(image.GetSize()), &out);
}

void ColourMonoImage(CByteArray& image, const KyBmpHeader& h, COLORREF crFore, COLORREF crBack) {
  if (h.bitCount != 1 || h.colors < 1) return;
  const size_t entry = static_cast<size_t>(h.colorEntryBytes);
  const size_t table = h.colorTableOffset;
  if (h.colors >= 2) {
    BYTE* p = image.GetData();
    PutEntry(p + table, crBack);
    PutEntry(p + table + entry, crFore);
    return;
  }
  // One entry: a second one goes in behind it. Only info headers of 40
  // bytes or more can have a short table (a core header's is always full),
  // so the entry count is a field there.
  const size_t size = static_cast<size_t>(image.GetSize());
  const size_t at = table + entry;
  std::vector<BYTE> bytes(size + entry, 0);
  std::memcpy(bytes.data(), image.GetData(), at);
  std::memcpy(bytes.data() + at + entry, image.GetData() + at, size - at);
  BYTE* p = bytes.data();
  PutEntry(p + table, crBack);
  PutEntry(p + at, crFore);
  const uint32_t fileSize = Get32(p + 2);
  if (fileSize != 0) Put32(p + 2, fileSize + static_cast<uint32_t>(entry));
  Put32(p + 10, static_cast<uint32_t>(h.bitsOffset + entry));
  Put32(p + 14 + 32, 2);  // biClrUsed
  image.SetSize(static_cast<INT_PTR>(bytes.size()));
  std::memcpy(image.GetData(), bytes.data(), bytes.size());
}

}  // namespace ky
