// The object behind an HFONT: a LOGFONT and nothing else. It is matched to
// faces (a FontInstance) when a DC uses it, at the DC's scale.
#pragma once

#include <memory>

#include "dc.h"
#include "font_instance.h"
#include "gdi_object.h"

namespace kygdi {

struct FontObject : GdiObject {
  LOGFONTA lf{};
  FontObject() : GdiObject(OBJ_FONT) {}
  int GetObjectData(int cb, void* pv) const override;
};

// The LOGFONT of the DC's font (the stock system font when none is
// selected, or when the selected object carries none).
LOGFONTA FontOfDC(const DC& dc);
// The DC's font made real at the DC's vertical scale.
std::shared_ptr<FontInstance> RealiseFont(const DC& dc);

// The stock fonts' LOGFONTs, by GetStockObject index.
LOGFONTA StockLogFont(int index);

}  // namespace kygdi
