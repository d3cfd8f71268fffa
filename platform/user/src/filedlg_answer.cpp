// Answers for the file dialogs that tests queue, the record of what the
// last dialog was asked, and the dialogs' extended error.
#include <cstring>
#include <deque>

#include "filedlg.h"

namespace kyuser {
namespace {

// Process state of the platform's own, like the last-error slot.
std::deque<KyFileDialogAnswer>& Answers() {
  static std::deque<KyFileDialogAnswer> q;
  return q;
}

struct LastRequest {
  bool valid = false;
  KyFileDialogRequest request;
};
LastRequest& Last() {
  static LastRequest r;
  return r;
}

DWORD g_error = 0;

}  // namespace

void SetFileDialogError(DWORD code) { g_error = code; }

bool TakeFileDialogAnswer(KyFileDialogAnswer* out) {
  if (Answers().empty()) return false;
  *out = Answers().front();
  Answers().pop_front();
  return true;
}

void RecordFileDialogRequest(const OPENFILENAMEA* ofn, const FileDialogSetup& s) {
  KyFileDialogRequest& r = Last().request;
  Last().valid = true;
  r.bSave = s.save;
  r.flags = ofn->Flags;
  r.title = s.title;
  r.defExt = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
  r.initialFile.assign(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
  r.initialDir = s.folder;
  r.filters.clear();
  for (const auto& f : s.filters) {
    r.filters.push_back(f.first);
    r.filters.push_back(f.second);
  }
  r.nFilterIndex = ofn->nFilterIndex;
}

}  // namespace kyuser

void KySetFileDialogAnswer(const KyFileDialogAnswer& answer) { kyuser::Answers().push_back(answer); }

void KySetFileDialogAnswer(const char* lpszPath) {
  KyFileDialogAnswer a;
  a.nResult = IDOK;
  if (lpszPath) a.names.push_back(lpszPath);
  KySetFileDialogAnswer(a);
}

void KySetFileDialogCancel() {
  KyFileDialogAnswer a;
  a.nResult = IDCANCEL;
  KySetFileDialogAnswer(a);
}

size_t KyClearFileDialogAnswers() {
  size_t n = kyuser::Answers().size();
  kyuser::Answers().clear();
  return n;
}

BOOL KyGetLastFileDialogRequest(KyFileDialogRequest* pRequest) {
  if (!pRequest || !kyuser::Last().valid) return FALSE;
  *pRequest = kyuser::Last().request;
  return TRUE;
}

DWORD CommDlgExtendedError() { return kyuser::g_error; }
