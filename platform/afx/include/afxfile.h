// CFile over a POSIX descriptor, with the framework's open flags and rules:
// Open reports failure by its result (and fills a CFileException when one is
// given); Read, Write, Seek, SetLength and Flush throw CFileException* on an
// error, as the framework's do. The catcher calls Delete() on it.
#pragma once

#include "afxstr.h"
#include "windef.h"

class CFileException {
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };
  CFileException(int cause = none, LONG lOsError = -1, const char* fileName = nullptr)
      : m_cause(cause), m_lOsError(lOsError), m_strFileName(fileName) {}
  void Delete() { delete this; }
  // A one-line reason, in English.
  CString GetErrorMessage() const;
  static int OsErrorToException(LONG lOsError);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };
  static constexpr int hFileNull = -1;

  CFile() = default;
  CFile(const char* lpszFileName, UINT nOpenFlags);  // throws CFileException* when it cannot open
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // FALSE when the file cannot be opened; pError (if given) then says why.
  virtual BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  // Returns the bytes read, 0 at the end of the file.
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG dwNewLen);
  virtual ULONGLONG GetPosition() const;
  virtual void Flush();
  // Closing a closed file does nothing. Throws when the close itself fails.
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();
  CString GetFilePath() const { return m_strFileName; }
  BOOL IsOpen() const { return m_hFile != hFileNull; }

  static void Rename(const char* lpszOldName, const char* lpszNewName);
  static void Remove(const char* lpszFileName);

  int m_hFile = hFileNull;

 private:
  [[noreturn]] void ThrowErrno(int err) const;
  CString m_strFileName;
};
