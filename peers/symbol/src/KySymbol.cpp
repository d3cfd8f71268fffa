#include "KySymbol.h"

#include <algorithm>

CKySymbol& CKySymbol::operator=(const CKySymbol& src) {
  if (this == &src) return *this;
  // Copy first, so that a failed allocation leaves the target as it was.
  std::vector<std::unique_ptr<CKySymStroke>> copies;
  copies.reserve(src.m_strokes.size());
  for (const auto& s : src.m_strokes) copies.push_back(std::make_unique<CKySymStroke>(*s));
  m_strokes.swap(copies);
  m_nSymId = src.m_nSymId;
  m_strName = src.m_strName;
  return *this;
}

CKySymStroke* CKySymbol::GetLastStroke(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return m_strokes[static_cast<size_t>(index)].get();
}

BOOL CKySymbol::AddStroke(CKySymStroke* pStroke) {
  if (!pStroke) return FALSE;
  // Taking the same stroke twice would delete it twice.
  if (std::any_of(m_strokes.begin(), m_strokes.end(), [&](const auto& s) { return s.get() == pStroke; }))
    return FALSE;
  m_strokes.emplace_back(pStroke);
  return TRUE;
}

BOOL CKySymbol::GetSymbolRect(CRect* pRect) const {
  if (!pRect) return FALSE;
  BOOL any = FALSE;
  CRect all;
  for (const auto& s : m_strokes) {
    CRect r;
    if (!s->GetStrokeRect(&r)) continue;
    if (!any) {
      all = r;
      any = TRUE;
    } else {
      // UnionRect skips empty rectangles, and a line's bounds may be empty.
      all.SetRect(std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
                  std::max(all.bottom, r.bottom));
    }
  }
  if (any) *pRect = all;
  return any;
}

bool CKySymbol::operator==(const CKySymbol& o) const {
  if (m_nSymId != o.m_nSymId || m_strName.str() != o.m_strName.str() || m_strokes.size() != o.m_strokes.size())
    return false;
  for (size_t i = 0; i < m_strokes.size(); ++i) {
    if (*m_strokes[i] != *o.m_strokes[i]) return false;
  }
  return true;
}
