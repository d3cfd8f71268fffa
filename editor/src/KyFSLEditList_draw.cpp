// The browser grid's pictures: grid lines and sunken cell frames, folders,
// swatches and the new-style brush, all painted into the off-screen bitmap.
#include <cstring>

#include "KyFSLEditList.h"
#include "afxres.h"
#include "resource.h"
#include "winres.h"

namespace {

constexpr COLORREF kLineColour = 0x404040;
constexpr COLORREF kSwatchFore = 0xFF0000;
constexpr COLORREF kSwatchBack = 0xFFFFFF;
// A cell picture larger than this is not one of ours.
constexpr LONG kMaxPictureEdge = 1024;

// Stretches the RT_BITMAP resource id into rect; nothing when the resource
// is missing or its header does not describe the bytes it came with.
void StretchResourceBitmap(CDC* pDC, UINT id, const CRect& rect) {
  LPCSTR name = MAKEINTRESOURCE(id);
  HINSTANCE inst = AfxFindResourceHandle(name, RT_BITMAP);
  HRSRC res = FindResource(inst, name, RT_BITMAP);
  if (!res) return;
  HGLOBAL mem = LoadResource(inst, res);
  const BYTE* p = static_cast<const BYTE*>(LockResource(mem));
  DWORD size = SizeofResource(inst, res);
  if (!p || size < sizeof(BITMAPINFOHEADER)) return;
  BITMAPINFOHEADER bi;
  memcpy(&bi, p, sizeof bi);
  LONG height = bi.biHeight < 0 ? -bi.biHeight : bi.biHeight;
  if (bi.biSize < sizeof bi || bi.biSize > size || bi.biWidth <= 0 || bi.biWidth > kMaxPictureEdge ||
      height <= 0 || height > kMaxPictureEdge || bi.biPlanes != 1 || bi.biCompression != BI_RGB)
    return;
  WORD bpp = bi.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return;
  DWORD colours = bi.biClrUsed ? bi.biClrUsed : (bpp <= 8 ? (1u << bpp) : 0);
  if (colours > 256) return;
  unsigned long long stride = ((static_cast<unsigned long long>(bi.biWidth) * bpp + 31) / 32) * 4;
  unsigned long long bitsAt = bi.biSize + 4ull * colours;
  if (bitsAt + stride * height > size) return;
  // The header may be unaligned inside the resource: hand the GDI a copy.
  CByteArray info;
  info.SetSize(static_cast<INT_PTR>(bitsAt));
  memcpy(info.GetData(), p, static_cast<size_t>(bitsAt));
  pDC->SetStretchBltMode(COLORONCOLOR);
  StretchDIBits(pDC->GetSafeHdc(), rect.left, rect.top, rect.Width(), rect.Height(), 0, 0, bi.biWidth, height,
                p + bitsAt, reinterpret_cast<const BITMAPINFO*>(info.GetData()), DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

void CKyFSLEditList::ReDraw() {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  m_bmpGrid.DeleteObject();
  {
    // Released before the frame is drawn: BrushSelect takes a DC of its own.
    CClientDC dc(this);
    if (client.Width() > 0 && client.Height() > 0 &&
        m_bmpGrid.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
      CDC mem;
      mem.CreateCompatibleDC(&dc);
      CBitmap* old = mem.SelectObject(&m_bmpGrid);
      mem.PatBlt(0, 0, client.Width(), client.Height(), WHITENESS);
      DrawBrushLibGrid(&mem);
      DrawBrushLib(&mem);
      dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
      mem.SelectObject(old);
    }
  }
  // The copy has no frame: draw the selection again from nothing.
  int sel = m_nSelIndex;
  m_nSelIndex = -1;
  BrushSelect(sel);
}

void CKyFSLEditList::DrawBrushLibGrid(CDC* pDC) {
  if (m_nItemSize <= 0) return;
  CRect client;
  GetClientRect(&client);
  int rows = client.Height() / m_nItemSize;
  CPen pen;
  pen.CreatePen(PS_SOLID, 1, kLineColour);
  CPen* oldPen = pDC->SelectObject(&pen);
  CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
  int right = m_nItemSize * m_nColumns + 1, bottom = m_nItemSize * rows + 1;
  pDC->MoveTo(right, 0);
  pDC->LineTo(right, bottom);
  pDC->LineTo(0, bottom);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < m_nColumns; ++c) {
      CRect cell(c * m_nItemSize, r * m_nItemSize, (c + 1) * m_nItemSize, (r + 1) * m_nItemSize);
      cell.DeflateRect(1, 1);
      pDC->DrawEdge(&cell, BDR_SUNKENINNER, BF_RECT);
    }
  pDC->SelectObject(oldBrush);
  pDC->SelectObject(oldPen);
}

void CKyFSLEditList::DrawBrushLib(CDC* pDC) {
  KyFSLGridCells cells = Cells();
  if (!m_pHost || !m_pHost->GetGridGroup()) return;
  for (int k = 0; k < m_nColumns * m_nRows; ++k) {
    int i = m_nTopIndex + k;
    if (i > cells.NewCell()) break;  // cells behind the new-style cell stay empty
    CRect r = CellRect(i);
    r.DeflateRect(2, 2);
    DrawCell(pDC, i, cells, r);
  }
}

void CKyFSLEditList::DrawCell(CDC* pDC, int index, const KyFSLGridCells& cells, const CRect& rect) {
  if (cells.IsUp(index)) {
    StretchResourceBitmap(pDC, IDB_FSL_FOLDER_UP, rect);
  } else if (cells.IsSubGroup(index)) {
    StretchResourceBitmap(pDC, IDB_FSL_FOLDER, rect);
  } else if (cells.IsNew(index)) {
    StretchResourceBitmap(pDC, IDB_FSL_NEW_STYLE, rect);
  } else if (cells.IsStyle(index)) {
    CKyFillStyleLib* lib = m_pHost->GetGridLib();
    CKyFillStyleGroup* group = m_pHost->GetGridGroup();
    if (!lib) return;
    CKyFillStyle* style = lib->GetFillStyle(lib->FindID(group->GetItemID(index - cells.parent - cells.subGroups)));
    if (!style) return;  // a style the library lacks leaves its cell blank
    CRect r = rect;
    if (style->SetFillStyle(pDC, kSwatchFore, kSwatchBack, CSize(0, 0), 1.0)) style->Display(pDC, &r, 100);
    style->ReleaseBMP();
  }
}

void CKyFSLEditList::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (m_bmpGrid.GetSafeHandle()) {
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap* old = mem.SelectObject(&m_bmpGrid);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
  } else {
    dc.PatBlt(0, 0, client.Width(), client.Height(), WHITENESS);
  }
  if (m_nSelIndex < 0) return;
  CPen pen;
  pen.CreatePen(PS_SOLID, 1, kLineColour);
  CPen* oldPen = dc.SelectObject(&pen);
  CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
  int oldRop = dc.SetROP2(R2_NOTXORPEN);
  DrawFrame(&dc, m_nSelIndex);
  dc.SetROP2(oldRop);
  dc.SelectObject(oldBrush);
  dc.SelectObject(oldPen);
}
