// The tooltip control ("tooltips_class32").
#include "commctrl.h"
#include "ctlutil.h"

namespace kyuser {
namespace {

LRESULT CALLBACK TooltipProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  // FIXME: tools are not kept yet.
  return DefWindowProcA(h, msg, wp, lp);
}

void RegisterTooltip() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = TooltipProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = TOOLTIPS_CLASS;
  RegisterClassA(&wc);
}

const KyCommonClassRegistrar kReg(&RegisterTooltip);

}  // namespace
}  // namespace kyuser
