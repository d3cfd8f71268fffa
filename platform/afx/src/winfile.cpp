#include "winfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

DWORD FromErrno(int e) {
  switch (e) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOSPC: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    default: return ERROR_INVALID_PARAMETER;
  }
}

}  // namespace

UINT GetTempFileName(LPCSTR path, LPCSTR prefix, UINT uUnique, LPSTR out) {
  if (!path || !out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string base(*path ? path : ".");
  if (base.back() != '/') base.push_back('/');
  base.append(prefix ? prefix : "", 0, 3);
  auto nameFor = [&](UINT n) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X.TMP", n & 0xFFFF);
    return base + hex;
  };
  if (uUnique != 0) {
    std::string name = nameFor(uUnique);
    if (name.size() >= MAX_PATH) {
      SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return 0;
    }
    std::memcpy(out, name.c_str(), name.size() + 1);
    return uUnique & 0xFFFF;
  }
  // Start from a number that differs between processes, then count up.
  UINT start = static_cast<UINT>(getpid()) * 2654435761u;
  for (UINT k = 0; k < 0xFFFF; ++k) {
    UINT n = ((start + k) & 0xFFFF) ? ((start + k) & 0xFFFF) : 1;
    std::string name = nameFor(n);
    if (name.size() >= MAX_PATH) {
      SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return 0;
    }
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      std::memcpy(out, name.c_str(), name.size() + 1);
      return n;
    }
    if (errno != EEXIST) {
      SetLastError(FromErrno(errno));
      return 0;
    }
  }
  SetLastError(ERROR_FILE_EXISTS);
  return 0;
}

BOOL MoveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
  if (!from || !to) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!(flags & MOVEFILE_REPLACE_EXISTING) && ::access(to, F_OK) == 0) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (::rename(from, to) != 0) {
    SetLastError(FromErrno(errno));
    return FALSE;
  }
  if (flags & MOVEFILE_WRITE_THROUGH) ::sync();
  return TRUE;
}

BOOL DeleteFile(LPCSTR name) {
  if (!name || ::unlink(name) != 0) {
    SetLastError(name ? FromErrno(errno) : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

DWORD GetFileAttributes(LPCSTR name) {
  struct stat st;
  if (!name || ::stat(name, &st) != 0) {
    SetLastError(name ? FromErrno(errno) : ERROR_INVALID_PARAMETER);
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD a = 0;
  if (S_ISDIR(st.st_mode)) a |= FILE_ATTRIBUTE_DIRECTORY;
  if (::access(name, W_OK) != 0) a |= FILE_ATTRIBUTE_READONLY;
  return a ? a : FILE_ATTRIBUTE_NORMAL;
}
