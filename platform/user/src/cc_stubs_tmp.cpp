// Placeholder bodies until the families land.
#include "commctrl.h"
HIMAGELIST ImageList_Create(int, int, UINT, int, int) { return nullptr; }
BOOL ImageList_Destroy(HIMAGELIST) { return FALSE; }
int ImageList_GetImageCount(HIMAGELIST) { return 0; }
BOOL ImageList_SetImageCount(HIMAGELIST, UINT) { return FALSE; }
int ImageList_Add(HIMAGELIST, HBITMAP, HBITMAP) { return -1; }
int ImageList_AddMasked(HIMAGELIST, HBITMAP, COLORREF) { return -1; }
BOOL ImageList_Replace(HIMAGELIST, int, HBITMAP, HBITMAP) { return FALSE; }
BOOL ImageList_Remove(HIMAGELIST, int) { return FALSE; }
BOOL ImageList_Draw(HIMAGELIST, int, HDC, int, int, UINT) { return FALSE; }
BOOL ImageList_DrawEx(HIMAGELIST, int, HDC, int, int, int, int, COLORREF, COLORREF, UINT) { return FALSE; }
COLORREF ImageList_SetBkColor(HIMAGELIST, COLORREF) { return CLR_NONE; }
COLORREF ImageList_GetBkColor(HIMAGELIST) { return CLR_NONE; }
BOOL ImageList_GetIconSize(HIMAGELIST, int*, int*) { return FALSE; }
BOOL ImageList_SetIconSize(HIMAGELIST, int, int) { return FALSE; }
BOOL ImageList_GetImageInfo(HIMAGELIST, int, IMAGEINFO*) { return FALSE; }
HIMAGELIST ImageList_Duplicate(HIMAGELIST) { return nullptr; }
HWND CreateUpDownControl(DWORD, int, int, int, int, HWND, int, HINSTANCE, HWND, int, int, int) { return nullptr; }
