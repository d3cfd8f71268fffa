// The file dialogs' shared parts, internal to the window system: what a
// dialog was asked (read from an OPENFILENAME), the folder listing and its
// patterns, turning a typed name into a path, writing the result back, and
// the answers that tests queue.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "commdlg.h"

namespace kyuser {

struct FileDialogSetup {
  bool save = false;
  DWORD flags = 0;
  std::string title;
  std::vector<std::pair<std::string, std::string>> filters;  // description, patterns
  int filter = 0;                                            // 0-based; -1 without filters
  std::string defExt;                                        // without "*." or "."
  std::string folder;                                        // where the dialog starts
  std::string name;                                          // the initial name, without folder
};

// Reads the caller's arguments; FALSE (with the extended error set) for a
// structure that cannot be used.
bool ReadFileDialogSetup(const OPENFILENAMEA* ofn, bool save, FileDialogSetup* out);
// The patterns of the chosen filter ("*.*" without filters).
std::string CurrentPatterns(const FileDialogSetup& s);

// Paths.
bool IsFolder(const std::string& path);
bool Exists(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);
std::string ParentFolder(const std::string& path);  // "/" for "/" and "/a"
std::string BaseName(const std::string& path);
std::string CurrentFolder();
// A name typed in folder, as a full path: absolute names stay, the default
// extension is added to a name without one (for an open dialog only when
// the name as typed does not exist).
std::string ResolveName(const FileDialogSetup& s, const std::string& folder, const std::string& typed);

// Patterns: '*' and '?', case-insensitive as the home platform's; several
// separated by ';'.
bool MatchPattern(const char* pattern, const char* name);
bool MatchAnyPattern(const std::string& patterns, const std::string& name);
std::vector<std::string> ListSubFolders(const std::string& folder);

// Writes the full paths chosen (all in one folder when more than one) into
// the caller's structure; FALSE with FNERR_BUFFERTOOSMALL when they do not fit.
bool WriteFileDialogResult(OPENFILENAMEA* ofn, const FileDialogSetup& s, const std::vector<std::string>& paths,
                           int filter, bool readOnly);

// The extended error of the last call.
void SetFileDialogError(DWORD code);

// Test answers: FALSE when none is queued.
bool TakeFileDialogAnswer(KyFileDialogAnswer* out);
void RecordFileDialogRequest(const OPENFILENAMEA* ofn, const FileDialogSetup& s);

// Runs our own dialog; TRUE when the user chose.
BOOL RunFileDialog(OPENFILENAMEA* ofn, FileDialogSetup& s);

}  // namespace kyuser
