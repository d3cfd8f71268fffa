// The toolbar control ("ToolbarWindow32").
#include "commctrl.h"
#include "ctlutil.h"

namespace kyuser {
namespace {

LRESULT CALLBACK ToolbarProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  // FIXME: the buttons are not kept yet.
  return DefWindowProcA(h, msg, wp, lp);
}

void RegisterToolbar() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = ToolbarProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = TOOLBARCLASSNAME;
  RegisterClassA(&wc);
}

const KyCommonClassRegistrar kReg(&RegisterToolbar);

}  // namespace
}  // namespace kyuser
