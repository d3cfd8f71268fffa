// CKyLineStyleLib: a library of line styles by id, and the DC they draw on.
//
// Ids 0 to 5 are the GDI's own pen styles, which the library does not hold;
// its styles have ids from 6. CreateDefault fills it with this module's own
// styles:
//
//   6  double line            two thin parallel lines
//   7  dash-dot with ticks    a dash-dot line with a short tick on each dash
//   8  railway                a line with cross ties on both sides
//   9  fence with teeth       a line with filled triangles on its left
//   10 boundary               long dash, two dots, a cross tie at each dash
//   11 wall                   a line with a thick parallel hatch on its left
//
// Drawing: a caller keeps a DC (KeepLineStyleDC), has a style object draw on
// it (CKyLineStyleObj::Polyline) and puts it back (StoreLineStyleDC), which
// restores the DC to the state it had at the keep.
#pragma once

#include <vector>

#include "KyLineStyleObj.h"

class CKyLineStyleLib {
 public:
  static constexpr long kFirstID = 6;

  CKyLineStyleLib() = default;
  // Styles point back at their library: a library is neither copied nor moved.
  CKyLineStyleLib(const CKyLineStyleLib&) = delete;
  CKyLineStyleLib& operator=(const CKyLineStyleLib&) = delete;
  ~CKyLineStyleLib();

  // Replaces the content with this module's own styles (ids 6 to 11), named
  // from the module's string table in the current UI language. TRUE.
  BOOL CreateDefault();
  void RemoveAll();

  // Adds a copy of the style, kept in id order. Its index, or -1 when the id
  // is below 6 or already held.
  int Add(const CKyLineStyleObj& style);

  int Count() const { return static_cast<int>(m_styles.size()); }
  // Index of the style with that id, or -1.
  int FindID(long id) const;
  // The style at index; for an index out of range an empty style of id -1
  // that draws nothing.
  CKyLineStyleObj& GetStyleObj(int index);
  const CKyLineStyleObj& GetStyleObj(int index) const;

  // Holds pDC for the styles' Polyline and saves its state. FALSE for a NULL
  // DC or when a DC is already held (nothing changes then).
  BOOL KeepLineStyleDC(CDC* pDC);
  // Restores the state saved at the keep and lets the DC go. FALSE when pDC
  // is not the DC held.
  BOOL StoreLineStyleDC(CDC* pDC);
  // The DC held, or NULL.
  CDC* GetKeptDC() const { return m_pKeptDC; }

 private:
  std::vector<CKyLineStyleObj> m_styles;
  CKyLineStyleObj m_empty;
  CDC* m_pKeptDC = nullptr;
  int m_nSavedDC = 0;
};
