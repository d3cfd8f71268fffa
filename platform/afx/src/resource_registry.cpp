#include "resource_registry.h"

#include <dlfcn.h>

#include <cctype>
#include <cstring>
#include <set>

namespace afxres {

bool ParseKey(LPCSTR p, ResKey& out) {
  if (p == nullptr) return false;
  out = ResKey();
  if (IS_INTRESOURCE(p)) {
    out.isInt = true;
    out.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(p));
    return true;
  }
  if (*p == '\0') return false;
  if (*p == '#') {
    unsigned long n = 0;
    const char* q = p + 1;
    if (*q == '\0') return false;
    for (; *q; ++q) {
      if (!std::isdigit(static_cast<unsigned char>(*q))) return false;
      n = n * 10 + static_cast<unsigned long>(*q - '0');
      if (n > 0xFFFF) return false;
    }
    out.isInt = true;
    out.id = static_cast<WORD>(n);
    return true;
  }
  for (const char* q = p; *q; ++q) out.name += static_cast<char>(std::toupper(static_cast<unsigned char>(*q)));
  return true;
}

ResourceRegistry& ResourceRegistry::Instance() {
  static ResourceRegistry* registry = new ResourceRegistry;
  return *registry;
}

bool ResourceRegistry::Register(HMODULE hModule, const AFX_RESOURCE_ITEM* items, size_t count) {
  if (!hModule || (count && !items)) return false;
  std::vector<std::pair<ResKey, ResKey>> keys(count);
  for (size_t i = 0; i < count; ++i) {
    if (!ParseKey(items[i].lpType, keys[i].first) || !ParseKey(items[i].lpName, keys[i].second)) return false;
    if (!items[i].pData && items[i].cbData) return false;
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  Module& m = m_modules[hModule];
  for (size_t i = 0; i < count; ++i) {
    ResourceEntry& e = m.types[keys[i].first][keys[i].second][items[i].wLanguage];
    e.module = hModule;
    e.language = items[i].wLanguage;
    e.owned.clear();
    e.data = static_cast<const BYTE*>(items[i].pData);
    e.size = items[i].cbData;
    m_live.insert(&e);
  }
  return true;
}

bool ResourceRegistry::RegisterStrings(HMODULE hModule, const AFX_RESOURCE_STRING* strings, size_t count) {
  if (!hModule || (count && !strings)) return false;
  for (size_t i = 0; i < count; ++i) {
    if (strings[i].nID > 0xFFFF || !strings[i].pszText || std::strlen(strings[i].pszText) > 0xFFFF) return false;
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  Module& m = m_modules[hModule];
  std::set<std::pair<WORD, UINT>> touched;
  for (size_t i = 0; i < count; ++i) {
    m.strings[{strings[i].wLanguage, strings[i].nID}] = strings[i].pszText;
    touched.insert({strings[i].wLanguage, strings[i].nID / 16 + 1});
  }
  for (const auto& [lang, block] : touched) RebuildBlock(hModule, m, lang, block);
  return true;
}

void ResourceRegistry::RebuildBlock(HMODULE hModule, Module& m, WORD lang, UINT block) {
  ResKey type;
  type.isInt = true;
  type.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(RT_STRING));
  ResKey name;
  name.isInt = true;
  name.id = static_cast<WORD>(block);
  ResourceEntry& e = m.types[type][name][lang];
  e.module = hModule;
  e.language = lang;
  e.owned.clear();
  UINT first = (block - 1) * 16;
  for (UINT id = first; id < first + 16; ++id) {
    auto it = m.strings.find({lang, id});
    size_t len = it == m.strings.end() ? 0 : it->second.size();
    e.owned.push_back(static_cast<BYTE>(len & 0xFF));
    e.owned.push_back(static_cast<BYTE>(len >> 8));
    if (len) e.owned.insert(e.owned.end(), it->second.begin(), it->second.end());
  }
  e.data = e.owned.data();
  e.size = static_cast<DWORD>(e.owned.size());
  m_live.insert(&e);
}

void ResourceRegistry::Unregister(HMODULE hModule) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_modules.find(hModule);
  if (it == m_modules.end()) return;
  for (auto& [type, names] : it->second.types)
    for (auto& [name, langs] : names)
      for (auto& [lang, e] : langs) m_live.erase(&e);
  m_modules.erase(it);
}

const ResourceEntry* ResourceRegistry::Find(HMODULE hModule, const ResKey& type, const ResKey& name,
                                            WORD wLanguage, bool exactLang, DWORD* error) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto mod = m_modules.find(hModule);
  if (mod == m_modules.end() || mod->second.types.empty()) {
    *error = ERROR_RESOURCE_DATA_NOT_FOUND;
    return nullptr;
  }
  auto t = mod->second.types.find(type);
  if (t == mod->second.types.end()) {
    *error = ERROR_RESOURCE_TYPE_NOT_FOUND;
    return nullptr;
  }
  auto n = t->second.find(name);
  if (n == t->second.end() || n->second.empty()) {
    *error = ERROR_RESOURCE_NAME_NOT_FOUND;
    return nullptr;
  }
  const Languages& langs = n->second;
  if (exactLang) {
    auto l = langs.find(wLanguage);
    if (l == langs.end()) {
      *error = ERROR_RESOURCE_LANG_NOT_FOUND;
      return nullptr;
    }
    return &l->second;
  }
  // The user's language first, then what every user can read: neutral, the
  // neutral default, US English, and last whatever language there is.
  const WORD order[] = {wLanguage, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), LANGID_ENGLISH_US};
  for (WORD lang : order) {
    auto l = langs.find(lang);
    if (l != langs.end()) return &l->second;
  }
  return &langs.begin()->second;
}

bool ResourceRegistry::IsLive(const ResourceEntry* e, HMODULE hModule) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!e || !m_live.count(e)) return false;
  return !hModule || e->module == hModule;
}

}  // namespace afxres

HMODULE AfxModuleFromAddress(const void* p) {
  Dl_info info;
  if (!p || !dladdr(p, &info) || !info.dli_fbase) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

BOOL AfxRegisterResources(HMODULE hModule, const AFX_RESOURCE_ITEM* items, size_t count) {
  if (!afxres::ResourceRegistry::Instance().Register(hModule, items, count)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

BOOL AfxRegisterStrings(HMODULE hModule, const AFX_RESOURCE_STRING* strings, size_t count) {
  if (!afxres::ResourceRegistry::Instance().RegisterStrings(hModule, strings, count)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

void AfxUnregisterResources(HMODULE hModule) { afxres::ResourceRegistry::Instance().Unregister(hModule); }
