// The module's icon and command bar toolbar loaded by the platform's own
// readers, as the picker and the editor load them: the icon draws with its
// mask, and a CToolBar made from toolbar 4907 has the command bar's buttons.
#include <gtest/gtest.h>

#if __has_include("afxext.h")
#include "KyROZ50Module.h"
#include "afxext.h"
#include "afxwin.h"
#include "resource.h"

namespace {

TEST(UiLoaded, PickerIconDrawsWithATransparentBackground) {
  HICON icon = LoadIconA(KyROZ50ResourceHandle(), MAKEINTRESOURCE(IDI_FSL_PICK));
  ASSERT_NE(icon, nullptr);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(icon, &ii));
  BITMAP bm{};
  GetObjectA(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 32);
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);

  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP hbm = CreateCompatibleBitmap(screen, 32, 32);
  HGDIOBJ old = SelectObject(mem, hbm);
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  RECT all{0, 0, 32, 32};
  FillRect(mem, &all, magenta);
  EXPECT_TRUE(DrawIconEx(mem, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetPixel(mem, 0, 0), RGB(255, 0, 255)) << "the corner is transparent";
  EXPECT_EQ(GetPixel(mem, 31, 31), RGB(255, 0, 255));
  EXPECT_NE(GetPixel(mem, 16, 20), RGB(255, 0, 255)) << "the folder and its arrow are drawn";
  SelectObject(mem, old);
  DeleteObject(magenta);
  DeleteObject(hbm);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

TEST(UiLoaded, CommandBarLoadsFromItsToolbarResource) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "KyUiLoadedParent";
  RegisterClassA(&wc);
  HWND parent = CreateWindowExA(0, "KyUiLoadedParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 200, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  HINSTANCE oldRes = AfxGetResourceHandle();
  AfxSetResourceHandle(KyROZ50ResourceHandle());
  {
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(CWnd::FromHandle(parent), TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    ASSERT_TRUE(bar.LoadToolBar(IDR_FSL_BRUSHLIB));
    const UINT ids[] = {23313, 23314, 23315, 23316, 23317, 0,     23318, 23319, 23320, 0,
                        23321, 23322, 23323, 23324, 0,     23325, 23326, 0,     23327, 23328};
    ASSERT_EQ(bar.GetCount(), static_cast<int>(std::size(ids)));
    for (int i = 0; i < bar.GetCount(); ++i) EXPECT_EQ(bar.GetItemID(i), ids[i]) << i;
  }
  AfxSetResourceHandle(oldRes);
  DestroyWindow(parent);
}

}  // namespace

#endif
