// Bitmaps and icons of modules: LoadBitmap, LoadImage and the icon calls.
#include "gdiresource.h"
#include "winuser.h"

HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
  return KyLoadBitmapResource(hInstance, lpBitmapName, KY_DIB_DEVICE);
}

HANDLE LoadImageA(HINSTANCE, LPCSTR, UINT, int, int, UINT) {
  SetLastError(ERROR_INVALID_PARAMETER);  // FIXME: not yet
  return nullptr;
}
int LookupIconIdFromDirectoryEx(const BYTE*, BOOL, int, int, UINT) { return 0; }
int LookupIconIdFromDirectory(const BYTE* p, BOOL fIcon) { return LookupIconIdFromDirectoryEx(p, fIcon, 0, 0, 0); }
HICON CreateIconFromResourceEx(const BYTE*, DWORD, BOOL, DWORD, int, int, UINT) { return nullptr; }
HICON CreateIconFromResource(const BYTE* p, DWORD cb, BOOL fIcon, DWORD ver) {
  return CreateIconFromResourceEx(p, cb, fIcon, ver, 0, 0, 0);
}
HICON CreateIconIndirect(const ICONINFO*) { return nullptr; }
BOOL GetIconInfo(HICON, PICONINFO) { return FALSE; }
HICON CopyIcon(HICON) { return nullptr; }
BOOL DestroyIcon(HICON) { return FALSE; }
