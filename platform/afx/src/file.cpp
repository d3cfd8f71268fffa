#include "afxfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "afxfileerrors.h"
#include "afxreplacefile.h"

namespace {

DWORD WinErrorFromErrno(int err) {
  switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC: return ERROR_DISK_FULL;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EWOULDBLOCK: return ERROR_SHARING_VIOLATION;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EIO: return ERROR_WRITE_FAULT;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case ENXIO:
    case ENODEV: return ERROR_BAD_FILE_TYPE;
    default: return ERROR_INVALID_PARAMETER;
  }
}

// Whether the directory that would hold the file exists. The platform tells a
// missing file (ERROR_FILE_NOT_FOUND) from a missing folder on its way
// (ERROR_PATH_NOT_FOUND), where POSIX says ENOENT for both.
bool ParentDirExists(const char* path) {
  const char* slash = std::strrchr(path, '/');
  if (!slash) return true;
  if (slash == path) return true;  // the root
  std::string dir(path, static_cast<size_t>(slash - path));
  struct stat st;
  return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

int CFileException::OsErrorToException(LONG e) {
  switch (e) {
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_FILE_TOO_LARGE: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT: return hardIO;
    default: return genericException;
  }
}

CString CFileException::GetErrorMessage() const {
  static const char* const texts[] = {
      "no error",          "an unspecified error occurred", "the file was not found",
      "the path is invalid", "too many files are open",    "access was denied",
      "the file handle is invalid", "the current directory cannot be removed", "the directory is full",
      "the file position is invalid", "a hardware error occurred", "the file is in use",
      "the file is locked", "the disk is full",          "the end of the file was reached"};
  CString s;
  int cause = (m_cause >= none && m_cause <= endOfFile) ? m_cause : genericException;
  // A file-size limit is not a full disk, though the platform files both
  // under the same cause; a special file and a loop of links have no cause
  // of their own either.
  const char* text = texts[cause];
  if (m_lOsError == ERROR_FILE_TOO_LARGE) text = "the file would be larger than allowed";
  if (m_lOsError == ERROR_BAD_FILE_TYPE) text = "it is not a regular file (a fifo, device or socket)";
  if (m_lOsError == ERROR_CANT_RESOLVE_FILENAME) text = "the name is a loop of symbolic links";
  if (m_strFileName.IsEmpty()) {
    s = text;
  } else {
    s.Format("%s: %s", static_cast<const char*>(m_strFileName), text);
  }
  return s;
}

CFile::CFile(const char* lpszFileName, UINT nOpenFlags) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) throw new CFileException(e);
}

CFile::~CFile() {
  if (m_hFile != hFileNull) Abort();
}

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (m_hFile != hFileNull) Abort();
  auto fail = [&](DWORD winErr) {
    SetLastError(winErr);
    if (pError) {
      pError->m_lOsError = static_cast<LONG>(winErr);
      pError->m_cause = CFileException::OsErrorToException(static_cast<LONG>(winErr));
      pError->m_strFileName = lpszFileName;
    }
    return FALSE;
  };
  if (!lpszFileName || !*lpszFileName) return fail(ERROR_PATH_NOT_FOUND);

  int flags = O_CLOEXEC;
  switch (nOpenFlags & 3) {
    case modeRead: flags |= O_RDONLY; break;
    case modeWrite: flags |= O_WRONLY; break;
    case modeReadWrite: flags |= O_RDWR; break;
    default: return fail(ERROR_INVALID_PARAMETER);
  }
  if (nOpenFlags & modeCreate) {
    flags |= O_CREAT;
    if (!(nOpenFlags & modeNoTruncate)) flags |= O_TRUNC;
  }
  // Opened without blocking, so that a fifo with no writer cannot hold the
  // caller forever; only regular files are kept, and they never block.
  int fd = ::open(lpszFileName, flags | O_NONBLOCK, 0666);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT && !ParentDirExists(lpszFileName)) return fail(ERROR_PATH_NOT_FOUND);
    return fail(WinErrorFromErrno(err));
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const bool folder = S_ISDIR(st.st_mode);
    ::close(fd);
    return fail(folder ? ERROR_ACCESS_DENIED : ERROR_BAD_FILE_TYPE);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  // Sharing modes are advisory locks here: they keep two cooperating
  // processes from writing the same file, which is what callers use them for.
  UINT share = nOpenFlags & 0x70;
  if (share == shareExclusive || share == shareDenyWrite) {
    int op = (share == shareExclusive || (nOpenFlags & 3) != modeRead) ? LOCK_EX : LOCK_SH;
    if (::flock(fd, op | LOCK_NB) != 0) {
      int err = errno;
      ::close(fd);
      return fail(WinErrorFromErrno(err));
    }
  }
  m_hFile = fd;
  m_strFileName = lpszFileName;
  if (pError) *pError = CFileException();
  return TRUE;
}

void CFile::ThrowErrno(int err) const {
  DWORD w = WinErrorFromErrno(err);
  SetLastError(w);
  throw new CFileException(CFileException::OsErrorToException(static_cast<LONG>(w)), static_cast<LONG>(w),
                           m_strFileName);
}

// On an open descriptor EBADF means the file was not opened for this kind of
// access, which the platform reports as ERROR_ACCESS_DENIED.
UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  UINT done = 0;
  char* p = static_cast<char*>(lpBuf);
  while (done < nCount) {
    ssize_t n = ::read(m_hFile, p + done, nCount - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno == EBADF ? EACCES : errno);
    }
    if (n == 0) break;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  UINT done = 0;
  const char* p = static_cast<const char*>(lpBuf);
  while (done < nCount) {
    ssize_t n = ::write(m_hFile, p + done, nCount - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno == EBADF ? EACCES : errno);
    }
    if (n == 0) ThrowErrno(ENOSPC);
    done += static_cast<UINT>(n);
  }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(m_hFile, static_cast<off_t>(lOff), whence);
  if (r < 0 && errno == EINVAL) {
    // A position before the start; the platform calls that a bad seek.
    SetLastError(ERROR_NEGATIVE_SEEK);
    throw new CFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
  }
  if (r < 0) ThrowErrno(errno);
  return static_cast<ULONGLONG>(r);
}

ULONGLONG CFile::GetLength() const {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  struct stat st;
  if (::fstat(m_hFile, &st) != 0) ThrowErrno(errno);
  return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG n) {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  if (::ftruncate(m_hFile, static_cast<off_t>(n)) != 0) ThrowErrno(errno);
}

ULONGLONG CFile::GetPosition() const {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  off_t r = ::lseek(m_hFile, 0, SEEK_CUR);
  if (r < 0) ThrowErrno(errno);
  return static_cast<ULONGLONG>(r);
}

void CFile::Flush() {
  if (m_hFile == hFileNull) return;
  if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS) ThrowErrno(errno);
}

void CFile::Close() {
  if (m_hFile == hFileNull) return;
  int fd = m_hFile;
  m_hFile = hFileNull;
  if (::close(fd) != 0) ThrowErrno(errno);
}

void CFile::Abort() {
  if (m_hFile == hFileNull) return;
  ::close(m_hFile);
  m_hFile = hFileNull;
}

void CFile::Rename(const char* from, const char* to) {
  if (::rename(from, to) != 0) {
    DWORD w = WinErrorFromErrno(errno);
    SetLastError(w);
    throw new CFileException(CFileException::OsErrorToException(static_cast<LONG>(w)), static_cast<LONG>(w), from);
  }
}

void CFile::Remove(const char* name) {
  if (::unlink(name) != 0) {
    DWORD w = WinErrorFromErrno(errno);
    SetLastError(w);
    throw new CFileException(CFileException::OsErrorToException(static_cast<LONG>(w)), static_cast<LONG>(w), name);
  }
}
