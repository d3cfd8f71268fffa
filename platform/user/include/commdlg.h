// The common file dialogs: GetOpenFileName and GetSaveFileName, and the
// answers tests give them.
//
// The dialog is our own: a modal dialog with the folder being looked in, an
// "Up" button, a list of the folder's sub-folders and of its files that
// match the chosen filter, a name edit, the filter combo and OK / Cancel.
// Double-clicking a folder (or typing its name) goes into it; typing a
// pattern ("*.bmp") filters with it. Files are paths of the host file
// system; "/" separates folders.
//
// What comes back in lpstrFile:
//   one file:                     the full path, then a '\0'
//   OFN_ALLOWMULTISELECT, 1 file: the same
//   OFN_ALLOWMULTISELECT, more:   the folder '\0' name '\0' name ... '\0' '\0'
// nFileOffset is the offset of the (first) name, nFileExtension that of the
// extension after its '.' (the terminating '\0' when there is none).
// A result that does not fit nMaxFile gives FALSE with FNERR_BUFFERTOOSMALL
// and the size needed in the first two bytes of lpstrFile.
#pragma once

#include <string>
#include <vector>

#include "winuser.h"

typedef UINT_PTR(CALLBACK* LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagOFNA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;        // pairs of description '\0' patterns ('; '-separated) '\0', then '\0'
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;        // 1-based; the pair chosen comes back here
  LPSTR lpstrFile;           // in: the initial name (may hold a folder); out: the result
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;      // out: the chosen name without its folder (may be NULL)
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;    // NULL: the current directory
  LPCSTR lpstrTitle;         // NULL: "Open" or "Save As"
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;        // appended to a name typed without extension; "bru", ".bru" and "*.bru" all mean "bru"
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;    // kept; the dialog does not call it
  LPCSTR lpTemplateName;
} OPENFILENAMEA, *LPOPENFILENAMEA;
typedef OPENFILENAMEA OPENFILENAME;
typedef LPOPENFILENAMEA LPOPENFILENAME;

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_SHAREAWARE 0x00004000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_NONETWORKBUTTON 0x00020000
#define OFN_NOLONGNAMES 0x00040000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLESIZING 0x00800000

// CommDlgExtendedError codes.
#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003

// The ids of the dialog's controls, for tests that drive it.
#define stc1 0x0440   // the folder being looked in
#define stc2 0x0441   // "Files of type:"
#define stc3 0x0442   // "File name:"
#define stc4 0x0443   // "Look in:"
#define lst1 0x0460   // folders and files
#define cmb1 0x0470   // the filters
#define edt1 0x0480   // the name
#define psh1 0x0400   // "Up"
#define chx1 0x0410   // "Open as read-only", without OFN_HIDEREADONLY

// TRUE when the user chose a file (OK); FALSE for Cancel and errors, then
// CommDlgExtendedError tells which (0 for Cancel).
BOOL GetOpenFileNameA(LPOPENFILENAMEA lpofn);
BOOL GetSaveFileNameA(LPOPENFILENAMEA lpofn);
#define GetOpenFileName GetOpenFileNameA
#define GetSaveFileName GetSaveFileNameA
DWORD CommDlgExtendedError();

// ---------------------------------------------------------------- test answers
// Tests answer file dialogs either by driving the real dialog (the ids
// above, with tests/support/dialog_harness.h) or without showing it: each
// GetOpenFileName / GetSaveFileName takes the oldest answer queued here and
// returns it as if the user had typed it and pressed OK (or Cancel). The
// names go through what the dialog does with a typed name (folder, default
// extension, the result layout above) but not through its prompts: an
// answer is what the user finally chose. With no answer queued the dialog
// is shown.
struct KyFileDialogAnswer {
  int nResult = IDOK;               // IDOK or IDCANCEL
  std::string folder;               // the folder the names are in; empty: the dialog's initial folder
  std::vector<std::string> names;   // as typed: names in the folder, or full paths
  DWORD nFilterIndex = 0;           // 0: the filter the dialog was given
};
void KySetFileDialogAnswer(const KyFileDialogAnswer& answer);
// Shorthands: OK with one path; Cancel.
void KySetFileDialogAnswer(const char* lpszPath);
void KySetFileDialogCancel();
// Drops the answers not yet taken; returns how many there were.
size_t KyClearFileDialogAnswers();

// What the last file dialog was asked (for tests that check the arguments).
struct KyFileDialogRequest {
  BOOL bSave = FALSE;
  DWORD flags = 0;
  std::string title;
  std::string defExt;                 // as given
  std::string initialFile;            // lpstrFile as given
  std::string initialDir;             // the folder the dialog starts in
  std::vector<std::string> filters;   // description, patterns, description, patterns...
  DWORD nFilterIndex = 0;
};
// FALSE when no file dialog ran yet.
BOOL KyGetLastFileDialogRequest(KyFileDialogRequest* pRequest);

// The files of a folder that a filter's patterns ("*.bru;*.BRU") match, as
// the dialog lists them: names only, sorted, hidden files left out.
std::vector<std::string> KyListMatchingFiles(const char* lpszFolder, const char* lpszPatterns);
