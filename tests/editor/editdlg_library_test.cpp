// The editor's library commands through the file dialogs: Save, Save as,
// New Lib, Open Lib (replacing, appending, overwriting), the default
// library, importing BMP files, exporting a style, and closing with unsaved
// changes, with every answer to "Save File?" and files that cannot be used.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "KyDib.h"
#include "editdlg_fixture.h"

namespace {

std::string TempPath(const std::string& name) { return testing::TempDir() + "editdlg_" + name; }

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class EditDlgLibrary : public EditDlgTest {
 protected:
  void SetUp() override {
    sub = lib.GetStyleGroup()->CreateSubGroup("Bricks");
    ASSERT_TRUE(sub);
    ASSERT_TRUE(kytest::AddBitmap(lib, 8, "Plain"));
    ASSERT_TRUE(kytest::AddBitmap(lib, 9, "Check", nullptr, 16, 12));
    ASSERT_TRUE(kytest::AddBitmap(lib, 30, "Brick wall", sub));
    Open();
  }
  // A library file of its own: styles id..id+n-1 named prefix + number.
  static std::string MakeLibraryFile(const std::string& name, long id, int n, const char* prefix) {
    CKyFillStyleLib other;
    for (int i = 0; i < n; ++i) {
      std::string s = prefix + std::to_string(i);
      kytest::AddBitmap(other, id + i, s.c_str(), nullptr, 4 + i, 4);
    }
    std::string path = TempPath(name);
    EXPECT_TRUE(other.Store(path.c_str()));
    return path;
  }
  void MakeChange() {
    ClickCell(1);
    Command(ID_BRUSH_DELETE);  // "Plain" goes: the editor has unsaved changes
    ASSERT_TRUE(dlg.m_bModified);
  }
  CKyFillStyleGroup* sub = nullptr;
};

TEST_F(EditDlgLibrary, SaveAsksForAPathOnceAndWritesTheLibrary) {
  MakeChange();
  std::string path = TempPath("save.bru");
  std::remove(path.c_str());
  KySetFileDialogAnswer(path.c_str());
  Command(ID_BRUSHLIB_SAVE);
  EXPECT_EQ(std::string(dlg.m_strPath), path);
  EXPECT_FALSE(dlg.m_bModified);
  CKyFillStyleLib back;
  ASSERT_TRUE(back.Load(path.c_str()));
  EXPECT_EQ(back.GetCount(), 2);
  EXPECT_EQ(kytest::Items(back.GetStyleGroup()), (std::vector<long>{9}));
  ASSERT_EQ(back.GetStyleGroup()->GetSubGroupCount(), 1);
  EXPECT_EQ(kytest::Items(back.GetStyleGroup()->SubGroup(0L)), (std::vector<long>{30}));
  // The file is the library's own image byte for byte.
  CByteArray image;
  ASSERT_TRUE(lib.ToByteArray(image));
  std::vector<uint8_t> file = ReadFile(path);
  ASSERT_EQ(file.size(), static_cast<size_t>(image.GetSize()));
  for (size_t i = 0; i < file.size(); ++i) ASSERT_EQ(file[i], image[static_cast<INT_PTR>(i)]) << i;
  // A second Save writes to the same file without asking.
  MakeChange();
  Command(ID_BRUSHLIB_SAVE);
  EXPECT_EQ(KyClearFileDialogAnswers(), 0u);
  ASSERT_TRUE(back.Load(path.c_str()));
  EXPECT_EQ(back.GetCount(), 1);
  EXPECT_FALSE(dlg.m_bModified);
}

TEST_F(EditDlgLibrary, SaveAsAlwaysAsks) {
  std::string a = TempPath("a.bru"), b = TempPath("b.bru");
  KySetFileDialogAnswer(a.c_str());
  Command(ID_BRUSHLIB_SAVEAS);
  KySetFileDialogAnswer(b.c_str());
  Command(ID_BRUSHLIB_SAVEAS);
  EXPECT_EQ(std::string(dlg.m_strPath), b);
  EXPECT_EQ(ReadFile(a), ReadFile(b));
  KySetFileDialogCancel();
  Command(ID_BRUSHLIB_SAVEAS);
  EXPECT_EQ(std::string(dlg.m_strPath), b);
}

TEST_F(EditDlgLibrary, AFailedStoreIsReportedAndChangesNothing) {
  MakeChange();
  Command(ID_BRUSH_NEW);  // a pattern in the canvas that must survive
  std::string path = TempPath("no_such_folder/x.bru");
  KySetFileDialogAnswer(path.c_str());
  AnswerBox(VK_RETURN);
  Command(ID_BRUSHLIB_SAVE);
  ASSERT_EQ(boxTexts.size(), 1u);
  EXPECT_EQ(boxTexts[0], "The library could not be saved to the file.");
  EXPECT_TRUE(dlg.m_bModified);
  EXPECT_TRUE(dlg.m_strPath.IsEmpty());
  EXPECT_EQ(dlg.m_wndCanvas.m_nWidth, 32);
  EXPECT_FALSE(dlg.m_wndCanvas.m_arrBits.IsEmpty());
}

// New Lib and closing the editor with unsaved changes ask "Save File?" first.
struct PromptCase {
  const char* name;
  bool close;     // closing the editor, else New Lib
  int answer;     // to "Save File?"
  bool dialogOK;  // the save-file dialog after Yes
  bool done;      // the library was emptied by New Lib, or the editor closed
};

// Test listings name the row, not the bytes of the struct.
void PrintTo(const PromptCase& c, std::ostream* os) { *os << c.name; }

class EditDlgPrompt : public EditDlgLibrary, public testing::WithParamInterface<PromptCase> {};

TEST_P(EditDlgPrompt, AsksToSaveFirst) {
  const PromptCase& c = GetParam();
  MakeChange();
  std::string path = TempPath(c.name + std::string(".bru"));
  std::remove(path.c_str());
  if (c.answer == 'Y') {
    if (c.dialogOK) {
      KySetFileDialogAnswer(path.c_str());
    } else {
      KySetFileDialogCancel();
    }
  }
  AnswerBox(c.answer);
  if (c.close) {
    dlg.SendMessage(WM_CLOSE);
    h.Pump();
  } else {
    Command(ID_BRUSHLIB_NEW);
  }
  ASSERT_EQ(boxTexts.size(), 1u);
  EXPECT_EQ(boxTexts[0], "Save File?");
  EXPECT_EQ(!ReadFile(path).empty(), c.answer == 'Y' && c.dialogOK);
  if (c.close) {
    EXPECT_EQ(dlg.m_hWnd == nullptr, c.done);
    EXPECT_EQ(lib.GetCount(), 2);  // closing never touches the library
  } else if (c.done) {
    EXPECT_EQ(lib.GetCount(), 0);
    EXPECT_EQ(lib.GetStyleGroup()->GetName(), "Root Group");
    EXPECT_EQ(lib.GetStyleGroup()->GetSubGroupCount(), 0);
    EXPECT_TRUE(Entries(dlg.m_comboCode).empty());
    EXPECT_TRUE(dlg.m_strPath.IsEmpty());
    EXPECT_FALSE(dlg.m_bModified);
    EXPECT_TRUE(lib.IsModified());
  } else {
    // Cancel, or a save that did not happen: everything stays.
    EXPECT_EQ(lib.GetCount(), 2);
    EXPECT_TRUE(dlg.m_bModified);
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, EditDlgPrompt,
                         testing::Values(PromptCase{"newlib_yes", false, 'Y', true, true},
                                         PromptCase{"newlib_yes_then_cancelled", false, 'Y', false, false},
                                         PromptCase{"newlib_no", false, 'N', false, true},
                                         PromptCase{"newlib_cancel", false, VK_ESCAPE, false, false},
                                         PromptCase{"close_yes", true, 'Y', true, true},
                                         PromptCase{"close_yes_then_cancelled", true, 'Y', false, false},
                                         PromptCase{"close_no", true, 'N', false, true},
                                         PromptCase{"close_cancel", true, VK_ESCAPE, false, false}),
                         [](const testing::TestParamInfo<PromptCase>& i) { return std::string(i.param.name); });

TEST_F(EditDlgLibrary, NewLibWithoutChangesAsksNothingAndSaveAfterItDoesNothing) {
  Command(ID_BRUSHLIB_NEW);
  EXPECT_TRUE(boxTexts.empty());
  EXPECT_EQ(lib.GetCount(), 0);
  Command(ID_BRUSHLIB_SAVE);
  EXPECT_EQ(KyClearFileDialogAnswers(), 0u);
  EXPECT_TRUE(dlg.m_strPath.IsEmpty());
}

TEST_F(EditDlgLibrary, OpenReplacesTheLibrary) {
  std::string path = MakeLibraryFile("open.bru", 100, 3, "Other");
  Command(ID_BRUSH_NEW);
  dlg.m_bModified = FALSE;
  KySetFileDialogAnswer(path.c_str());
  Command(ID_BRUSHLIB_OPEN);
  EXPECT_EQ(lib.GetCount(), 3);
  EXPECT_EQ(lib.FindID(8), -1);
  EXPECT_EQ(std::string(dlg.m_strPath), path);
  EXPECT_EQ(Entries(dlg.m_comboCode), (std::vector<std::string>{"100", "101", "102"}));
  EXPECT_EQ(dlg.m_wndCanvas.m_nWidth == 0 || dlg.m_wndCanvas.m_arrBits.IsEmpty(), true);  // canvas emptied
  EXPECT_FALSE(dlg.m_bModified);
  KyFileDialogRequest req;
  ASSERT_TRUE(KyGetLastFileDialogRequest(&req));
  EXPECT_FALSE(req.bSave);
  EXPECT_EQ(req.defExt, "*.bru");
  EXPECT_TRUE(req.flags & OFN_HIDEREADONLY);
}

TEST_F(EditDlgLibrary, OpenAppendsWithAndWithoutOverwrite) {
  // The file's 9 clashes with ours; its 200 is new.
  CKyFillStyleLib other;
  kytest::AddBitmap(other, 9, "Theirs", nullptr, 24, 24);
  kytest::AddBitmap(other, 200, "New one");
  std::string path = TempPath("append.bru");
  ASSERT_TRUE(other.Store(path.c_str()));

  dlg.m_bAppend = TRUE;
  dlg.m_bOverwrite = FALSE;
  KySetFileDialogAnswer(path.c_str());
  Command(ID_BRUSHLIB_OPEN);
  // Without overwrite the file's 9 gives way to ours.
  EXPECT_EQ(lib.GetCount(), 4);
  EXPECT_EQ(lib.GetFillStyleName(lib.FindID(9)), "Check");
  EXPECT_GE(lib.FindID(200), 0);

  dlg.m_bOverwrite = TRUE;
  KySetFileDialogAnswer(path.c_str());
  Command(ID_BRUSHLIB_OPEN);
  EXPECT_EQ(lib.GetFillStyleName(lib.FindID(9)), "Theirs");
  EXPECT_EQ(lib.GetFillStyleSize(lib.FindID(9)), CSize(24, 24));
}

TEST_F(EditDlgLibrary, AFileThatIsNoLibraryLeavesTheLibraryAsItWas) {
  std::string notLib = TempPath("not_a_library.bru");
  WriteFile(notLib, std::vector<uint8_t>(64, 0x41));
  // A real library cut short.
  std::string good = MakeLibraryFile("whole.bru", 100, 3, "Cut");
  std::vector<uint8_t> bytes = ReadFile(good);
  bytes.resize(bytes.size() - 5);
  std::string truncated = TempPath("truncated.bru");
  WriteFile(truncated, bytes);
  std::string empty = TempPath("empty.bru");
  WriteFile(empty, {});
  for (const std::string& path : {notLib, truncated, empty, TempPath("missing.bru")}) {
    boxTexts.clear();
    KySetFileDialogAnswer(path.c_str());
    AnswerBox(VK_RETURN);
    Command(ID_BRUSHLIB_OPEN);
    ASSERT_EQ(boxTexts.size(), 1u) << path;
    EXPECT_EQ(boxTexts[0], "The file could not be read as a fill style library; the library is unchanged.") << path;
    EXPECT_EQ(lib.GetCount(), 3) << path;
    EXPECT_GE(lib.FindID(8), 0) << path;
    EXPECT_TRUE(dlg.m_strPath.IsEmpty()) << path;
  }
}

TEST_F(EditDlgLibrary, AnUpperCaseExtensionReadsNothingYetEmptiesTheCanvas) {
  std::string path = MakeLibraryFile("x.BRU", 100, 2, "Upper");
  Command(ID_BRUSH_NEW);
  dlg.m_bModified = FALSE;
  KySetFileDialogAnswer(path.c_str());
  Command(ID_BRUSHLIB_OPEN);
  EXPECT_EQ(lib.FindID(100), -1);
  EXPECT_EQ(lib.GetCount(), 4);
  EXPECT_TRUE(dlg.m_wndCanvas.m_arrBits.IsEmpty());
}

TEST_F(EditDlgLibrary, LoadTheDefaultLibraryKeepsThePath) {
  std::string path = TempPath("keep.bru");
  KySetFileDialogAnswer(path.c_str());
  Command(ID_BRUSHLIB_SAVE);
  Command(ID_LOAD_SYSLIB);
  CKyFillStyleLib def;
  ASSERT_TRUE(def.CreateDefault());
  EXPECT_EQ(lib.GetCount(), def.GetCount());
  EXPECT_EQ(std::string(dlg.m_strPath), path);
  EXPECT_EQ(dlg.m_pGroup, lib.GetStyleGroup());
  EXPECT_FALSE(dlg.m_bModified);
  EXPECT_TRUE(lib.IsModified());
}

TEST_F(EditDlgLibrary, ImportThreeBitmapsAndSkipTheBadOnes) {
  std::string folder = TempPath("import");
  mkdir(folder.c_str(), 0755);
  std::vector<std::string> names{" Sand .bmp", "Grass.bmp", "corrupt.bmp", "Water.bmp", "huge.bmp"};
  auto at = [&](const std::string& n) { return folder + "/" + n; };
  WriteFile(at(names[0]), kytest::Mono(8, 8));
  WriteFile(at(names[1]), kytest::Mono(12, 6));
  std::vector<uint8_t> corrupt = kytest::Mono(8, 8);
  corrupt.resize(40);
  WriteFile(at(names[2]), corrupt);
  WriteFile(at(names[3]), kytest::Mono(16, 16));
  WriteFile(at(names[4]), kytest::Mono(1200, 8));
  KyFileDialogAnswer a;
  for (const std::string& n : names) a.names.push_back(at(n));
  KySetFileDialogAnswer(a);
  AnswerBox(VK_RETURN);
  Command(ID_BRUSH_IMAGE);
  EXPECT_EQ(kytest::Items(lib.GetStyleGroup()), (std::vector<long>{8, 9, 31, 32, 33}));
  EXPECT_EQ(lib.GetFillStyleName(lib.FindID(31)), "Sand");
  EXPECT_EQ(lib.GetFillStyleName(lib.FindID(32)), "Grass");
  EXPECT_EQ(lib.GetFillStyleName(lib.FindID(33)), "Water");
  EXPECT_EQ(lib.GetFillStyleSize(lib.FindID(33)), CSize(16, 16));
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 5);  // the last new cell
  EXPECT_TRUE(dlg.m_bModified);
  ASSERT_EQ(boxTexts.size(), 1u);
  EXPECT_EQ(boxTexts[0],
            "These files could not be read as BMP images and were not imported:\ncorrupt.bmp\nhuge.bmp");
  EXPECT_EQ(boxTexts[0].find("Water"), std::string::npos);
}

TEST_F(EditDlgLibrary, EscapeTakesTheCloseRoad) {
  MakeChange();
  AnswerBox(VK_ESCAPE);
  dlg.m_wndList.SetFocus();
  h.Key(VK_ESCAPE);
  h.Pump();
  ASSERT_EQ(boxTexts.size(), 1u);
  EXPECT_TRUE(dlg.m_hWnd != nullptr);
}

TEST_F(EditDlgLibrary, ModalRunClosedWithoutChanges) {
  dlg.DestroyWindow();
  h.Pump();
  CKyFSLEditDlg modal;
  modal.AttachKyFillStyleLib(&lib);
  h.Then([&] { modal.SendMessage(WM_CLOSE); });
  EXPECT_EQ(modal.DoModal(), IDCANCEL);
}

}  // namespace
