// Last errors of file operations beyond the common ones of windef.h.
// CFile::Open opens regular files only: a fifo, device or socket fails with
// ERROR_BAD_FILE_TYPE (at once: a fifo without a writer is never waited
// on), a name that is a loop of symbolic links with
// ERROR_CANT_RESOLVE_FILENAME; CReplacingFile refuses such targets alike.
// CFileException::GetErrorMessage has a text for each.
#pragma once

#include "windef.h"

// A write that would pass the process's file-size limit.
#ifndef ERROR_FILE_TOO_LARGE
#define ERROR_FILE_TOO_LARGE 223L
#endif
#ifndef ERROR_BAD_FILE_TYPE
#define ERROR_BAD_FILE_TYPE 222L
#endif
#ifndef ERROR_CANT_RESOLVE_FILENAME
#define ERROR_CANT_RESOLVE_FILENAME 1921L
#endif
