// The resource section of a shared object: how a module hands its resources
// to the platform when it is loaded.
//
// A source file of the module declares a section with AFX_RESOURCE_SECTION;
// its body runs when the object is loaded, before the module's entry point,
// and registers the module's resources with AfxRegisterResources and
// AfxRegisterStrings. When the object is unloaded, after its entry point has
// seen the detach, every resource of the module is removed.
//
// String tables are kept as on the home platform, in RT_STRING blocks of 16
// strings per language: block n (resource name n) holds the ids 16 (n - 1) to
// 16 n - 1, each as a 16-bit little-endian length followed by that many bytes
// (an absent id has length 0). Unlike the home platform the bytes are not
// UTF-16 but the text as registered: bytes of the code page of the table's
// language (936 for Chinese, 1252 otherwise), the form in which this
// system's code keeps all text.
#pragma once

#include <cstddef>

#include "winres.h"

struct AFX_RESOURCE_ITEM {
  LPCSTR lpType;  // MAKEINTRESOURCE(n) or a name
  LPCSTR lpName;  // MAKEINTRESOURCE(n) or a name
  WORD wLanguage;
  const void* pData;  // stays owned by the module; must live while it is loaded
  DWORD cbData;
};

struct AFX_RESOURCE_STRING {
  UINT nID;
  WORD wLanguage;
  const char* pszText;  // NUL-terminated, at most 65535 bytes
};

// The module a code or data address belongs to: the base of the loaded
// object that maps it; NULL for an address no object maps.
HMODULE AfxModuleFromAddress(const void* p);

// Adds resources to a module. An item that is already there (same type,
// name and language) is replaced. FALSE with ERROR_INVALID_PARAMETER for a
// NULL module, a missing name or type, or NULL data with a size; nothing is
// then added.
BOOL AfxRegisterResources(HMODULE hModule, const AFX_RESOURCE_ITEM* items, size_t count);
// Adds strings to the module's string tables (replacing an id already there
// in that language). FALSE with ERROR_INVALID_PARAMETER for a NULL module,
// an id above 65535, a NULL text or one longer than 65535 bytes; nothing is
// then added.
BOOL AfxRegisterStrings(HMODULE hModule, const AFX_RESOURCE_STRING* strings, size_t count);
// Removes every resource of the module; handles found before become invalid.
void AfxUnregisterResources(HMODULE hModule);

// Declares a resource section whose body registers the resources of the
// object it is compiled into; hModule is that object's handle:
//
//   AFX_RESOURCE_SECTION(RegisterStrings) {
//     AfxRegisterStrings(hModule, kStrings, std::size(kStrings));
//   }
//
// The section runs from a load-time constructor of high priority, so that
// resources exist before any entry point or static object of the process
// looks for them.
#define AFX_RESOURCE_PRIORITY 110
#define AFX_RESOURCE_SECTION(name)                                                                      \
  static void name(HMODULE hModule);                                                                    \
  __attribute__((constructor(AFX_RESOURCE_PRIORITY))) static void name##Attach() {                     \
    name(AfxModuleFromAddress(reinterpret_cast<const void*>(&name##Attach)));                           \
  }                                                                                                     \
  __attribute__((destructor(AFX_RESOURCE_PRIORITY))) static void name##Detach() {                      \
    AfxUnregisterResources(AfxModuleFromAddress(reinterpret_cast<const void*>(&name##Detach)));         \
  }                                                                                                     \
  static void name(HMODULE hModule)
