// CString: a byte string of the ANSI code page, with the framework's
// operations. Comparisons are byte-wise; MakeUpper, MakeLower, Find and
// ReverseFind step over double-byte characters of the current code page, so
// a trail byte is never upper-cased or taken as the start of a match.
#pragma once

#include <cstdarg>
#include <string>

#include "windef.h"

class CString {
 public:
  CString() = default;
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString(const char* psz);  // NOLINT: implicit as in the framework
  CString(const char* pch, int nLength);
  CString(char ch, int nRepeat = 1);
  explicit CString(const std::string& s) : m_str(s) {}
  ~CString() = default;

  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(const char* psz);
  CString& operator=(char ch);

  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }

  // Unchecked in release builds, as in the framework; ASSERTs the index.
  char GetAt(int nIndex) const;
  void SetAt(int nIndex, char ch);
  char operator[](int nIndex) const { return GetAt(nIndex); }
  operator LPCTSTR() const { return m_str.c_str(); }  // NOLINT
  const std::string& str() const { return m_str; }

  CString& operator+=(const CString& s);
  CString& operator+=(const char* psz);
  CString& operator+=(char ch);
  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, const char* b);
  friend CString operator+(const char* a, const CString& b);
  friend CString operator+(const CString& a, char b);

  // Byte-wise, as strcmp: < 0, 0 or > 0.
  int Compare(const char* psz) const;
  // ASCII letters compared without case; other bytes as they are.
  int CompareNoCase(const char* psz) const;

  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;

  void MakeUpper();
  void MakeLower();

  // Returns the number of replaced or removed occurrences.
  int Replace(char chOld, char chNew);
  int Replace(const char* pszOld, const char* pszNew);
  int Remove(char ch);
  int Insert(int nIndex, char ch);
  int Insert(int nIndex, const char* psz);
  int Delete(int nIndex, int nCount = 1);

  // Whitespace is space, tab, CR, LF, VT and FF.
  void TrimLeft();
  void TrimLeft(char chTarget);
  void TrimLeft(const char* targets);
  void TrimRight();
  void TrimRight(char chTarget);
  void TrimRight(const char* targets);
  void Trim() { TrimRight(); TrimLeft(); }

  // -1 when not found. The start index counts in bytes; a start beyond the
  // end finds nothing.
  int Find(char ch, int nStart = 0) const;
  int Find(const char* pszSub, int nStart = 0) const;
  int ReverseFind(char ch) const;

  void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(const char* fmt, va_list args);

  // Loads string nID from the resource chain; FALSE (and the string left
  // empty) when no module has it.
  BOOL LoadString(UINT nID);

  char* GetBuffer(int nMinBufLength);
  // nNewLength -1 takes the length up to the first NUL.
  void ReleaseBuffer(int nNewLength = -1);

 private:
  std::string m_str;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator>(const CString& a, const CString& b);
