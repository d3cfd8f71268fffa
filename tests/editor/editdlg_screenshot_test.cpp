// The editor on the built-in default library, in English and in Chinese, with
// one style loaded into the canvas and a few pixels drawn, compared pixel for
// pixel with the stored pictures in tests/data/editor/. With KY_REGEN_SHOTS
// set (scripts/regen-editor-shots) the pictures are written instead. A
// difference writes the picture drawn to test-dumps/.
#include <cstdlib>

#include "codepage.h"
#include "editdlg_fixture.h"
#include "picker_shots.h"
#include "winnls.h"

namespace {

class EditDlgShots : public EditDlgTest {
 protected:
  void SetUp() override { oldLang = GetThreadUILanguage(); }
  void TearDown() override {
    EditDlgTest::TearDown();
    AfxSetCodePage(0);
    SetThreadUILanguage(oldLang);
  }
  void Compare(const char* name, LANGID lang) {
    SetThreadUILanguage(lang);
    AfxSetCodePage(936);  // the built-in library's names are GB2312
    ASSERT_TRUE(lib.CreateDefault());
    Open();
    ClickCell(4);
    Button(IDC_EDITOR_EDIT);
    int c = dlg.m_wndCanvas.m_nCellSize;
    for (int i = 0; i < 6; ++i) {
      h.Click(DialogHarness::At(dlg.m_wndCanvas, (2 + i) * c + c / 2, 2 * c + c / 2));
      h.Pump();
    }
    ClickCell(5);  // a second cell selected, the first still edited
    CRect r;
    dlg.GetWindowRect(&r);
    std::vector<DWORD> px = DialogHarness::Capture(r);
    const bool regen = std::getenv("KY_REGEN_SHOTS") != nullptr;
    kytest::CompareWithStored("editor", name, r.Width(), r.Height(), px, regen);
  }
  LANGID oldLang = 0;
};

TEST_F(EditDlgShots, DefaultLibraryInEnglish) { Compare("editor-en", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)); }

TEST_F(EditDlgShots, DefaultLibraryInChinese) {
  Compare("editor-zh", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
}

}  // namespace
