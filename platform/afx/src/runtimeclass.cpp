// Run-time class records: the chain of bases and the process-wide list
// that FromName searches.
#include <cstring>
#include <new>

#include "afxobj.h"

namespace {
// Constant-initialised, so records of libraries loaded before this one's
// dynamic initialisation still find an empty list and not garbage.
constinit CRuntimeClass* g_firstClass = nullptr;
}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr,
                                       nullptr};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject) {
  return pObject && pObject->IsKindOf(pClass) ? pObject : nullptr;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass) {
  pNewClass->m_pNextClass = g_firstClass;
  g_firstClass = pNewClass;
}

AFX_CLASSINIT::~AFX_CLASSINIT() {
  for (CRuntimeClass** pp = &g_firstClass; *pp; pp = &(*pp)->m_pNextClass)
    if (*pp == m_pClass) {
      *pp = m_pClass->m_pNextClass;
      break;
    }
  m_pClass->m_pNextClass = nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  if (!pBaseClass) return FALSE;
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == pBaseClass) return TRUE;
  return FALSE;
}

CObject* CRuntimeClass::CreateObject() const {
  if (!m_pfnCreateObject) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  try {
    return m_pfnCreateObject();
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (!lpszClassName) return nullptr;
  for (CRuntimeClass* c = g_firstClass; c; c = c->m_pNextClass)
    if (strcmp(c->m_lpszClassName, lpszClassName) == 0) return c;
  return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
  CRuntimeClass* c = FromName(lpszClassName);
  return c ? c->CreateObject() : nullptr;
}
