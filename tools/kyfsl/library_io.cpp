#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "KyROZ50Module.h"
#include "afxreplacefile.h"
#include "kyfsl.h"
#include "text.h"

namespace kyfsl {

namespace {

constexpr long kMagics[] = {KY_FSL_MAGIC_CURRENT, KY_FSL_MAGIC_2001_05_21, KY_FSL_MAGIC_2001_05_10};

std::vector<unsigned char> BuiltInImage() {
  HINSTANCE module = KyROZ50ResourceHandle();
  HRSRC res = FindResource(module, MAKEINTRESOURCE(4913), "KYFSLBMP");
  HGLOBAL h = res ? LoadResource(module, res) : nullptr;
  const unsigned char* p = h ? static_cast<const unsigned char*>(LockResource(h)) : nullptr;
  const DWORD size = res ? SizeofResource(module, res) : 0;
  if (!p || size == 0) throw Failure{"the built-in default library is missing from the module"};
  return std::vector<unsigned char>(p, p + size);
}

std::vector<unsigned char> ImageOf(const Source& src) { return src.builtIn ? BuiltInImage() : ReadWholeFile(src.path); }

}  // namespace

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) throw Failure{"'" + path + "' is a folder, not a file"};
  CFile file;
  CFileException error;
  if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary, &error)) {
    throw Failure{"cannot open " + error.GetErrorMessage().str()};
  }
  try {
    const ULONGLONG length = file.GetLength();
    if (length > 0x7FFFFFFFULL) throw Failure{"'" + path + "' is too large to be a fill style library"};
    std::vector<unsigned char> bytes(static_cast<size_t>(length));
    if (length && file.Read(bytes.data(), static_cast<UINT>(length)) != length) {
      throw Failure{"'" + path + "' could not be read to its end"};
    }
    return bytes;
  } catch (CFileException* e) {
    std::string why = e->GetErrorMessage().str();
    e->Delete();
    throw Failure{"cannot read " + why};
  }
}

long ReadMagic(const Source& src) {
  std::vector<unsigned char> image = ImageOf(src);
  if (image.size() < 4) return 0;
  return KyReadLE32(image.data());
}

void LoadLibrary(const Source& src, CKyFillStyleLib& lib, bool allowDamaged, bool* damaged) {
  if (damaged) *damaged = false;
  std::vector<unsigned char> image = ImageOf(src);
  if (image.empty()) throw Failure{src.Describe() + " is empty"};
  const long magic = image.size() >= 4 ? KyReadLE32(image.data()) : 0;
  bool known = false;
  for (long m : kMagics) known = known || m == magic;
  if (!known) throw Failure{src.Describe() + " is not a fill style library (unknown layout)"};
  CByteArray bytes;
  bytes.SetSize(static_cast<INT_PTR>(image.size()));
  std::memcpy(bytes.GetData(), image.data(), image.size());
  if (!lib.FromByteArray(bytes)) {
    if (!allowDamaged) {
      throw Failure{src.Describe() + " is damaged: only " + std::to_string(lib.GetCount()) +
                    " styles could be read before the fault (kyfsl salvage writes them to a new file)", 3};
    }
    if (damaged) *damaged = true;
  }
  lib.SetModifiedFlag(FALSE);
}

void WriteFileReplacing(const std::string& path, const unsigned char* data, size_t size) {
  CFileException error;
  if (!AfxWriteFileReplacing(path.c_str(), data, size, &error)) {
    // The reason alone; the name the user gave reads better than the end of
    // a chain of links.
    error.m_strFileName.Empty();
    throw Failure{"cannot write '" + path + "': " + error.GetErrorMessage().str() + " (nothing was changed)"};
  }
}

void SaveLibrary(CKyFillStyleLib& lib, const std::string& path) {
  if (lib.GetCount() == 0) throw Failure{"the library has no styles left; nothing was written to '" + path + "'"};
  const BOOL wasModified = lib.IsModified();
  CByteArray image;
  const BOOL made = lib.ToByteArray(image);
  lib.SetModifiedFlag(wasModified);
  if (!made) throw Failure{"the library cannot be written; nothing was written to '" + path + "'"};
  WriteFileReplacing(path, image.GetData(), static_cast<size_t>(image.GetSize()));
}

std::string ToUtf8(const CString& text, const Globals& g) {
  return DecodeName(text.str(), g.codePage ? g.codePage : GetACP());
}

CString FromUtf8(const std::string& text, const Globals& g) {
  std::string bytes;
  const UINT page = g.codePage ? g.codePage : GetACP();
  if (!EncodeName(ValidUtf8(text), page, &bytes)) {
    throw Failure{"'" + OneLine(ValidUtf8(text)) + "' cannot be written in code page " + std::to_string(page)};
  }
  return CString(bytes);
}

Globals ForLibrary(const Globals& g, CKyFillStyleLib& lib) {
  Globals out = g;
  if (out.codePage != 0) return out;
  std::vector<std::string> names;
  for (long i = 0; i < lib.GetCount(); ++i) names.push_back(lib.GetFillStyleName(i).str());
  // The tree is walked with a stack of our own: a deep chain of groups
  // must not exhaust the program's.
  std::vector<CKyFillStyleGroup*> todo{lib.GetStyleGroup()};
  while (!todo.empty()) {
    CKyFillStyleGroup* group = todo.back();
    todo.pop_back();
    names.push_back(group->GetName().str());
    for (long i = 0; i < group->GetSubGroupCount(); ++i) todo.push_back(group->SubGroup(i));
  }
  out.codePage = DetectCodePage(names, GetACP());
  out.detected = true;
  return out;
}

std::string GroupPath(CKyFillStyleLib& lib, long id, const Globals& g) {
  const CKyFillStyleGroup* group = lib.GetStyleGroup()->GetGroupWithItemID(id);
  std::string path;
  for (; group; group = group->GetParentGroup()) {
    path = ToUtf8(group->GetName(), g) + (path.empty() ? "" : "/" + path);
  }
  return path;
}

void AddSourceOptions(CLI::App* sub, Source& src) {
  sub->add_option("LIB", src.path, "fill style library (.bru)");
  sub->add_flag("--default", src.builtIn, "use the built-in default library");
}

void CheckSource(const Source& src) {
  if (src.builtIn && !src.path.empty()) throw Failure{"give either LIB or --default, not both", 2};
  if (!src.builtIn && src.path.empty()) throw Failure{"give a library file or --default", 2};
}

std::vector<std::pair<long, long>> ParseIdRanges(const std::string& text) {
  std::vector<std::pair<long, long>> out;
  auto bad = [&] { return Failure{"--ids '" + text + "' is not a list like 8,9,12-15", 2}; };
  auto number = [&](const std::string& s) {
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end || v < 0 || v > 0x7FFFFFFFL) throw bad();
    return v;
  };
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string part = text.substr(start, comma - start);
    const size_t dash = part.find('-', 1);
    const long first = number(part.substr(0, dash));
    const long last = dash == std::string::npos ? first : number(part.substr(dash + 1));
    if (last < first) throw bad();
    out.emplace_back(first, last);
    start = comma + 1;
  }
  return out;
}

}  // namespace kyfsl
