#include "afxstr.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "afxassert.h"
#include "afxres.h"
#include "codepage.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Width in bytes of the character that starts at s[i] in the current page.
size_t CharWidth(const std::string& s, size_t i) {
  return (IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

template <typename Fn>
void ForEachSingleByte(std::string& s, Fn fn) {
  for (size_t i = 0; i < s.size();) {
    size_t w = CharWidth(s, i);
    if (w == 1) s[i] = fn(s[i]);
    i += w;
  }
}

}  // namespace

CString::CString(const char* psz) : m_str(psz ? psz : "") {}
CString::CString(const char* pch, int nLength) : m_str(pch && nLength > 0 ? std::string(pch, nLength) : std::string()) {}
CString::CString(char ch, int nRepeat) : m_str(nRepeat > 0 ? static_cast<size_t>(nRepeat) : 0, ch) {}

CString& CString::operator=(const char* psz) {
  m_str = psz ? psz : "";
  return *this;
}
CString& CString::operator=(char ch) {
  m_str.assign(1, ch);
  return *this;
}

char CString::GetAt(int nIndex) const {
  ASSERT(nIndex >= 0 && nIndex < GetLength() && "CString index out of range");
  return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, char ch) {
  ASSERT(nIndex >= 0 && nIndex < GetLength() && "CString index out of range");
  m_str[static_cast<size_t>(nIndex)] = ch;
}

CString& CString::operator+=(const CString& s) {
  m_str += s.m_str;
  return *this;
}
CString& CString::operator+=(const char* psz) {
  if (psz) m_str += psz;
  return *this;
}
CString& CString::operator+=(char ch) {
  m_str += ch;
  return *this;
}
CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
CString operator+(const CString& a, const char* b) { return CString(a.m_str + (b ? b : "")); }
CString operator+(const char* a, const CString& b) { return CString(std::string(a ? a : "") + b.m_str); }
CString operator+(const CString& a, char b) { return CString(a.m_str + b); }

int CString::Compare(const char* psz) const {
  int r = std::strcmp(m_str.c_str(), psz ? psz : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* psz) const {
  CString a(*this), b(psz);
  a.MakeLower();
  b.MakeLower();
  return a.Compare(b);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - std::max(nFirst, 0)); }

CString CString::Mid(int nFirst, int nCount) const {
  nFirst = std::max(nFirst, 0);
  nCount = std::max(nCount, 0);
  if (nFirst >= GetLength()) return CString();
  nCount = std::min(nCount, GetLength() - nFirst);
  return CString(m_str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
  nCount = std::clamp(nCount, 0, GetLength());
  return Mid(GetLength() - nCount, nCount);
}

void CString::MakeUpper() {
  ForEachSingleByte(m_str, [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
}

void CString::MakeLower() {
  ForEachSingleByte(m_str, [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
}

int CString::Replace(char chOld, char chNew) {
  int n = 0;
  for (char& c : m_str) {
    if (c == chOld) {
      c = chNew;
      ++n;
    }
  }
  return n;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
  if (!pszOld || !*pszOld) return 0;
  std::string from(pszOld), to(pszNew ? pszNew : "");
  int n = 0;
  std::string out;
  size_t i = 0;
  while (i < m_str.size()) {
    if (m_str.compare(i, from.size(), from) == 0) {
      out += to;
      i += from.size();
      ++n;
    } else {
      size_t w = CharWidth(m_str, i);
      out.append(m_str, i, w);
      i += w;
    }
  }
  m_str = out;
  return n;
}

int CString::Remove(char ch) {
  size_t before = m_str.size();
  m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
  return static_cast<int>(before - m_str.size());
}

int CString::Insert(int nIndex, char ch) {
  nIndex = std::clamp(nIndex, 0, GetLength());
  m_str.insert(m_str.begin() + nIndex, ch);
  return GetLength();
}

int CString::Insert(int nIndex, const char* psz) {
  nIndex = std::clamp(nIndex, 0, GetLength());
  m_str.insert(static_cast<size_t>(nIndex), psz ? psz : "");
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  nIndex = std::max(nIndex, 0);
  if (nCount > 0 && nIndex < GetLength()) {
    m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(std::min(nCount, GetLength() - nIndex)));
  }
  return GetLength();
}

void CString::TrimLeft() {
  size_t i = 0;
  while (i < m_str.size() && IsSpace(m_str[i])) ++i;
  m_str.erase(0, i);
}
void CString::TrimLeft(char chTarget) {
  size_t i = 0;
  while (i < m_str.size() && m_str[i] == chTarget) ++i;
  m_str.erase(0, i);
}
void CString::TrimLeft(const char* targets) {
  size_t i = 0;
  while (i < m_str.size() && targets && std::strchr(targets, m_str[i]) && m_str[i]) ++i;
  m_str.erase(0, i);
}
void CString::TrimRight() {
  while (!m_str.empty() && IsSpace(m_str.back())) m_str.pop_back();
}
void CString::TrimRight(char chTarget) {
  while (!m_str.empty() && m_str.back() == chTarget) m_str.pop_back();
}
void CString::TrimRight(const char* targets) {
  while (!m_str.empty() && targets && m_str.back() && std::strchr(targets, m_str.back())) m_str.pop_back();
}

int CString::Find(char ch, int nStart) const {
  char s[2] = {ch, 0};
  if (ch == 0) return -1;
  return Find(s, nStart);
}

int CString::Find(const char* pszSub, int nStart) const {
  if (!pszSub) return -1;
  if (nStart < 0) nStart = 0;
  if (nStart > GetLength()) return -1;
  size_t n = std::strlen(pszSub);
  // Walk character by character from the start of the string so that a match
  // never begins on the trail byte of a double-byte character.
  for (size_t i = 0; i < m_str.size() || (n == 0 && i == m_str.size()); i += CharWidth(m_str, i)) {
    if (static_cast<int>(i) >= nStart && m_str.compare(i, n, pszSub) == 0) return static_cast<int>(i);
    if (i >= m_str.size()) break;
  }
  return -1;
}

int CString::ReverseFind(char ch) const {
  int found = -1;
  for (size_t i = 0; i < m_str.size(); i += CharWidth(m_str, i)) {
    if (m_str[i] == ch) found = static_cast<int>(i);
  }
  return found;
}

void CString::Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  FormatV(fmt, args);
  va_end(args);
}

void CString::FormatV(const char* fmt, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (n < 0) {
    m_str.clear();
    return;
  }
  std::string buf(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(buf.data(), buf.size(), fmt, args);
  buf.resize(static_cast<size_t>(n));
  m_str = buf;
}

BOOL CString::LoadString(UINT nID) {
  m_str.clear();
  return AfxLoadString(nID, *this);
}

char* CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength()) m_str.resize(static_cast<size_t>(nMinBufLength));
  return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0) {
    m_str.resize(std::strlen(m_str.c_str()));
  } else {
    m_str.resize(static_cast<size_t>(std::min(nNewLength, GetLength())));
  }
}

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
