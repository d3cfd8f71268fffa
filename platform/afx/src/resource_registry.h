// The process's table of module resources, behind the platform's resource
// calls. Internal to the framework library.
//
//   module ──> type ──> name ──> language ──> bytes
//
// Names and types are either integers or upper-case names (names compare
// without case, as on the home platform); names sort before integers, and
// each level is in ascending order, so "the lowest language" is the first.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "resimage.h"

namespace afxres {

struct ResKey {
  bool isInt = false;
  WORD id = 0;
  std::string name;  // upper case
  bool operator<(const ResKey& o) const {
    if (isInt != o.isInt) return !isInt;  // names first
    return isInt ? id < o.id : name < o.name;
  }
};

// MAKEINTRESOURCE(n), "#n" or a name. False for NULL, "" and "#" with no
// number below 65536.
bool ParseKey(LPCSTR p, ResKey& out);

struct ResourceEntry {
  HMODULE module = nullptr;
  WORD language = 0;
  const BYTE* data = nullptr;
  DWORD size = 0;
  std::vector<BYTE> owned;  // string blocks are built here; other data stays the module's
};

class ResourceRegistry {
 public:
  // Built on first use, never destroyed (modules unregister from unload
  // handlers that run after static destructors).
  static ResourceRegistry& Instance();

  bool Register(HMODULE hModule, const AFX_RESOURCE_ITEM* items, size_t count);
  bool RegisterStrings(HMODULE hModule, const AFX_RESOURCE_STRING* strings, size_t count);
  void Unregister(HMODULE hModule);

  // exactLang: only wLanguage; otherwise the search order of FindResource
  // for the thread's UI language. Null with *error set on failure.
  const ResourceEntry* Find(HMODULE hModule, const ResKey& type, const ResKey& name, WORD wLanguage,
                            bool exactLang, DWORD* error) const;
  // True when e is a resource still registered (for hModule, unless NULL).
  bool IsLive(const ResourceEntry* e, HMODULE hModule) const;

 private:
  typedef std::map<WORD, ResourceEntry> Languages;
  typedef std::map<ResKey, Languages> Names;
  struct Module {
    std::map<ResKey, Names> types;
    std::map<std::pair<WORD, UINT>, std::string> strings;  // (language, id)
  };
  void RebuildBlock(HMODULE hModule, Module& m, WORD lang, UINT block);

  mutable std::mutex m_mutex;
  std::map<HMODULE, Module> m_modules;
  std::unordered_set<const ResourceEntry*> m_live;
};

}  // namespace afxres
