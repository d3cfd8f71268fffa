// A dialog made in code that holds the controls under test and records the
// colour picker notifications it receives, for the controls tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "KyDez50.h"
#include "dialog_harness.h"
#include "dlgtemplate.h"

enum { IDC_T_COLOR = 100, IDC_T_COLOR2 = 101, IDC_T_FLAT = 102, IDC_T_OTHER = 103 };

struct ColorNotice {
  COLORREF color;
  LPARAM id;
};

inline const KyDialogTemplate& HostTemplate() {
  static const KyDialogTemplate t = [] {
    KyDialogTemplate d(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 10, 10, 200, 120, "Host", 8,
                       "MS Sans Serif");
    d.PushButton("", IDC_T_COLOR, 10, 10, 50, 14, BS_OWNERDRAW | WS_TABSTOP);
    d.PushButton("", IDC_T_COLOR2, 10, 30, 50, 14, WS_TABSTOP);  // a plain push button in the template
    d.PushButton("", IDC_T_FLAT, 80, 10, 30, 30, BS_OWNERDRAW);
    d.PushButton("Other", IDC_T_OTHER, 80, 50, 50, 14, WS_TABSTOP);
    d.DefPushButton("OK", IDOK, 140, 100, 50, 14, WS_TABSTOP);
    return d;
  }();
  return t;
}

class CHostDlg : public CDialog {
 public:
  CHostDlg() { InitModalIndirect(HostTemplate().Get()); }
  CKyButtonColorPicker m_btnColor, m_btnColor2;
  CKyFlatButton m_btnFlat;
  std::vector<ColorNotice> notices;
  int flatClicks = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_T_COLOR, m_btnColor);
    DDX_Control(pDX, IDC_T_COLOR2, m_btnColor2);
    DDX_Control(pDX, IDC_T_FLAT, m_btnFlat);
  }
  afx_msg LRESULT OnColor(WPARAM w, LPARAM l) {
    notices.push_back(ColorNotice{static_cast<COLORREF>(w), l});
    return 1;
  }
  afx_msg void OnFlat() { ++flatClicks; }
  DECLARE_MESSAGE_MAP()
};

inline std::string DumpPath(const std::string& name) {
  std::filesystem::create_directories("test-dumps");
  return "test-dumps/" + name;
}
