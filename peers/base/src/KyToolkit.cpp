#include "KyToolkit.h"

#include <cstring>
#include <vector>

#include "afxreplacefile.h"

namespace {

void Put16(std::vector<BYTE>& v, size_t at, uint32_t x) {
  v[at] = static_cast<BYTE>(x);
  v[at + 1] = static_cast<BYTE>(x >> 8);
}
void Put32(std::vector<BYTE>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<BYTE>(x >> (8 * i));
}

}  // namespace

BOOL CKyToolkit::SaveBitmapFile(HDC hDC, HBITMAP hBitmap, char* path, unsigned char* pColors) {
  if (!path || !*path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BITMAP bm{};
  if (!hBitmap || GetObjectType(hBitmap) != OBJ_BITMAP || !GetObject(hBitmap, sizeof bm, &bm) ||
      bm.bmWidth <= 0 || bm.bmHeight <= 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const int depth = bm.bmBitsPixel * bm.bmPlanes;
  const WORD bitCount = depth == 1 ? 1 : depth == 8 ? 8 : 24;
  const DWORD colors = bitCount <= 8 ? 1u << bitCount : 0;
  const size_t stride = (static_cast<size_t>(bm.bmWidth) * bitCount + 31) / 32 * 4;
  const size_t imageBytes = stride * static_cast<size_t>(bm.bmHeight);
  if (imageBytes > 0x7FFFFFFF - 14 - 40 - 1024) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }

  // Header and colour table as GetDIBits fills them; room for 256 entries.
  std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
  bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi->bmiHeader.biWidth = bm.bmWidth;
  bi->bmiHeader.biHeight = bm.bmHeight;
  bi->bmiHeader.biPlanes = 1;
  bi->bmiHeader.biBitCount = bitCount;
  bi->bmiHeader.biCompression = BI_RGB;
  std::vector<BYTE> bits(imageBytes);
  HDC dc = hDC;
  HDC own = nullptr;
  if (!dc) dc = own = CreateCompatibleDC(nullptr);
  const int lines = dc ? GetDIBits(dc, hBitmap, 0, static_cast<UINT>(bm.bmHeight), bits.data(), bi, DIB_RGB_COLORS)
                       : 0;
  if (own) DeleteDC(own);
  if (lines != bm.bmHeight) {
    if (GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // The table is read through bytes: bmiColors is declared with one entry.
  BYTE* table = info.data() + sizeof(BITMAPINFOHEADER);
  if (bitCount == 1 && pColors) std::memcpy(table, pColors, 2 * sizeof(RGBQUAD));

  const size_t tableBytes = colors * sizeof(RGBQUAD);
  const size_t offBits = 14 + sizeof(BITMAPINFOHEADER) + tableBytes;
  std::vector<BYTE> file(offBits + imageBytes, 0);
  file[0] = 'B';
  file[1] = 'M';
  Put32(file, 2, static_cast<uint32_t>(file.size()));
  Put32(file, 10, static_cast<uint32_t>(offBits));
  Put32(file, 14, sizeof(BITMAPINFOHEADER));
  Put32(file, 18, static_cast<uint32_t>(bm.bmWidth));
  Put32(file, 22, static_cast<uint32_t>(bm.bmHeight));
  Put16(file, 26, 1);
  Put16(file, 28, bitCount);
  Put32(file, 30, BI_RGB);
  Put32(file, 34, static_cast<uint32_t>(imageBytes));
  // 96 dots per inch, in pixels per metre.
  Put32(file, 38, 3780);
  Put32(file, 42, 3780);
  Put32(file, 46, colors);
  Put32(file, 50, 0);
  for (DWORD i = 0; i < colors; ++i) {
    BYTE* e = file.data() + 54 + 4 * i;
    std::memcpy(e, table + 4 * i, 3);
    e[3] = 0;
  }
  std::memcpy(file.data() + offBits, bits.data(), imageBytes);

  // Through a temporary file renamed over the target: a failed write
  // leaves the old picture whole.
  if (!AfxWriteFileReplacing(path, file.data(), file.size())) return FALSE;
  return TRUE;
}
