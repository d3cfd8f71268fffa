#include "KySymLib.h"

#include <algorithm>

CKySymLib& CKySymLib::operator=(const CKySymLib& src) {
  if (this == &src) return *this;
  std::vector<std::unique_ptr<CKySymbol>> copies;
  copies.reserve(src.m_symbols.size());
  for (const auto& s : src.m_symbols) copies.push_back(std::make_unique<CKySymbol>(*s));
  m_symbols.swap(copies);
  return *this;
}

size_t CKySymLib::LowerBound(DWORD id) const {
  auto it = std::lower_bound(m_symbols.begin(), m_symbols.end(), id,
                             [](const std::unique_ptr<CKySymbol>& s, DWORD v) { return s->GetSymId() < v; });
  return static_cast<size_t>(it - m_symbols.begin());
}

long CKySymLib::GetSymbolID(long position) const {
  CKySymbol* s = GetSymbolAt(position);
  return s ? static_cast<long>(s->GetSymId()) : -1;
}

CKySymbol* CKySymLib::GetSymbolAt(long position) const {
  if (position < 0 || position >= GetSymbolCount()) return nullptr;
  return m_symbols[static_cast<size_t>(position)].get();
}

CKySymbol* CKySymLib::GetSymbol(unsigned long id) const {
  const long pos = FindID(id > kMaxId ? -1 : static_cast<long>(id));
  return pos < 0 ? nullptr : m_symbols[static_cast<size_t>(pos)].get();
}

long CKySymLib::FindID(long id) const {
  if (id < 0 || id > static_cast<long>(kMaxId)) return -1;
  const size_t i = LowerBound(static_cast<DWORD>(id));
  if (i == m_symbols.size() || m_symbols[i]->GetSymId() != static_cast<DWORD>(id)) return -1;
  return static_cast<long>(i);
}

BOOL CKySymLib::AddSymbol(CKySymbol* pSymbol) {
  if (!pSymbol || pSymbol->GetSymId() > kMaxId) return FALSE;
  const size_t i = LowerBound(pSymbol->GetSymId());
  if (i < m_symbols.size() && m_symbols[i]->GetSymId() == pSymbol->GetSymId()) return FALSE;
  m_symbols.emplace(m_symbols.begin() + static_cast<std::ptrdiff_t>(i), pSymbol);
  return TRUE;
}

BOOL CKySymLib::RemoveSymbol(long id) {
  const long pos = FindID(id);
  if (pos < 0) return FALSE;
  m_symbols.erase(m_symbols.begin() + pos);
  return TRUE;
}

bool CKySymLib::operator==(const CKySymLib& o) const {
  if (m_symbols.size() != o.m_symbols.size()) return false;
  for (size_t i = 0; i < m_symbols.size(); ++i) {
    if (*m_symbols[i] != *o.m_symbols[i]) return false;
  }
  return true;
}
