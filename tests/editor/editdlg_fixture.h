// The editor dialog made modeless on the headless screen with a library of
// the test's own, and the helpers its tests share: where a cell of the grid
// is, what the combo boxes hold, what the last message box said.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KyFSLEditDlg.h"
#include "commdlg.h"
#include "dialog_harness.h"
#include "lib_builder.h"
#include "resource.h"

class EditDlgTest : public testing::Test {
 protected:
  void TearDown() override {
    KyClearFileDialogAnswers();
    if (dlg.m_hWnd) dlg.DestroyWindow();
    h.Pump();
  }
  // Opens the editor on lib.
  void Open() {
    dlg.AttachKyFillStyleLib(&lib);
    ASSERT_TRUE(dlg.Create(nullptr));
    dlg.ShowWindow(SW_SHOW);
    h.Pump();
  }
  // Screen point in the middle of grid cell i (which must be visible).
  POINT CellPoint(int i) {
    CRect r = dlg.m_wndList.CellRect(i);
    return DialogHarness::At(dlg.m_wndList, r.CenterPoint().x, r.CenterPoint().y);
  }
  void ClickCell(int i) {
    h.Click(CellPoint(i));
    h.Pump();
  }
  void DoubleClickCell(int i) {
    h.DoubleClick(CellPoint(i));
    h.Pump();
  }
  void Command(UINT id) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    h.Pump();
  }
  void Button(int id) {
    h.Click(id, dlg.m_hWnd);
    h.Pump();
  }
  // Opens a drop-down combo box with its arrow and clicks entry index of the
  // list (which must be within the list's first page).
  void PickFromCombo(CComboBox& c, int index) {
    RECT wr;
    c.GetWindowRect(&wr);
    h.Click(POINT{wr.right - 6, (wr.top + wr.bottom) / 2});
    h.Pump();
    ASSERT_TRUE(c.GetDroppedState());
    int itemH = c.GetItemHeight(0);
    POINT p{wr.left + 10, wr.bottom + 1 + itemH * index + itemH / 2};
    h.MoveTo(p);
    h.Click(p);
    h.Pump();
  }
  static std::vector<std::string> Entries(CComboBox& c) {
    std::vector<std::string> out;
    for (int i = 0; i < c.GetCount(); ++i) {
      CString s;
      c.GetLBText(i, s);
      out.emplace_back(static_cast<LPCSTR>(s));
    }
    return out;
  }
  static std::string Text(CWnd& w) {
    CString s;
    w.GetWindowText(s);
    return static_cast<LPCSTR>(s);
  }
  // Answers the next message box with the key (VK_RETURN for the default
  // button, 'Y', 'N' or VK_ESCAPE), remembering its text.
  void AnswerBox(int key) {
    h.Then([this, key] {
      boxTexts.push_back(DialogHarness::MessageBoxText());
      if (key == 'Y' || key == 'N') {
        h.Click(key == 'Y' ? IDYES : IDNO);
      } else {
        h.Key(key);
      }
    });
  }
  // Types into an edit of the dialog and presses Enter in it.
  void TypeEnter(int id, const std::string& text) {
    h.Type(id, text, dlg.m_hWnd);
    h.Key(VK_RETURN);
    h.Pump();
  }

  DialogHarness h;
  CKyFillStyleLib lib;
  CKyFSLEditDlg dlg;
  std::vector<std::string> boxTexts;
};
