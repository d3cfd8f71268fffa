// The framework's root class and its run-time class information.
//
// A class that says DECLARE_DYNAMIC(C) in its body and IMPLEMENT_DYNAMIC(C,
// Base) in one source file gets a CRuntimeClass record, C::classC: its name,
// its size, its base's record and, for DECLARE_DYNCREATE / IMPLEMENT_DYNCREATE,
// a function that makes an object with the default constructor. The records
// form a chain through their bases up to CObject's, so IsKindOf walks up
// from an object's own record:
//
//   CKyOptionDlg ──m_pBaseClass──> CPropertySheet ──> CWnd ──> CCmdTarget ──> CObject ──> NULL
//
// Every record also joins a process-wide list when it is constructed (at
// load time, before main), which is what CRuntimeClass::FromName searches.
// Records live as long as the library that holds them; a library unloaded
// takes its records off the list.
#pragma once

#include "windef.h"

#ifndef ERROR_NOT_SUPPORTED
#define ERROR_NOT_SUPPORTED 50L
#endif

class CObject;

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;                    // 0xFFFF: not serializable
  CObject* (*m_pfnCreateObject)();   // NULL: not creatable by name
  CRuntimeClass* m_pBaseClass;       // NULL for CObject
  CRuntimeClass* m_pNextClass;       // the process-wide list

  // A new object made with the default constructor; NULL when the class
  // is not creatable (SetLastError(ERROR_NOT_SUPPORTED)) or memory ran out.
  CObject* CreateObject() const;
  // TRUE when this class is pBaseClass or derives from it; FALSE for NULL.
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

  // The record of the class named lpszClassName (compared exactly); NULL
  // when no loaded library declares it.
  static CRuntimeClass* FromName(LPCSTR lpszClassName);
  // The named class's new object; NULL when unknown or not creatable.
  static CObject* CreateObject(LPCSTR lpszClassName);
};

// Joins a record to the process-wide list at construction and takes it off
// at destruction (IMPLEMENT_DYNAMIC makes one beside each record).
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
  ~AFX_CLASSINIT();
  AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
  AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;

 private:
  CRuntimeClass* m_pClass;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class body. Leaves the access at public.
#define DECLARE_DYNAMIC(class_name)             \
 public:                                        \
  static CRuntimeClass class##class_name;       \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                              \
  CRuntimeClass class_name::class##class_name = {#class_name,        static_cast<int>(sizeof(class_name)), \
                                                 wSchema,            pfnNew,                                 \
                                                 RUNTIME_CLASS(base_class_name), nullptr};                   \
  static AFX_CLASSINIT _init_##class_name(&class_name::class##class_name);                                   \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                  \
  CObject* class_name::CreateObject() { return new class_name; }          \
  AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

class CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  // TRUE when the object's class is pClass or derives from it.
  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }
  // Checks the object's invariant (debug builds); nothing by default.
  virtual void AssertValid() const {}

  static CRuntimeClass classCObject;

 protected:
  CObject() = default;

 private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

// The object as class_name*, or NULL when it is NULL or of another kind.
#define DYNAMIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject);
