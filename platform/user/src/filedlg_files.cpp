// The file dialogs' arguments, paths, patterns, folder listings and results.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <strings.h>
#include <filesystem>
#include <system_error>

#include "filedlg.h"

namespace fs = std::filesystem;

namespace kyuser {

namespace {
// The pairs of a filter: description '\0' patterns '\0' ... '\0'.
std::vector<std::pair<std::string, std::string>> ReadFilters(const char* p) {
  std::vector<std::pair<std::string, std::string>> out;
  if (!p) return out;
  while (*p) {
    std::string desc = p;
    p += desc.size() + 1;
    if (!*p) break;  // a description without patterns ends the list
    std::string pats = p;
    p += pats.size() + 1;
    out.emplace_back(desc, pats);
  }
  return out;
}

std::string NormaliseExt(const char* e) {
  if (!e) return {};
  std::string s = e;
  size_t dot = s.rfind('.');
  if (dot != std::string::npos) s = s.substr(dot + 1);
  if (s.find_first_of("*?") != std::string::npos) return {};
  return s;
}

bool HasExtension(const std::string& path) {
  std::string b = BaseName(path);
  size_t dot = b.rfind('.');
  return dot != std::string::npos && dot > 0 && dot + 1 < b.size();
}
}  // namespace

bool ReadFileDialogSetup(const OPENFILENAMEA* ofn, bool save, FileDialogSetup* out) {
  if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEA)) {
    SetFileDialogError(CDERR_STRUCTSIZE);
    return false;
  }
  if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
    SetFileDialogError(CDERR_INITIALIZATION);
    return false;
  }
  out->save = save;
  out->flags = ofn->Flags;
  out->title = ofn->lpstrTitle ? ofn->lpstrTitle : (save ? "Save As" : "Open");
  out->filters = ReadFilters(ofn->lpstrFilter);
  out->filter = out->filters.empty() ? -1 : 0;
  if (ofn->nFilterIndex >= 1 && ofn->nFilterIndex <= out->filters.size())
    out->filter = static_cast<int>(ofn->nFilterIndex) - 1;
  out->defExt = NormaliseExt(ofn->lpstrDefExt);
  std::string initial(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
  out->folder.clear();
  out->name = initial;
  if (initial.find('/') != std::string::npos) {
    std::string dir = ParentFolder(initial[0] == '/' ? initial : JoinPath(CurrentFolder(), initial));
    if (IsFolder(dir)) {
      out->folder = dir;
      out->name = BaseName(initial);
    }
  }
  if (out->folder.empty() && ofn->lpstrInitialDir && IsFolder(ofn->lpstrInitialDir)) out->folder = ofn->lpstrInitialDir;
  if (out->folder.empty()) out->folder = CurrentFolder();
  return true;
}

std::string CurrentPatterns(const FileDialogSetup& s) {
  if (s.filter < 0 || s.filter >= static_cast<int>(s.filters.size())) return "*.*";
  return s.filters[static_cast<size_t>(s.filter)].second;
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (name.empty()) return folder;
  if (name[0] == '/') return name;
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string ParentFolder(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  size_t slash = p.rfind('/');
  if (slash == std::string::npos) return CurrentFolder();
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CurrentFolder() {
  std::error_code ec;
  fs::path p = fs::current_path(ec);
  return ec ? std::string("/") : p.string();
}

std::string ResolveName(const FileDialogSetup& s, const std::string& folder, const std::string& typed) {
  std::string path = JoinPath(folder, typed);
  if (!s.defExt.empty() && !HasExtension(path) && !IsFolder(path)) {
    std::string withExt = path + "." + s.defExt;
    if (s.save || !Exists(path)) path = withExt;
  }
  return path;
}

bool MatchPattern(const char* pat, const char* name) {
  // Iterative '*' matching with one back-track point: linear in practice
  // and never recursive, whatever the pattern.
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*pat == '*') {
      star = pat++;
      resume = name;
    } else if (*pat == '?' || std::tolower(static_cast<unsigned char>(*pat)) == std::tolower(static_cast<unsigned char>(*name))) {
      ++pat, ++name;
    } else if (star) {
      pat = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pat == '*') ++pat;
  // "*.*" matches a name without a dot as well, as on the home platform.
  if (pat[0] == '.' && pat[1] == '*' && pat[2] == 0) return true;
  return *pat == 0;
}

bool MatchAnyPattern(const std::string& patterns, const std::string& name) {
  size_t at = 0;
  while (at <= patterns.size()) {
    size_t end = patterns.find(';', at);
    if (end == std::string::npos) end = patterns.size();
    std::string p = patterns.substr(at, end - at);
    p.erase(0, p.find_first_not_of(' '));
    while (!p.empty() && p.back() == ' ') p.pop_back();
    if (!p.empty() && MatchPattern(p.c_str(), name.c_str())) return true;
    at = end + 1;
  }
  return false;
}

namespace {
std::vector<std::string> List(const std::string& folder, bool folders, const std::string& patterns) {
  std::vector<std::string> out;
  std::error_code ec;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  if (ec) return out;
  for (fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;  // hidden
    std::error_code e2;
    bool dir = it->is_directory(e2);
    if (dir != folders) continue;
    if (!folders && !MatchAnyPattern(patterns, name)) continue;
    out.push_back(name);
  }
  // Sorted as a person reads them: without regard to case, bytes breaking ties.
  std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) {
    int c = strcasecmp(a.c_str(), b.c_str());
    return c != 0 ? c < 0 : a < b;
  });
  return out;
}
}  // namespace

std::vector<std::string> ListSubFolders(const std::string& folder) { return List(folder, true, {}); }

bool WriteFileDialogResult(OPENFILENAMEA* ofn, const FileDialogSetup& s, const std::vector<std::string>& paths,
                           int filter, bool readOnly) {
  if (paths.empty()) return false;
  std::string buf;
  size_t offset = 0;
  if (paths.size() == 1) {
    buf = paths[0];
    buf.push_back('\0');
    size_t slash = paths[0].rfind('/');
    offset = slash == std::string::npos ? 0 : slash + 1;
  } else {
    std::string folder = ParentFolder(paths[0]);
    buf = folder;
    buf.push_back('\0');
    offset = buf.size();
    for (const std::string& p : paths) {
      buf += BaseName(p);
      buf.push_back('\0');
    }
  }
  buf.push_back('\0');
  if (buf.size() > ofn->nMaxFile) {
    if (ofn->nMaxFile >= 2) {
      WORD need = static_cast<WORD>(std::min<size_t>(buf.size(), 0xFFFF));
      memcpy(ofn->lpstrFile, &need, sizeof need);
    }
    SetFileDialogError(FNERR_BUFFERTOOSMALL);
    return false;
  }
  memcpy(ofn->lpstrFile, buf.data(), buf.size());
  ofn->nFileOffset = static_cast<WORD>(offset);
  std::string first = BaseName(paths[0]);
  size_t dot = first.rfind('.');
  bool hasExt = dot != std::string::npos && dot > 0;
  ofn->nFileExtension = static_cast<WORD>(offset + (hasExt ? dot + 1 : first.size()));
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
    size_t n = std::min<size_t>(first.size(), ofn->nMaxFileTitle - 1);
    memcpy(ofn->lpstrFileTitle, first.data(), n);
    ofn->lpstrFileTitle[n] = 0;
  }
  if (filter >= 0) ofn->nFilterIndex = static_cast<DWORD>(filter + 1);
  std::string ext = hasExt ? first.substr(dot + 1) : std::string();
  ofn->Flags &= ~(OFN_EXTENSIONDIFFERENT | OFN_READONLY);
  if (!s.defExt.empty() && ext != s.defExt) ofn->Flags |= OFN_EXTENSIONDIFFERENT;
  if (readOnly) ofn->Flags |= OFN_READONLY;
  SetFileDialogError(0);
  return true;
}

}  // namespace kyuser

std::vector<std::string> KyListMatchingFiles(const char* lpszFolder, const char* lpszPatterns) {
  if (!lpszFolder) return {};
  return kyuser::List(lpszFolder, false, lpszPatterns ? lpszPatterns : "*.*");
}
