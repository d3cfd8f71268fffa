// Small libraries for tests: records with given ids and names, added to a
// chosen group.
#pragma once

#include "KyFillStyleLib.h"
#include "bmp_builder.h"

namespace kytest {

inline CKyFillStyle* AddBitmap(CKyFillStyleLib& lib, long id, const char* name, CKyFillStyleGroup* group = nullptr,
                               int w = 8, int h = 8) {
  CByteArray pattern;
  ToArray(Mono(w, h), pattern);
  auto* s = new CKyFillStyle(id, name, pattern, CKyFillStyle::FS_81DPI);
  if (!lib.AddFillStyle(s, group ? group : lib.GetStyleGroup())) {
    delete s;
    return nullptr;
  }
  return s;
}

inline CKyFillStyle* AddVector(CKyFillStyleLib& lib, long id, const char* name, long symID,
                               CKyFillStyleGroup* group = nullptr) {
  auto* s = new CKyFillStyle;
  s->CreateFillStyleVector(id, name, 100, 80);
  s->GetFillStyleVector()->SetSymID(symID);
  s->GetFillStyleVector()->AddPoint(CPoint(50, 40));
  if (!lib.AddFillStyle(s, group ? group : lib.GetStyleGroup())) {
    delete s;
    return nullptr;
  }
  return s;
}

inline std::vector<long> Items(const CKyFillStyleGroup* g) {
  std::vector<long> out;
  for (long i = 0; i < g->GetItemCount(); ++i) out.push_back(g->GetItemID(i));
  return out;
}

}  // namespace kytest
