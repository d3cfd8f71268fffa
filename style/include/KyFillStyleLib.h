// CKyFillStyleLib: the records of a fill style library, an id index over
// them, the group tree and the symbol library its symbol patterns draw from.
//
// The id index holds two longs per record, (id, position), ascending by id,
// exactly one pair per record; every lookup by id is a binary search on it
// (FindIDIndexIndex). Positions are places in m_arrStyles. Ids 0..7 are the
// built-in fills and are never produced by a renumbering.
//
// Library image (.bru), current layout, all numbers 32-bit little-endian:
//   0 magic 20031121 | 4 M | 8 symbol library bytes (M) | 8+M T |
//   12+M root group block (T) | 12+M+T records, ascending id, to the end
// Layout 20010521: magic | T | tree | bitmap records (20010521 layout).
// Layout 20010510: magic | bitmap records (20010510 layout).
#pragma once

#include "KyFillStyle.h"
#include "KyFillStyleGroup.h"
#include "KyVuv50.h"
#include "afx.h"

class CKyFillStyleLib {
 public:
  CKyFillStyleLib();
  CKyFillStyleLib(const CKyFillStyleLib&) = delete;
  CKyFillStyleLib& operator=(const CKyFillStyleLib&) = delete;
  ~CKyFillStyleLib();

  // Lookup.
  long GetCount() const { return static_cast<long>(m_arrStyles.GetSize()); }
  // Null for a position out of range; the record is bound to the print clip
  // region and, for a symbol pattern, to the symbol library on every call.
  CKyFillStyle* GetFillStyle(long position);
  // Position of the id, or -1.
  long FindID(long id) const;
  // Id at the position, or -1.
  long FindIndex(long position) const;
  // The largest id, 0 for an empty library.
  long GetMaxID() const;
  // "" for a position out of range.
  CString GetFillStyleName(long position) const;
  // Pattern pixels or vector tile size; (0, 0) when there is none.
  CSize GetFillStyleSize(long position) const;
  CKyFillStyleGroup* GetStyleGroup() const { return m_pRootGroup; }
  // Upper-cased substring search over names, forward from start (no wrap),
  // or backward from count - 1 - start. -1 when nothing matches.
  long Find(const CString& text, long start) const;
  long ReverseFind(const CString& text, long start) const;

  // Change. Records refused by AddFillStyle or InsertAt stay the caller's.
  BOOL AddFillStyle(long id, const CString& name, CKyFillStyleGroup* group, long unused, const CString& bmpPath,
                    CKyFillStyle::FS_RESOLUTION resolution);
  BOOL AddFillStyle(CKyFillStyle* style, CKyFillStyleGroup* group);
  // Returns the record's id, or -1.
  long InsertAt(long position, CKyFillStyleGroup* group, CKyFillStyle* style);
  BOOL SetFillStyleName(long position, CString name);
  BOOL SetID(long position, long newID);
  BOOL SetFillStyleID(long position, long newID);
  BOOL RemoveID(long id);
  BOOL Remove(long id);
  BOOL RemoveAt(long position, long count);
  BOOL RemoveAll();
  void SortByID();

  // Storage. ToByteArray: FALSE (out untouched) for a library without
  // styles. FromByteArray: FALSE for an empty image (library untouched) and
  // for an image that is malformed or of an unknown layout (the library then
  // keeps what was read before the fault).
  BOOL ToByteArray(CByteArray& out);
  BOOL FromByteArray(const CByteArray& in);
  // FALSE when the file cannot be opened or read, is empty or too large.
  BOOL Load(const CString& path);
  BOOL LoadFromFile(CString path) { return Load(path); }
  // FALSE for a library without styles or when the file cannot be written;
  // the file is replaced only by a complete new image, so a failure leaves
  // the old file as it was.
  BOOL Store(const CString& path);
  BOOL SaveToFile(CString path) { return Store(path); }
  // FALSE when the file cannot be opened or is empty; else TRUE whatever the
  // merge gave.
  BOOL Append(const CString& path, int bOverwrite);
  // Fills the library with the built-in default library. FALSE (error
  // recorded in the base module's error object) when the resource is missing.
  BOOL CreateDefault();
  BOOL IsModified() const { return m_bModified; }
  void SetModifiedFlag(int bModified) { m_bModified = bModified ? TRUE : FALSE; }

  // Drawing: the record prepared with SetFillStyleEx, or null.
  CKyFillStyle* CreateFillStyle(CDC* pDC, long id, unsigned long foreColour, unsigned long backColour, CSize size,
                                double scale);
  CRgn* GetPrintClipRgn() const { return m_pPrintClipRgn; }
  void SetPrintClipRgn(CRgn* pRgn) { m_pPrintClipRgn = pRgn; }

  // Symbol upkeep. AddSymbol: the new symbol id, or -1 when the symbol
  // library refuses it (the symbol then stays the caller's).
  long AddSymbol(CKySymbol* symbol);
  BOOL RemoveSymbol(long symbolID);
  BOOL IsUsedByFillStyle(long symbolID) const;
  void CompactSymLib();
  CKySymLib* GetSymLib() { return &m_symLib; }

 protected:
  long FindIDIndexIndex(long id, int bExact) const;
  BOOL AppendFromByteArray(const CByteArray& image, int bOverwrite);

 private:
  // Inserts the pair (id, position) at its place; the id must not be in the
  // index yet and must be 1 or more.
  void InsertPair(long id, long position);
  void RemovePair(long id);
  // Adds a record at the end of the array and its pair; deletes it and
  // returns false when its id cannot be indexed or is already used.
  bool AdoptRead(CKyFillStyle* style);
  void RebuildIndex();
  void NameRootGroup();
  // The id a clashing record is renumbered to: max + 1, never below 8.
  long NextFreeID() const;
  bool BelongsToTree(const CKyFillStyleGroup* group) const;

 public:
  CKySymLib* m_pResSymLib = nullptr;
  CKySymLib m_symLib;
  CKyFillStyleGroup* m_pRootGroup = nullptr;
  CArray<long, long> m_arrIDIndex;
  CArray<CKyFillStyle*, CKyFillStyle*> m_arrStyles;
  CRgn* m_pPrintClipRgn = nullptr;
  BOOL m_bModified = FALSE;
};
