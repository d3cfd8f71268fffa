// GetOpenFileName and GetSaveFileName: a queued test answer when there is
// one, else our own modal dialog.
//
//   Look in: [/home/user/maps                     ] [ Up ]
//   ┌──────────────────────────────────────────────────┐
//   │ areas/                                           │  sub-folders first ("name/"),
//   │ roads/                                           │  then the files the chosen
//   │ default.bru                                      │  filter matches
//   └──────────────────────────────────────────────────┘
//   File name:     [default.bru              ]   [ Open ]
//   Files of type: [FillStyleLib File(*.bru) ▼]  [Cancel]
#include <algorithm>

#include "dlgtemplate.h"
#include "filedlg.h"

namespace kyuser {
namespace {

struct DialogState {
  OPENFILENAMEA* ofn = nullptr;
  FileDialogSetup* setup = nullptr;
  std::string folder;
  std::string patterns;
  int folderCount = 0;  // the list's first entries are folders
  bool ok = false;
};

DialogState* StateOf(HWND h) { return static_cast<DialogState*>(GetPropA(h, "KyFileDlg")); }

std::string ItemText(HWND list, int i) {
  int n = static_cast<int>(SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0));
  if (n < 0) return {};
  std::string s(static_cast<size_t>(n) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n));
  return s;
}

std::string EditText(HWND h) {
  char buf[4096] = {0};
  GetDlgItemTextA(h, edt1, buf, sizeof buf);
  std::string s = buf;
  s.erase(0, s.find_first_not_of(" \t"));
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

void Fill(HWND h, DialogState* st) {
  HWND list = GetDlgItem(h, lst1);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  std::vector<std::string> dirs = ListSubFolders(st->folder);
  for (const std::string& d : dirs) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((d + "/").c_str()));
  st->folderCount = static_cast<int>(dirs.size());
  for (const std::string& f : KyListMatchingFiles(st->folder.c_str(), st->patterns.c_str()))
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  SetDlgItemTextA(h, stc1, st->folder.c_str());
}

void GoTo(HWND h, DialogState* st, const std::string& folder) {
  st->folder = folder;
  Fill(h, st);
}

// The names of the edit: one name, or several in quotes ("a.bmp" "b.bmp").
std::vector<std::string> TypedNames(const std::string& text) {
  std::vector<std::string> out;
  if (text.find('"') == std::string::npos) {
    if (!text.empty()) out.push_back(text);
    return out;
  }
  size_t at = 0;
  while ((at = text.find('"', at)) != std::string::npos) {
    size_t end = text.find('"', at + 1);
    if (end == std::string::npos) end = text.size();
    std::string n = text.substr(at + 1, end - at - 1);
    if (!n.empty()) out.push_back(n);
    at = end + 1;
  }
  return out;
}

void ShowSelectionInEdit(HWND h, DialogState* st) {
  HWND list = GetDlgItem(h, lst1);
  std::vector<std::string> names;
  if (st->setup->flags & OFN_ALLOWMULTISELECT) {
    int n = static_cast<int>(SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    std::vector<int> sel(static_cast<size_t>(std::max(n, 0)));
    if (n > 0) SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(sel.data()));
    for (int i : sel)
      if (i >= st->folderCount) names.push_back(ItemText(list, i));
  } else {
    int i = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (i >= st->folderCount) names.push_back(ItemText(list, i));
  }
  if (names.empty()) return;
  std::string text;
  if (names.size() == 1) {
    text = names[0];
  } else {
    for (const std::string& n : names) text += (text.empty() ? "\"" : " \"") + n + "\"";
  }
  SetDlgItemTextA(h, edt1, text.c_str());
}

bool Ask(HWND h, const std::string& text, UINT type, int want) {
  return MessageBoxA(h, text.c_str(), StateOf(h)->setup->title.c_str(), type) == want;
}

// OK: a folder goes into it, a pattern filters with it, names are checked
// as the flags ask and, when they pass, become the result.
void OnOK(HWND h, DialogState* st) {
  FileDialogSetup& s = *st->setup;
  std::string text = EditText(h);
  HWND list = GetDlgItem(h, lst1);
  if (text.empty()) {
    int caret = static_cast<int>(SendMessageA(list, (s.flags & OFN_ALLOWMULTISELECT) ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
    if (caret >= 0 && caret < st->folderCount) {
      std::string d = ItemText(list, caret);
      GoTo(h, st, JoinPath(st->folder, d.substr(0, d.size() - 1)));
    }
    return;
  }
  std::vector<std::string> typed = TypedNames(text);
  if (typed.size() == 1) {
    const std::string& t = typed[0];
    if (t.find_first_of("*?") != std::string::npos) {
      st->patterns = t;
      Fill(h, st);
      return;
    }
    std::string asFolder = JoinPath(st->folder, t);
    if (IsFolder(asFolder)) {
      SetDlgItemTextA(h, edt1, "");
      GoTo(h, st, asFolder);
      return;
    }
  }
  if (typed.size() > 1 && !(s.flags & OFN_ALLOWMULTISELECT)) {
    Ask(h, text + "\nThe file name is not valid.", MB_OK | MB_ICONEXCLAMATION, IDOK);
    return;
  }
  std::vector<std::string> paths;
  for (const std::string& t : typed) {
    std::string p = ResolveName(s, st->folder, t);
    std::string shown = BaseName(p);
    if (!IsFolder(ParentFolder(p)) && (s.save || (s.flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)))) {
      Ask(h, shown + "\nPath does not exist.\nPlease verify the correct path was given.", MB_OK | MB_ICONEXCLAMATION,
          IDOK);
      return;
    }
    if (!s.save && (s.flags & OFN_FILEMUSTEXIST) && !Exists(p)) {
      Ask(h, shown + "\nFile not found.\nPlease verify the correct file name was given.", MB_OK | MB_ICONEXCLAMATION,
          IDOK);
      return;
    }
    if (s.save && Exists(p) && (s.flags & OFN_OVERWRITEPROMPT) &&
        !Ask(h, p + " already exists.\nDo you want to replace it?", MB_YESNO | MB_ICONEXCLAMATION, IDYES))
      return;
    if (!Exists(p) && (s.flags & OFN_CREATEPROMPT) &&
        !Ask(h, p + " does not exist.\nDo you want to create it?", MB_YESNO | MB_ICONQUESTION, IDYES))
      return;
    paths.push_back(p);
  }
  int filter = static_cast<int>(SendDlgItemMessageA(h, cmb1, CB_GETCURSEL, 0, 0));
  bool readOnly = IsDlgButtonChecked(h, chx1) == BST_CHECKED;
  st->ok = WriteFileDialogResult(st->ofn, s, paths, filter, readOnly);
  EndDialog(h, st->ok ? IDOK : IDCANCEL);
}

INT_PTR CALLBACK FileDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    auto* st = reinterpret_cast<DialogState*>(lp);
    SetPropA(h, "KyFileDlg", st);
    FileDialogSetup& s = *st->setup;
    for (const auto& f : s.filters)
      SendDlgItemMessageA(h, cmb1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.first.c_str()));
    SendDlgItemMessageA(h, cmb1, CB_SETCURSEL, static_cast<WPARAM>(s.filter), 0);
    SetDlgItemTextA(h, edt1, s.name.c_str());
    if (s.flags & OFN_READONLY) CheckDlgButton(h, chx1, BST_CHECKED);
    Fill(h, st);
    HWND edit = GetDlgItem(h, edt1);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return FALSE;
  }
  DialogState* st = StateOf(h);
  if (!st) return FALSE;
  if (msg == WM_DESTROY) {
    RemovePropA(h, "KyFileDlg");
    return FALSE;
  }
  if (msg != WM_COMMAND) return FALSE;
  UINT id = LOWORD(wp), code = HIWORD(wp);
  HWND list = GetDlgItem(h, lst1);
  switch (id) {
    case IDOK:
      OnOK(h, st);
      return TRUE;
    case IDCANCEL:
      EndDialog(h, IDCANCEL);
      return TRUE;
    case psh1:
      if (code == BN_CLICKED) GoTo(h, st, ParentFolder(st->folder));
      return TRUE;
    case cmb1:
      if (code == CBN_SELCHANGE) {
        st->setup->filter = static_cast<int>(SendDlgItemMessageA(h, cmb1, CB_GETCURSEL, 0, 0));
        st->patterns = CurrentPatterns(*st->setup);
        Fill(h, st);
      }
      return TRUE;
    case lst1:
      if (code == LBN_SELCHANGE) {
        ShowSelectionInEdit(h, st);
      } else if (code == LBN_DBLCLK) {
        int i = static_cast<int>(SendMessageA(list, (st->setup->flags & OFN_ALLOWMULTISELECT) ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
        if (i < 0) return TRUE;
        std::string t = ItemText(list, i);
        if (i < st->folderCount) {
          SetDlgItemTextA(h, edt1, "");
          GoTo(h, st, JoinPath(st->folder, t.substr(0, t.size() - 1)));
        } else {
          SetDlgItemTextA(h, edt1, t.c_str());
          OnOK(h, st);
        }
      }
      return TRUE;
  }
  return FALSE;
}

KyDialogTemplate BuildTemplate(const FileDialogSetup& s) {
  // Only an open dialog offers read-only, and only when not asked to hide it.
  bool readOnlyBox = !s.save && !(s.flags & OFN_HIDEREADONLY);
  short cy = readOnlyBox ? 176 : 164;
  KyDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER | DS_3DLOOK, 0, 0,
                     280, cy, s.title.c_str(), 8, "MS Sans Serif");
  t.LText("Look &in:", stc4, 7, 9, 40, 8);
  t.LText("", stc1, 50, 7, 170, 12, SS_LEFTNOWORDWRAP | SS_SUNKEN | SS_NOPREFIX | SS_CENTERIMAGE);
  t.PushButton("&Up", psh1, 226, 6, 47, 14, WS_TABSTOP);
  DWORD listStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
  if (s.flags & OFN_ALLOWMULTISELECT) listStyle |= LBS_EXTENDEDSEL;
  t.ListBox(lst1, 7, 24, 266, 96, listStyle);
  t.LText("File &name:", stc3, 7, 128, 50, 8);
  t.EditText(edt1, 60, 126, 156, 12, ES_AUTOHSCROLL | WS_TABSTOP);
  t.DefPushButton(s.save ? "&Save" : "&Open", IDOK, 223, 125, 50, 14, WS_TABSTOP);
  t.LText("Files of &type:", stc2, 7, 146, 50, 8);
  t.ComboBox(cmb1, 60, 144, 156, 100, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
  t.PushButton("Cancel", IDCANCEL, 223, 143, 50, 14, WS_TABSTOP);
  if (readOnlyBox) t.AutoCheckBox("Open as &read-only", chx1, 60, 160, 120, 10, WS_TABSTOP);
  return t;
}

}  // namespace

BOOL RunFileDialog(OPENFILENAMEA* ofn, FileDialogSetup& s) {
  DialogState st;
  st.ofn = ofn;
  st.setup = &s;
  st.folder = s.folder;
  st.patterns = CurrentPatterns(s);
  KyDialogTemplate t = BuildTemplate(s);
  HWND owner = ofn->hwndOwner ? GetAncestor(ofn->hwndOwner, GA_ROOT) : nullptr;
  INT_PTR r = DialogBoxIndirectParamA(nullptr, t.Get(), owner, FileDialogProc, reinterpret_cast<LPARAM>(&st));
  if (r == -1) {
    SetFileDialogError(CDERR_DIALOGFAILURE);
    return FALSE;
  }
  if (r != IDOK || !st.ok) {
    if (r != IDOK) SetFileDialogError(0);
    return FALSE;
  }
  return TRUE;
}

namespace {
BOOL Run(LPOPENFILENAMEA ofn, bool save) {
  FileDialogSetup s;
  if (!ReadFileDialogSetup(ofn, save, &s)) return FALSE;
  RecordFileDialogRequest(ofn, s);
  KyFileDialogAnswer a;
  if (!TakeFileDialogAnswer(&a)) return RunFileDialog(ofn, s);
  if (a.nResult != IDOK || a.names.empty()) {
    SetFileDialogError(0);
    return FALSE;
  }
  std::string folder = a.folder.empty() ? s.folder : a.folder;
  std::vector<std::string> paths;
  for (const std::string& n : a.names) paths.push_back(ResolveName(s, folder, n));
  int filter = s.filter;
  if (a.nFilterIndex >= 1 && a.nFilterIndex <= s.filters.size()) filter = static_cast<int>(a.nFilterIndex) - 1;
  return WriteFileDialogResult(ofn, s, paths, filter, (ofn->Flags & OFN_READONLY) != 0) ? TRUE : FALSE;
}
}  // namespace

}  // namespace kyuser

BOOL GetOpenFileNameA(LPOPENFILENAMEA lpofn) { return kyuser::Run(lpofn, false); }
BOOL GetSaveFileNameA(LPOPENFILENAMEA lpofn) { return kyuser::Run(lpofn, true); }
