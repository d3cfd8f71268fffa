// CKyFillStyleGroup: one node of a library's tree of named groups. A group
// holds an ordered list of sub-groups and an ordered list of fill style ids
// (its items); the records stay in the library, which the group asks for
// names and checks.
//
// Invariants kept by the operations (not by Load): direct sub-groups have
// pairwise different names (byte-wise, case matters); an id accepted by
// AddStyleItem appears nowhere else in the tree; a sub-group has its parent's
// library and style type.
//
// Tree bytes, one block per group, written in pre-order:
//   name (long length L, then L bytes) | style type (long) |
//   sub-group count S (long) | S blocks | item count C (long) | C ids (4 bytes each)
// A group without sub-groups and items takes 16 + L bytes.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "KyByteArrayEx.h"
#include "afx.h"

class CKyFillStyleLib;

class CKyFillStyleGroup {
 public:
  // Stored as a signed 32-bit value; any value may come from a file.
  enum StyleType : int32_t { TYPE_NONE = 0, TYPE_1 = 1, TYPE_2 = 2, TYPE_FILLSTYLE = 3 };

  CKyFillStyleGroup() = default;
  CKyFillStyleGroup(const CKyFillStyleGroup&) = delete;
  CKyFillStyleGroup& operator=(const CKyFillStyleGroup&) = delete;
  virtual ~CKyFillStyleGroup();

  CString GetName() const { return m_strName; }
  // FALSE for an empty name and, under a parent, for a name that any direct
  // sub-group of the parent has (this group's own name included).
  BOOL SetName(const CString& name);
  StyleType GetStyleType() const { return m_nStyleType; }
  bool SetStyleType(StyleType type) {
    m_nStyleType = type;
    return true;
  }
  CKyFillStyleLib* GetLib() const { return m_pLib; }
  void SetLib(CKyFillStyleLib* pLib) { m_pLib = pLib; }
  CKyFillStyleGroup* GetParentGroup() const { return m_pParent; }

  long GetSubGroupCount() const { return static_cast<long>(m_listSubGroups.GetCount()); }
  // Null for an index out of range. Constant time (after one linear pass
  // when the list has changed), so walking all sub-groups by index is linear.
  CKyFillStyleGroup* SubGroup(long index);
  // The first direct sub-group with an equal name, or null. Constant time on
  // average, as above.
  CKyFillStyleGroup* SubGroup(const CString& name);
  // Null when a direct sub-group already has the name; else the new group,
  // appended, with this group's type and library.
  CKyFillStyleGroup* CreateSubGroup(const CString& name);
  // bDeleteContents: delete the sub-group, its items' records and its own
  // sub-groups; else dissolve it into this group. FALSE for a bad index.
  BOOL RemoveSubGroup(long index, int bDeleteContents);

  long GetItemCount() const { return static_cast<long>(m_arrItems.GetSize()); }
  // -1 for an index out of range.
  long GetItemID(long index) const;
  bool SetItemID(long index, long newID);
  // "" for a bad index, another type than 3, or an id the library lacks.
  CString GetItemName(long index) const;
  bool SetItemName(long index, const CString& name);
  // Place of the id among this group's own items, or -1.
  long GetItemIndex(long id) const;
  // Case-insensitive substring search over the item names, from start to the
  // end and then from 0; -1 when nothing matches.
  long GetItemIndex(const CString& text, long start) const;
  BOOL AddStyleItem(long id);
  BOOL RemoveStyleItem(long index, int bDeleteStyle);
  // Remove or renumber the first occurrence in pre-order in this subtree.
  BOOL RemoveID(long id);
  BOOL SetID(long oldID, long newID);
  // Whether the id is anywhere in the whole tree.
  BOOL IsItemExisted(long id) const;
  CKyFillStyleGroup* GetGroupWithItemID(long id);
  CKyFillStyleGroup* GetGroupWithItemName(const CString& text);
  void SortItem();
  // Merges another tree into this one; FALSE for null. other is not changed.
  BOOL Append(CKyFillStyleGroup* other);
  // Deletes (when owned) the sub-groups, empties the items, clears the name.
  BOOL RemoveAll();

  // Appends this group's block to the stream; TRUE.
  BOOL Store(CKyByteArrayEx& stream) const;
  // Reads a block at position into this group (without emptying it first)
  // and moves position past it. FALSE when the block is malformed: it runs
  // past the end of the stream or nests deeper than kMaxDepth; what was read
  // up to there stays.
  BOOL Load(CKyByteArrayEx& stream, int& position);

  static constexpr int kMaxDepth = 256;

 protected:
  BOOL IsCurrentGroupItemExisted(long id) const;
  bool IsSubGroupExisted(const CString& name) const;
  CKyFillStyleGroup* GetGroup(long id);
  CKyFillStyleGroup* GetGroup(const CString& text);
  BOOL AppendSubGroup(CKyFillStyleGroup* other);

 private:
  const CKyFillStyleGroup* Root() const;
  BOOL LoadBlock(CKyByteArrayEx& stream, int& position, int depth);
  void AppendItem(long id) { m_arrItems.Add(id); }
  // Every change to the sub-group list, or to a sub-group's name, drops the
  // lookup tables below; the next lookup builds them again in one pass.
  void SubGroupsChanged() const;
  void BuildLookup() const;

  // Positions of m_listSubGroups by index, and the first sub-group of each
  // name. A list of 50,000 siblings walked by index used to take seconds.
  mutable std::vector<CKyFillStyleGroup*> m_lookupByIndex;
  mutable std::unordered_map<std::string, CKyFillStyleGroup*> m_lookupByName;
  mutable bool m_lookupValid = false;

 public:
  CKyFillStyleLib* m_pLib = nullptr;
  CKyFillStyleGroup* m_pParent = nullptr;
  StyleType m_nStyleType = TYPE_NONE;
  CString m_strName;
  CTypedPtrList<CPtrList, CKyFillStyleGroup*> m_listSubGroups;
  CArray<long, long> m_arrItems;
  BOOL m_bOwnSubGroups = TRUE;
};
