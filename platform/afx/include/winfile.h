// File-system calls of the platform that the framework's CFile does not
// cover: unique temporary files, replacing a file by another in one step,
// attributes. Failures return the platform's results (0, FALSE,
// INVALID_FILE_ATTRIBUTES) and set the last error.
#pragma once

#include "windef.h"

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_NORMAL 0x00000080

#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_WRITE_THROUGH 0x00000008

// Creates an empty file named <path>/<prefix up to 3 chars><hex>.TMP and
// writes its name to lpTempFileName (at least MAX_PATH bytes). With uUnique 0
// a free number is searched; otherwise the name is made from uUnique and no
// file is created. Returns the number used, 0 on failure.
UINT GetTempFileName(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName);
// Renames a file; with MOVEFILE_REPLACE_EXISTING an existing target is
// replaced atomically. FALSE on failure.
BOOL MoveFileEx(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
BOOL DeleteFile(LPCSTR lpFileName);
// FILE_ATTRIBUTE_ flags, or INVALID_FILE_ATTRIBUTES when there is no such
// file. A file this process may not write counts as read-only.
DWORD GetFileAttributes(LPCSTR lpFileName);
