// CImageList: the framework's owner of an image list handle, and the map
// from handles to the objects attached to them.
#include <map>
#include <memory>

#include "afxcmn.h"

namespace {

std::map<HIMAGELIST, CImageList*>& Permanent() {
  static std::map<HIMAGELIST, CImageList*> map;
  return map;
}

// Wrappers made by FromHandle for lists no object owns. They own nothing,
// so one per handle can live as long as the program.
std::map<HIMAGELIST, std::unique_ptr<CImageList>>& Temporary() {
  static std::map<HIMAGELIST, std::unique_ptr<CImageList>> map;
  return map;
}

}  // namespace

CImageList::~CImageList() { DeleteImageList(); }

void CImageList::Register() { Permanent()[m_hImageList] = this; }

void CImageList::Unregister() {
  auto it = Permanent().find(m_hImageList);
  if (it != Permanent().end() && it->second == this) Permanent().erase(it);
}

CImageList* CImageList::FromHandlePermanent(HIMAGELIST h) {
  auto it = Permanent().find(h);
  return it == Permanent().end() ? nullptr : it->second;
}

CImageList* CImageList::FromHandle(HIMAGELIST h) {
  if (!h) return nullptr;
  if (CImageList* p = FromHandlePermanent(h)) return p;
  auto& slot = Temporary()[h];
  if (!slot) {
    slot = std::make_unique<CImageList>();
    slot->m_hImageList = h;  // not registered: the wrapper never destroys the list
  }
  return slot.get();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  if (m_hImageList) return FALSE;
  return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Attach(HIMAGELIST h) {
  if (!h || m_hImageList) return FALSE;
  m_hImageList = h;
  Register();
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  if (h) {
    if (FromHandlePermanent(h) == this) Unregister();
    m_hImageList = nullptr;
  }
  return h;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  // A temporary wrapper (FromHandle) does not own its list.
  bool owned = FromHandlePermanent(m_hImageList) == this;
  HIMAGELIST h = Detach();
  return owned ? ImageList_Destroy(h) : TRUE;
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Add(m_hImageList, pbmImage ? static_cast<HBITMAP>(pbmImage->GetSafeHandle()) : nullptr,
                       pbmMask ? static_cast<HBITMAP>(pbmMask->GetSafeHandle()) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  return ImageList_AddMasked(m_hImageList, pbmImage ? static_cast<HBITMAP>(pbmImage->GetSafeHandle()) : nullptr,
                             crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Replace(m_hImageList, nImage,
                           pbmImage ? static_cast<HBITMAP>(pbmImage->GetSafeHandle()) : nullptr,
                           pbmMask ? static_cast<HBITMAP>(pbmMask->GetSafeHandle()) : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  if (!pDC) return FALSE;
  return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
