// A file that replaces another whole or not at all. Bytes go to a temporary
// file beside the target; Commit flushes it to the disk and renames it over
// the target in one step. Until then, and whenever a step fails, the target
// stays exactly as it was and the temporary file is removed.
//
// A target that is a symbolic link is written through: the link stays and
// the file it points to is replaced. Only regular files are replaced: a
// fifo or device keeps its node. An existing target keeps its permission
// bits (and, where the process may set them, its owner and group).
#pragma once

#include <string>

#include "afxfile.h"
#include "afxfileerrors.h"

class CReplacingFile : public CFile {
 public:
  CReplacingFile() = default;
  ~CReplacingFile() override;

  // Makes the temporary file for path. FALSE (pError, when given, says why)
  // when the folder cannot hold it, or the target is a folder
  // (ERROR_ACCESS_DENIED), a fifo, device or socket (ERROR_BAD_FILE_TYPE), a
  // loop of links (ERROR_CANT_RESOLVE_FILENAME) or a file this process may
  // not write.
  BOOL Begin(const char* path, CFileException* pError = nullptr);
  // Flushes, closes and renames the temporary file over the target. Throws
  // CFileException* when a step fails; the target is then unchanged and the
  // temporary file gone.
  void Commit();
  // Closes and removes the temporary file; the target stays as it was.
  void Abort() override;
  // The file that Commit replaces (the end of any chain of links).
  const std::string& GetTargetPath() const { return m_target; }

 private:
  std::string m_target;
  std::string m_temp;
};

// Writes size bytes to path through a CReplacingFile. FALSE with the last
// error set (and pError filled, when given) when any step fails; path then
// holds what it held before.
BOOL AfxWriteFileReplacing(const char* path, const void* data, size_t size, CFileException* pError = nullptr);
