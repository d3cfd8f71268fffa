// The framework's collections: CArray and its byte, word, dword, string and
// point arrays, and CList with POSITION iteration (CPtrList, CTypedPtrList).
// Index errors are caller mistakes and ASSERT; growth never fails silently
// (std::bad_alloc, as the framework's CMemoryException).
#pragma once

#include <algorithm>
#include <vector>

#include "afxassert.h"
#include "afxstr.h"
#include "atltypes.h"
#include "windef.h"

struct __POSITION {};
typedef __POSITION* POSITION;

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
 public:
  CArray() = default;
  virtual ~CArray() = default;
  CArray(const CArray&) = delete;  // the framework's arrays copy with Copy()
  CArray& operator=(const CArray&) = delete;

  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return m_data.empty(); }

  // nGrowBy is accepted for the framework's signature; storage grows
  // geometrically in any case.
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    (void)nGrowBy;
    ASSERT(nNewSize >= 0 && "SetSize with a negative size");
    m_data.resize(static_cast<size_t>(nNewSize), TYPE());
  }
  void RemoveAll() {
    m_data.clear();
    m_data.shrink_to_fit();
  }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
  TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
  TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
  const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
  TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
  const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }

  // Null when the array is empty, as the framework's storage pointer is.
  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }

  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    ASSERT(nIndex >= 0 && "SetAtGrow with a negative index");
    if (nIndex >= GetSize()) SetSize(nIndex + 1);
    m_data[static_cast<size_t>(nIndex)] = newElement;
  }
  INT_PTR Add(ARG_TYPE newElement) {
    m_data.push_back(newElement);
    return GetSize() - 1;
  }
  INT_PTR Append(const CArray& src) {
    INT_PTR old = GetSize();
    // Appending an array to itself must not read from storage that grows.
    if (this == &src) {
      const std::vector<TYPE> copy = m_data;
      m_data.insert(m_data.end(), copy.begin(), copy.end());
      return old;
    }
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return old;
  }
  void Copy(const CArray& src) {
    if (this != &src) m_data = src.m_data;
  }

  // An index at or past the end grows the array first (new elements are
  // default values), as the framework does.
  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
    ASSERT(nIndex >= 0 && nCount >= 0 && "InsertAt with a negative index or count");
    TYPE copy = newElement;  // the element may live in this array
    if (nIndex >= GetSize()) {
      SetSize(nIndex + nCount);
      std::fill(m_data.begin() + nIndex, m_data.end(), copy);
    } else {
      m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
    }
  }
  void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
    ASSERT(pNewArray && nStartIndex >= 0 && "InsertAt with no array");
    if (pNewArray->IsEmpty()) return;
    std::vector<TYPE> src = pNewArray->m_data;
    if (nStartIndex > GetSize()) SetSize(nStartIndex);
    m_data.insert(m_data.begin() + nStartIndex, src.begin(), src.end());
  }
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
    ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize() && "RemoveAt past the end");
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
  }

 protected:
  size_t Checked(INT_PTR nIndex) const {
    ASSERT(nIndex >= 0 && nIndex < GetSize() && "array index out of range");
    return static_cast<size_t>(nIndex);
  }
  std::vector<TYPE> m_data;
};

class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CStringArray : public CArray<CString, const CString&> {};
class CPtrArray : public CArray<void*, void*> {};
typedef CArray<CPoint, CPoint> CPointArray;

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
  struct CNode : __POSITION {
    CNode* pNext = nullptr;
    CNode* pPrev = nullptr;
    TYPE data{};
  };

 public:
  CList() = default;
  virtual ~CList() { RemoveAll(); }
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return Node(m_pHead)->data; }
  TYPE& GetTail() { return Node(m_pTail)->data; }

  POSITION AddHead(ARG_TYPE e) { return InsertBefore(reinterpret_cast<POSITION>(m_pHead), e); }
  POSITION AddTail(ARG_TYPE e) { return InsertAfter(reinterpret_cast<POSITION>(m_pTail), e); }
  TYPE RemoveHead() {
    TYPE v = GetHead();
    RemoveAt(reinterpret_cast<POSITION>(m_pHead));
    return v;
  }
  TYPE RemoveTail() {
    TYPE v = GetTail();
    RemoveAt(reinterpret_cast<POSITION>(m_pTail));
    return v;
  }
  void RemoveAll() {
    while (m_pHead) {
      CNode* next = m_pHead->pNext;
      delete m_pHead;
      m_pHead = next;
    }
    m_pTail = nullptr;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return m_pHead; }
  POSITION GetTailPosition() const { return m_pTail; }
  TYPE& GetNext(POSITION& pos) {
    CNode* n = Node(pos);
    pos = n->pNext;
    return n->data;
  }
  TYPE& GetPrev(POSITION& pos) {
    CNode* n = Node(pos);
    pos = n->pPrev;
    return n->data;
  }
  TYPE& GetAt(POSITION pos) { return Node(pos)->data; }
  void SetAt(POSITION pos, ARG_TYPE e) { Node(pos)->data = e; }

  // A null position inserts at the head (InsertBefore) or tail (InsertAfter).
  POSITION InsertBefore(POSITION pos, ARG_TYPE e) {
    CNode* at = static_cast<CNode*>(pos);
    if (!at) at = m_pHead;
    CNode* n = new CNode;
    n->data = e;
    n->pNext = at;
    n->pPrev = at ? at->pPrev : m_pTail;
    Link(n);
    return n;
  }
  POSITION InsertAfter(POSITION pos, ARG_TYPE e) {
    CNode* at = static_cast<CNode*>(pos);
    if (!at) at = m_pTail;
    CNode* n = new CNode;
    n->data = e;
    n->pPrev = at;
    n->pNext = at ? at->pNext : m_pHead;
    Link(n);
    return n;
  }
  void RemoveAt(POSITION pos) {
    CNode* n = Node(pos);
    (n->pPrev ? n->pPrev->pNext : m_pHead) = n->pNext;
    (n->pNext ? n->pNext->pPrev : m_pTail) = n->pPrev;
    delete n;
    --m_nCount;
  }
  // Null when nIndex is negative or not below the count.
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
    CNode* n = m_pHead;
    while (nIndex--) n = n->pNext;
    return n;
  }
  POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const {
    CNode* n = startAfter ? static_cast<CNode*>(startAfter)->pNext : m_pHead;
    for (; n; n = n->pNext) {
      if (n->data == value) return n;
    }
    return nullptr;
  }

 private:
  static CNode* Node(POSITION pos) {
    ASSERT(pos && "list position is null");
    return static_cast<CNode*>(pos);
  }
  void Link(CNode* n) {
    (n->pPrev ? n->pPrev->pNext : m_pHead) = n;
    (n->pNext ? n->pNext->pPrev : m_pTail) = n;
    ++m_nCount;
  }
  CNode* m_pHead = nullptr;
  CNode* m_pTail = nullptr;
  INT_PTR m_nCount = 0;
};

class CPtrList : public CList<void*, void*> {};
class CStringList : public CList<CString, const CString&> {};

// A list of typed pointers over a pointer list, as the framework's template.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
 public:
  TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
  TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
  TYPE& GetNext(POSITION& pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(pos)); }
  TYPE& GetPrev(POSITION& pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(pos)); }
  TYPE& GetAt(POSITION pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(pos)); }
  POSITION AddHead(TYPE e) { return BASE_CLASS::AddHead(e); }
  POSITION AddTail(TYPE e) { return BASE_CLASS::AddTail(e); }
};
