// The editor's library commands: New Lib, Open Lib, Save, Save as, the
// default library, importing BMP files, exporting a style, the options.
//
// Each command that replaces the library first offers to save unsaved
// changes; a save that does not happen stops the command, so that nothing
// is discarded that the user meant to keep.
#include "KyDib.h"
#include "KyFSLEditDlg.h"
#include "KyFSLExportBmpDlg.h"
#include "KyFSLOptionDlg.h"
#include "afxdlgs.h"
#include "afxfile.h"
#include "afxres.h"
#include "resource.h"

namespace {

CString LoadText(UINT id) {
  CString s;
  s.LoadString(id);
  return s;
}

// A library image's offsets are 32-bit.
constexpr ULONGLONG kMaxLibraryBytes = 0x7FFFFFFF;
// The largest pattern the canvas edits, 999 x 999 at 32 bits, with room
// for headers; a larger file is refused before it is read.
constexpr ULONGLONG kMaxImageBytes = 8u << 20;

// The whole file, or FALSE when it cannot be read, is empty or is larger
// than maxBytes.
BOOL ReadFileBytes(const CString& path, CByteArray& out, ULONGLONG maxBytes) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) return FALSE;
  try {
    ULONGLONG length = file.GetLength();
    if (length == 0 || length > maxBytes) return FALSE;
    out.SetSize(static_cast<INT_PTR>(length));
    if (file.Read(out.GetData(), static_cast<UINT>(length)) != length) return FALSE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

// A BMP file whose headers agree with its bytes and whose size the canvas
// can edit.
BOOL IsImportableImage(const CString& path) {
  CByteArray bytes;
  if (!ReadFileBytes(path, bytes, kMaxImageBytes)) return FALSE;
  CKyDib dib;
  if (!dib.Load(bytes, 0)) return FALSE;
  return dib.GetWidth() <= CKyFSLEditWnd::kMaxSize && dib.GetHeight() <= CKyFSLEditWnd::kMaxSize;
}

}  // namespace

void CKyFSLEditDlg::RefreshAfterLibraryChange() {
  m_nSymCount = m_pLib->GetSymLib()->GetSymbolCount();
  m_arrAddedSymbols.RemoveAll();
  m_wndCanvas.Clear();
  m_wndCanvas.ReDraw();
}

void CKyFSLEditDlg::ResetTree() {
  m_pGroup = m_pLib->GetStyleGroup();
  m_editGroup.SetWindowText(m_pGroup->GetName());
  m_wndList.m_nSelIndex = -1;
  m_wndList.m_nEditIndex = -1;
  m_wndList.ScrollChange(0);
  m_wndList.ReDraw();
  AddCodes();
}

BOOL CKyFSLEditDlg::AskSaveBeforeReplace() {
  CommitFloat();
  if (!m_bModified) return TRUE;
  int answer = AfxMessageBox(IDS_SAVE_FILE, MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDCANCEL) return FALSE;
  if (answer == IDNO) return TRUE;
  if (SaveLibrary(FALSE)) return TRUE;
  // Yes, but nothing was written: a library without styles cannot be.
  if (m_pLib->GetCount() == 0) AfxMessageBox(IDS_LIB_NOT_STORED, MB_OK | MB_ICONEXCLAMATION);
  return FALSE;
}

BOOL CKyFSLEditDlg::SaveLibrary(BOOL bAskPath) {
  CommitFloat();
  if (!m_pLib || m_pLib->GetCount() == 0) return FALSE;
  CString path = m_strPath;
  if (bAskPath || path.IsEmpty()) {
    CString filter = LoadText(IDS_FILTER_BRU);
    CFileDialog dlg(FALSE, "*.bru", nullptr, OFN_OVERWRITEPROMPT, filter, this);
    if (dlg.DoModal() != IDOK) return FALSE;
    path = dlg.GetPathName();
  }
  if (!m_pLib->Store(path)) {
    // The file is left as it was and so is the editor, canvas included.
    AfxMessageBox(IDS_LIB_NOT_STORED, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  m_strPath = path;
  m_wndList.m_nTopIndex = 0;
  m_wndList.m_nSelIndex = -1;
  m_wndList.m_nEditIndex = -1;
  m_wndList.SetScrollPos(SB_VERT, 0, TRUE);
  m_wndList.ReDraw();
  AddCodes();
  m_bModified = FALSE;
  RefreshAfterLibraryChange();
  return TRUE;
}

void CKyFSLEditDlg::OnBrushlibSave() { SaveLibrary(FALSE); }

void CKyFSLEditDlg::OnBrushlibSaveas() { SaveLibrary(TRUE); }

void CKyFSLEditDlg::OnBrushlibNew() {
  if (!m_pLib || !AskSaveBeforeReplace()) return;
  m_pLib->RemoveAll();
  m_pLib->GetStyleGroup()->SetName(LoadText(IDS_ROOT_GROUP));
  ResetTree();
  m_strPath.Empty();
  RefreshAfterLibraryChange();
  m_bModified = FALSE;
  m_pLib->SetModifiedFlag(TRUE);
}

void CKyFSLEditDlg::OnBrushlibOpen() {
  if (!m_pLib || !AskSaveBeforeReplace()) return;
  CString filter = LoadText(IDS_FILTER_BRU);
  CFileDialog dlg(TRUE, "*.bru", nullptr, OFN_HIDEREADONLY, filter, this);
  if (dlg.DoModal() != IDOK) return;
  if (dlg.GetFileExt() == "bru") {
    CString path = dlg.GetPathName();
    // The file is read and checked before the library is touched: a file
    // that is no library leaves the library as it was.
    CByteArray image;
    CKyFillStyleLib scratch;
    if (!ReadFileBytes(path, image, kMaxLibraryBytes) || !scratch.FromByteArray(image)) {
      AfxMessageBox(IDS_LIB_UNREADABLE, MB_OK | MB_ICONEXCLAMATION);
      return;
    }
    if (!m_bAppend) m_pLib->RemoveAll();
    if (m_pLib->Append(path, m_bOverwrite)) {
      m_strPath = path;
      ResetTree();
    }
  }
  RefreshAfterLibraryChange();
  m_bModified = FALSE;
  m_pLib->SetModifiedFlag(TRUE);
}

void CKyFSLEditDlg::OnLoadSysLib() {
  if (!m_pLib || !AskSaveBeforeReplace()) return;
  CommitFloat();
  if (m_pLib->CreateDefault()) ResetTree();
  RefreshAfterLibraryChange();
  m_bModified = FALSE;
  m_pLib->SetModifiedFlag(TRUE);
}

void CKyFSLEditDlg::OnBrushImage() {
  if (!m_pLib || !m_pGroup) return;
  CommitFloat();
  CString filter = LoadText(IDS_FILTER_BMP);
  CFileDialog dlg(TRUE, "*.bmp", nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY, filter, this);
  if (dlg.DoModal() != IDOK) return;
  int c0 = Cells().NewCell();
  CString failed;
  for (POSITION pos = dlg.GetStartPosition(); pos;) {
    CString path = dlg.GetNextPathName(pos);
    CString name = path;
    int slash = name.ReverseFind('/');
    if (slash >= 0) name = name.Mid(slash + 1);
    CString file = name;
    int dot = name.ReverseFind('.');
    if (dot >= 0) name = name.Left(dot);
    name.Trim();
    long id = m_pLib->GetMaxID() + 1;
    if (id < 8) id = 8;
    // Only whole BMP images the canvas can also edit come in; the others are
    // named to the user at the end, and the rest of the choice still comes in.
    if (!IsImportableImage(path) || !m_pLib->AddFillStyle(id, name, m_pGroup, 0, path, m_nResolution)) {
      failed += "\n" + file;
      continue;
    }
    CString code;
    code.Format("%ld", id);
    m_comboCode.AddString(code);
    m_comboName.AddString(name);
  }
  int c1 = Cells().NewCell();
  if (c1 > c0) {
    m_wndList.ScrollChange(c1 - 1);
    m_wndList.ReDraw();
    m_wndList.BrushSelect(c1 - 1);
    m_wndList.m_nEditIndex = -1;
    m_bModified = TRUE;
  }
  if (!failed.IsEmpty()) AfxMessageBox(LoadText(IDS_IMPORT_FAILED) + failed, MB_OK | MB_ICONEXCLAMATION);
}

void CKyFSLEditDlg::OnFslExportBMP() {
  if (!m_pLib || !m_pGroup) return;
  int i = m_wndList.m_nSelIndex;
  KyFSLGridCells cells = Cells();
  if (!cells.IsStyle(i)) return;
  CKyFillStyle* style = m_pLib->GetFillStyle(m_pLib->FindID(m_pGroup->GetItemID(i - cells.parent - cells.subGroups)));
  if (!style) return;
  CKyFSLExportBmpDlg dlg(this);
  dlg.m_strFileName = style->GetFillStyleName() + ".bmp";
  if (dlg.DoModal() != IDOK || dlg.m_strPath.IsEmpty()) return;
  // The user asked for a file: one that is not written is said so.
  if (!style->ExportBMPFile(dlg.m_strPath, dlg.m_crFront, dlg.m_crBack))
    AfxMessageBox(IDS_EXPORT_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

void CKyFSLEditDlg::OnFSLDialogSetting() {
  // The canvas is rebuilt at the new zoom and scrolled back to its corner;
  // a floating block is merged first, as the pattern commands do.
  CommitFloat();
  CKyFSLOptionDlg sheet(IDS_SETTING, nullptr, 0);
  sheet.m_pageOpen.m_bAppend = m_bAppend;
  sheet.m_pageOpen.m_bOverwrite = m_bOverwrite;
  sheet.m_pageStyle.m_nResolution = m_nResolution;
  sheet.m_pageStyle.m_nCellSize = m_wndCanvas.m_nCellSize;
  if (sheet.DoModal() != IDOK) return;
  m_bAppend = sheet.m_pageOpen.m_bAppend;
  m_bOverwrite = sheet.m_pageOpen.m_bOverwrite;
  // Only the values the lists offer come back; anything else keeps the
  // setting as it was.
  for (long r : CKyFSLOptionStylePage::kResolutions)
    if (r == sheet.m_pageStyle.m_nResolution) m_nResolution = static_cast<CKyFillStyle::FS_RESOLUTION>(r);
  int cell = sheet.m_pageStyle.m_nCellSize;
  if (cell >= CKyFSLOptionStylePage::kMinCellSize && cell <= CKyFSLOptionStylePage::kMaxCellSize)
    m_wndCanvas.m_nCellSize = cell;
  m_wndCanvas.ScrollChange(0, 0);
  m_wndCanvas.ReDraw();
}
