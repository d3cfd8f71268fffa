// File dialogs: the real dialog driven by input (filters, folders, typed
// names, the overwrite prompt), the queued answers, the result layout and
// CFileDialog's accessors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "afxdlgs.h"
#include "dialog_harness.h"

namespace {

namespace fs = std::filesystem;

const char* const kBruFilter = "FillStyleLib File(*.bru)|*.bru||";

class FileDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    KyClearFileDialogAnswers();
    dir = fs::path(testing::TempDir()) / ("filedlg_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "sub");
    fs::create_directories(dir / ".hidden_dir");
    for (const char* n : {"default.bru", "roads.bru", "UPPER.BRU", "brick.bmp", "notes.txt", ".hidden.bru"}) Touch(n);
    Touch("sub/inner.bru");
    folder = dir.string();
  }
  void TearDown() override {
    EXPECT_EQ(h.StepsLeft(), 0u);  // every step ran, with the checks it makes
    KyClearFileDialogAnswers();
    fs::remove_all(dir);
  }
  void Touch(const std::string& name) { std::ofstream(dir / name) << "x"; }
  std::string Path(const std::string& name) const { return (dir / name).string(); }

  // The list of the dialog that is up.
  static std::vector<std::string> Listed() {
    HWND list = DialogHarness::Item(lst1);
    std::vector<std::string> out;
    int n = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char buf[512] = {0};
      SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
      out.push_back(buf);
    }
    return out;
  }
  static std::vector<std::string> Paths(CFileDialog& dlg) {
    std::vector<std::string> out;
    for (POSITION pos = dlg.GetStartPosition(); pos;) out.push_back(std::string(dlg.GetNextPathName(pos)));
    return out;
  }
  static int IndexOf(const std::string& text) {
    return static_cast<int>(
        SendMessage(DialogHarness::Item(lst1), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
  }
  // A point inside item i of the list, in screen coordinates.
  static POINT ItemPoint(int i) {
    RECT r{};
    HWND list = DialogHarness::Item(lst1);
    SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return DialogHarness::At(list, r.left + 5, (r.top + r.bottom) / 2);
  }

  DialogHarness h;
  fs::path dir;
  std::string folder;
};

TEST_F(FileDialogTest, TheBruFilterListsOnlyBruFiles) {
  CFileDialog dlg(TRUE, "*.bru", nullptr, OFN_HIDEREADONLY, kBruFilter);
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  h.Then([&] {
    // Folders first, then the files the pattern matches, both without regard
    // to case; hidden entries are left out.
    EXPECT_EQ(Listed(), (std::vector<std::string>{"sub/", "default.bru", "roads.bru", "UPPER.BRU"}));
    EXPECT_EQ(h.Text(stc1), folder);
    HWND combo = h.Item(cmb1);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(h.Text(combo), "FillStyleLib File(*.bru)");
    EXPECT_TRUE(DialogHarness::Screenshot(testing::TempDir() + "file_dialog_open.png"));
    h.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(KyListMatchingFiles(folder.c_str(), "*.bru"),
            (std::vector<std::string>{"default.bru", "roads.bru", "UPPER.BRU"}));
}

TEST_F(FileDialogTest, PatternsMatchAsOnTheHomePlatform) {
  fs::path p = dir / "patterns";
  fs::create_directories(p);
  for (const char* n : {"a.bru", "B.BRU", "a.bru.bak", "noext", "abc.bmp", "ac.bmp", "x.txt"}) std::ofstream(p / n) << "x";
  struct Case {
    const char* patterns;
    std::vector<std::string> listed;
  };
  const Case cases[] = {
      {"*.bru", {"a.bru", "B.BRU"}},
      {"*.bmp;*.txt", {"abc.bmp", "ac.bmp", "x.txt"}},
      {"*.txt; *.BAK", {"a.bru.bak", "x.txt"}},
      {"a?c.bmp", {"abc.bmp"}},
      {"*.*", {"a.bru", "a.bru.bak", "abc.bmp", "ac.bmp", "B.BRU", "noext", "x.txt"}},
      {"**a*c*", {"abc.bmp", "ac.bmp"}},
      {"noext.*", {"noext"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(KyListMatchingFiles(p.string().c_str(), c.patterns), c.listed) << c.patterns;
  EXPECT_TRUE(KyListMatchingFiles((dir / "absent").string().c_str(), "*.*").empty());
  EXPECT_TRUE(KyListMatchingFiles(nullptr, "*.*").empty());
}

TEST_F(FileDialogTest, ATypedNameTakesTheDefaultExtension) {
  CFileDialog dlg(FALSE, "*.bru", nullptr, OFN_OVERWRITEPROMPT, kBruFilter);
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  h.Then([&] {
    h.Type(edt1, "newlib");
    h.Key(VK_RETURN);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(std::string(dlg.GetPathName()), Path("newlib.bru"));
  EXPECT_EQ(std::string(dlg.GetFileName()), "newlib.bru");
  EXPECT_EQ(std::string(dlg.GetFileExt()), "bru");
  EXPECT_EQ(std::string(dlg.GetFileTitle()), "newlib");
  EXPECT_EQ(dlg.m_ofn.nFileOffset, folder.size() + 1);
  EXPECT_EQ(dlg.m_ofn.nFilterIndex, 1u);
  EXPECT_FALSE(dlg.m_ofn.Flags & OFN_EXTENSIONDIFFERENT);
}

TEST_F(FileDialogTest, TheOverwritePromptAnsweredNoKeepsTheDialog) {
  CFileDialog dlg(FALSE, "bru", nullptr, OFN_OVERWRITEPROMPT, kBruFilter);
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  const std::string prompt = Path("roads.bru") + " already exists.\nDo you want to replace it?";
  h.Then([&] {
    h.Type(edt1, "roads");
    h.Click(IDOK);
  });
  h.Then([&] {
    EXPECT_EQ(h.MessageBoxText(), prompt);
    h.Click(IDNO);
  });
  h.Then([&] {
    EXPECT_EQ(h.Text(h.Active()), "Save As");  // still the file dialog
    h.Click(IDOK);
  });
  h.Then([&] {
    EXPECT_EQ(h.MessageBoxText(), prompt);
    h.Click(IDYES);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(std::string(dlg.GetPathName()), Path("roads.bru"));
}

TEST_F(FileDialogTest, FoldersAreEnteredByDoubleClickAndLeftWithUp) {
  CFileDialog dlg(TRUE, "bru", nullptr, OFN_HIDEREADONLY, kBruFilter);
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  h.Then([&] { h.DoubleClick(ItemPoint(IndexOf("sub/"))); });
  h.Then([&] {
    EXPECT_EQ(Listed(), std::vector<std::string>{"inner.bru"});
    EXPECT_EQ(h.Text(stc1), Path("sub"));
    h.Click(psh1);
  });
  h.Then([&] {
    EXPECT_EQ(Listed().front(), "sub/");
    // A single click on a file puts its name into the edit; a double click opens it.
    h.Click(ItemPoint(IndexOf("roads.bru")));
  });
  h.Then([&] {
    EXPECT_EQ(h.Text(edt1), "roads.bru");
    h.DoubleClick(ItemPoint(IndexOf("roads.bru")));
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(std::string(dlg.GetPathName()), Path("roads.bru"));
}

TEST_F(FileDialogTest, TypingAFolderOrAPatternChangesTheList) {
  CFileDialog dlg(TRUE, "bmp", nullptr, OFN_HIDEREADONLY, "Image file(*.bmp)|*.bmp|All files|*.*||");
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  using Names = std::vector<std::string>;
  h.Then([&] {
    EXPECT_EQ(Listed(), (Names{"sub/", "brick.bmp"}));
    h.Type(edt1, "*.txt");
    h.Key(VK_RETURN);
  });
  h.Then([&] {
    EXPECT_EQ(Listed(), (Names{"sub/", "notes.txt"}));
    // The second filter, as the combo tells a choice.
    SendMessage(h.Item(cmb1), CB_SETCURSEL, 1, 0);
    SendMessage(h.Active(), WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(h.Item(cmb1)));
    EXPECT_EQ(Listed(), (Names{"sub/", "brick.bmp", "default.bru", "notes.txt", "roads.bru", "UPPER.BRU"}));
    h.Type(edt1, "sub");
    h.Key(VK_RETURN);
  });
  h.Then([&] {
    EXPECT_EQ(h.Text(stc1), Path("sub"));
    EXPECT_EQ(h.Text(edt1), "");
    h.Key(VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(FileDialogTest, OpeningAMissingFileIsRefusedWhenItMustExist) {
  CFileDialog dlg(TRUE, "bru", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kBruFilter);
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  h.Then([&] {
    h.Type(edt1, "missing");
    h.Key(VK_RETURN);
  });
  h.Then([&] {
    EXPECT_EQ(h.MessageBoxText(), "missing.bru\nFile not found.\nPlease verify the correct file name was given.");
    h.Key(VK_RETURN);
  });
  h.Then([&] { h.Click(IDCANCEL); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogTest, SeveralFilesAreChosenWithShiftClick) {
  CFileDialog dlg(TRUE, "bru", nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY, kBruFilter);
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  h.Then([&] { h.Click(ItemPoint(IndexOf("default.bru"))); });
  h.Then([&] {
    h.KeyDown(VK_LSHIFT);
    h.Click(ItemPoint(IndexOf("roads.bru")));
    h.KeyUp(VK_LSHIFT);
  });
  h.Then([&] {
    EXPECT_EQ(h.Text(edt1), "\"default.bru\" \"roads.bru\"");
    h.Click(IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(Paths(dlg), (std::vector<std::string>{Path("default.bru"), Path("roads.bru")}));
  EXPECT_EQ(std::string(dlg.GetPathName()), folder);  // several: the buffer starts with their folder
}

TEST_F(FileDialogTest, QueuedAnswersStandInForTheDialog) {
  KyFileDialogAnswer a;
  a.folder = folder;
  a.names = {"brick.bmp", "wall", Path("sub/inner.bru")};
  KySetFileDialogAnswer(a);
  CFileDialog dlg(TRUE, "*.bmp", nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY, "Image file(*.bmp)|*.bmp||");
  ASSERT_EQ(dlg.DoModal(), IDOK);
  // Names go into the one folder of the result; the default extension is added.
  EXPECT_EQ(Paths(dlg), (std::vector<std::string>{Path("brick.bmp"), Path("wall.bmp"), Path("inner.bru")}));

  KyFileDialogRequest r;
  ASSERT_TRUE(KyGetLastFileDialogRequest(&r));
  EXPECT_FALSE(r.bSave);
  EXPECT_EQ(r.defExt, "*.bmp");
  EXPECT_EQ(r.filters, (std::vector<std::string>{"Image file(*.bmp)", "*.bmp"}));
  EXPECT_TRUE(r.flags & OFN_ALLOWMULTISELECT);
  EXPECT_TRUE(r.flags & OFN_HIDEREADONLY);
  EXPECT_EQ(r.title, "Open");

  KySetFileDialogCancel();
  KySetFileDialogAnswer(Path("one.bru").c_str());
  CFileDialog save(FALSE, "bru", "Brick.bmp", OFN_OVERWRITEPROMPT, kBruFilter);
  EXPECT_EQ(save.DoModal(), IDCANCEL);
  ASSERT_TRUE(KyGetLastFileDialogRequest(&r));
  EXPECT_TRUE(r.bSave);
  EXPECT_EQ(r.initialFile, "Brick.bmp");
  EXPECT_EQ(r.title, "Save As");
  CFileDialog single(TRUE, "bru", nullptr, OFN_HIDEREADONLY, kBruFilter);
  ASSERT_EQ(single.DoModal(), IDOK);
  EXPECT_EQ(std::string(single.GetPathName()), Path("one.bru"));
  POSITION pos = single.GetStartPosition();
  EXPECT_EQ(std::string(single.GetNextPathName(pos)), Path("one.bru"));
  EXPECT_EQ(pos, nullptr);
  EXPECT_EQ(KyClearFileDialogAnswers(), 0u);
}

TEST_F(FileDialogTest, AResultThatDoesNotFitIsRefused) {
  char small[8] = {0};
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = small;
  ofn.nMaxFile = sizeof small;
  KySetFileDialogAnswer(Path("default.bru").c_str());
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  WORD need = 0;
  memcpy(&need, small, sizeof need);
  EXPECT_EQ(need, Path("default.bru").size() + 2);

  OPENFILENAME bad{};
  bad.lStructSize = 3;
  EXPECT_FALSE(GetSaveFileName(&bad));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  OPENFILENAME none{};
  none.lStructSize = sizeof none;
  EXPECT_FALSE(GetOpenFileName(&none));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
}

// The name given is shown and taken as it is; a save dialog without the
// prompt takes an existing file at once.
TEST_F(FileDialogTest, ReadOnlyIsOfferedByOpenDialogsUnlessHiddenAndTheGivenNameIsTaken) {
  struct Case {
    BOOL open;
    DWORD flags;
    bool box;
  };
  const Case cases[] = {{TRUE, 0, true}, {TRUE, OFN_HIDEREADONLY, false}, {FALSE, 0, false}};
  for (const Case& c : cases) {
    CFileDialog dlg(c.open, "bru", "default.bru", c.flags, kBruFilter);
    dlg.m_ofn.lpstrInitialDir = folder.c_str();
    h.Then([&] {
      EXPECT_EQ(h.Item(chx1) != nullptr, c.box) << c.open << " " << c.flags;
      if (c.box) h.Click(chx1);
    });
    h.Then([&] {
      EXPECT_EQ(h.Text(edt1), "default.bru");
      h.Key(VK_RETURN);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK) << c.open << " " << c.flags;
    EXPECT_EQ(dlg.GetReadOnlyPref(), c.box ? TRUE : FALSE) << c.open << " " << c.flags;
    EXPECT_EQ(std::string(dlg.GetPathName()), Path("default.bru"));
  }
}

TEST_F(FileDialogTest, ADialogNobodyAnswersIsCancelled) {
  CFileDialog dlg(TRUE, "bru", nullptr, OFN_HIDEREADONLY, kBruFilter);
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_DIALOGFAILURE));
}

}  // namespace
