// kydialogdemo: a dialog with every kind of standard control.
//
//   kydialogdemo --png out.png   renders it headless and writes the screen
//   kydialogdemo --live          shows it in an SDL window until it is closed
//   kydialogdemo --live --png out.png --after MS
//                                shows it, and after MS milliseconds writes the
//                                screen and ends (for runs under Xvfb)
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "afxwin.h"
#include "dlgtemplate.h"
#include "sdlscreen.h"

namespace {

enum {
  IDC_NAME = 1001 + 100,
  IDC_CHECK,
  IDC_LIST,
  IDC_GRID,
  IDC_COMBO,
  IDC_FIND,
  IDC_INFO,
  IDC_SCROLL,
  IDC_SWATCH,
  IDC_RATE,
  IDC_DISABLED,
};

KyDialogTemplate& Template() {
  static KyDialogTemplate* t = [] {
    auto* d = new KyDialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 10, 10, 330, 220,
                                   "Standard controls", 8, "MS Sans Serif");
    d->GroupBox("Text", IDC_STATIC, 7, 4, 150, 82);
    d->LText("Name:", IDC_STATIC, 14, 18, 30, 10);
    d->EditText(IDC_NAME, 48, 16, 100, 13, ES_AUTOHSCROLL);
    d->LText("Rate:", IDC_STATIC, 14, 36, 30, 10);
    d->EditText(IDC_RATE, 48, 34, 30, 13);
    d->LText("%", IDC_STATIC, 81, 36, 10, 10);
    d->EditText(IDC_INFO, 14, 52, 134, 26, ES_MULTILINE | ES_READONLY);
    d->GroupBox("Choices", IDC_STATIC, 163, 4, 160, 82);
    d->AutoCheckBox("Transparent", IDC_CHECK, 170, 16, 70, 12);
    d->AutoCheckBox("Disabled", IDC_DISABLED, 245, 16, 70, 12, WS_DISABLED);
    d->ComboBox(IDC_COMBO, 170, 32, 70, 60, CBS_DROPDOWNLIST | WS_VSCROLL);
    d->ComboBox(IDC_FIND, 245, 32, 70, 60, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL);
    d->ScrollBar(IDC_SCROLL, 170, 52, 145, 10, SBS_HORZ);
    d->PushButton("", IDC_SWATCH, 170, 66, 30, 14, BS_OWNERDRAW);
    d->LText("owner-drawn", IDC_STATIC, 205, 69, 60, 10);
    d->ListBox(IDC_LIST, 7, 92, 90, 100, LBS_SORT | WS_VSCROLL | LBS_NOINTEGRALHEIGHT);
    d->ListBox(IDC_GRID, 103, 92, 220, 100,
               LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | WS_HSCROLL);
    d->DefPushButton("OK", IDOK, 214, 199, 50, 14);
    d->PushButton("Cancel", IDCANCEL, 271, 199, 50, 14);
    return d;
  }();
  return *t;
}

class CDemoDialog : public CDialog {
 public:
  CDemoDialog() { InitModalIndirect(Template().Get()); }
  CListBox m_list;
  CListBox m_grid;
  CComboBox m_combo;
  CComboBox m_find;
  CString m_name = "Hatches";
  int m_rate = 100;
  int m_check = TRUE;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Control(pDX, IDC_GRID, m_grid);
    DDX_Control(pDX, IDC_COMBO, m_combo);
    DDX_Control(pDX, IDC_FIND, m_find);
    DDX_Text(pDX, IDC_NAME, m_name);
    DDX_Text(pDX, IDC_RATE, m_rate);
    DDV_MinMaxInt(pDX, m_rate, 0, 100);
    DDX_Check(pDX, IDC_CHECK, m_check);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    for (const char* s : {"Solid", "Hollow", "Cross", "Diagonal", "Horizontal", "Vertical", "Dots", "Bricks"})
      m_list.AddString(s);
    m_list.SetCurSel(2);
    for (const char* s : {"None", "Linear", "Radial", "Conical", "Square"}) m_combo.AddString(s);
    m_combo.SetCurSel(1);
    for (const char* s : {"23", "24", "25"}) m_find.AddString(s);
    m_find.SetWindowText("24");
    m_grid.SetItemHeight(0, 44);
    m_grid.SetColumnWidth(48);
    for (int i = 0; i < 20; ++i) m_grid.AddString("");
    m_grid.SetCurSel(3);
    SetDlgItemText(IDC_INFO, "Read-only, two lines:\r\nid 23, group Hatches");
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 100, 20, 30, 0};
    ::SetScrollInfo(::GetDlgItem(m_hWnd, IDC_SCROLL), SB_CTL, &si, TRUE);
    return TRUE;
  }
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT dis) {
    CDC* dc = CDC::FromHandle(dis->hDC);
    CRect r(dis->rcItem);
    if (nIDCtl == IDC_SWATCH) {
      dc->FillSolidRect(&r, GetSysColor(COLOR_3DFACE));
      dc->DrawEdge(&r, (dis->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      r.DeflateRect(4, 4);
      dc->FillSolidRect(&r, RGB(0, 0, 255));
      return;
    }
    if (nIDCtl == IDC_GRID && dis->itemID != static_cast<UINT>(-1)) {
      if (dis->itemAction & ODA_DRAWENTIRE) {
        dc->FillSolidRect(&r, GetSysColor(COLOR_WINDOW));
        CRect sw(r.left + 8, r.top + 4, r.right - 8, r.bottom - 12);
        static const COLORREF kColours[] = {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200), RGB(200, 150, 0)};
        CBrush br;
        br.CreateHatchBrush(static_cast<int>(dis->itemID % 6), kColours[dis->itemID % 4]);
        dc->FillRect(&sw, &br);
        char label[16];
        snprintf(label, sizeof label, "%u", dis->itemID + 8);
        CRect t(r.left, r.bottom - 12, r.right, r.bottom);
        dc->SetBkMode(TRANSPARENT);
        dc->DrawText(label, -1, &t, DT_CENTER | DT_SINGLELINE);
      }
      CRect sw(r.left + 7, r.top + 3, r.right - 7, r.bottom - 11);
      CBrush frame;
      frame.CreateSolidBrush((dis->itemState & ODS_SELECTED) ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOW));
      dc->FrameRect(&sw, &frame);
      return;
    }
    CDialog::OnDrawItem(nIDCtl, dis);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoDialog, CDialog)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

}  // namespace

int main(int argc, char** argv) {
  const char* png = nullptr;
  bool live = false;
  int after = -1;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--png") && i + 1 < argc) png = argv[++i];
    else if (!strcmp(argv[i], "--live")) live = true;
    else if (!strcmp(argv[i], "--after") && i + 1 < argc) after = atoi(argv[++i]);
  }
  KyScreen::Get().SetSize(640, 480);
  KySdlWindow* window = nullptr;
  if (live) {
    window = KySdlWindow::Open(KyScreen::Get(), "kydialogdemo");
    if (!window) return 2;
  }
  CDemoDialog dlg;
  if (!live) {
    // Headless: make it modeless, let it paint, write the screen.
    dlg.CreateIndirect(Template().Get());
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
    if (png && !KyScreen::Get().SavePng(png)) return 1;
    dlg.DestroyWindow();
    return 0;
  }
  if (after >= 0) {
    struct Ctx {
      const char* png;
    };
    static Ctx ctx{png};
    SetTimer(nullptr, 0, static_cast<UINT>(after), [](HWND, UINT, UINT_PTR, DWORD) {
      if (ctx.png) KyScreen::Get().SavePng(ctx.png);
      if (CWnd* w = CWnd::GetActiveWindow()) w->PostMessage(WM_COMMAND, IDCANCEL);
    });
  }
  INT_PTR r = dlg.DoModal();
  printf("DoModal returned %d, name \"%s\", rate %d, check %d\n", static_cast<int>(r), static_cast<LPCTSTR>(dlg.m_name),
         dlg.m_rate, dlg.m_check);
  delete window;
  return 0;
}
