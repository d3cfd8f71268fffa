// Export BMP File through the editor: the dialog offers the style's name,
// starts black on white, takes colours from its pickers and the path from
// "..." or typing, and writes what the record itself writes; Cancel, an
// empty path and a file that cannot be written.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "KyButtonColorPicker.h"
#include "KyColorPopup.h"
#include "KyDib.h"
#include "editdlg_fixture.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class ExportBmp : public EditDlgTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kytest::AddBitmap(lib, 8, "Plain"));
    ASSERT_TRUE(kytest::AddBitmap(lib, 9, "Brick", nullptr, 16, 12));
    Open();
  }
  static CKyButtonColorPicker* Picker(int id, HWND dlg = nullptr) {
    return static_cast<CKyButtonColorPicker*>(CWnd::FromHandlePermanent(DialogHarness::Item(id, dlg)));
  }
  // Opens a picker's popup by a click and picks palette entry i.
  void PickColour(int id, int i) {
    h.Then([this, id] {
      exportDlg = DialogHarness::Active();
      h.Click(id);
    });
    h.Then([this, id, i] {
      // The popup is the active window now.
      CKyColorPopup* popup = Picker(id, exportDlg)->GetPopup();
      ASSERT_TRUE(popup);
      CRect r = popup->EntryRect(i);
      h.Click(DialogHarness::At(popup->m_hWnd, r.CenterPoint().x, r.CenterPoint().y));
    });
  }
  HWND exportDlg = nullptr;
  std::string Temp(const std::string& name) { return testing::TempDir() + "export_" + name; }
};

TEST_F(ExportBmp, OffersTheNameAndWritesInTheChosenColours) {
  ClickCell(1);  // "Brick"
  std::string path = Temp("Brick.bmp");
  std::remove(path.c_str());
  std::string caption, pathAtStart, pathAfter;
  COLORREF front = 1, back = 1;
  h.Then([&] {
    caption = DialogHarness::Text(DialogHarness::Active());
    pathAtStart = DialogHarness::Text(IDC_EXPORT_PATH);
    front = Picker(IDC_EXPORT_FRONT_COLOR)->GetColor();
    back = Picker(IDC_EXPORT_BACK_COLOR)->GetColor();
    KySetFileDialogAnswer(path.c_str());
    h.Click(IDC_EXPORT_BROWSE);
  });
  h.Then([&] { pathAfter = DialogHarness::Text(IDC_EXPORT_PATH); });
  PickColour(IDC_EXPORT_FRONT_COLOR, 5);
  PickColour(IDC_EXPORT_BACK_COLOR, 12);
  h.Then([&] { h.Click(IDOK); });
  Command(ID_FSL_EXPORT_BMP);
  EXPECT_EQ(h.StepsLeft(), 0u);
  EXPECT_EQ(caption, "Export BMP File");
  EXPECT_EQ(pathAtStart, "");
  EXPECT_EQ(front, 0x000000u);
  EXPECT_EQ(back, 0xFFFFFFu);
  EXPECT_EQ(pathAfter, path);
  KyFileDialogRequest req;
  ASSERT_TRUE(KyGetLastFileDialogRequest(&req));
  EXPECT_TRUE(req.bSave);
  EXPECT_EQ(req.initialFile, "Brick.bmp");
  // Byte for byte what the record writes in those colours.
  const COLORREF fore = CKyColorPopup::Palette()[5], bk = CKyColorPopup::Palette()[12];
  std::string direct = Temp("direct.bmp");
  ASSERT_TRUE(lib.GetFillStyle(lib.FindID(9))->ExportBMPFile(direct.c_str(), fore, bk));
  std::vector<uint8_t> got = ReadFile(path);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got, ReadFile(direct));
  // Read back: a 16 x 12 pattern with the two colours in its table.
  CKyDib dib;
  ASSERT_TRUE(dib.Load(got.data(), got.size()));
  EXPECT_EQ(dib.GetWidth(), 16);
  EXPECT_EQ(dib.GetHeight(), 12);
  ASSERT_GE(got.size(), 62u);
  const uint8_t* table = got.data() + 54;
  std::vector<COLORREF> colours{RGB(table[2], table[1], table[0]), RGB(table[6], table[5], table[4])};
  std::sort(colours.begin(), colours.end());
  std::vector<COLORREF> expected{fore, bk};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(colours, expected);
}

TEST_F(ExportBmp, ATypedPathIsTakenAndCancelWritesNothing) {
  ClickCell(0);
  std::string typed = Temp("typed.bmp"), cancelled = Temp("cancelled.bmp");
  std::remove(typed.c_str());
  std::remove(cancelled.c_str());
  h.Then([&] {
    h.Type(IDC_EXPORT_PATH, typed);
    h.Click(IDOK);
  });
  Command(ID_FSL_EXPORT_BMP);
  EXPECT_FALSE(ReadFile(typed).empty());
  h.Then([&] {
    h.Type(IDC_EXPORT_PATH, cancelled);
    h.Click(IDCANCEL);
  });
  Command(ID_FSL_EXPORT_BMP);
  EXPECT_TRUE(ReadFile(cancelled).empty());
  EXPECT_EQ(h.StepsLeft(), 0u);
}

TEST_F(ExportBmp, TheBrowseDialogCancelledAndAnEmptyPathDoNothing) {
  ClickCell(0);
  h.Then([&] {
    KySetFileDialogCancel();
    h.Click(IDC_EXPORT_BROWSE);
  });
  h.Then([&] { h.Click(IDOK); });
  Command(ID_FSL_EXPORT_BMP);
  EXPECT_EQ(h.StepsLeft(), 0u);
  EXPECT_TRUE(boxTexts.empty());
}

TEST_F(ExportBmp, AFileThatCannotBeWrittenIsReported) {
  ClickCell(0);
  std::string path = Temp("no_such_folder/x.bmp");
  h.Then([&] {
    h.Type(IDC_EXPORT_PATH, path);
    h.Click(IDOK);
  });
  AnswerBox(VK_RETURN);
  Command(ID_FSL_EXPORT_BMP);
  ASSERT_EQ(boxTexts.size(), 1u);
  EXPECT_EQ(boxTexts[0], "The BMP file could not be written.");
}

TEST_F(ExportBmp, OnlyAStyleCellExports) {
  lib.GetStyleGroup()->CreateSubGroup("Walls");
  dlg.AddCodes();
  dlg.m_wndList.ReDraw();
  std::vector<bool> opened;
  // Runs in the export dialog's loop if it opens, else right after the command.
  auto watch = [&] {
    h.Then([&] {
      opened.push_back(DialogHarness::Active() != dlg.m_hWnd);
      if (opened.back()) h.Click(IDCANCEL);
    });
  };
  ClickCell(0);  // the sub-group
  watch();
  Command(ID_FSL_EXPORT_BMP);
  ClickCell(3);  // the empty cell
  watch();
  Command(ID_FSL_EXPORT_BMP);
  EXPECT_EQ(opened, (std::vector<bool>{false, false}));
}

}  // namespace
