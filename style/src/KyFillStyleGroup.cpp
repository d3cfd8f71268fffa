#include "KyFillStyleGroup.h"

#include <algorithm>
#include <vector>

#include "KyFillStyleLib.h"

namespace {

// Snapshot of a sub-group list, so that a loop is not disturbed by changes
// that the loop body makes to the same list.
std::vector<CKyFillStyleGroup*> SubGroupsOf(CKyFillStyleGroup& g) {
  std::vector<CKyFillStyleGroup*> out;
  for (POSITION pos = g.m_listSubGroups.GetHeadPosition(); pos;) out.push_back(g.m_listSubGroups.GetNext(pos));
  return out;
}

CString Upper(CString s) {
  s.MakeUpper();
  return s;
}

}  // namespace

CKyFillStyleGroup::~CKyFillStyleGroup() { RemoveAll(); }

BOOL CKyFillStyleGroup::SetName(const CString& name) {
  if (name.IsEmpty()) return FALSE;
  if (m_pParent && m_pParent->IsSubGroupExisted(name)) return FALSE;
  m_strName = name;
  if (m_pParent) m_pParent->SubGroupsChanged();
  return TRUE;
}

void CKyFillStyleGroup::SubGroupsChanged() const {
  if (!m_lookupValid) return;
  m_lookupValid = false;
  m_lookupByIndex.clear();
  m_lookupByName.clear();
}

void CKyFillStyleGroup::BuildLookup() const {
  if (m_lookupValid && m_lookupByIndex.size() == static_cast<size_t>(m_listSubGroups.GetCount())) return;
  m_lookupByIndex.clear();
  m_lookupByName.clear();
  auto& list = const_cast<CKyFillStyleGroup*>(this)->m_listSubGroups;
  m_lookupByIndex.reserve(static_cast<size_t>(list.GetCount()));
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    CKyFillStyleGroup* g = list.GetNext(pos);
    m_lookupByIndex.push_back(g);
    // A file may hold two siblings of one name; the first is the one found.
    m_lookupByName.emplace(g->m_strName.str(), g);
  }
  m_lookupValid = true;
}

CKyFillStyleGroup* CKyFillStyleGroup::SubGroup(long index) {
  if (index < 0 || index >= GetSubGroupCount()) return nullptr;
  BuildLookup();
  return m_lookupByIndex[static_cast<size_t>(index)];
}

CKyFillStyleGroup* CKyFillStyleGroup::SubGroup(const CString& name) {
  if (m_listSubGroups.IsEmpty()) return nullptr;
  BuildLookup();
  auto it = m_lookupByName.find(name.str());
  return it == m_lookupByName.end() ? nullptr : it->second;
}

bool CKyFillStyleGroup::IsSubGroupExisted(const CString& name) const {
  return const_cast<CKyFillStyleGroup*>(this)->SubGroup(name) != nullptr;
}

CKyFillStyleGroup* CKyFillStyleGroup::CreateSubGroup(const CString& name) {
  if (IsSubGroupExisted(name)) return nullptr;
  auto* g = new CKyFillStyleGroup;
  g->m_strName = name;
  g->m_nStyleType = m_nStyleType;
  g->m_pLib = m_pLib;
  g->m_pParent = this;
  m_listSubGroups.AddTail(g);
  // Kept current rather than dropped: groups are often made one after
  // another, each after a lookup of its name.
  if (m_lookupValid) {
    m_lookupByIndex.push_back(g);
    m_lookupByName.emplace(name.str(), g);
  }
  return g;
}

BOOL CKyFillStyleGroup::RemoveSubGroup(long index, int bDeleteContents) {
  POSITION at = m_listSubGroups.FindIndex(index);
  if (!at) return FALSE;
  CKyFillStyleGroup* child = m_listSubGroups.GetAt(at);

  if (bDeleteContents) {
    for (long n = child->GetItemCount(); n > 0; --n) child->RemoveStyleItem(0, TRUE);
    for (long n = child->GetSubGroupCount(); n > 0; --n) child->RemoveSubGroup(0, TRUE);
    m_listSubGroups.RemoveAt(at);
    SubGroupsChanged();
    delete child;
    return TRUE;
  }

  // Dissolve: the child's items and sub-groups move up into this group.
  for (INT_PTR i = 0; i < child->m_arrItems.GetSize(); ++i) AppendItem(child->m_arrItems[i]);
  child->m_arrItems.RemoveAll();
  for (CKyFillStyleGroup* g : SubGroupsOf(*child)) {
    if (g->m_strName != child->m_strName && IsSubGroupExisted(g->m_strName)) {
      g->m_strName = g->m_strName + "-" + child->m_strName;
    }
    g->m_pParent = this;
    m_listSubGroups.AddTail(g);
    SubGroupsChanged();
  }
  child->m_bOwnSubGroups = FALSE;
  m_listSubGroups.RemoveAt(at);
  SubGroupsChanged();
  delete child;
  return TRUE;
}

long CKyFillStyleGroup::GetItemID(long index) const {
  if (index < 0 || index >= GetItemCount()) return -1;
  return m_arrItems[index];
}

bool CKyFillStyleGroup::SetItemID(long index, long newID) {
  if (index < 0 || index >= GetItemCount() || m_nStyleType != TYPE_FILLSTYLE) return false;
  const long oldID = m_arrItems[index];
  if (oldID == newID) return true;
  if (!m_pLib || !m_pLib->SetID(m_pLib->FindID(oldID), newID)) return false;
  m_arrItems[index] = newID;
  return true;
}

CString CKyFillStyleGroup::GetItemName(long index) const {
  if (index < 0 || index >= GetItemCount() || m_nStyleType != TYPE_FILLSTYLE || !m_pLib) return CString();
  return m_pLib->GetFillStyleName(m_pLib->FindID(m_arrItems[index]));
}

bool CKyFillStyleGroup::SetItemName(long index, const CString& name) {
  if (index < 0 || index >= GetItemCount()) return false;
  if (m_nStyleType == TYPE_FILLSTYLE && m_pLib) {
    const long position = m_pLib->FindID(m_arrItems[index]);
    if (position >= 0) m_pLib->SetFillStyleName(position, name);
  }
  return true;
}

long CKyFillStyleGroup::GetItemIndex(long id) const {
  for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
    if (m_arrItems[i] == id) return static_cast<long>(i);
  }
  return -1;
}

long CKyFillStyleGroup::GetItemIndex(const CString& text, long start) const {
  const long count = GetItemCount();
  const CString needle = Upper(text);
  start = std::clamp(start, 0L, count);
  for (long k = 0; k < count; ++k) {
    const long i = (start + k) % count;
    if (Upper(GetItemName(i)).Find(needle) >= 0) return i;
  }
  return -1;
}

BOOL CKyFillStyleGroup::AddStyleItem(long id) {
  if (m_nStyleType == TYPE_1 || m_nStyleType == TYPE_2) return TRUE;
  if (m_nStyleType != TYPE_FILLSTYLE) return FALSE;
  if (!m_pLib || IsItemExisted(id)) return FALSE;
  if (m_pLib->FindID(id) < 0) return FALSE;
  AppendItem(id);
  return TRUE;
}

BOOL CKyFillStyleGroup::RemoveStyleItem(long index, int bDeleteStyle) {
  if (m_nStyleType != TYPE_FILLSTYLE || index < 0 || index >= GetItemCount() || !m_pLib) return FALSE;
  const long id = m_arrItems[index];
  if (m_pLib->FindID(id) < 0) return FALSE;
  if (bDeleteStyle) {
    m_arrItems.RemoveAt(index);
    m_pLib->RemoveID(id);
    return TRUE;
  }
  if (!m_pParent) return FALSE;
  m_arrItems.RemoveAt(index);
  m_pParent->AppendItem(id);
  return TRUE;
}

BOOL CKyFillStyleGroup::RemoveID(long id) {
  CKyFillStyleGroup* g = GetGroup(id);
  if (!g) return FALSE;
  g->m_arrItems.RemoveAt(g->GetItemIndex(id));
  return TRUE;
}

BOOL CKyFillStyleGroup::SetID(long oldID, long newID) {
  if (newID < 8) return FALSE;
  CKyFillStyleGroup* g = GetGroup(oldID);
  if (!g) return FALSE;
  g->m_arrItems[g->GetItemIndex(oldID)] = newID;
  return TRUE;
}

const CKyFillStyleGroup* CKyFillStyleGroup::Root() const {
  const CKyFillStyleGroup* g = this;
  while (g->m_pParent) g = g->m_pParent;
  return g;
}

BOOL CKyFillStyleGroup::IsItemExisted(long id) const { return Root()->IsCurrentGroupItemExisted(id); }

BOOL CKyFillStyleGroup::IsCurrentGroupItemExisted(long id) const {
  return const_cast<CKyFillStyleGroup*>(this)->GetGroup(id) != nullptr;
}

CKyFillStyleGroup* CKyFillStyleGroup::GetGroup(long id) {
  if (GetItemIndex(id) >= 0) return this;
  for (POSITION pos = m_listSubGroups.GetHeadPosition(); pos;) {
    if (CKyFillStyleGroup* g = m_listSubGroups.GetNext(pos)->GetGroup(id)) return g;
  }
  return nullptr;
}

CKyFillStyleGroup* CKyFillStyleGroup::GetGroup(const CString& text) {
  if (GetItemIndex(text, 0) >= 0) return this;
  for (POSITION pos = m_listSubGroups.GetHeadPosition(); pos;) {
    if (CKyFillStyleGroup* g = m_listSubGroups.GetNext(pos)->GetGroup(text)) return g;
  }
  return nullptr;
}

CKyFillStyleGroup* CKyFillStyleGroup::GetGroupWithItemID(long id) {
  return const_cast<CKyFillStyleGroup*>(Root())->GetGroup(id);
}

CKyFillStyleGroup* CKyFillStyleGroup::GetGroupWithItemName(const CString& text) {
  return const_cast<CKyFillStyleGroup*>(Root())->GetGroup(text);
}

void CKyFillStyleGroup::SortItem() {
  if (m_arrItems.GetSize() > 1) {
    long* p = m_arrItems.GetData();
    std::sort(p, p + m_arrItems.GetSize());
  }
  for (POSITION pos = m_listSubGroups.GetHeadPosition(); pos;) m_listSubGroups.GetNext(pos)->SortItem();
}

BOOL CKyFillStyleGroup::Append(CKyFillStyleGroup* other) {
  if (!other) return FALSE;
  if (other == this) return TRUE;  // a tree merged into itself gains nothing
  if (m_strName.IsEmpty()) {
    m_strName = other->m_strName;
    if (m_pParent) m_pParent->SubGroupsChanged();
  }
  if (other->m_strName == m_strName) {
    std::vector<long> items(other->m_arrItems.GetData(), other->m_arrItems.GetData() + other->m_arrItems.GetSize());
    for (long id : items) AddStyleItem(id);
    for (CKyFillStyleGroup* g : SubGroupsOf(*other)) AppendSubGroup(g);
  } else {
    AppendSubGroup(other);
  }
  return TRUE;
}

BOOL CKyFillStyleGroup::AppendSubGroup(CKyFillStyleGroup* other) {
  if (!other) return FALSE;
  // Copies are taken first: other may be the target or inside this tree.
  std::vector<long> items(other->m_arrItems.GetData(), other->m_arrItems.GetData() + other->m_arrItems.GetSize());
  std::vector<CKyFillStyleGroup*> subs = SubGroupsOf(*other);
  CKyFillStyleGroup* target = SubGroup(other->m_strName);
  if (!target) target = CreateSubGroup(other->m_strName);
  for (long id : items) target->AppendItem(id);
  for (CKyFillStyleGroup* g : subs) target->AppendSubGroup(g);
  return TRUE;
}

BOOL CKyFillStyleGroup::RemoveAll() {
  if (m_bOwnSubGroups) {
    while (!m_listSubGroups.IsEmpty()) delete m_listSubGroups.RemoveTail();
  }
  m_listSubGroups.RemoveAll();
  SubGroupsChanged();
  m_arrItems.RemoveAll();
  m_strName.Empty();
  if (m_pParent) m_pParent->SubGroupsChanged();
  return TRUE;
}

BOOL CKyFillStyleGroup::Store(CKyByteArrayEx& stream) const {
  stream.Add(m_strName);
  stream.Add(static_cast<long>(m_nStyleType));
  stream.Add(GetSubGroupCount());
  for (POSITION pos = m_listSubGroups.GetHeadPosition(); pos;) {
    const_cast<CKyFillStyleGroup*>(this)->m_listSubGroups.GetNext(pos)->Store(stream);
  }
  stream.Add(GetItemCount());
  for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) stream.Add(m_arrItems[i]);
  return TRUE;
}

BOOL CKyFillStyleGroup::Load(CKyByteArrayEx& stream, int& position) {
  stream.ClearReadError();
  return LoadBlock(stream, position, 0) && !stream.HasReadError();
}

BOOL CKyFillStyleGroup::LoadBlock(CKyByteArrayEx& stream, int& position, int depth) {
  if (depth > kMaxDepth) {
    position = static_cast<int>(stream.GetSize());
    return FALSE;
  }
  CString name = stream.GetStringAt(position);
  const long type = stream.GetLongAt(position);
  const long subCount = stream.GetLongAt(position);
  if (stream.HasReadError()) return FALSE;
  m_strName = name;
  if (m_pParent) m_pParent->SubGroupsChanged();
  m_nStyleType = static_cast<StyleType>(type);

  // Every block takes at least 16 bytes, so a count that cannot fit in what
  // is left is refused before any group is made for it.
  const long long left = stream.GetSize() - position;
  if (subCount < 0 || subCount > left / 16) {
    position = static_cast<int>(stream.GetSize());
    return FALSE;
  }
  for (long i = 0; i < subCount; ++i) {
    auto* g = new CKyFillStyleGroup;
    g->m_pParent = this;
    g->m_pLib = m_pLib;
    m_listSubGroups.AddTail(g);
    SubGroupsChanged();
    if (!g->LoadBlock(stream, position, depth + 1)) return FALSE;
  }

  const long itemCount = stream.GetLongAt(position);
  if (stream.HasReadError() || itemCount < 0 || !stream.CanRead(position, 4LL * itemCount)) {
    position = static_cast<int>(stream.GetSize());
    return FALSE;
  }
  m_arrItems.RemoveAll();
  m_arrItems.SetSize(itemCount);
  for (long i = 0; i < itemCount; ++i) m_arrItems[i] = stream.GetLongAt(position);
  return TRUE;
}
