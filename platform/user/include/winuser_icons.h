// Cursors, icons and the bitmaps of modules: the system's shapes (IDC_*,
// IDI_*), the cursor calls, icon directories and images as resources hold
// them, and LoadBitmap, LoadIcon and LoadImage. Included by winuser.h.
#pragma once

#include "winuser.h"

// Cursors and icons of the system (LoadCursor / LoadIcon with a NULL module).
#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_IBEAM MAKEINTRESOURCE(32513)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_UPARROW MAKEINTRESOURCE(32516)
#define IDC_SIZE MAKEINTRESOURCE(32640)
#define IDC_ICON MAKEINTRESOURCE(32641)
#define IDC_SIZENWSE MAKEINTRESOURCE(32642)
#define IDC_SIZENESW MAKEINTRESOURCE(32643)
#define IDC_SIZEWE MAKEINTRESOURCE(32644)
#define IDC_SIZENS MAKEINTRESOURCE(32645)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
#define IDC_NO MAKEINTRESOURCE(32648)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define IDC_APPSTARTING MAKEINTRESOURCE(32650)
#define IDC_HELP MAKEINTRESOURCE(32651)
#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK

// Cursors are the system's shapes (IDC_*) or module cursors; the screen
// records the current one (winscreen.h) and the SDL window shows it.
HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);
#define LoadCursor LoadCursorA
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
int ShowCursor(BOOL bShow);
// A system icon or cursor handle's IDC_/IDI_ number, 0 for others.
UINT KyGetCursorShape(HCURSOR hCursor);
UINT KyGetIconShape(HICON hIcon);

// ---------------------------------------------------------------- icons and bitmaps of modules
// An icon is a colour image and an AND mask of the same size: drawing ANDs
// the mask onto the destination, then XORs the colour image onto it, so
// that mask 1 with colour 0 is transparent and mask 1 with colour 1 inverts.
// Module icons are RT_GROUP_ICON directories whose entries name RT_ICON
// images: a BITMAPINFOHEADER of twice the icon's height, the colour table,
// the XOR rows, then the 1-bit AND rows (bottom-up, each padded to 4 bytes).
struct ICONINFO {
  BOOL fIcon;  // TRUE for an icon, FALSE for a cursor
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;   // monochrome; for a colour icon the AND mask only
  HBITMAP hbmColor;  // CreateIconIndirect: NULL for a monochrome icon, whose hbmMask then holds
                     // AND over XOR, twice as high. GetIconInfo always gives both.
};
typedef ICONINFO* PICONINFO;

// The resource layouts of an icon group, packed to 2 bytes as in the file.
#pragma pack(push, 2)
struct GRPICONDIRENTRY {
  BYTE bWidth;   // 0 means 256
  BYTE bHeight;  // 0 means 256
  BYTE bColorCount;
  BYTE bReserved;
  WORD wPlanes;
  WORD wBitCount;
  DWORD dwBytesInRes;
  WORD nId;  // the RT_ICON resource of this image
};
struct GRPICONDIR {
  WORD idReserved;  // 0
  WORD idType;      // 1 for icons, 2 for cursors
  WORD idCount;
  GRPICONDIRENTRY idEntries[1];
};
#pragma pack(pop)
static_assert(sizeof(GRPICONDIRENTRY) == 14, "GRPICONDIRENTRY is 14 bytes in a resource");

#define LR_DEFAULTCOLOR 0x00000000
#define LR_MONOCHROME 0x00000001
#define LR_COLOR 0x00000002
#define LR_COPYRETURNORG 0x00000004
#define LR_COPYDELETEORG 0x00000008
#define LR_LOADFROMFILE 0x00000010
#define LR_LOADTRANSPARENT 0x00000020
#define LR_DEFAULTSIZE 0x00000040
#define LR_VGACOLOR 0x00000080
#define LR_LOADMAP3DCOLORS 0x00001000
#define LR_CREATEDIBSECTION 0x00002000
#define LR_COPYFROMRESOURCE 0x00004000
#define LR_SHARED 0x00008000

// A module's bitmap (RT_BITMAP: a DIB without its file header) as a
// device-dependent bitmap of the screen's format. NULL when the module has
// no such resource (FindResource's error) or, with ERROR_INVALID_DATA, when
// it is not a DIB this GDI reads.
// (A function rather than a macro, so that the framework's LoadBitmap
// members keep their names.)
HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName);
inline HBITMAP LoadBitmap(HINSTANCE hInstance, LPCSTR lpBitmapName) { return LoadBitmapA(hInstance, lpBitmapName); }
// A module's icon group, in the system's icon size (SM_CXICON). NULL as
// LoadBitmap fails, or with ERROR_INVALID_DATA for a damaged directory or
// image. A NULL module loads the system icons (IDI_*). The icon is the
// module's: the same handle each time, never to be destroyed.
HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
#define LoadIcon LoadIconA
// IMAGE_BITMAP, IMAGE_ICON or IMAGE_CURSOR from a module (or, with
// LR_LOADFROMFILE, from a .bmp or .ico file named by name). cx, cy: the
// size wanted (0: the image's own size for bitmaps; the system size for
// icons with LR_DEFAULTSIZE, else the deepest image in its own size); the
// icon image nearest in size is chosen and stretched. LR_LOADMAP3DCOLORS and
// LR_LOADTRANSPARENT change the colour table of an indexed bitmap only. LR_CREATEDIBSECTION gives a DIB section
// of the resource's own format, LR_MONOCHROME a 1-bit image, LR_SHARED the
// same handle for the same resource (not to be destroyed). NULL on failure,
// as LoadBitmap.
HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad);
#define LoadImage LoadImageA
// The best image of an icon directory (a GRPICONDIR) for the size and
// colour depth: its nId, 0 when there is none or the directory is damaged.
int LookupIconIdFromDirectoryEx(const BYTE* presbits, BOOL fIcon, int cxDesired, int cyDesired, UINT Flags);
int LookupIconIdFromDirectory(const BYTE* presbits, BOOL fIcon);
// An icon from one RT_ICON image (dwVer 0x00030000). NULL with
// ERROR_INVALID_DATA when the bytes are not an icon image of this size.
HICON CreateIconFromResourceEx(const BYTE* presbits, DWORD dwResSize, BOOL fIcon, DWORD dwVer, int cxDesired,
                               int cyDesired, UINT Flags);
HICON CreateIconFromResource(const BYTE* presbits, DWORD dwResSize, BOOL fIcon, DWORD dwVer);
// An icon of copies of the two bitmaps (the caller keeps and deletes its
// own); NULL with ERROR_INVALID_PARAMETER when the mask is missing or the
// sizes disagree.
HICON CreateIconIndirect(const ICONINFO* piconinfo);
// Copies of the icon's bitmaps, which the caller deletes. FALSE with
// ERROR_INVALID_CURSOR_HANDLE for a handle that is not a live icon (the
// system icons have no bitmaps here).
BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo);
// A new icon of the same pictures (a system icon is its own copy); NULL
// with ERROR_INVALID_CURSOR_HANDLE for a bad handle.
HICON CopyIcon(HICON hIcon);
// FALSE with ERROR_INVALID_CURSOR_HANDLE for a bad handle; TRUE and nothing
// done for a system or module icon, which live as long as their module.
BOOL DestroyIcon(HICON hIcon);
#define ERROR_INVALID_CURSOR_HANDLE 1402L
