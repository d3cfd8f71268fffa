// The picker on the built-in default library as a person first sees it, in
// English and in Chinese, compared pixel for pixel with the stored pictures
// (scripts/regen-picker-shots draws them with `kyfsl pick --screenshot`, the
// same start-up as here). A difference writes the picture drawn to
// test-dumps/ beside the expected one.
#include <gtest/gtest.h>

#include "KyFSLPickDlg.h"
#include "KyFillStyleLib.h"
#include "KyLineStyleLib.h"
#include "codepage.h"
#include "dialog_harness.h"
#include "picker_shots.h"
#include "resource.h"
#include "winnls.h"

namespace {

// The record `kyfsl pick --default --style 12` starts with.
CKyGeoStyle StartRecord() {
  CKyGeoStyle s;
  s.m_nFillStyle = 12;
  s.m_crFillFore = 0xFF0000;
  s.m_crFillBack = 0xFFFFFF;
  s.m_byFillRate = 100;
  s.m_byGradientType = 0;
  s.m_sGradientAngle = s.m_sGradientHOffset = s.m_sGradientVOffset = 0;
  s.m_nLineStyle = 0;
  s.m_nLineWidth = 1;
  s.m_crLineColor = 0x000000;
  return s;
}

struct Shot {
  int width = 0, height = 0;
  std::vector<DWORD> pixels;
};

Shot Draw(LANGID lang) {
  DialogHarness h;
  const LANGID oldLang = GetThreadUILanguage();
  SetThreadUILanguage(lang);
  // The built-in library's names are GB2312.
  AfxSetCodePage(936);
  Shot shot;
  {
    CKyFillStyleLib lib;
    EXPECT_TRUE(lib.CreateDefault());
    CKyLineStyleLib lines;
    lines.CreateDefault();
    CKyFSLPickDlg dlg;
    dlg.AttachKyStyleLib(&lib, &lines);
    dlg.SetStyle(StartRecord());
    EXPECT_TRUE(dlg.Create(IDD_FSL_PICK));
    dlg.ShowWindow(SW_SHOW);
    h.Pump();
    CRect r;
    dlg.GetWindowRect(&r);
    shot.width = r.Width();
    shot.height = r.Height();
    shot.pixels = DialogHarness::Capture(r);
    dlg.DestroyWindow();
  }
  AfxSetCodePage(0);
  SetThreadUILanguage(oldLang);
  return shot;
}

void Compare(const char* name, LANGID lang) {
  const Shot shot = Draw(lang);
  kytest::CompareWithStored("picker", name, shot.width, shot.height, shot.pixels);
}

TEST(PickDlgScreenshot, DefaultLibraryInEnglish) { Compare("picker-en", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)); }

TEST(PickDlgScreenshot, DefaultLibraryInChinese) {
  Compare("picker-zh", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
}

}  // namespace
