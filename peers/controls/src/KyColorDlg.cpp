// The colour chooser: a hue/saturation field, a lightness bar, RGB and HSL edits.
#include "KyColorDlg.h"

#include <algorithm>
#include <cmath>

#include "KyDez50Res.h"

namespace {

// Dialog-unit rectangles of the painted parts; the template leaves them free.
const RECT kFieldDU = {7, 7, 135, 79};
const RECT kLumDU = {141, 7, 151, 79};
const RECT kSampleDU = {160, 7, 223, 41};

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

const int kRgbIds[3] = {IDC_KYDEZ_RED, IDC_KYDEZ_GREEN, IDC_KYDEZ_BLUE};
const int kHslIds[3] = {IDC_KYDEZ_HUE, IDC_KYDEZ_SAT, IDC_KYDEZ_LIGHT};

}  // namespace

BEGIN_MESSAGE_MAP(CKyColorDlg, CDialog)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_EN_CHANGE(IDC_KYDEZ_RED, OnChangeRGB)
ON_EN_CHANGE(IDC_KYDEZ_GREEN, OnChangeRGB)
ON_EN_CHANGE(IDC_KYDEZ_BLUE, OnChangeRGB)
ON_EN_CHANGE(IDC_KYDEZ_HUE, OnChangeHSL)
ON_EN_CHANGE(IDC_KYDEZ_SAT, OnChangeHSL)
ON_EN_CHANGE(IDC_KYDEZ_LIGHT, OnChangeHSL)
END_MESSAGE_MAP()

CKyColorDlg::CKyColorDlg(COLORREF crInit, CWnd* pParent)
    : CDialog(IDD_KYDEZ_COLOR, pParent), m_crColor(crInit & 0x00FFFFFF) {
  RGBToHSL(m_crColor, &m_nHue, &m_nSat, &m_nLight);
}

void CKyColorDlg::SetColor(COLORREF cr) {
  m_crColor = cr & 0x00FFFFFF;
  RGBToHSL(m_crColor, &m_nHue, &m_nSat, &m_nLight);
  if (m_hWnd) {
    ShowValues(0);
    Invalidate(FALSE);
  }
}

// Lightness is the mean of the largest and smallest channel; saturation the
// spread relative to how far that mean allows; hue the angle of the largest
// channel, 60 degrees per sextant. Each is rounded to the nearest integer.
void CKyColorDlg::RGBToHSL(COLORREF cr, int* pHue, int* pSat, int* pLight) {
  const double r = GetRValue(cr) / 255.0, g = GetGValue(cr) / 255.0, b = GetBValue(cr) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  const double l = (mx + mn) / 2;
  double h = 0, s = 0;
  if (mx > mn) {
    const double d = mx - mn;
    s = l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
    if (mx == r)
      h = (g - b) / d + (g < b ? 6 : 0);
    else if (mx == g)
      h = (b - r) / d + 2;
    else
      h = (r - g) / d + 4;
    h *= 60;
  }
  int hue = static_cast<int>(std::lround(h));
  if (hue >= 360) hue -= 360;
  if (pHue) *pHue = hue;
  if (pSat) *pSat = static_cast<int>(std::lround(s * 100));
  if (pLight) *pLight = static_cast<int>(std::lround(l * 100));
}

COLORREF CKyColorDlg::HSLToRGB(int hue, int sat, int light) {
  hue = ((hue % 360) + 360) % 360;
  const double s = Clamp(sat, 0, 100) / 100.0, l = Clamp(light, 0, 100) / 100.0;
  const double c = (1 - std::fabs(2 * l - 1)) * s;
  const double hp = hue / 60.0;
  const double x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(hp)) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
  }
  const double m = l - c / 2;
  auto channel = [m](double v) { return static_cast<BYTE>(Clamp(static_cast<int>(std::lround((v + m) * 255)), 0, 255)); };
  return RGB(channel(r), channel(g), channel(b));
}

CRect CKyColorDlg::FieldRect() const {
  CRect r(kFieldDU);
  MapDialogRect(&r);
  return r;
}

CRect CKyColorDlg::LumRect() const {
  CRect r(kLumDU);
  MapDialogRect(&r);
  return r;
}

BOOL CKyColorDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString caption;
  if (caption.LoadString(IDS_KYDEZ_CAPTION)) SetWindowText(caption);
  for (int id : kRgbIds) SendDlgItemMessage(id, EM_LIMITTEXT, 3);
  for (int id : kHslIds) SendDlgItemMessage(id, EM_LIMITTEXT, 3);

  // The field at lightness 50, drawn once into a bitmap of the screen's format.
  const CRect f = FieldRect();
  CClientDC dc(this);
  CDC mem;
  if (f.Width() > 0 && f.Height() > 1 && mem.CreateCompatibleDC(&dc) &&
      m_bmpField.CreateCompatibleBitmap(&dc, f.Width(), f.Height())) {
    CBitmap* old = mem.SelectObject(&m_bmpField);
    for (int x = 0; x < f.Width(); ++x) {
      const int hue = x * 360 / f.Width();
      for (int y = 0; y < f.Height(); ++y) mem.SetPixelV(x, y, HSLToRGB(hue, 100 - y * 100 / (f.Height() - 1), 50));
    }
    mem.SelectObject(old);
  }
  ShowValues(0);
  return TRUE;
}

void CKyColorDlg::ShowValues(int skip) {
  m_bUpdating = TRUE;
  const int rgb[3] = {GetRValue(m_crColor), GetGValue(m_crColor), GetBValue(m_crColor)};
  const int hsl[3] = {m_nHue, m_nSat, m_nLight};
  for (int i = 0; i < 3; ++i) {
    if (skip != 1) SetDlgItemInt(kRgbIds[i], static_cast<UINT>(rgb[i]), FALSE);
    if (skip != 2) SetDlgItemInt(kHslIds[i], static_cast<UINT>(hsl[i]), FALSE);
  }
  m_bUpdating = FALSE;
}

void CKyColorDlg::OnChangeRGB() {
  if (m_bUpdating || !m_hWnd) return;
  int v[3];
  for (int i = 0; i < 3; ++i) v[i] = Clamp(static_cast<int>(GetDlgItemInt(kRgbIds[i], nullptr, FALSE)), 0, 255);
  m_crColor = RGB(v[0], v[1], v[2]);
  RGBToHSL(m_crColor, &m_nHue, &m_nSat, &m_nLight);
  ShowValues(1);
  Invalidate(FALSE);
}

void CKyColorDlg::OnChangeHSL() {
  if (m_bUpdating || !m_hWnd) return;
  m_nHue = Clamp(static_cast<int>(GetDlgItemInt(IDC_KYDEZ_HUE, nullptr, FALSE)), 0, 359);
  m_nSat = Clamp(static_cast<int>(GetDlgItemInt(IDC_KYDEZ_SAT, nullptr, FALSE)), 0, 100);
  m_nLight = Clamp(static_cast<int>(GetDlgItemInt(IDC_KYDEZ_LIGHT, nullptr, FALSE)), 0, 100);
  m_crColor = HSLToRGB(m_nHue, m_nSat, m_nLight);
  ShowValues(2);
  Invalidate(FALSE);
}

void CKyColorDlg::TrackPoint(CPoint point) {
  if (m_nDragging == 1) {
    const CRect f = FieldRect();
    m_nHue = Clamp((point.x - f.left) * 360 / std::max(1, f.Width()), 0, 359);
    m_nSat = Clamp(100 - (point.y - f.top) * 100 / std::max(1, f.Height() - 1), 0, 100);
    // Black and white have no hue to show: a pick in the field brings the
    // lightness back to where hue and saturation are seen.
    if (m_nLight == 0 || m_nLight == 100) m_nLight = 50;
  } else if (m_nDragging == 2) {
    const CRect l = LumRect();
    m_nLight = Clamp(100 - (point.y - l.top) * 100 / std::max(1, l.Height() - 1), 0, 100);
  } else {
    return;
  }
  m_crColor = HSLToRGB(m_nHue, m_nSat, m_nLight);
  ShowValues(0);
  Invalidate(FALSE);
}

void CKyColorDlg::OnLButtonDown(UINT, CPoint point) {
  if (FieldRect().PtInRect(point))
    m_nDragging = 1;
  else if (LumRect().PtInRect(point))
    m_nDragging = 2;
  else
    return;
  SetCapture();
  TrackPoint(point);
}

void CKyColorDlg::OnMouseMove(UINT, CPoint point) {
  if (m_nDragging) TrackPoint(point);
}

void CKyColorDlg::OnLButtonUp(UINT, CPoint point) {
  if (!m_nDragging) return;
  TrackPoint(point);
  m_nDragging = 0;
  ReleaseCapture();
}

void CKyColorDlg::OnPaint() {
  CPaintDC dc(this);
  CBrush black(RGB(0, 0, 0));
  const CRect f = FieldRect();
  // The cross reaches past the field's edge: the face around it is painted
  // anew so that no old cross stays there.
  CRect around(f);
  around.InflateRect(6, 6);
  dc.FillSolidRect(&around, GetSysColor(COLOR_BTNFACE));
  if (m_bmpField.GetSafeHandle()) {
    CDC mem;
    if (mem.CreateCompatibleDC(&dc)) {
      CBitmap* old = mem.SelectObject(&m_bmpField);
      dc.BitBlt(f.left, f.top, f.Width(), f.Height(), &mem, 0, 0, SRCCOPY);
      mem.SelectObject(old);
    }
  }
  CRect frame(f);
  frame.InflateRect(1, 1);
  dc.FrameRect(&frame, &black);
  // A cross at the colour's hue and saturation, black on light, white on dark.
  const int mx = f.left + m_nHue * f.Width() / 360;
  const int my = f.top + (100 - m_nSat) * (f.Height() - 1) / 100;
  const COLORREF mark = RGB(0, 0, 0);
  dc.FillSolidRect(mx - 5, my, 4, 1, mark);
  dc.FillSolidRect(mx + 2, my, 4, 1, mark);
  dc.FillSolidRect(mx, my - 5, 1, 4, mark);
  dc.FillSolidRect(mx, my + 2, 1, 4, mark);

  const CRect l = LumRect();
  for (int y = 0; y < l.Height(); ++y)
    dc.FillSolidRect(l.left, l.top + y, l.Width(), 1, HSLToRGB(m_nHue, m_nSat, 100 - y * 100 / std::max(1, l.Height() - 1)));
  frame = l;
  frame.InflateRect(1, 1);
  dc.FrameRect(&frame, &black);
  // The lightness marker: a small triangle pointing at the bar from the right.
  const int ly = l.top + (100 - m_nLight) * (l.Height() - 1) / 100;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  dc.FillSolidRect(l.right + 2, l.top - 4, 6, l.Height() + 8, face);
  for (int i = 0; i < 4; ++i) dc.FillSolidRect(l.right + 2 + i, ly - i, 1, 2 * i + 1, RGB(0, 0, 0));

  CRect s(kSampleDU);
  MapDialogRect(&s);
  dc.FillSolidRect(&s, m_crColor);
  dc.FrameRect(&s, &black);
}
