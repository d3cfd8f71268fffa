#include "KyFSLPickDlg.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "KyEspecialFill.h"
#include "KyFSLEditDlg.h"
#include "KyFillStyle.h"
#include "KyFillStyleGroup.h"
#include "KyFillStyleLib.h"
#include "KyLineStyleLib.h"
#include "KyLineStyleObj.h"
#include "KyLineStylePickerDlg.h"
#include "afxres.h"
#include "resource.h"

namespace {
// Controls of template 4905, by shorter names.
constexpr int kBkColorLabel = IDC_PICK_BACK_LABEL;
constexpr int kBackColor = IDC_PICK_BACK_COLOR;
constexpr int kTransparent = IDC_PICK_TRANSPARENT;
constexpr int kFrontColor = IDC_PICK_FRONT_COLOR;
constexpr int kPrevious = IDC_PICK_PREVIOUS;
constexpr int kInfo = IDC_PICK_INFO;
constexpr int kPreview = IDC_PICK_PREVIEW;
constexpr int kList = IDC_PICK_STYLE_LIST;
constexpr int kGroupCombo = IDC_PICK_GROUP_COMBO;
constexpr int kLineStyle = IDC_PICK_LINESTYLE;
constexpr int kGradient = IDC_PICK_GRADIENT;
constexpr int kAngle = IDC_PICK_ANGLE;
constexpr int kAngleSpin = IDC_PICK_ANGLE_SPIN;
constexpr int kRate = IDC_PICK_RATE;
constexpr int kGradientType = IDC_PICK_GRADIENT_TYPE;
constexpr int kHoffset = IDC_PICK_HOFFSET;
constexpr int kHoffsetSpin = IDC_PICK_HOFFSET_SPIN;
constexpr int kVoffset = IDC_PICK_VOFFSET;
constexpr int kVoffsetSpin = IDC_PICK_VOFFSET_SPIN;
constexpr int kEditor = IDC_PICK_EDITOR;
constexpr int kFindID = IDC_PICK_FIND_CODE;
constexpr int kFindName = IDC_PICK_FIND_NAME;

constexpr long kBuiltIns = 8;

// The leading decimal number of a text, with an optional sign; 0 for none.
long LeadingNumber(const CString& text) {
  const char* s = text;
  while (*s == ' ' || *s == '\t') ++s;
  char* end = nullptr;
  const long long v = std::strtoll(s, &end, 10);
  if (end == s) return 0;
  if (v > 0x7FFFFFFFLL) return 0x7FFFFFFF;
  if (v < -0x7FFFFFFFLL - 1) return -0x7FFFFFFF - 1;
  return static_cast<long>(v);
}

CString ComboText(CComboBox& box) {
  CString text;
  const int sel = box.GetCurSel();
  if (sel >= 0)
    box.GetLBText(sel, text);
  else
    box.GetWindowText(text);
  return text;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKyFSLPickDlg, CDialog)
  ON_LBN_SELCHANGE(kList, OnSelchangeList)
  ON_LBN_DBLCLK(kList, OnDblclkList)
  ON_BN_CLICKED(kTransparent, OnTransparent)
  ON_WM_DRAWITEM()
  ON_BN_CLICKED(kPrevious, OnPreviousGroup)
  ON_CBN_SELCHANGE(kGroupCombo, OnSelchangeGroupCombo)
  ON_BN_CLICKED(kLineStyle, OnLinestyleSet)
  ON_BN_CLICKED(kGradient, OnFslGradient)
  ON_CBN_SELCHANGE(kGradientType, OnSelchangeGradienttype)
  ON_EN_CHANGE(kRate, OnChangeTransparent)
  ON_EN_CHANGE(kAngle, OnChangeGradientAngle)
  ON_EN_CHANGE(kVoffset, OnChangeVoffset)
  ON_EN_CHANGE(kHoffset, OnChangeHoffset)
  ON_MESSAGE(WM_CHANGEGROUPPICKER, OnChangeGroupPicker)
  ON_MESSAGE(WM_COLORPICKER_SELCHANGE, OnSelChangeColor)
  ON_BN_CLICKED(kEditor, OnFslEditFillstylelib)
  ON_CBN_SELCHANGE(kFindID, OnSelchangeFindID)
  ON_CBN_SELCHANGE(kFindName, OnSelchangeFindName)
END_MESSAGE_MAP()

CKyFSLPickDlg::CKyFSLPickDlg(CWnd* pParent)
    : CDialog(IDD_FSL_PICK, pParent),
      m_pCurStyle(nullptr),
      m_pCurGroup(nullptr),
      m_bTransparent(FALSE),
      m_nTransparentRate(100),
      m_nGradientAngle(0),
      m_nGradientHoffset(0),
      m_nGradientVoffset(0),
      m_crCurLineColor(0x000000),
      m_nLineStyleID(0),
      m_nCurLineWidth(1),
      m_crBack(0xFFFFFF),
      m_crFront(0xFF0000),
      m_nCurSelStyle(-1),
      m_pFillStyleLib(nullptr),
      m_pLineStyleLib(nullptr),
      m_nGradientType(0),
      m_bInitialized(FALSE) {}

CKyFSLPickDlg::~CKyFSLPickDlg() = default;

// ---------------------------------------------------------------- values

int CKyFSLPickDlg::AttachKyStyleLib(CKyFillStyleLib* pFill, CKyLineStyleLib* pLine) {
  if (pLine) m_pLineStyleLib = pLine;
  if (!pFill) return FALSE;
  m_pFillStyleLib = pFill;
  return TRUE;
}

void CKyFSLPickDlg::SetBackColor(COLORREF cr) {
  m_crBack = cr;
  m_btnBackColor.SetColor(cr);
}

void CKyFSLPickDlg::SetFrontColor(COLORREF cr) {
  m_crFront = cr;
  m_btnFrontColor.SetColor(cr);
}

void CKyFSLPickDlg::SetTransparentRate(long rate) { m_nTransparentRate = rate < 0 ? 0 : rate > 100 ? 100 : rate; }

void CKyFSLPickDlg::SetStyle(CKyGeoStyle style) {
  if (style.m_crFillBack >= 0) {
    m_crBack = static_cast<COLORREF>(style.m_crFillBack);
    m_btnBackColor.SetColor(m_crBack);
    m_bTransparent = FALSE;
  } else {
    m_bTransparent = TRUE;
  }
  m_crFront = style.m_crFillFore;
  m_btnFrontColor.SetColor(m_crFront);
  m_nLineStyleID = style.m_nLineStyle;
  m_crCurLineColor = style.m_crLineColor;
  m_nCurSelStyle = style.m_nFillStyle;
  m_nCurLineWidth = style.m_nLineWidth;
  m_nGradientType = style.m_byGradientType;
  m_nTransparentRate = style.m_byFillRate;
  m_nGradientHoffset = style.m_sGradientHOffset;
  m_nGradientVoffset = style.m_sGradientVOffset;
  m_nGradientAngle = style.m_sGradientAngle;
}

void CKyFSLPickDlg::OnOK() {
  m_style.m_crFillBack = m_bTransparent ? -1 : static_cast<LONG>(m_crBack);
  m_style.m_crFillFore = m_crFront;
  m_style.m_nFillStyle = m_nCurSelStyle;
  m_style.m_nLineStyle = m_nLineStyleID;
  m_style.m_crLineColor = m_crCurLineColor;
  m_style.m_nLineWidth = m_nCurLineWidth;
  m_style.m_byGradientType = static_cast<BYTE>(m_nGradientType & 0xFF);
  m_style.m_byFillRate = static_cast<BYTE>(m_nTransparentRate & 0xFF);
  m_style.m_sGradientHOffset = static_cast<SHORT>(m_nGradientHoffset & 0xFFFF);
  m_style.m_sGradientVOffset = static_cast<SHORT>(m_nGradientVoffset & 0xFFFF);
  m_style.m_sGradientAngle = static_cast<SHORT>(m_nGradientAngle & 0xFFFF);
  CDialog::OnOK();
}

// ---------------------------------------------------------------- exchange and start-up

void CKyFSLPickDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kVoffsetSpin, m_spinVoffset);
  DDX_Control(pDX, kHoffsetSpin, m_spinHoffset);
  DDX_Control(pDX, kGradientType, m_comboGradientType);
  DDX_Control(pDX, kAngleSpin, m_spinAngle);
  DDX_Control(pDX, kList, m_listStyles);
  DDX_Control(pDX, kBackColor, m_btnBackColor);
  DDX_Control(pDX, kGroupCombo, m_comboGroup);
  DDX_Control(pDX, kFrontColor, m_btnFrontColor);
  DDX_Text(pDX, kInfo, m_strInfo);
  DDX_Control(pDX, kPrevious, m_btnPrevious);
  DDX_Check(pDX, kTransparent, m_bTransparent);
  DDX_Text(pDX, kRate, m_nTransparentRate);
  DDV_MinMaxLong(pDX, m_nTransparentRate, 0, 100);
  DDX_Text(pDX, kAngle, m_nGradientAngle);
  DDV_MinMaxLong(pDX, m_nGradientAngle, -3600, 3600);
  DDX_Text(pDX, kHoffset, m_nGradientHoffset);
  DDX_Text(pDX, kVoffset, m_nGradientVoffset);
  DDX_Control(pDX, kFindID, m_comboFindID);
  DDX_Control(pDX, kFindName, m_comboFindName);
}

// The info line of a style ("Size: 38 * 38 pixel; Resolution: 81 dpi;") is
// wider than its box: the box gets a second line, down to the bottom of the
// find group, and wraps at words instead of scrolling, so that the whole
// text shows.
void CKyFSLPickDlg::ShowInfoOnTwoLines() {
  CWnd* info = GetDlgItem(kInfo);
  if (!info) return;
  const LONG style = ::GetWindowLong(info->m_hWnd, GWL_STYLE);
  ::SetWindowLong(info->m_hWnd, GWL_STYLE, style & ~ES_AUTOHSCROLL);
  CRect r(249, 47, 249 + 92, 47 + 20);  // dialog units, inside the find group
  MapDialogRect(&r);
  info->MoveWindow(&r);
}

BOOL CKyFSLPickDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_pFillStyleLib) {
    EndDialog(IDCANCEL);
    return FALSE;
  }
  m_btnBackColor.SetColor(m_crBack);
  m_btnFrontColor.SetColor(m_crFront);

  m_pCurGroup = m_pFillStyleLib->GetStyleGroup();
  if (m_pCurGroup)
    if (CKyFillStyleGroup* g = m_pCurGroup->GetGroupWithItemID(m_nCurSelStyle)) m_pCurGroup = g;
  FillFindBoxes(false);

  m_comboGroup.AttachStyleGroup(m_pCurGroup);
  m_comboGroup.Init(0, 200);

  m_listStyles.SetItemHeight(0, 110);
  m_listStyles.SetColumnWidth(95);
  m_listStyles.m_pLib = m_pFillStyleLib;
  m_listStyles.UpdateGroup(m_pCurGroup);

  SelectCurrentStyle(m_nCurSelStyle);

  // The icon is the module's: found along the resource chain, not in the host.
  HINSTANCE res = AfxFindResourceHandle(MAKEINTRESOURCE(IDI_FSL_PICK), RT_GROUP_ICON);
  if (HICON icon = res ? ::LoadIcon(res, MAKEINTRESOURCE(IDI_FSL_PICK)) : nullptr)
    m_btnPrevious.SetIcon(icon, CSize(32, 32));

  m_spinHoffset.SetRange32(-100, 100);
  m_spinVoffset.SetRange32(-100, 100);
  m_spinAngle.SetRange32(0, 3600);

  for (UINT id = IDS_GRADIENT_LINEAR; id <= IDS_GRADIENT_SQUARE; ++id) {
    CString name;
    name.LoadString(id);
    m_comboGradientType.AddString(name);
  }
  if (m_nGradientType == 0) {
    OnFslGradient();
  } else {
    CheckDlgButton(kGradient, BST_CHECKED);
    m_comboGradientType.SetCurSel(static_cast<int>(m_nGradientType - 1));
    OnSelchangeGradienttype();
  }

  if (m_toolTip.Create(this)) {
    m_toolTip.Activate(TRUE);
    m_toolTip.AddTool(GetDlgItem(kPrevious), IDS_PREVIOUS);
  }
  if (m_bTransparent) {
    if (CWnd* label = GetDlgItem(kBkColorLabel)) label->EnableWindow(FALSE);
    m_btnBackColor.EnableWindow(FALSE);
  }
  ShowInfoOnTwoLines();
  m_bInitialized = TRUE;
  // The keyboard starts on the styles, where the choice is made: the arrow
  // keys move through them at once.
  m_listStyles.SetFocus();
  return FALSE;
}

BOOL CKyFSLPickDlg::DestroyWindow() {
  if (CWnd* parent = GetParent()) parent->InvalidateRect(nullptr, TRUE);
  return CDialog::DestroyWindow();
}

BOOL CKyFSLPickDlg::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTip.m_hWnd) m_toolTip.RelayEvent(pMsg);
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    CWnd* idEdit = m_comboFindID.m_hWnd ? m_comboFindID.GetWindow(GW_CHILD) : nullptr;
    CWnd* nameEdit = m_comboFindName.m_hWnd ? m_comboFindName.GetWindow(GW_CHILD) : nullptr;
    if (m_listStyles.m_hWnd && pMsg->hwnd == m_listStyles.m_hWnd)
      OnDblclkList();
    else if (idEdit && pMsg->hwnd == idEdit->m_hWnd)
      OnSelchangeFindID();
    else if (nameEdit && pMsg->hwnd == nameEdit->m_hWnd)
      OnSelchangeFindName();
  }
  return CDialog::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------- shared steps

void CKyFSLPickDlg::FillFindBoxes(bool bReset) {
  if (bReset) {
    m_comboFindID.ResetContent();
    m_comboFindName.ResetContent();
  }
  if (!m_pCurGroup) return;
  const long n = m_pCurGroup->GetItemCount();
  CString text;
  for (long i = 0; i < n; ++i) {
    text.Format("%ld", m_pCurGroup->GetItemID(i));
    m_comboFindID.AddString(text);
    m_comboFindName.AddString(m_pCurGroup->GetItemName(i));
  }
}

void CKyFSLPickDlg::ShowGroup(CKyFillStyleGroup* pGroup, bool bListFirst) {
  m_pCurGroup = pGroup;
  if (bListFirst) {
    m_listStyles.UpdateGroup(pGroup);
    m_comboGroup.ReAttachStyleGroup(pGroup);
  } else {
    m_comboGroup.ReAttachStyleGroup(pGroup);
    m_listStyles.UpdateGroup(pGroup);
  }
  m_comboGroup.Invalidate(TRUE);
  m_listStyles.Invalidate(TRUE);
}

bool CKyFSLPickDlg::SelectCurrentStyle(long id) {
  if (!m_pCurGroup) return false;
  const long s = m_pCurGroup->GetSubGroupCount();
  long idx = id;
  if (idx >= kBuiltIns) {
    idx = m_pCurGroup->GetItemIndex(id);
    if (idx != -1 && !m_pCurGroup->GetParentGroup()) idx += kBuiltIns;
  }
  if (idx == -1) return false;
  m_listStyles.SetCurSel(static_cast<int>(idx + s));
  OnSelchangeList();
  return true;
}

void CKyFSLPickDlg::ResetInfo() {
  m_strInfo = "";
  UpdateData(FALSE);
}

void CKyFSLPickDlg::ClearFindBoxes() {
  m_comboFindID.SetWindowText("");
  m_comboFindName.SetWindowText("");
}

bool CKyFSLPickDlg::IsGroupOfLibrary(const CKyFillStyleGroup* pGroup) const {
  if (!pGroup || !m_pFillStyleLib) return false;
  // Pointers are compared only, never followed, until one is found in the
  // tree: a stale or foreign pointer is simply not there.
  std::vector<CKyFillStyleGroup*> pending;
  if (CKyFillStyleGroup* root = m_pFillStyleLib->GetStyleGroup()) pending.push_back(root);
  while (!pending.empty()) {
    CKyFillStyleGroup* g = pending.back();
    pending.pop_back();
    if (g == pGroup) return true;
    const long n = g->GetSubGroupCount();
    for (long i = 0; i < n; ++i)
      if (CKyFillStyleGroup* sub = g->SubGroup(i)) pending.push_back(sub);
  }
  return false;
}

// ---------------------------------------------------------------- the preview

void CKyFSLPickDlg::DrawPreviews() {
  CWnd* preview = m_hWnd ? GetDlgItem(kPreview) : nullptr;
  if (!preview) return;
  const int sel = m_listStyles.m_hWnd ? m_listStyles.GetCurSel() : LB_ERR;
  const long k = CKyFSLPickList::BuiltInCount(m_pCurGroup);
  const long s = CKyFSLPickList::SubGroupCount(m_pCurGroup);

  CDC* pDC = preview->GetDC();
  if (!pDC) return;
  CRect client;
  preview->GetClientRect(&client);
  CDC mem;
  CBitmap bitmap;
  if (!mem.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height())) {
    preview->ReleaseDC(pDC);
    return;
  }
  CBitmap* oldBitmap = mem.SelectObject(&bitmap);
  const int oldMode = mem.SetMapMode(MM_ISOTROPIC);
  CRect rect = client;
  mem.DPtoLP(&rect);

  CBrush face(GetSysColor(COLOR_BTNFACE));
  CBrush* oldBrush = mem.SelectObject(&face);
  CGdiObject* oldPen = mem.SelectStockObject(NULL_PEN);
  // FillRect rather than Rectangle: with the null pen a rectangle leaves
  // its right and bottom pixel rows out, which showed as a black edge of
  // the fresh bitmap.
  mem.FillRect(&rect, &face);

  m_nCurSelStyle = -1;
  m_pCurStyle = nullptr;
  const long m = PreviewLineWidth(rect) / 2 + 25;
  // y grows upwards, so +m vertically moves top and bottom inwards.
  rect.InflateRect(-m, m);

  if (sel < s) {
    // A sub-group or no selection: the background only.
  } else if (m_nGradientType >= 1 && m_nGradientType <= 4) {
    CKyEspecialFill::GradientRectangle(&mem, &rect, m_crFront, m_crBack, m_nGradientAngle, m_nGradientHoffset,
                                       m_nGradientVoffset, m_nGradientType, 0, m_nTransparentRate);
    DrawLineStyle(&mem, &rect);
    m_nCurSelStyle = sel >= s + k ? m_pCurGroup->GetItemID(sel - s - k) : sel - s;
  } else if (sel >= s + k) {
    m_nCurSelStyle = m_pCurGroup->GetItemID(sel - s - k);
    const COLORREF back = m_bTransparent ? GetSysColor(COLOR_BTNFACE) : m_crBack;
    m_pCurStyle = m_pFillStyleLib
                      ? m_pFillStyleLib->CreateFillStyle(&mem, m_nCurSelStyle, m_crFront, back, CSize(0, 0), 1.0)
                      : nullptr;
    if (m_pCurStyle) {
      m_pCurStyle->Display(&mem, &rect, m_nTransparentRate);
      m_pCurStyle->ReleaseBMP();
      DrawLineStyle(&mem, &rect);
    }
  } else {
    const long fill = sel - s;
    if (fill == 0) {
      CKyEspecialFill::TransparentRectangle(&mem, &rect, m_crFront, 0, m_nTransparentRate);
    } else if (fill >= 2) {
      const int oldBkMode = mem.GetBkMode();
      if (m_bTransparent) mem.SetBkMode(TRANSPARENT);
      const COLORREF oldBk = mem.SetBkColor(m_crBack);
      CBrush hatch;
      if (hatch.CreateHatchBrush(CKyFSLPickList::BuiltInHatch(fill), m_crFront)) {
        CBrush* prev = mem.SelectObject(&hatch);
        mem.Rectangle(&rect);
        mem.SelectObject(prev);
      }
      mem.SetBkColor(oldBk);
      mem.SetBkMode(oldBkMode);
    }
    m_nCurSelStyle = fill;
    rect.DeflateRect(0, 0, 2, -2);
    DrawLineStyle(&mem, &rect);
  }

  mem.SelectObject(oldBrush);
  if (oldPen) mem.SelectObject(oldPen);
  mem.SetMapMode(oldMode);
  pDC->BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
  mem.SelectObject(oldBitmap);
  preview->ReleaseDC(pDC);
}

long CKyFSLPickDlg::PreviewLineWidth(const CRect& area) const {
  // A record may carry any width. An outline wider than the preview looks
  // the same as one as wide as the preview, and a negative one as none;
  // drawing kilometre-wide pens only took minutes.
  const long limit = std::max(std::abs(area.Width()), std::abs(area.Height())) + 50;
  return std::clamp(m_nCurLineWidth, 0L, limit);
}

void CKyFSLPickDlg::DrawLineStyle(CDC* pDC, CRect* rect) {
  if (!pDC || !rect) return;
  POINT pts[5] = {{rect->left, rect->top},
                  {rect->left, rect->bottom},
                  {rect->right, rect->bottom},
                  {rect->right, rect->top},
                  {rect->left, rect->top}};
  const long width = PreviewLineWidth(*rect);
  if (m_nLineStyleID >= 0 && m_nLineStyleID <= 5) {
    static const int kPenStyle[6] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
    CPen pen;
    if (!pen.CreatePen(kPenStyle[m_nLineStyleID], static_cast<int>(width), m_crCurLineColor)) return;
    CPen* old = pDC->SelectObject(&pen);
    pDC->Polyline(pts, 5);
    pDC->SelectObject(old);
    return;
  }
  if (m_nLineStyleID < 6 || !m_pLineStyleLib) return;
  CPen solid;
  if (!solid.CreatePen(PS_SOLID, static_cast<int>(width), m_crCurLineColor)) return;
  const long idx = m_pLineStyleLib->FindID(m_nLineStyleID);
  if (idx >= 0 && idx < m_pLineStyleLib->Count()) {
    CKyLineStyleObj obj(m_pLineStyleLib->GetStyleObj(idx));
    const int oldMode = pDC->GetMapMode();
    CPen* oldPen = pDC->SelectObject(&solid);
    CBrush* oldBrush = pDC->GetCurrentBrush();
    m_pLineStyleLib->KeepLineStyleDC(pDC);
    obj.SetLineStyle(width, m_crCurLineColor);
    obj.Polyline(pts, 5);
    m_pLineStyleLib->StoreLineStyleDC(pDC);
    pDC->SelectObject(oldPen);
    if (oldBrush) pDC->SelectObject(oldBrush);
    if (pDC->GetMapMode() != oldMode) pDC->SetMapMode(oldMode);
    return;
  }
  CPen* oldPen = pDC->SelectObject(&solid);
  pDC->Polyline(pts, 5);
  pDC->SelectObject(oldPen);
}

// ---------------------------------------------------------------- handlers

void CKyFSLPickDlg::OnSelchangeList() {
  DrawPreviews();
  const int sel = m_listStyles.GetCurSel();
  if (sel == LB_ERR) {
    m_strInfo = "";
    ClearFindBoxes();
  } else if (m_nCurSelStyle == -1) {
    ClearFindBoxes();
    CKyFillStyleGroup* sub = m_pCurGroup ? m_pCurGroup->SubGroup(sel) : nullptr;
    if (!sub) {
      UpdateData(FALSE);
      return;
    }
    m_comboFindName.SetWindowText(sub->GetName());
    CString items, groups;
    items.LoadString(IDS_COL_ITEM_COUNT);
    groups.LoadString(IDS_COL_SUBGROUP_COUNT);
    m_strInfo.Format("%s: %ld; %s: %ld;", static_cast<LPCSTR>(items), sub->GetItemCount(),
                     static_cast<LPCSTR>(groups), sub->GetSubGroupCount());
  } else if (m_nCurSelStyle >= kBuiltIns) {
    if (!m_pCurStyle) {
      UpdateData(FALSE);
      return;
    }
    CString text;
    text.Format("%ld", m_nCurSelStyle);
    m_comboFindID.SetWindowText(text);
    m_comboFindName.SetWindowText(m_pCurStyle->GetFillStyleName());
    CString size, resolution;
    size.LoadString(IDS_COL_SIZE);
    resolution.LoadString(IDS_COL_RESOLUTION);
    m_strInfo.Format("%s: %ld * %ld pixel; %s: %d dpi;", static_cast<LPCSTR>(size), m_pCurStyle->GetTileWidth(),
                     m_pCurStyle->GetTileHeight(), static_cast<LPCSTR>(resolution),
                     static_cast<int>(m_pCurStyle->GetResolution()));
  } else {
    CString text;
    text.Format("%ld", m_nCurSelStyle);
    m_comboFindID.SetWindowText(text);
    m_comboFindName.SetWindowText(CKyFSLPickList::kBuiltInCaption);
    m_strInfo = "";
  }
  UpdateData(FALSE);
}

void CKyFSLPickDlg::OnDblclkList() {
  const int sel = m_listStyles.GetCurSel();
  if (sel < 0 || sel >= CKyFSLPickList::SubGroupCount(m_pCurGroup)) return;
  CKyFillStyleGroup* sub = m_pCurGroup->SubGroup(sel);
  if (!sub) return;
  ShowGroup(sub, false);
  FillFindBoxes(true);
  m_nCurSelStyle = -1;
  DrawPreviews();
  ResetInfo();
}

void CKyFSLPickDlg::OnPreviousGroup() {
  if (!m_pCurGroup || !m_pCurGroup->GetParentGroup()) return;
  ShowGroup(m_pCurGroup->GetParentGroup(), false);
  FillFindBoxes(true);
  m_nCurSelStyle = -1;
  DrawPreviews();
  ResetInfo();
}

LRESULT CKyFSLPickDlg::OnChangeGroupPicker(WPARAM wParam, LPARAM) {
  auto* group = reinterpret_cast<CKyFillStyleGroup*>(wParam);
  if (!group || group == m_pCurGroup || !IsGroupOfLibrary(group)) return 1;
  ShowGroup(group, true);
  m_nCurSelStyle = -1;
  DrawPreviews();
  ResetInfo();
  FillFindBoxes(true);
  return 1;
}

void CKyFSLPickDlg::OnSelchangeGroupCombo() {
  CKyFillStyleGroup* group = m_comboGroup.GetCurSelGroup();
  if (!IsGroupOfLibrary(group)) return;
  ShowGroup(group, false);
  DrawPreviews();
  ResetInfo();
  FillFindBoxes(true);
}

void CKyFSLPickDlg::OnSelchangeFindID() {
  const long id = LeadingNumber(ComboText(m_comboFindID));
  if (!m_pCurGroup || id < 0) {
    ClearFindBoxes();
    ResetInfo();
    return;
  }
  if (m_pFillStyleLib && m_pFillStyleLib->GetStyleGroup()) {
    CKyFillStyleGroup* g = m_pFillStyleLib->GetStyleGroup()->GetGroupWithItemID(id);
    if (g && g != m_pCurGroup) {
      m_pCurGroup = g;
      FillFindBoxes(true);
      m_listStyles.UpdateGroup(g);
      m_comboGroup.ReAttachStyleGroup(g);
      m_listStyles.Invalidate(TRUE);
      m_comboGroup.Invalidate(TRUE);
    }
  }
  if (!SelectCurrentStyle(id)) {
    ClearFindBoxes();
    ResetInfo();
  }
}

void CKyFSLPickDlg::OnSelchangeFindName() {
  const CString text = ComboText(m_comboFindName);
  if (!m_pCurGroup || text.IsEmpty()) {
    ClearFindBoxes();
    ResetInfo();
    return;
  }
  const long base = CKyFSLPickList::SubGroupCount(m_pCurGroup) + CKyFSLPickList::BuiltInCount(m_pCurGroup);
  const int sel = m_listStyles.GetCurSel();
  const long start = sel >= base ? sel - base + 1 : 0;
  const long idx = m_pCurGroup->GetItemIndex(text, start);
  if (idx == -1) {
    ClearFindBoxes();
    ResetInfo();
    return;
  }
  m_listStyles.SetCurSel(static_cast<int>(idx + base));
  OnSelchangeList();
}

void CKyFSLPickDlg::OnTransparent() {
  UpdateData(TRUE);
  DrawPreviews();
  if (CWnd* label = GetDlgItem(kBkColorLabel)) label->EnableWindow(!m_bTransparent);
  m_btnBackColor.EnableWindow(!m_bTransparent);
}

LRESULT CKyFSLPickDlg::OnSelChangeColor(WPARAM wParam, LPARAM lParam) {
  if (lParam == kBackColor) {
    m_crBack = static_cast<COLORREF>(wParam);
    DrawPreviews();
  } else if (lParam == kFrontColor) {
    m_crFront = static_cast<COLORREF>(wParam);
    DrawPreviews();
  }
  return 1;
}

void CKyFSLPickDlg::OnLinestyleSet() {
  if (!m_pLineStyleLib) return;
  CKyLineStylePickerDlg dlg(nullptr);
  dlg.AttachLineStyleLib(m_pLineStyleLib);
  dlg.SetCurSelStyle(m_nLineStyleID);
  dlg.SetCurSelColor(m_crCurLineColor);
  dlg.SetCurSelWidth(m_nCurLineWidth);
  if (dlg.DoModal() != IDOK) return;
  m_nLineStyleID = dlg.GetCurSelStyle();
  m_crCurLineColor = dlg.GetCurSelColor();
  m_nCurLineWidth = dlg.GetCurSelWidth();
  DrawPreviews();
}

void CKyFSLPickDlg::OnFslGradient() {
  const bool on = IsDlgButtonChecked(kGradient) != 0;
  if (!on) {
    m_comboGradientType.SetCurSel(-1);
    OnSelchangeGradienttype();
  }
  for (int id : {kAngle, kGradientType, kAngleSpin})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(on);
  if (on) {
    m_comboGradientType.SetCurSel(0);
    OnSelchangeGradienttype();
  }
}

void CKyFSLPickDlg::OnSelchangeGradienttype() {
  const int sel = m_comboGradientType.GetCurSel();
  m_nGradientType = sel < 0 ? 0 : sel + 1;
  const bool offsets = m_nGradientType >= 2;
  for (int id : {kHoffset, kVoffset, kHoffsetSpin, kVoffsetSpin})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(offsets);
  DrawPreviews();
}

void CKyFSLPickDlg::OnChangeTransparent() {
  if (!m_bInitialized) return;
  UpdateData(TRUE);
  DrawPreviews();
}

void CKyFSLPickDlg::OnChangeGradientAngle() { OnChangeTransparent(); }
void CKyFSLPickDlg::OnChangeVoffset() { OnChangeTransparent(); }
void CKyFSLPickDlg::OnChangeHoffset() { OnChangeTransparent(); }

void CKyFSLPickDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (nIDCtl == kPreview) DrawPreviews();
  CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

void CKyFSLPickDlg::OnFslEditFillstylelib() {
  if (!m_pFillStyleLib) return;
  {
    CKyFSLEditDlg editor(this);
    editor.AttachKyFillStyleLib(m_pFillStyleLib);
    editor.DoModal();
  }
  // The editor may have changed anything: the view is rebuilt from the root.
  m_pCurGroup = m_pFillStyleLib->GetStyleGroup();
  if (m_pCurGroup)
    if (CKyFillStyleGroup* g = m_pCurGroup->GetGroupWithItemID(m_nCurSelStyle)) m_pCurGroup = g;
  m_comboGroup.ReAttachStyleGroup(m_pCurGroup);
  m_comboGroup.Invalidate(TRUE);
  m_listStyles.UpdateGroup(m_pCurGroup);
  m_listStyles.Invalidate(TRUE);
  FillFindBoxes(true);
  if (!SelectCurrentStyle(m_nCurSelStyle)) {
    DrawPreviews();
    ResetInfo();
  }
}
