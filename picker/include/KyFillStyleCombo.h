// CKyFillStyleCombo: an owner-drawn combo box that lists fill styles by id,
// each entry the id as six digits and a swatch to its right. The first eight
// entries are the built-in fills 0 to 7; the attached library's records
// follow in library order. A host subclasses a combo box of its own template
// (CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS: DrawItem reads the
// entry texts back), assigns m_pLib and calls InitContent.
#pragma once

#include "afxwin.h"

class CKyFillStyleLib;

class CKyFillStyleCombo : public CComboBox {
 public:
  CKyFillStyleCombo();
  ~CKyFillStyleCombo() override;

  // Rebuilds the entries: "000000" to "000007", then one "%06d" entry per
  // record of m_pLib (positions without a record add nothing).
  void InitContent();
  // Selects the entry of the id. Ids below 8 select that index (-1 clears
  // the selection); a library id selects its record's entry; an id of 8 or
  // more that the attached library does not hold selects nothing.
  void SetCurStyleID(long id);
  // The id of the selected entry; -1 when nothing is selected or the entry
  // has no record. Without a library (or with an empty one) the index.
  long GetCurStyleID();

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  // The string shown for the hollow fill (id 1) in place of a swatch. It
  // comes from the resource chain current at drawing time.
  static constexpr UINT kHollowCaptionID = 24806;

  CKyFillStyleLib* m_pLib;

 protected:
  // Paints the swatch of the entry into r.
  void DrawSwatch(CDC* pDC, UINT itemID, CRect& r);

  DECLARE_MESSAGE_MAP()
};
