#include "afxreplacefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// Follows a chain of symbolic links to the file they end at, which need not
// exist yet (a link may point at a file still to be made). A relative link
// is read from the folder that holds it. False when the chain does not end
// (a loop, or longer than the system would follow).
bool FinalTarget(std::string path, std::string* out) {
  for (int hops = 0; hops <= 40; ++hops) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *out = path;
      return true;
    }
    std::vector<char> buf(PATH_MAX + 1);
    const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size() - 1);
    if (n <= 0) {
      *out = path;
      return true;
    }
    std::string link(buf.data(), static_cast<size_t>(n));
    if (link[0] != '/') {
      const size_t slash = path.rfind('/');
      if (slash != std::string::npos) link = path.substr(0, slash + 1) + link;
    }
    path = link;
  }
  return false;
}

DWORD WinError(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EIO: return ERROR_WRITE_FAULT;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    default: return ERROR_WRITE_FAULT;
  }
}

void Fill(CFileException* e, DWORD err, const std::string& name) {
  SetLastError(err);
  if (!e) return;
  e->m_lOsError = static_cast<LONG>(err);
  e->m_cause = CFileException::OsErrorToException(static_cast<LONG>(err));
  e->m_strFileName = name.c_str();
}

// The directory entry of a rename reaches the disk only when the folder
// itself is flushed. Best effort: some file systems refuse to sync folders.
void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

CReplacingFile::~CReplacingFile() { Abort(); }

BOOL CReplacingFile::Begin(const char* path, CFileException* pError) {
  Abort();
  if (!path || !*path) {
    Fill(pError, ERROR_PATH_NOT_FOUND, "");
    return FALSE;
  }
  std::string target;
  if (!FinalTarget(path, &target)) {
    Fill(pError, ERROR_CANT_RESOLVE_FILENAME, path);
    return FALSE;
  }
  struct stat st;
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    Fill(pError, ERROR_ACCESS_DENIED, target);
    return FALSE;
  }
  // A fifo, device or socket would be turned into a plain file by the
  // rename; it is left alone.
  if (exists && !S_ISREG(st.st_mode)) {
    Fill(pError, ERROR_BAD_FILE_TYPE, target);
    return FALSE;
  }
  if (!exists && errno == ELOOP) {
    Fill(pError, ERROR_CANT_RESOLVE_FILENAME, path);
    return FALSE;
  }
  // Renaming would replace a file that may not be written; refuse as
  // opening it for writing would.
  if (exists && ::access(target.c_str(), W_OK) != 0) {
    Fill(pError, WinError(errno), target);
    return FALSE;
  }
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  // Leave room for the suffix within a name's 255 bytes.
  if (base.size() > 200) base.resize(200);
  // The name is hidden and random; O_EXCL makes sure it is ours. Mode 0666
  // lets the process's umask decide, as for any new file.
  unsigned seed = static_cast<unsigned>(::getpid()) * 2654435761u ^
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(this));
  int fd = -1;
  std::string temp;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    seed = seed * 1103515245u + 12345u;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%06x~", seed & 0xFFFFFF);
    temp = folder + "." + base + suffix;
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    Fill(pError, WinError(errno == EEXIST ? EACCES : errno), folder.empty() ? std::string(".") : folder);
    return FALSE;
  }
  if (exists) {
    // Keeping the owner works only for a process allowed to give files
    // away; the permission bits always follow.
    (void)!::fchown(fd, st.st_uid, st.st_gid);
    ::fchmod(fd, st.st_mode & 07777);
  }
  m_hFile = fd;
  m_target = target;
  m_temp = temp;
  if (pError) *pError = CFileException();
  return TRUE;
}

void CReplacingFile::Commit() {
  auto fail = [this](int err) {
    const DWORD w = WinError(err);
    const std::string target = m_target;
    Abort();
    SetLastError(w);
    throw new CFileException(CFileException::OsErrorToException(static_cast<LONG>(w)), static_cast<LONG>(w),
                             target.c_str());
  };
  if (m_hFile == hFileNull) fail(EBADF);
  if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS) fail(errno);
  const int fd = m_hFile;
  m_hFile = hFileNull;
  if (::close(fd) != 0) fail(errno);
  if (::rename(m_temp.c_str(), m_target.c_str()) != 0) fail(errno);
  m_temp.clear();
  SyncFolderOf(m_target);
}

void CReplacingFile::Abort() {
  CFile::Abort();
  if (!m_temp.empty()) ::unlink(m_temp.c_str());
  m_temp.clear();
}

BOOL AfxWriteFileReplacing(const char* path, const void* data, size_t size, CFileException* pError) {
  CReplacingFile file;
  if (!file.Begin(path, pError)) return FALSE;
  try {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      const UINT chunk = size > (1u << 30) ? (1u << 30) : static_cast<UINT>(size);
      file.Write(p, chunk);
      p += chunk;
      size -= chunk;
    }
    file.Commit();
  } catch (CFileException* e) {
    const DWORD err = static_cast<DWORD>(e->m_lOsError);
    if (pError) {
      *pError = *e;
      pError->m_strFileName = file.GetTargetPath().empty() ? CString(path) : CString(file.GetTargetPath().c_str());
    }
    e->Delete();
    file.Abort();
    SetLastError(err);
    return FALSE;
  }
  return TRUE;
}
