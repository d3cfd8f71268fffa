// The editor dialog's frame: construction, data exchange, the message map,
// start-up (bars, grid, canvas), painting, tooltips and closing.
#include <cstring>
#include <string>

#include "KyFSLEditDlg.h"
#include "afxres.h"
#include "codepage.h"
#include "resource.h"

namespace {

constexpr int kCellEdge = 58;
constexpr int kTools = 12;
constexpr COLORREF kMagenta = 0xFF00FF;
constexpr DWORD kGridStyle = 0x50800311;  // WS_CHILD | WS_VISIBLE | WS_BORDER | 0x311
constexpr COLORREF kSeparatorDark = 0x848284;
constexpr COLORREF kSeparatorLight = 0xFFFFFF;
constexpr int kTooltipChars = 79;

// UTF-8 into at most cap UTF-16 units and a terminating 0.
void ToUtf16(const std::string& utf8, WCHAR* out, int cap) {
  int n = 0;
  for (size_t i = 0; i < utf8.size() && n < cap;) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    unsigned cp = c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) cp = c & (0x3F >> extra);
    if (extra && i + static_cast<size_t>(extra) >= utf8.size()) break;  // a cut-off character
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += static_cast<size_t>(extra) + 1;
    if (cp >= 0x10000) {
      if (n + 2 > cap) break;
      cp -= 0x10000;
      out[n++] = static_cast<WCHAR>(0xD800 + (cp >> 10));
      out[n++] = static_cast<WCHAR>(0xDC00 + (cp & 0x3FF));
    } else {
      out[n++] = static_cast<WCHAR>(cp);
    }
  }
  out[n] = 0;
}

}  // namespace

CKyFSLEditDlg::CKyFSLEditDlg(CWnd* pParent) : CDialog(IDD_FSL_EDIT, pParent) {
  m_wndList.AttachHost(this);
}

CKyFSLEditDlg::~CKyFSLEditDlg() {
  delete[] m_pToolButtons;
  m_pToolButtons = nullptr;
}

BOOL CKyFSLEditDlg::Create(CWnd* pParent) {
  m_bInitFailed = FALSE;
  if (!CDialog::Create(IDD_FSL_EDIT, pParent)) return FALSE;
  if (!m_bInitFailed) return TRUE;
  DestroyWindow();
  return FALSE;
}

BOOL CKyFSLEditDlg::FailInit() {
  m_bInitFailed = TRUE;
  EndDialog(-1);
  return -1;
}

BOOL CKyFSLEditDlg::AttachKyFillStyleLib(CKyFillStyleLib* pLib) {
  m_pLib = pLib;
  m_nSymCount = pLib ? pLib->GetSymLib()->GetSymbolCount() : 0;
  return TRUE;
}

void CKyFSLEditDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EDITOR_WIDTH, m_editWidth);
  DDX_Control(pDX, IDC_EDITOR_HEIGHT, m_editHeight);
  DDX_Control(pDX, IDC_EDITOR_GROUP, m_editGroup);
  DDX_Control(pDX, IDC_EDITOR_NAME, m_editName);
  DDX_Control(pDX, IDC_EDITOR_CODE, m_editCode);
  DDX_Control(pDX, IDC_EDITOR_WIDTH_SPIN, m_spinWidth);
  DDX_Control(pDX, IDC_EDITOR_HEIGHT_SPIN, m_spinHeight);
  DDX_Control(pDX, IDC_EDITOR_NAME_COMBO, m_comboName);
  DDX_Control(pDX, IDC_EDITOR_CODE_SPIN, m_spinCode);
  DDX_Control(pDX, IDC_EDITOR_CODE_COMBO, m_comboCode);
  DDX_Text(pDX, IDC_EDITOR_STATUS, m_strStatus);
  DDX_Text(pDX, IDC_EDITOR_SEL_HEIGHT, m_nSelHeight);
  DDV_MinMaxUInt(pDX, m_nSelHeight, 0, 1000);
  DDX_Text(pDX, IDC_EDITOR_SEL_WIDTH, m_nSelWidth);
  DDV_MinMaxUInt(pDX, m_nSelWidth, 0, 1000);
}

BEGIN_MESSAGE_MAP(CKyFSLEditDlg, CDialog)
ON_COMMAND(ID_EDITTOOL_SELECT, OnEdittoolSelect)
ON_COMMAND(ID_EDITTOOL_ERASE, OnEdittoolErase)
ON_COMMAND(ID_EDITTOOL_PEN, OnEdittoolPen)
ON_COMMAND(ID_EDITTOOL_LINE, OnEdittoolLine)
ON_COMMAND(ID_EDITTOOL_QUARTER_ELLIPSE, OnEdittoolQuarterEllipse)
ON_COMMAND(ID_EDITTOOL_RECTANGLE, OnEdittoolRectangle)
ON_COMMAND(ID_EDITTOOL_ELLIPSE, OnEdittoolEllipse)
ON_COMMAND(ID_EDITTOOL_RECTANGLEFILL, OnEdittoolRectanglefill)
ON_COMMAND(ID_EDITTOOL_ELLIPSEFILL, OnEdittoolEllipsefill)
ON_COMMAND(ID_BRUSH_INVERT, OnBrushInvert)
ON_COMMAND(ID_BRUSH_IMAGE, OnBrushImage)
ON_COMMAND(ID_FSL_EDITTOOL_SYMBOL, OnFslEdittoolSymbol)
ON_COMMAND(ID_BRUSHLIB_NEW, OnBrushlibNew)
ON_COMMAND(ID_BRUSHLIB_OPEN, OnBrushlibOpen)
ON_COMMAND(ID_BRUSHLIB_SAVE, OnBrushlibSave)
ON_COMMAND(ID_BRUSHLIB_SAVEAS, OnBrushlibSaveas)
ON_COMMAND(ID_LOAD_SYSLIB, OnLoadSysLib)
ON_COMMAND(ID_BRUSHLIB_SUBGROUP, OnBrushlibSubgroup)
ON_COMMAND(ID_BRUSH_NEW, OnBrushNew)
ON_COMMAND(ID_BRUSH_DELETE, OnBrushDelete)
ON_COMMAND(ID_BRUSH_CUT, OnBrushCut)
ON_COMMAND(ID_BRUSH_COPY, OnBrushCopy)
ON_COMMAND(ID_BRUSH_PASTE, OnBrushPaste)
ON_COMMAND(ID_BRUSH_ARRANGEPASTE, OnBrushArrangepaste)
ON_COMMAND(ID_BRUSH_CLEAR, OnBrushClear)
ON_COMMAND(ID_BRUSH_UNDO, OnBrushUndo)
ON_COMMAND(ID_FSL_EXPORT_BMP, OnFslExportBMP)
ON_COMMAND(ID_FSL_DIALOG_SETTING, OnFSLDialogSetting)
ON_BN_CLICKED(IDC_EDITOR_EDIT, OnEditButton)
ON_BN_CLICKED(IDC_EDITOR_SAVE, OnSaveButton)
ON_BN_CLICKED(IDC_EDITOR_SAVE_AS, OnSaveAsButton)
ON_CBN_SELCHANGE(IDC_EDITOR_CODE_COMBO, OnSelchangeCode)
ON_CBN_SELCHANGE(IDC_EDITOR_NAME_COMBO, OnSelchangeName)
ON_WM_CLOSE()
ON_WM_PAINT()
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, ID_EDITOR_FIRST, ID_EDITOR_LAST, OnNeedTextA)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, ID_EDITOR_FIRST, ID_EDITOR_LAST, OnNeedTextW)
END_MESSAGE_MAP()

BOOL CKyFSLEditDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_pLib || !CKyFSLEditList::RegisterWndClass() || !CKyFSLEditWnd::RegisterWndClass()) return FailInit();

  // 1. Tooltips of the three transfer buttons.
  m_wndToolTip.Create(this);
  m_wndToolTip.Activate(TRUE);

  // 2. The tool palette: nine tools in a check group, then three commands.
  if (!m_wndToolPalette.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS |
                                   CCS_NOMOVEY | CCS_TOP,
                               CRect(0, 0, 0, 0), this, IDR_FSL_EDITTOOL))
    return FailInit();
  if (m_wndToolPalette.AddBitmap(kTools, IDR_FSL_EDITTOOL) < 0) return FailInit();
  delete[] m_pToolButtons;
  m_pToolButtons = new TBBUTTON[kTools];
  for (int i = 0; i < kTools; ++i) {
    TBBUTTON& b = m_pToolButtons[i];
    std::memset(&b, 0, sizeof b);
    b.iBitmap = i;
    b.idCommand = ID_EDITOR_FIRST + i;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = i < 9 ? static_cast<BYTE>(TBSTYLE_CHECKGROUP) : static_cast<BYTE>(TBSTYLE_BUTTON);
    b.iString = -1;
  }
  m_wndToolPalette.AddButtons(kTools, m_pToolButtons);
  if (m_imlTools.Create(16, 16, ILC_COLOR24 | ILC_MASK, kTools, 0)) {
    CBitmap bmp;
    if (bmp.LoadBitmap(IDB_FSL_EDITTOOL16)) m_imlTools.Add(&bmp, kMagenta);
    m_wndToolPalette.SetImageList(&m_imlTools);
  }
  m_wndToolPalette.AutoSize();
  m_wndToolPalette.CheckButton(m_wndCanvas.m_nTool, TRUE);

  // 3. The command bar, from its tool bar resource.
  if (!m_wndCommandBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS,
                                CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
      !m_wndCommandBar.LoadToolBar(IDR_FSL_BRUSHLIB))
    return FailInit();
  if (m_imlCommands.Create(16, 16, ILC_COLOR24 | ILC_MASK, 17, 0)) {
    CBitmap bmp;
    if (bmp.LoadBitmap(IDB_FSL_BRUSHLIB16)) m_imlCommands.Add(&bmp, kMagenta);
    m_wndCommandBar.GetToolBarCtrl().SetImageList(&m_imlCommands);
  }
  CRect client;
  GetClientRect(&client);
  // The palette takes the right end of the band above the edits and the
  // command bar the rest of it, so that neither covers the other. A CCS_TOP
  // bar sizes itself to the whole width; its buttons say how wide it is.
  // The two bars hold 28 buttons, which at the usual 24-pixel buttons are
  // wider than the band: at 22 (a 16-pixel image and 6 of padding) each one
  // fits beside the other, and no button lies under the palette where a
  // click could not reach it.
  for (CToolBarCtrl* bar : {&m_wndToolPalette, &m_wndCommandBar.GetToolBarCtrl()}) {
    bar->SendMessage(TB_SETPADDING, 0, MAKELPARAM(6, 6));
    bar->SetButtonSize(CSize(22, 22));
  }
  m_wndToolPalette.AutoSize();
  CRect palette;
  m_wndToolPalette.GetWindowRect(&palette);
  CRect last(0, 0, 0, 0);
  int paletteWidth = palette.Width();
  if (m_wndToolPalette.GetItemRect(kTools - 1, &last)) paletteWidth = last.right + 2;
  int paletteX = client.right - paletteWidth - 2;
  m_wndToolPalette.MoveWindow(paletteX, 1, paletteWidth, palette.Height());
  m_wndCommandBar.MoveWindow(10, 1, paletteX - 10, 25);
  m_wndCommandBar.EnableToolTips(TRUE);

  // 4. The grid and the canvas below the name combo box.
  CRect combo;
  m_comboName.GetWindowRect(&combo);
  ScreenToClient(&combo);
  int y0 = combo.bottom + combo.Height() / 3;
  if (!m_wndList.CreateEx(WS_EX_CLIENTEDGE, "BRUSHLISTBOX", "", kGridStyle, CRect(2, y0, 201, client.bottom - 30),
                          this, IDC_EDITOR_GRID) ||
      !m_wndCanvas.CreateEx(WS_EX_CLIENTEDGE, CKyFSLEditWnd::kClassName, "", WS_CHILD | WS_VISIBLE,
                            CRect(204, y0, client.right - 2, client.bottom - 30), this, IDC_EDITOR_CANVAS))
    return FailInit();

  // 5. The root group.
  m_pGroup = m_pLib->GetStyleGroup();
  m_editGroup.SetWindowText(m_pGroup->GetName());

  // 6. Grid geometry.
  CRect gridClient;
  m_wndList.GetClientRect(&gridClient);
  m_wndList.m_nItemSize = kCellEdge;
  m_wndList.m_nColumns = gridClient.Width() / kCellEdge;
  m_wndList.m_nRows = gridClient.Height() / kCellEdge;
  SCROLLINFO si{sizeof si, SIF_ALL, 0, m_wndList.m_nRows - 1, static_cast<UINT>(m_wndList.m_nRows), 0, 0};
  m_wndList.SetScrollInfo(SB_VERT, &si);
  m_wndList.ScrollChange(0);
  m_wndList.ReDraw();
  AddCodes();

  // 7. The canvas's scroll bars start the same way.
  m_wndCanvas.SetScrollInfo(SB_VERT, &si);
  m_wndCanvas.SetScrollInfo(SB_HORZ, &si);
  m_wndCanvas.ScrollChange(0, 0);
  m_wndCanvas.ReDraw();

  // 8. Spin ranges and the clean state.
  m_spinCode.SetRange32(8, 999999999);
  m_spinWidth.SetRange32(0, 999);
  m_spinHeight.SetRange32(0, 999);
  m_strPath.Empty();
  m_bModified = FALSE;
  m_wndCanvas.m_nCellSize = 6;

  // 9. Tooltips of the transfer buttons.
  static const struct {
    int control;
    UINT text;
  } kTips[] = {{IDC_EDITOR_EDIT, IDS_EDIT}, {IDC_EDITOR_SAVE, IDS_SAVE}, {IDC_EDITOR_SAVE_AS, IDS_SAVE_AS}};
  for (const auto& t : kTips) {
    CString text;
    text.LoadString(t.text);
    if (CWnd* w = GetDlgItem(t.control)) m_wndToolTip.AddTool(w, text);
  }
  return TRUE;
}

BOOL CKyFSLEditDlg::DestroyWindow() {
  if (CWnd* parent = GetParent()) parent->Invalidate();
  delete[] m_pToolButtons;
  m_pToolButtons = nullptr;
  return CDialog::DestroyWindow();
}

void CKyFSLEditDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.Draw3dRect(1, 1, 12, 2, kSeparatorDark, kSeparatorLight);
  dc.Draw3dRect(2, 5, 3, 20, kSeparatorDark, kSeparatorLight);
  dc.Draw3dRect(6, 5, 3, 20, kSeparatorDark, kSeparatorLight);
  dc.Draw3dRect(1, 26, client.Width(), 2, kSeparatorDark, kSeparatorLight);
}

CString CKyFSLEditDlg::NeedText(UINT nID) {
  CString text;
  if (nID < ID_EDITOR_FIRST || nID > ID_EDITOR_LAST || !text.LoadString(nID)) return CString();
  if (text.GetLength() > kTooltipChars) text = text.Left(kTooltipChars);
  return text;
}

BOOL CKyFSLEditDlg::OnNeedTextA(UINT id, NMHDR* pNMHDR, LRESULT* pResult) {
  auto* ttt = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
  UINT nID = static_cast<UINT>(pNMHDR->idFrom);
  CString text = NeedText(nID);
  if (text.IsEmpty()) return FALSE;
  std::memset(ttt->szText, 0, sizeof ttt->szText);
  std::memcpy(ttt->szText, static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength()));
  ttt->lpszText = ttt->szText;
  if (pResult) *pResult = 0;
  return TRUE;
}

BOOL CKyFSLEditDlg::OnNeedTextW(UINT id, NMHDR* pNMHDR, LRESULT* pResult) {
  auto* ttt = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
  UINT nID = static_cast<UINT>(pNMHDR->idFrom);
  CString text = NeedText(nID);
  if (text.IsEmpty()) return FALSE;
  ToUtf16(AfxCodePageToUtf8(text, static_cast<size_t>(text.GetLength())), ttt->szText, kTooltipChars);
  ttt->lpszText = ttt->szText;
  if (pResult) *pResult = 0;
  return TRUE;
}

BOOL CKyFSLEditDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  // Tooltips of a bar ask with the command id, from a window that is not a
  // control of this dialog; they are answered here all the same.
  if (hdr && (hdr->code == TTN_NEEDTEXTA || hdr->code == TTN_NEEDTEXTW)) {
    UINT id = static_cast<UINT>(hdr->idFrom);
    if (id >= ID_EDITOR_FIRST && id <= ID_EDITOR_LAST)
      return hdr->code == TTN_NEEDTEXTA ? OnNeedTextA(id, hdr, pResult) : OnNeedTextW(id, hdr, pResult);
  }
  return CDialog::OnNotify(wParam, lParam, pResult);
}

void CKyFSLEditDlg::OnClose() {
  if (m_bModified) {
    int answer = AfxMessageBox(IDS_SAVE_FILE, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return;
    // A save that did not happen (dialog cancelled, file not written) keeps
    // the editor open instead of dropping the changes.
    if (answer == IDYES && !SaveLibrary(FALSE)) return;
  }
  m_bModified = FALSE;
  if (m_bInModalLoop) {
    EndDialog(IDCANCEL);
  } else {
    DestroyWindow();
  }
}

void CKyFSLEditDlg::OnOK() {
  // Enter is handled by the keyboard code; the hidden default button never
  // closes the editor.
}

void CKyFSLEditDlg::OnCancel() {
  // Escape and the caption's close box take the same road as Close, with
  // its question about unsaved changes.
  OnClose();
}
