// TextOut, ExtTextOut, extents, metrics and the DC's text attributes.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "codepage.h"
#include "font_object.h"
#include "text_draw.h"
#include "text_layout.h"

namespace kygdi {

namespace {

// Device advances of each character: from lpDx (logical, per byte), or the
// font's plus the DC's character extra; empty when the font's own serve.
// Positions are rounded, not each advance, so that a scaled run does not
// drift.
std::vector<int> DeviceAdvances(const DC& dc, FontInstance& font, const std::vector<TextChar>& chars,
                                const INT* lpDx) {
  std::vector<int> dx;
  if (lpDx) {
    dx.reserve(chars.size());
    double sum = 0;
    int prev = 0;
    for (const TextChar& c : chars) {
      for (int k = 0; k < c.length; ++k) sum += lpDx[c.offset + k];
      const int pos = LengthToDeviceX(dc, sum);
      // 64 bits: wild advances may put two positions at opposite ends of the range.
      dx.push_back(static_cast<int>(std::clamp<int64_t>(int64_t(pos) - prev, INT_MIN, INT_MAX)));
      prev = pos;
    }
  } else if (dc.st.char_extra != 0) {
    const int extra = LengthToDeviceX(dc, dc.st.char_extra);
    for (const TextChar& c : chars)
      dx.push_back(static_cast<int>(std::clamp<int64_t>(int64_t(font.Advance(c.cp)) + extra, INT_MIN, INT_MAX)));
  }
  return dx;
}

int RunWidth(FontInstance& font, const std::vector<TextChar>& chars, const std::vector<int>& dx) {
  if (dx.empty()) return MeasureChars(font, chars, 0, chars.size());
  int64_t w = 0;
  for (int a : dx) w += a;
  return static_cast<int>(std::clamp<int64_t>(w, INT_MIN, INT_MAX));
}

}  // namespace

}  // namespace kygdi

using namespace kygdi;

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                 const INT* lpDx) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  if (c > static_cast<UINT>(INT_MAX) || (c > 0 && !lpString)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::shared_ptr<FontInstance> font = RealiseFont(*dc);
  const TEXTMETRICA& tm = font->Metrics();
  const std::vector<TextChar> chars = DecodeAnsi(lpString, static_cast<int>(c), CP_ACP);
  const std::vector<int> dx = DeviceAdvances(*dc, *font, chars, lpDx);
  const int width = RunWidth(*font, chars, dx);

  const UINT align = dc->st.text_align;
  const bool updateCp = (align & TA_UPDATECP) != 0;
  const POINT ref = updateCp ? dc->st.cur_pos : POINT{x, y};
  const POINT p = LogicalToDevice(*dc, ref);
  // 64 bits: the reference point may lie near either end of the int range.
  int64_t left = p.x;
  switch (align & TA_CENTER) {
    case TA_CENTER: left = int64_t(p.x) - width / 2; break;
    case TA_RIGHT: left = int64_t(p.x) - width; break;
    default: break;
  }
  int64_t baseline = int64_t(p.y) + tm.tmAscent;
  switch (align & TA_BASELINE) {
    case TA_BASELINE: baseline = p.y; break;
    case TA_BOTTOM: baseline = int64_t(p.y) - tm.tmDescent; break;
    default: break;
  }
  // A run placed beyond 2^30 pixels is out of every surface (they are at
  // most 2^28 pixels); drawing it would take its glyph positions past the
  // int range.
  const int64_t far = int64_t(1) << 30;
  const bool placeable =
      left >= -far && left <= far && baseline >= -far && baseline <= far && width >= -far && width <= far;

  RECT box{};
  const bool hasRect = lprect && (options & (ETO_OPAQUE | ETO_CLIPPED));
  if (hasRect) box = LogicalRectToDevice(*dc, *lprect);
  const RECT* clip = hasRect && (options & ETO_CLIPPED) ? &box : nullptr;
  if (hasRect && (options & ETO_OPAQUE)) FillDeviceRect(*dc, box, dc->st.bk_colour, nullptr);
  if (!chars.empty() && placeable) {
    const int l = static_cast<int>(left), b = static_cast<int>(baseline);
    if (dc->st.bk_mode == OPAQUE) {
      const RECT cell{l, b - tm.tmAscent, l + width, b + tm.tmDescent};
      FillDeviceRect(*dc, cell, dc->st.bk_colour, clip);
    }
    RunPlacement at;
    at.penX = l;
    at.baseline = b;
    at.dx = dx.empty() ? nullptr : dx.data();
    PaintRun(*dc, *font, chars, at, dc->st.text_colour, clip);
  }
  if (updateCp) {
    // The current position moves past the text the way it was laid.
    int64_t nx = p.x;
    if ((align & TA_CENTER) == TA_LEFT) nx = int64_t(p.x) + width;
    if ((align & TA_CENTER) == TA_RIGHT) nx = int64_t(p.x) - width;
    nx = std::clamp<int64_t>(nx, INT_MIN, INT_MAX);
    dc->st.cur_pos.x = DeviceToLogical(*dc, POINT{static_cast<LONG>(nx), p.y}).x;
  }
  return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  if (c < 0) {
    if (!LookupDC(hdc)) return FALSE;
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  if (!psizl || c < 0 || (c > 0 && !lpString)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::shared_ptr<FontInstance> font = RealiseFont(*dc);
  const std::vector<TextChar> chars = DecodeAnsi(lpString, c, CP_ACP);
  const int width = RunWidth(*font, chars, DeviceAdvances(*dc, *font, chars, nullptr));
  psizl->cx = LengthToLogicalX(*dc, width);
  psizl->cy = LengthToLogicalY(*dc, font->Metrics().tmHeight);
  return TRUE;
}

BOOL GetTextExtentPointA(HDC hdc, LPCSTR lpString, int c, LPSIZE lpsz) {
  return GetTextExtentPoint32A(hdc, lpString, c, lpsz);
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  if (!lptm) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::shared_ptr<FontInstance> font = RealiseFont(*dc);
  TEXTMETRICA tm = font->Metrics();
  tm.tmHeight = LengthToLogicalY(*dc, tm.tmHeight);
  tm.tmAscent = LengthToLogicalY(*dc, tm.tmAscent);
  tm.tmDescent = LengthToLogicalY(*dc, tm.tmDescent);
  tm.tmInternalLeading = LengthToLogicalY(*dc, tm.tmInternalLeading);
  tm.tmExternalLeading = LengthToLogicalY(*dc, tm.tmExternalLeading);
  tm.tmAveCharWidth = LengthToLogicalX(*dc, tm.tmAveCharWidth);
  tm.tmMaxCharWidth = LengthToLogicalX(*dc, tm.tmMaxCharWidth);
  *lptm = tm;
  return TRUE;
}

int GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
  DC* dc = LookupDC(hdc);
  if (!dc) return 0;
  const LOGFONTA lf = FontOfDC(*dc);
  const int len = static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE));
  if (!lpName) return len + 1;
  if (c <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int n = len < c - 1 ? len : c - 1;
  std::memcpy(lpName, lf.lfFaceName, static_cast<size_t>(n));
  lpName[n] = 0;
  return n + 1;
}

BOOL GetCharWidth32A(HDC hdc, UINT iFirst, UINT iLast, INT* lpBuffer) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  if (!lpBuffer || iFirst > iLast || iLast > 0xFFFF) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::shared_ptr<FontInstance> font = RealiseFont(*dc);
  for (UINT i = iFirst; i <= iLast; ++i) {
    // Codes above 0xFF are a lead and a trail byte.
    char bytes[2] = {static_cast<char>(i > 0xFF ? i >> 8 : i), static_cast<char>(i)};
    const std::vector<TextChar> chars = DecodeAnsi(bytes, i > 0xFF ? 2 : 1, CP_ACP);
    lpBuffer[i - iFirst] = LengthToLogicalX(*dc, chars.empty() ? 0 : font->Advance(chars[0].cp));
  }
  return TRUE;
}

UINT SetTextAlign(HDC hdc, UINT align) {
  DC* dc = LookupDC(hdc);
  if (!dc) return GDI_ERROR;
  const UINT old = dc->st.text_align;
  dc->st.text_align = align & TA_MASK;
  return old;
}

UINT GetTextAlign(HDC hdc) {
  DC* dc = LookupDC(hdc);
  return dc ? dc->st.text_align : GDI_ERROR;
}

int SetTextCharacterExtra(HDC hdc, int extra) {
  DC* dc = LookupDC(hdc);
  if (!dc) return static_cast<int>(0x80000000u);
  const int old = dc->st.char_extra;
  dc->st.char_extra = extra;
  return old;
}

int GetTextCharacterExtra(HDC hdc) {
  DC* dc = LookupDC(hdc);
  return dc ? dc->st.char_extra : static_cast<int>(0x80000000u);
}
