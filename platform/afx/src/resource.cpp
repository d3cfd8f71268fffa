// The platform's resource calls over the registry of module resources.
#include <dlfcn.h>
#include <link.h>
#include <sys/auxv.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "codepage.h"
#include "resource_registry.h"
#include "winres.h"

using afxres::ResKey;
using afxres::ResourceEntry;
using afxres::ResourceRegistry;

namespace {

HMODULE ExecutableModule() {
  // The entry point of the program lies in the executable's mapping.
  return AfxModuleFromAddress(reinterpret_cast<const void*>(getauxval(AT_ENTRY)));
}

struct ModuleSearch {
  const char* wanted = nullptr;  // a file name to match, or
  HMODULE handle = nullptr;      // a handle whose path to find
  HMODULE found = nullptr;
  std::string path;
};

std::string BaseName(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

int VisitObject(struct dl_phdr_info* info, size_t, void* data) {
  auto* s = static_cast<ModuleSearch*>(data);
  HMODULE base = nullptr;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    if (info->dlpi_phdr[i].p_type == PT_LOAD) {
      base = AfxModuleFromAddress(reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr));
      break;
    }
  }
  if (!base) return 0;
  const char* name = info->dlpi_name ? info->dlpi_name : "";
  if (s->handle) {
    if (base != s->handle) return 0;
    s->found = base;
    s->path = name;
    return 1;
  }
  if (!*name) return 0;
  std::string file = BaseName(name);
  std::string w = s->wanted;
  if (file == w || file == "lib" + w + ".so" || file == w + ".so") {
    s->found = base;
    return 1;
  }
  return 0;
}

HRSRC FindIn(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage, bool exact) {
  ResKey type, name;
  if (!afxres::ParseKey(lpType, type)) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  if (!afxres::ParseKey(lpName, name)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  if (!hModule) hModule = ExecutableModule();
  DWORD error = 0;
  const ResourceEntry* e = ResourceRegistry::Instance().Find(hModule, type, name, wLanguage, exact, &error);
  if (!e) {
    SetLastError(error);
    return nullptr;
  }
  return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(e));
}

const ResourceEntry* Entry(HMODULE hModule, HRSRC hResInfo) {
  auto* e = reinterpret_cast<const ResourceEntry*>(hResInfo);
  return ResourceRegistry::Instance().IsLive(e, hModule) ? e : nullptr;
}

UINT CodePageOfLanguage(LANGID lang) { return PRIMARYLANGID(lang) == LANG_CHINESE ? 936u : 1252u; }

}  // namespace

HMODULE GetModuleHandle(LPCSTR lpModuleName) {
  if (!lpModuleName) return ExecutableModule();
  ModuleSearch s;
  s.wanted = lpModuleName;
  dl_iterate_phdr(VisitObject, &s);
  if (!s.found) SetLastError(ERROR_MOD_NOT_FOUND);
  return s.found;
}

DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  if (!lpFilename || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  ModuleSearch s;
  s.handle = hModule ? hModule : ExecutableModule();
  dl_iterate_phdr(VisitObject, &s);
  if (!s.found) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (s.path.empty()) {
    // The executable is listed without a name.
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n > 0) s.path.assign(buf, static_cast<size_t>(n));
  }
  DWORD len = static_cast<DWORD>(s.path.size());
  if (len >= nSize) {
    std::memcpy(lpFilename, s.path.data(), nSize - 1);
    lpFilename[nSize - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize - 1;
  }
  std::memcpy(lpFilename, s.path.c_str(), len + 1);
  return len;
}

HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  return FindIn(hModule, lpType, lpName, GetThreadUILanguage(), false);
}

HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage) {
  if (wLanguage == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL))
    return FindIn(hModule, lpType, lpName, GetThreadUILanguage(), false);
  return FindIn(hModule, lpType, lpName, wLanguage, true);
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
  const ResourceEntry* e = Entry(hModule, hResInfo);
  if (!e) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // An empty resource still loads; its handle must not read as a failure.
  static const BYTE kEmpty = 0;
  return const_cast<BYTE*>(e->size ? e->data : &kEmpty);
}

LPVOID LockResource(HGLOBAL hResData) { return hResData; }

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  const ResourceEntry* e = Entry(hModule, hResInfo);
  if (!e) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return e->size;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (!lpBuffer || cchBufferMax <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  lpBuffer[0] = '\0';
  if (uID > 0xFFFF) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  HRSRC hRes = FindResourceEx(hInstance, RT_STRING, MAKEINTRESOURCE(uID / 16 + 1), 0);
  if (!hRes) return 0;
  const ResourceEntry* e = reinterpret_cast<const ResourceEntry*>(hRes);
  const BYTE* p = e->data;
  const BYTE* end = e->data + e->size;
  // Walk the block to the slot of uID; a block is only ever built by the
  // registry, but its lengths are still checked against its size.
  for (UINT slot = 0;; ++slot) {
    if (end - p < 2) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return 0;
    }
    size_t len = p[0] | (p[1] << 8);
    p += 2;
    if (static_cast<size_t>(end - p) < len) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return 0;
    }
    if (slot == uID % 16) {
      if (len == 0) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
      }
      size_t room = static_cast<size_t>(cchBufferMax) - 1;
      size_t n = 0;
      if (len <= room) {
        n = len;
      } else {
        // Cut before a double-byte character that would not fit whole.
        UINT page = CodePageOfLanguage(e->language);
        while (n < room) {
          size_t step = IsDBCSLeadByteEx(page, p[n]) && n + 1 < len ? 2 : 1;
          if (n + step > room) break;
          n += step;
        }
      }
      std::memcpy(lpBuffer, p, n);
      lpBuffer[n] = '\0';
      return static_cast<int>(n);
    }
    p += len;
  }
}
