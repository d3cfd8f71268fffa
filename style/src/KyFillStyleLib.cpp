#include "KyFillStyleLib.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <unordered_set>
#include <vector>

#include "ByteReader.h"
#include "afxreplacefile.h"
#include "KyErrorMsg.h"
#include "KyROZ50Module.h"

namespace {

constexpr UINT kIdsRootGroup = 23009;     // "Root Group"
constexpr long kMaxBmpFileSize = 307200;  // bitmap files above this are refused
constexpr int kDefaultLibraryId = 4913;

bool NameContains(const CString& name, const CString& upperText) {
  CString n(name);
  n.MakeUpper();
  return n.Find(upperText) >= 0;
}

// Reads a whole file of 1 to maxLength bytes. False when it cannot be opened
// or read, is empty or is longer; no exception leaves it.
bool ReadWholeFile(const CString& path, UINT share, ULONGLONG maxLength, CByteArray& out) {
  try {
    CFile file;
    if (!file.Open(path, CFile::modeRead | share | CFile::typeBinary)) return false;
    const ULONGLONG length = file.GetLength();
    if (length == 0 || length > maxLength) return false;
    out.SetSize(static_cast<INT_PTR>(length));
    if (file.Read(out.GetData(), static_cast<UINT>(length)) != length) return false;
    file.Close();
    return true;
  } catch (CFileException* e) {
    e->Delete();
  } catch (const std::bad_alloc&) {
  }
  return false;
}

}  // namespace

CKyFillStyleLib::CKyFillStyleLib() : m_pRootGroup(new CKyFillStyleGroup) {
  m_pRootGroup->SetLib(this);
  m_pRootGroup->SetStyleType(CKyFillStyleGroup::TYPE_FILLSTYLE);
  NameRootGroup();
}

CKyFillStyleLib::~CKyFillStyleLib() {
  delete m_pRootGroup;
  for (INT_PTR i = 0; i < m_arrStyles.GetSize(); ++i) delete m_arrStyles[i];
}

void CKyFillStyleLib::NameRootGroup() {
  CString name;
  // Without the module's strings the English text still names the root.
  if (!name.LoadString(kIdsRootGroup) || name.IsEmpty()) name = "Root Group";
  m_pRootGroup->SetName(name);
}

// ---- lookup ---------------------------------------------------------------

CKyFillStyle* CKyFillStyleLib::GetFillStyle(long position) {
  if (position < 0 || position >= GetCount()) return nullptr;
  CKyFillStyle* style = m_arrStyles[position];
  style->SetPrintRgn(m_pPrintClipRgn);
  if (style->GetType() == CKyFillStyle::FS_TYPE_VECTOR) style->AttachSymLib(&m_symLib);
  return style;
}

long CKyFillStyleLib::FindIDIndexIndex(long id, int bExact) const {
  if (id < 1) return -1;
  const long size = static_cast<long>(m_arrIDIndex.GetSize());
  if (size == 0) return bExact ? -1 : 0;
  const long* idx = m_arrIDIndex.GetData();
  long low = 0, high = size - 2;
  if (id > idx[high]) return bExact ? -1 : size;
  if (id < idx[low]) return bExact ? -1 : 0;
  if (id == idx[low]) return low;
  if (id == idx[high]) return high;
  // idx[low] < id < idx[high] holds throughout.
  while (high - low > 2) {
    const long mid = ((low + high) / 2) & ~1L;
    if (idx[mid] == id) return mid;
    if (idx[mid] < id) {
      low = mid;
    } else {
      high = mid;
    }
  }
  return bExact ? -1 : high;
}

long CKyFillStyleLib::FindID(long id) const {
  const long place = FindIDIndexIndex(id, TRUE);
  return place < 0 ? -1 : m_arrIDIndex[place + 1];
}

long CKyFillStyleLib::FindIndex(long position) const {
  if (position < 0 || position >= GetCount()) return -1;
  return m_arrStyles[position]->GetFillStyleID();
}

long CKyFillStyleLib::GetMaxID() const {
  const INT_PTR size = m_arrIDIndex.GetSize();
  return size == 0 ? 0 : m_arrIDIndex[size - 2];
}

CString CKyFillStyleLib::GetFillStyleName(long position) const {
  if (position < 0 || position >= GetCount()) return CString();
  return m_arrStyles[position]->GetFillStyleName();
}

CSize CKyFillStyleLib::GetFillStyleSize(long position) const {
  if (position < 0 || position >= GetCount()) return CSize(0, 0);
  const CKyFillStyle* style = m_arrStyles[position];
  if (style->GetType() == CKyFillStyle::FS_TYPE_VECTOR) {
    const CKyFillStyleVector* v = style->GetFillStyleVector();
    return v ? CSize(static_cast<int>(v->GetWidth()), static_cast<int>(v->GetHeight())) : CSize(0, 0);
  }
  // Width and height are the signed fields at bytes 18 and 22 of the image.
  if (style->m_arrBMP.GetSize() < 26) return CSize(0, 0);
  const BYTE* p = style->m_arrBMP.GetData();
  return CSize(KyReadLE32(p + 18), KyReadLE32(p + 22));
}

long CKyFillStyleLib::Find(const CString& text, long start) const {
  CString upper(text);
  upper.MakeUpper();
  for (long i = std::max(start, 0L); i < GetCount(); ++i) {
    if (NameContains(m_arrStyles[i]->GetFillStyleName(), upper)) return i;
  }
  return -1;
}

long CKyFillStyleLib::ReverseFind(const CString& text, long start) const {
  CString upper(text);
  upper.MakeUpper();
  for (long i = GetCount() - 1 - std::max(start, 0L); i >= 0; --i) {
    if (NameContains(m_arrStyles[i]->GetFillStyleName(), upper)) return i;
  }
  return -1;
}

// ---- the id index ---------------------------------------------------------

void CKyFillStyleLib::InsertPair(long id, long position) {
  const long place = FindIDIndexIndex(id, FALSE);
  ASSERT(place >= 0 && FindIDIndexIndex(id, TRUE) < 0 && "InsertPair needs a new id of 1 or more");
  m_arrIDIndex.InsertAt(place, id);
  m_arrIDIndex.InsertAt(place + 1, position);
}

void CKyFillStyleLib::RemovePair(long id) {
  const long place = FindIDIndexIndex(id, TRUE);
  if (place >= 0) m_arrIDIndex.RemoveAt(place, 2);
}

void CKyFillStyleLib::RebuildIndex() {
  std::vector<std::pair<long, long>> pairs;
  pairs.reserve(static_cast<size_t>(GetCount()));
  for (long i = 0; i < GetCount(); ++i) pairs.emplace_back(m_arrStyles[i]->GetFillStyleID(), i);
  std::sort(pairs.begin(), pairs.end());
  m_arrIDIndex.RemoveAll();
  m_arrIDIndex.SetSize(static_cast<INT_PTR>(pairs.size() * 2));
  for (size_t k = 0; k < pairs.size(); ++k) {
    m_arrIDIndex[static_cast<INT_PTR>(2 * k)] = pairs[k].first;
    m_arrIDIndex[static_cast<INT_PTR>(2 * k + 1)] = pairs[k].second;
  }
}

long CKyFillStyleLib::NextFreeID() const { return std::max(GetMaxID() + 1, 8L); }

bool CKyFillStyleLib::BelongsToTree(const CKyFillStyleGroup* group) const {
  while (group && group->GetParentGroup()) group = group->GetParentGroup();
  return group && group == m_pRootGroup;
}

// ---- change ---------------------------------------------------------------

BOOL CKyFillStyleLib::AddFillStyle(long id, const CString& name, CKyFillStyleGroup* group, long,
                                   const CString& bmpPath, CKyFillStyle::FS_RESOLUTION resolution) {
  if (!CKyFillStyle::IsValidResolution(resolution)) return FALSE;
  if (id < 8 || !group || !BelongsToTree(group)) return FALSE;

  CByteArray bytes;
  if (!ReadWholeFile(bmpPath, CFile::shareDenyWrite, kMaxBmpFileSize, bytes)) return FALSE;
  if (bytes.GetSize() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return FALSE;
  if (FindID(id) >= 0) return FALSE;

  auto* style = new CKyFillStyle(id, name, bytes, resolution);
  const long position = static_cast<long>(m_arrStyles.Add(style));
  InsertPair(id, position);
  group->AddStyleItem(id);
  m_bModified = TRUE;
  return TRUE;
}

BOOL CKyFillStyleLib::AddFillStyle(CKyFillStyle* style, CKyFillStyleGroup* group) {
  if (!style || !group || !BelongsToTree(group)) return FALSE;
  for (INT_PTR i = 0; i < m_arrStyles.GetSize(); ++i) {
    if (m_arrStyles[i] == style) return FALSE;  // already ours: adding it twice would free it twice
  }
  // An id below 1 cannot be indexed (-1 is a record that never had an id),
  // so it is renumbered like a clash.
  if (style->GetFillStyleID() < 1 || FindID(style->GetFillStyleID()) >= 0) style->SetFillStyleID(NextFreeID());
  const long position = static_cast<long>(m_arrStyles.Add(style));
  InsertPair(style->GetFillStyleID(), position);
  group->AddStyleItem(style->GetFillStyleID());
  m_bModified = TRUE;
  return TRUE;
}

long CKyFillStyleLib::InsertAt(long position, CKyFillStyleGroup* group, CKyFillStyle* style) {
  if (!style || !group || style->GetFillStyleID() < 8 || position < 0 || position > GetCount()) return -1;
  for (INT_PTR i = 0; i < m_arrStyles.GetSize(); ++i) {
    // The record already held at the position replaces nothing; one held
    // elsewhere would be owned twice.
    if (m_arrStyles[i] == style) return i == position ? style->GetFillStyleID() : -1;
  }

  const bool replacing = position < GetCount();
  long oldID = -1;
  if (replacing) {
    oldID = m_arrStyles[position]->GetFillStyleID();
    RemovePair(oldID);
    delete m_arrStyles[position];
    m_arrStyles.RemoveAt(position);
  }
  if (FindID(style->GetFillStyleID()) >= 0) style->SetFillStyleID(NextFreeID());
  const long newID = style->GetFillStyleID();
  InsertPair(newID, position);
  m_arrStyles.InsertAt(position, style);
  if (replacing) {
    group->SetID(oldID, newID);
  } else {
    group->AddStyleItem(newID);
  }
  m_bModified = TRUE;
  return newID;
}

BOOL CKyFillStyleLib::SetFillStyleName(long position, CString name) {
  if (position < 0 || position >= GetCount()) return FALSE;
  m_arrStyles[position]->SetFillStyleName(name);
  m_bModified = TRUE;
  return TRUE;
}

BOOL CKyFillStyleLib::SetID(long position, long newID) {
  if (newID < 8 || position < 0 || position >= GetCount()) return FALSE;
  CKyFillStyle* style = m_arrStyles[position];
  if (newID == style->GetFillStyleID()) {
    m_bModified = TRUE;
    return TRUE;
  }
  if (FindID(newID) >= 0) return FALSE;
  RemovePair(style->GetFillStyleID());
  style->SetFillStyleID(newID);
  InsertPair(newID, position);
  m_bModified = TRUE;
  return TRUE;
}

BOOL CKyFillStyleLib::SetFillStyleID(long position, long newID) {
  if (position < 0 || position >= GetCount()) return FALSE;
  const long oldID = m_arrStyles[position]->GetFillStyleID();
  if (!SetID(position, newID)) return FALSE;
  m_pRootGroup->SetID(oldID, newID);
  m_bModified = TRUE;
  return TRUE;
}

BOOL CKyFillStyleLib::RemoveID(long id) {
  const long position = FindID(id);
  if (position < 0) return FALSE;
  delete m_arrStyles[position];
  m_arrStyles.RemoveAt(position);
  RemovePair(id);
  for (INT_PTR k = 1; k < m_arrIDIndex.GetSize(); k += 2) {
    if (m_arrIDIndex[k] > position) --m_arrIDIndex[k];
  }
  m_bModified = TRUE;
  return TRUE;
}

BOOL CKyFillStyleLib::Remove(long id) {
  if (!RemoveID(id)) return FALSE;
  m_pRootGroup->RemoveID(id);
  m_bModified = TRUE;
  return TRUE;
}

BOOL CKyFillStyleLib::RemoveAt(long position, long count) {
  if (position < 0 || position >= GetCount() || count <= 0) return FALSE;
  const long n = std::min(count, GetCount() - position);
  for (long k = 0; k < n; ++k) {
    const long id = m_arrStyles[position]->GetFillStyleID();
    m_pRootGroup->RemoveID(id);
    RemovePair(id);
    delete m_arrStyles[position];
    m_arrStyles.RemoveAt(position);
  }
  for (INT_PTR k = 1; k < m_arrIDIndex.GetSize(); k += 2) {
    if (m_arrIDIndex[k] >= position) m_arrIDIndex[k] -= n;
  }
  m_bModified = TRUE;
  return TRUE;
}

BOOL CKyFillStyleLib::RemoveAll() {
  for (INT_PTR i = 0; i < m_arrStyles.GetSize(); ++i) delete m_arrStyles[i];
  m_arrStyles.RemoveAll();
  m_arrIDIndex.RemoveAll();
  m_pRootGroup->RemoveAll();
  m_bModified = TRUE;
  return TRUE;
}

void CKyFillStyleLib::SortByID() {
  const INT_PTR pairs = m_arrIDIndex.GetSize() / 2;
  std::vector<CKyFillStyle*> sorted(static_cast<size_t>(pairs));
  for (INT_PTR k = 0; k < pairs; ++k) {
    sorted[static_cast<size_t>(k)] = m_arrStyles[m_arrIDIndex[2 * k + 1]];
    m_arrIDIndex[2 * k + 1] = static_cast<long>(k);
  }
  for (INT_PTR k = 0; k < pairs; ++k) m_arrStyles[k] = sorted[static_cast<size_t>(k)];
}

// ---- storage --------------------------------------------------------------

BOOL CKyFillStyleLib::ToByteArray(CByteArray& out) {
  if (GetCount() == 0) return FALSE;
  CompactSymLib();

  CKyByteArrayEx symbols;
  m_symLib.StoreEx(symbols);
  m_pRootGroup->SortItem();
  CKyByteArrayEx tree;
  m_pRootGroup->Store(tree);

  CByteArray image;
  ky::AppendLong(image, KY_FSL_MAGIC_CURRENT);
  ky::AppendLong(image, static_cast<long>(symbols.GetSize()));
  image.Append(symbols);
  ky::AppendLong(image, static_cast<long>(tree.GetSize()));
  image.Append(tree);
  symbols.RemoveAllSafely();
  tree.RemoveAllSafely();

  SortByID();
  CByteArray record;
  for (INT_PTR i = 0; i < m_arrStyles.GetSize(); ++i) {
    if (m_arrStyles[i]->ToBytes(record)) image.Append(record);
  }
  out.Copy(image);
  m_bModified = FALSE;
  return TRUE;
}

bool CKyFillStyleLib::AdoptRead(CKyFillStyle* style) {
  const long id = style->GetFillStyleID();
  // Files written here never hold an id twice or an id below 1; a file that
  // does keeps its first record of an id, since the index cannot hold two.
  if (id < 1 || FindID(id) >= 0) {
    delete style;
    return false;
  }
  const long position = static_cast<long>(m_arrStyles.Add(style));
  InsertPair(id, position);
  return true;
}

BOOL CKyFillStyleLib::FromByteArray(const CByteArray& in) {
  if (in.IsEmpty()) return FALSE;
  RemoveAll();

  const ky::ByteReader r(in);
  long magic;
  if (!r.Long(0, magic)) return FALSE;
  BOOL ok = TRUE;
  long long p = 0;

  if (magic >= KY_FSL_MAGIC_CURRENT) {
    long m;
    if (!r.Long(4, m) || m < 0 || !r.Fits(8, m)) return FALSE;
    CKyByteArrayEx symbols;
    symbols.Add(r.At(8), static_cast<int>(m));
    if (!m_symLib.LoadEx(symbols, 0)) ok = FALSE;
    symbols.RemoveAllSafely();
    p = m + 4;
  }

  long long section = 0;  // start of the record section; 0 means none
  if (magic == KY_FSL_MAGIC_2001_05_10) {
    section = 4;
    NameRootGroup();
  } else if (magic >= KY_FSL_MAGIC_2001_05_21) {
    long t;
    if (!r.Long(p + 4, t) || t < 0 || !r.Fits(p + 8, t)) return FALSE;
    CKyByteArrayEx tree;
    tree.Add(r.At(p + 8), static_cast<int>(t));
    int position = 0;
    if (!m_pRootGroup->Load(tree, position)) ok = FALSE;
    tree.RemoveAllSafely();
    section = p + 8 + t;
  } else {
    return FALSE;
  }

  if (magic != KY_FSL_MAGIC_CURRENT && magic != KY_FSL_MAGIC_2001_05_21 && magic != KY_FSL_MAGIC_2001_05_10) {
    // A layout between the known ones: its records cannot be read.
    return section < r.Size() ? FALSE : ok;
  }

  long long offset = section;
  while (offset < r.Size()) {
    auto* style = new CKyFillStyle;
    const long next = style->FromBytes(static_cast<long>(offset), in, magic);
    if (next <= offset) {
      // Unreadable record: stop here, keeping the records before it.
      delete style;
      return FALSE;
    }
    const long id = style->GetFillStyleID();
    if (AdoptRead(style) && magic == KY_FSL_MAGIC_2001_05_10) m_pRootGroup->AddStyleItem(id);
    offset = next;
  }
  return ok;
}

BOOL CKyFillStyleLib::Load(const CString& path) {
  // Offsets in an image are 32-bit; a larger file cannot be one.
  CByteArray image;
  if (!ReadWholeFile(path, CFile::shareDenyNone, INT_MAX, image)) return FALSE;
  FromByteArray(image);
  m_bModified = FALSE;
  return TRUE;
}

BOOL CKyFillStyleLib::Store(const CString& path) {
  // The image is made before the file is touched: a library without styles
  // leaves an existing file as it is.
  const BOOL wasModified = m_bModified;
  CByteArray image;
  const BOOL made = ToByteArray(image);
  m_bModified = wasModified;
  if (!made || path.IsEmpty()) return FALSE;

  // Written beside the target and renamed over it, so that the old library
  // survives any failure on the way; a link is written through and the
  // file keeps its permissions.
  return AfxWriteFileReplacing(path, image.GetData(), static_cast<size_t>(image.GetSize()));
}

BOOL CKyFillStyleLib::CreateDefault() {
  HINSTANCE module = KyROZ50ResourceHandle();
  HRSRC found = FindResource(module, MAKEINTRESOURCE(kDefaultLibraryId), "KYFSLBMP");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = found ? SizeofResource(module, found) : 0;
  if (!bytes || size == 0) {
    KyGetErrorMsgObj()->CatchLastError();
    return FALSE;
  }
  CByteArray image;
  image.SetSize(size);
  std::memcpy(image.GetData(), bytes, size);
  FromByteArray(image);
  NameRootGroup();
  m_bModified = TRUE;
  return TRUE;
}

// ---- merging and symbols -------------------------------------------------

BOOL CKyFillStyleLib::Append(const CString& path, int bOverwrite) {
  CByteArray image;
  if (!ReadWholeFile(path, CFile::shareDenyNone, INT_MAX, image)) return FALSE;
  AppendFromByteArray(image, bOverwrite);
  return TRUE;
}

BOOL CKyFillStyleLib::AppendFromByteArray(const CByteArray& image, int bOverwrite) {
  if (image.IsEmpty()) return FALSE;
  if (GetCount() == 0) {
    FromByteArray(image);
    return TRUE;
  }
  SortByID();
  CKyFillStyleLib other;
  other.FromByteArray(image);
  // Files written here are in id order already; a foreign one is put in order
  // so that the merge below sees two ascending lists.
  other.SortByID();

  // Symbols of the file are numbered after ours.
  const long n = m_symLib.GetSymbolCount();
  const long m = other.m_symLib.GetSymbolCount();
  long shift = 0;
  if (n > 0 && m > 0) shift = std::max(m_symLib.GetSymbolID(n - 1) - other.m_symLib.GetSymbolID(0) + 1, 0L);
  for (long k = 0; k < m; ++k) {
    const long s = other.m_symLib.GetSymbolID(k);
    CKySymbol* source = s >= 0 ? other.m_symLib.GetSymbol(static_cast<unsigned long>(s)) : nullptr;
    if (!source) continue;
    auto* copy = new CKySymbol;
    *copy = *source;
    copy->SetSymId(static_cast<unsigned long>(s + shift));
    if (!m_symLib.AddSymbol(copy)) delete copy;
    m_bModified = TRUE;
  }
  if (shift != 0) {
    for (INT_PTR i = 0; i < other.m_arrStyles.GetSize(); ++i) {
      if (CKyFillStyleVector* v = other.m_arrStyles[i]->GetFillStyleVector()) v->MoveSymID(shift);
    }
  }

  // Merge of two ascending lists; a duplicate id keeps one record.
  std::vector<CKyFillStyle*> result;
  result.reserve(static_cast<size_t>(GetCount() + other.GetCount()));
  INT_PTR j = 0;
  const INT_PTR hereCount = m_arrStyles.GetSize();
  for (INT_PTR i = 0; i < other.m_arrStyles.GetSize(); ++i) {
    CKyFillStyle* o = other.m_arrStyles[i];
    while (j < hereCount && m_arrStyles[j]->GetFillStyleID() < o->GetFillStyleID()) result.push_back(m_arrStyles[j++]);
    if (j < hereCount && m_arrStyles[j]->GetFillStyleID() == o->GetFillStyleID()) {
      if (bOverwrite) {
        m_pRootGroup->RemoveID(o->GetFillStyleID());
        result.push_back(o);
        delete m_arrStyles[j];
      } else {
        other.m_pRootGroup->RemoveID(o->GetFillStyleID());
        result.push_back(m_arrStyles[j]);
        delete o;
      }
      ++j;
    } else {
      result.push_back(o);
    }
  }
  while (j < hereCount) result.push_back(m_arrStyles[j++]);
  other.m_arrStyles.RemoveAll();
  other.m_arrIDIndex.RemoveAll();

  m_arrStyles.SetSize(static_cast<INT_PTR>(result.size()));
  for (size_t k = 0; k < result.size(); ++k) m_arrStyles[static_cast<INT_PTR>(k)] = result[k];
  RebuildIndex();

  m_pRootGroup->Append(other.m_pRootGroup);
  m_pRootGroup->SortItem();
  m_bModified = TRUE;
  return TRUE;
}

long CKyFillStyleLib::AddSymbol(CKySymbol* symbol) {
  if (!symbol) return -1;
  const long count = m_symLib.GetSymbolCount();
  const long id = count == 0 ? 10 : m_symLib.GetSymbolID(count - 1) + 1;
  symbol->SetSymId(static_cast<unsigned long>(id));
  if (!m_symLib.AddSymbol(symbol)) return -1;
  m_bModified = TRUE;
  return id;
}

BOOL CKyFillStyleLib::RemoveSymbol(long symbolID) {
  if (IsUsedByFillStyle(symbolID)) return FALSE;
  m_bModified = TRUE;
  return m_symLib.RemoveSymbol(symbolID) ? TRUE : FALSE;
}

BOOL CKyFillStyleLib::IsUsedByFillStyle(long symbolID) const {
  for (INT_PTR i = 0; i < m_arrStyles.GetSize(); ++i) {
    const CKyFillStyleVector* v = m_arrStyles[i]->GetFillStyleVector();
    if (v && v->GetSymID() == symbolID) return TRUE;
  }
  return FALSE;
}

void CKyFillStyleLib::CompactSymLib() {
  // The symbols in use are gathered once, so compacting costs one pass over
  // the records rather than one per symbol.
  std::unordered_set<long> used;
  for (INT_PTR i = 0; i < m_arrStyles.GetSize(); ++i) {
    if (const CKyFillStyleVector* v = m_arrStyles[i]->GetFillStyleVector()) used.insert(v->GetSymID());
  }
  long position = 0;
  while (position < m_symLib.GetSymbolCount()) {
    const long id = m_symLib.GetSymbolID(position);
    if (!used.count(id) && m_symLib.RemoveSymbol(id)) {
      m_bModified = TRUE;  // the same position now holds the next symbol
    } else {
      ++position;
    }
  }
}

