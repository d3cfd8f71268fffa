// The line style library: styles by id, this module's own set, the kept DC.
#include "KyLineStyleLib.h"

#include <algorithm>

#include "KyZod50Res.h"

namespace {

using L = KyLineLayer;

KyLineLayer Line(double offset, double pen, std::vector<double> dash = {}) {
  L l;
  l.kind = L::kLine;
  l.offset = offset;
  l.pen = pen;
  l.dash = std::move(dash);
  return l;
}
KyLineLayer Ticks(double step, double phase, double from, double to, double pen) {
  L l;
  l.kind = L::kTicks;
  l.step = step;
  l.phase = phase;
  l.offset = from;
  l.offset2 = to;
  l.pen = pen;
  return l;
}
KyLineLayer Teeth(double step, double phase, double base, double height) {
  L l;
  l.kind = L::kTeeth;
  l.step = step;
  l.phase = phase;
  l.length = base;
  l.offset = height;
  return l;
}

struct OwnStyle {
  const char* name;  // when the string table has none
  std::vector<KyLineLayer> layers;
};

// Ids 6, 7, ... in this order; sizes in units of the line's width.
std::vector<OwnStyle> OwnStyles() {
  return {
      {"Double line", {Line(1, 0.5), Line(-1, 0.5)}},
      // A dash of 8, a gap of 2, a dot of 1, a gap of 2; a tick stands on
      // the middle of each dash.
      {"Dash-dot with ticks", {Line(0, 1, {8, 2, 1, 2}), Ticks(13, 4, 0, 2.5, 0.5)}},
      {"Railway", {Line(1, 0.5), Line(-1, 0.5), Ticks(6, 3, -2, 2, 0.5)}},
      {"Fence with teeth", {Line(0, 1), Teeth(8, 2, 3, 3)}},
      {"Boundary", {Line(0, 1, {10, 2, 1, 2, 1, 2}), Ticks(18, 5, -2, 2, 0.5)}},
      {"Wall", {Line(0, 1), Ticks(2, 1, 0, 2, 0.5)}},
  };
}

}  // namespace

CKyLineStyleLib::~CKyLineStyleLib() = default;

BOOL CKyLineStyleLib::CreateDefault() {
  RemoveAll();
  long id = kFirstID;
  for (const OwnStyle& s : OwnStyles()) {
    CString name;
    if (!name.LoadString(static_cast<UINT>(IDS_KYZOD_STYLE_FIRST + (id - kFirstID)))) name = s.name;
    Add(CKyLineStyleObj(id, name, s.layers));
    ++id;
  }
  return TRUE;
}

void CKyLineStyleLib::RemoveAll() { m_styles.clear(); }

int CKyLineStyleLib::Add(const CKyLineStyleObj& style) {
  if (style.GetID() < kFirstID || FindID(style.GetID()) >= 0) return -1;
  auto at = std::lower_bound(m_styles.begin(), m_styles.end(), style.GetID(),
                             [](const CKyLineStyleObj& s, long id) { return s.GetID() < id; });
  at = m_styles.insert(at, style);
  at->SetLib(this);
  return static_cast<int>(at - m_styles.begin());
}

int CKyLineStyleLib::FindID(long id) const {
  auto at = std::lower_bound(m_styles.begin(), m_styles.end(), id,
                             [](const CKyLineStyleObj& s, long v) { return s.GetID() < v; });
  return at != m_styles.end() && at->GetID() == id ? static_cast<int>(at - m_styles.begin()) : -1;
}

CKyLineStyleObj& CKyLineStyleLib::GetStyleObj(int index) {
  if (index < 0 || index >= Count()) {
    // Out of range: a fresh empty style each time, so a caller that wrote
    // into the last one cannot leak it into the next.
    m_empty = CKyLineStyleObj();
    return m_empty;
  }
  return m_styles[static_cast<size_t>(index)];
}

const CKyLineStyleObj& CKyLineStyleLib::GetStyleObj(int index) const {
  return const_cast<CKyLineStyleLib*>(this)->GetStyleObj(index);
}

BOOL CKyLineStyleLib::KeepLineStyleDC(CDC* pDC) {
  if (!pDC || !pDC->GetSafeHdc() || m_pKeptDC) return FALSE;
  const int saved = pDC->SaveDC();
  if (!saved) return FALSE;
  m_pKeptDC = pDC;
  m_nSavedDC = saved;
  return TRUE;
}

BOOL CKyLineStyleLib::StoreLineStyleDC(CDC* pDC) {
  if (!pDC || pDC != m_pKeptDC) return FALSE;
  pDC->RestoreDC(m_nSavedDC);
  m_pKeptDC = nullptr;
  m_nSavedDC = 0;
  return TRUE;
}
