// Opening and closing libraries, and the registry of live handles: a handle
// is used only after it is found in the registry, so a closed or foreign
// pointer is refused without being read. A handle is a serial number, not
// an address: the memory of a closed library may be reused by the next one,
// a serial never is.
#include <cstdint>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "KyByteArrayEx.h"
#include "KyROZ50Module.h"
#include "capi_internal.h"
#include "codepage.h"
#include "library_text.h"

namespace kyfsl_capi {

namespace {

constexpr long kMagics[] = {KY_FSL_MAGIC_CURRENT, KY_FSL_MAGIC_2001_05_21, KY_FSL_MAGIC_2001_05_10};

struct Registry {
  std::unordered_map<uintptr_t, std::unique_ptr<OpenLibrary>> live;
  uint64_t issued = 0;
};

Registry& Handles() {
  static Registry registry;
  return registry;
}

// Serial n as a handle: misaligned (odd) so that it can never be the
// address of a real object a caller mixes up with it.
uintptr_t HandleOf(uint64_t serial) { return static_cast<uintptr_t>(serial * 16 + 0xB); }

// Names as the platform converts them, replacement marks left in: the code
// page detection counts on them.
std::string Utf8(const CString& text, UINT codePage) {
  return AfxCodePageToUtf8(text, static_cast<size_t>(text.GetLength()), codePage);
}

void CollectGroupNames(CKyFillStyleGroup* group, std::vector<CString>& names) {
  names.push_back(group->GetName());
  for (long i = 0; i < group->GetSubGroupCount(); ++i) {
    if (CKyFillStyleGroup* sub = group->SubGroup(i)) CollectGroupNames(sub, names);
  }
}

// The page the names were most likely written in, as the command line
// detects it: 936 when some name is not plain ASCII and every name is valid
// GBK (decodes without a replacement character), else the platform's ANSI
// page.
UINT DetectCodePage(CKyFillStyleLib& lib) {
  std::vector<CString> names;
  for (long i = 0; i < lib.GetCount(); ++i) names.push_back(lib.GetFillStyleName(i));
  if (CKyFillStyleGroup* root = lib.GetStyleGroup()) CollectGroupNames(root, names);
  bool ascii = true;
  for (const CString& n : names) {
    for (int i = 0; i < n.GetLength(); ++i) ascii = ascii && static_cast<unsigned char>(n[i]) < 0x80;
  }
  if (ascii) return CP_ACP;
  for (const CString& n : names) {
    if (Utf8(n, 936).find("\xEF\xBF\xBD") != std::string::npos) return CP_ACP;
  }
  return 936;
}

void AddGroups(OpenLibrary& h, CKyFillStyleGroup* group, const std::string& parent) {
  OpenLibrary::Group g;
  const std::string name = LibraryTextUtf8(group->GetName(), h.codePage);
  g.path = parent.empty() ? name : parent + "/" + name;
  for (long i = 0; i < group->GetItemCount(); ++i) g.ids.push_back(static_cast<int32_t>(group->GetItemID(i)));
  const std::string path = g.path;
  h.groups.push_back(std::move(g));
  for (long i = 0; i < group->GetSubGroupCount(); ++i) {
    if (CKyFillStyleGroup* sub = group->SubGroup(i)) AddGroups(h, sub, path);
  }
}

// Reads the image into a new handle and fills its UTF-8 caches.
std::unique_ptr<OpenLibrary> FromImage(const unsigned char* data, size_t size, UINT codePage,
                                         const std::string& what) {
  if (size == 0) throw Error{KYFSL_ERR_FORMAT, what + " is empty"};
  if (size > KYFSL_MAX_BYTES) throw Error{KYFSL_ERR_FORMAT, what + " is too large to be a fill style library"};
  const long magic = size >= 4 ? KyReadLE32(data) : 0;
  bool known = false;
  for (long m : kMagics) known = known || m == magic;
  if (!known) throw Error{KYFSL_ERR_FORMAT, what + " is not a fill style library (unknown layout)"};
  auto h = std::make_unique<OpenLibrary>();
  CByteArray bytes;
  bytes.SetSize(static_cast<INT_PTR>(size));
  std::memcpy(bytes.GetData(), data, size);
  if (!h->lib.FromByteArray(bytes)) {
    throw Error{KYFSL_ERR_FORMAT, what + " is damaged: only " + std::to_string(h->lib.GetCount()) +
                                      " styles could be read before the fault"};
  }
  h->codePage = codePage ? codePage : DetectCodePage(h->lib);
  codePage = h->codePage;
  const long count = h->lib.GetCount();
  CKyFillStyleGroup* root = h->lib.GetStyleGroup();
  for (long i = 0; i < count; ++i) {
    h->names.push_back(LibraryTextUtf8(h->lib.GetFillStyleName(i), codePage));
    std::string path;
    for (const CKyFillStyleGroup* g = root ? root->GetGroupWithItemID(h->lib.FindIndex(i)) : nullptr; g;
         g = g->GetParentGroup()) {
      path = LibraryTextUtf8(g->GetName(), codePage) + (path.empty() ? "" : "/" + path);
    }
    h->groupOf.push_back(std::move(path));
  }
  if (root) AddGroups(*h, root, "");
  return h;
}

void CheckCodePage(unsigned codePage) {
  // The pages the platform converts; others would turn every name into U+FFFD.
  if (codePage != 0 && codePage != 936 && codePage != 1250 && codePage != 1251 && codePage != 1252 &&
      codePage != 65001) {
    throw Error{KYFSL_ERR_ARGUMENT, "code page " + std::to_string(codePage) +
                                        " is not one of 0, 936, 1250, 1251, 1252 or 65001"};
  }
}

void Publish(std::unique_ptr<OpenLibrary> h, kyfsl_library** out) {
  Registry& r = Handles();
  const uintptr_t handle = HandleOf(++r.issued);
  r.live.emplace(handle, std::move(h));
  *out = reinterpret_cast<kyfsl_library*>(handle);
}

}  // namespace

OpenLibrary* Live(const kyfsl_library* lib) {
  if (!lib) throw Error{KYFSL_ERR_HANDLE, "the library handle is NULL"};
  const auto found = Handles().live.find(reinterpret_cast<uintptr_t>(lib));
  if (found == Handles().live.end()) {
    throw Error{KYFSL_ERR_HANDLE, "the library handle is closed or was never opened"};
  }
  return found->second.get();
}

long PositionOf(const OpenLibrary& h, int32_t id) {
  const long position = h.lib.FindID(id);
  if (position < 0) throw Error{KYFSL_ERR_NOT_FOUND, "the library has no style " + std::to_string(id)};
  return position;
}

std::mutex& CallLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace kyfsl_capi

using namespace kyfsl_capi;

extern "C" {

int kyfsl_open_file(const char* path, unsigned code_page, kyfsl_library** out) {
  return Guarded([&] {
    Need(path, "path");
    Need(out, "out");
    CheckCodePage(code_page);
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary, &error)) {
      throw Error{KYFSL_ERR_IO, "cannot open " + error.GetErrorMessage().str()};
    }
    std::vector<unsigned char> bytes;
    try {
      const ULONGLONG length = file.GetLength();
      if (length > KYFSL_MAX_BYTES) {
        throw Error{KYFSL_ERR_FORMAT, "'" + std::string(path) + "' is too large to be a fill style library"};
      }
      bytes.resize(static_cast<size_t>(length));
      if (length && file.Read(bytes.data(), static_cast<UINT>(length)) != length) {
        throw Error{KYFSL_ERR_IO, "'" + std::string(path) + "' could not be read to its end"};
      }
    } catch (CFileException* e) {
      std::string why = e->GetErrorMessage().str();
      e->Delete();
      throw Error{KYFSL_ERR_IO, "cannot read " + why};
    }
    Publish(FromImage(bytes.data(), bytes.size(), code_page, "'" + std::string(path) + "'"), out);
  });
}

int kyfsl_open_bytes(const void* data, size_t size, unsigned code_page, kyfsl_library** out) {
  return Guarded([&] {
    Need(out, "out");
    if (size) Need(data, "data");
    CheckCodePage(code_page);
    Publish(FromImage(static_cast<const unsigned char*>(data), size, code_page, "the library image"), out);
  });
}

int kyfsl_open_default(unsigned code_page, kyfsl_library** out) {
  return Guarded([&] {
    Need(out, "out");
    CheckCodePage(code_page);
    HINSTANCE module = KyROZ50ResourceHandle();
    HRSRC res = FindResource(module, MAKEINTRESOURCE(4913), "KYFSLBMP");
    HGLOBAL loaded = res ? LoadResource(module, res) : nullptr;
    const unsigned char* p = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    const DWORD size = res ? SizeofResource(module, res) : 0;
    if (!p || size == 0) throw Error{KYFSL_ERR_FORMAT, "the built-in default library is missing from the module"};
    Publish(FromImage(p, size, code_page, "the built-in default library"), out);
  });
}

int kyfsl_close(kyfsl_library* lib) {
  return Guarded([&] {
    Live(lib);
    Handles().live.erase(reinterpret_cast<uintptr_t>(lib));
  });
}

}  // extern "C"
