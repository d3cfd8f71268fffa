// The picker's "FillStyle Editor" button: the editor runs modally on the
// picker's own library, and the picker shows what the editor left: a new
// style in the list, the group of the chosen style, a chosen style that the
// editor deleted no longer chosen.
#include <gtest/gtest.h>

#include "KyFSLEditDlg.h"
#include "KyFSLPickDlg.h"
#include "KyLineStyleLib.h"
#include "commctrl.h"
#include "dialog_harness.h"
#include "lib_builder.h"
#include "resource.h"

namespace {

class PickerEditor : public testing::Test {
 protected:
  void SetUp() override {
    sub = lib.GetStyleGroup()->CreateSubGroup("Bricks");
    ASSERT_TRUE(sub);
    ASSERT_TRUE(kytest::AddBitmap(lib, 8, "Plain"));
    ASSERT_TRUE(kytest::AddBitmap(lib, 9, "Check"));
    ASSERT_TRUE(kytest::AddBitmap(lib, 30, "Brick wall", sub));
    lines.CreateDefault();
    dlg.AttachKyStyleLib(&lib, &lines);
  }
  static int ListCount() {
    return static_cast<int>(SendMessage(DialogHarness::Item(IDC_PICK_STYLE_LIST), LB_GETCOUNT, 0, 0));
  }
  // The editor's command, as its command bar sends it.
  static void Command(UINT id) { SendMessage(DialogHarness::Active(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  DialogHarness h;
  CKyFillStyleLib lib;
  CKyLineStyleLib lines;
  CKyFSLPickDlg dlg;
  CKyFillStyleGroup* sub = nullptr;
};

TEST_F(PickerEditor, AStyleMadeInTheEditorIsListedAfterwards) {
  int before = -1, after = -1;
  std::string editorCaption;
  CKyFillStyleLib* edited = nullptr;
  h.Then([&] {
    before = ListCount();
    h.Click(IDC_PICK_EDITOR);
  });
  h.Then([&] {
    editorCaption = DialogHarness::Text(DialogHarness::Active());
    if (auto* e = dynamic_cast<CKyFSLEditDlg*>(CWnd::FromHandlePermanent(DialogHarness::Active())))
      edited = e->GetKyFillStyleLib();
    Command(ID_BRUSH_NEW);
  });
  // Closing with the change unsaved asks; No keeps it in the library, which
  // the editor changed in place.
  h.Then([&] { SendMessage(DialogHarness::Active(), WM_CLOSE, 0, 0); });
  h.Then([&] {
    EXPECT_EQ(DialogHarness::MessageBoxText(), "Save File?");
    h.Click(IDNO);
  });
  h.Then([&] {
    after = ListCount();
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(h.StepsLeft(), 0u);
  EXPECT_EQ(editorCaption, "FillStyle Editor");
  EXPECT_EQ(edited, &lib);
  ASSERT_NE(lib.FindID(31), -1);
  EXPECT_EQ(lib.GetFillStyle(lib.FindID(31))->GetFillStyleName(), "New FillStyle");
  EXPECT_EQ(after, before + 1);
  EXPECT_EQ(dlg.m_pCurGroup, lib.GetStyleGroup());
}

TEST_F(PickerEditor, TheChosenStylesGroupIsShownAgain) {
  dlg.SetCurSelStyle(30);
  h.Then([&] { h.Click(IDC_PICK_EDITOR); });
  h.Then([&] { SendMessage(DialogHarness::Active(), WM_CLOSE, 0, 0); });  // nothing changed: no question
  CKyFillStyleGroup* shown = nullptr;
  h.Then([&] {
    shown = dlg.m_pCurGroup;
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(shown, sub);
  EXPECT_EQ(dlg.GetCurSelStyle(), 30);
}

TEST_F(PickerEditor, AChosenStyleDeletedInTheEditorIsNoLongerChosen) {
  dlg.SetCurSelStyle(9);
  h.Then([&] { h.Click(IDC_PICK_EDITOR); });
  h.Then([&] {
    // Select "Check" (the grid's cell after the sub-group and "Plain") and delete it.
    auto* e = dynamic_cast<CKyFSLEditDlg*>(CWnd::FromHandlePermanent(DialogHarness::Active()));
    ASSERT_TRUE(e);
    CRect cell = e->m_wndList.CellRect(2);
    h.Click(DialogHarness::At(e->m_wndList, cell.CenterPoint().x, cell.CenterPoint().y));
  });
  h.Then([&] { Command(ID_BRUSH_DELETE); });
  h.Then([&] { SendMessage(DialogHarness::Active(), WM_CLOSE, 0, 0); });
  h.Then([&] { h.Click(IDNO); });  // "Save File?"
  h.Then([&] { h.Click(IDOK); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(h.StepsLeft(), 0u);
  EXPECT_EQ(lib.FindID(9), -1);
  EXPECT_EQ(dlg.GetCurSelStyle(), -1);
}

}  // namespace
