// The editor on the built-in default library, in English and in Chinese, with
// one style loaded into the canvas and a few pixels drawn, compared pixel for
// pixel with the stored pictures in tests/data/editor/. With KY_REGEN_SHOTS
// set (scripts/regen-editor-shots) the pictures are written instead. A
// difference writes the picture drawn to test-dumps/.
#include <cstdlib>
#include <filesystem>

#include "codepage.h"
#include "editdlg_fixture.h"
#include "gdipng.h"
#include "winnls.h"

namespace {

std::string DataDir() {
  if (const char* d = std::getenv("KY_TEST_DATA")) return d;
  return (std::filesystem::path(__FILE__).parent_path().parent_path() / "data").string();
}

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
    const std::string path = DataDir() + "/editor/" + name + ".png";
    if (std::getenv("KY_REGEN_SHOTS")) {
      ASSERT_TRUE(GdiWritePngPixels(path.c_str(), r.Width(), r.Height(), px.data())) << path;
      return;
    }
    int w = 0, hgt = 0;
    std::vector<DWORD> want;
    ASSERT_TRUE(GdiReadPngPixels(path.c_str(), &w, &hgt, &want)) << path;
    long diff = 0;
    if (w == r.Width() && hgt == r.Height())
      for (size_t i = 0; i < want.size(); ++i) diff += want[i] != px[i];
    if (w != r.Width() || hgt != r.Height() || diff) {
      std::filesystem::create_directories("test-dumps");
      const std::string actual = std::string("test-dumps/") + name + "-actual.png";
      GdiWritePngPixels(actual.c_str(), r.Width(), r.Height(), px.data());
      ADD_FAILURE() << name << ": " << r.Width() << "x" << r.Height() << " drawn, " << w << "x" << hgt
                    << " stored, " << diff << " pixels differ; see " << actual;
    }
  }
  LANGID oldLang = 0;
};

TEST_F(EditDlgShots, DefaultLibraryInEnglish) { Compare("editor-en", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)); }

TEST_F(EditDlgShots, DefaultLibraryInChinese) {
  Compare("editor-zh", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
}

}  // namespace
