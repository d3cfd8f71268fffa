#include "font_object.h"

#include <cmath>
#include <cstring>

namespace kygdi {

namespace {

LOGFONTA MakeLogFont(LONG height, LONG weight, BYTE pitchAndFamily, const char* face) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = pitchAndFamily;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

}  // namespace

int FontObject::GetObjectData(int cb, void* pv) const {
  if (!pv) return static_cast<int>(sizeof(LOGFONTA));
  if (cb <= 0) return 0;
  const int n = cb < static_cast<int>(sizeof(LOGFONTA)) ? cb : static_cast<int>(sizeof(LOGFONTA));
  std::memcpy(pv, &lf, static_cast<size_t>(n));
  return n;
}

LOGFONTA StockLogFont(int index) {
  // Heights are those of the platform's stock fonts at 96 dots per inch: the
  // raster fonts by cell height, the GUI font by character height (8 points).
  switch (index) {
    case OEM_FIXED_FONT: return MakeLogFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Terminal");
    case ANSI_FIXED_FONT: return MakeLogFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier");
    case ANSI_VAR_FONT: return MakeLogFont(13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
    case SYSTEM_FIXED_FONT: return MakeLogFont(15, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys");
    case DEFAULT_GUI_FONT: return MakeLogFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg");
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    default: return MakeLogFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
  }
}

// The strong definition: every stock font is a FontObject.
std::unique_ptr<GdiObject> MakeStockFont(int index) {
  auto font = std::make_unique<FontObject>();
  font->lf = StockLogFont(index);
  return font;
}

LOGFONTA FontOfDC(const DC& dc) {
  if (dc.st.font) {
    GdiObject* o = LookupObject(dc.st.font, OBJ_FONT);
    if (auto* f = dynamic_cast<FontObject*>(o)) return f->lf;
  }
  return StockLogFont(SYSTEM_FONT);
}

std::shared_ptr<FontInstance> RealiseFont(const DC& dc) {
  const double scale = std::fabs(ScaleY(dc));
  return FontInstance::Get(FontOfDC(dc), scale > 0 ? scale : 1.0);
}

}  // namespace kygdi

using kygdi::FontObject;

HFONT CreateFontIndirectA(const LOGFONTA* lplf) {
  if (!lplf) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto font = std::make_unique<FontObject>();
  font->lf = *lplf;
  // The face name is kept up to its terminator, as the platform copies it.
  font->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(kygdi::AddObject(std::move(font)));
}

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName) {
  LOGFONTA lf{};
  lf.lfHeight = cHeight;
  lf.lfWidth = cWidth;
  lf.lfEscapement = cEscapement;
  lf.lfOrientation = cOrientation;
  lf.lfWeight = cWeight;
  lf.lfItalic = static_cast<BYTE>(bItalic != 0);
  lf.lfUnderline = static_cast<BYTE>(bUnderline != 0);
  lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut != 0);
  lf.lfCharSet = static_cast<BYTE>(iCharSet);
  lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
  lf.lfQuality = static_cast<BYTE>(iQuality);
  lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
  if (pszFaceName) std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}
