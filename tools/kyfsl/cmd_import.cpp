// kyfsl import: adds bitmap patterns from .bmp files.
#include <sys/stat.h>

#include <cstdio>

#include "KyByteArrayEx.h"
#include "KyDib.h"
#include "kyfsl.h"

namespace kyfsl {

namespace {

struct ImportArgs {
  std::string lib;
  std::vector<std::string> bitmaps;
  std::string group;
  long resolution = 81;
  std::string output;
  bool create = false;
};

// Walks run-length data as a strict reader does: every run, literal and
// move must stay inside the picture and the data. "" when it does.
std::string RunLengthFault(const std::vector<unsigned char>& b, size_t at, long width, long height, unsigned bits) {
  long x = 0, y = 0;
  while (at + 1 < b.size()) {
    const unsigned n = b[at], code = b[at + 1];
    at += 2;
    if (n > 0) {
      if (x + static_cast<long>(n) > width || y >= height) return "has run-length data that runs past a row";
      x += n;
    } else if (code == 0) {
      x = 0;
      ++y;
    } else if (code == 1) {
      return "";
    } else if (code == 2) {
      if (at + 1 >= b.size()) return "has run-length data cut off in a move";
      x += b[at];
      y += b[at + 1];
      at += 2;
      if (x > width || y > height) return "has run-length data that moves outside the picture";
    } else {
      const size_t bytes = bits == 8 ? code : (code + 1) / 2;
      if (x + static_cast<long>(code) > width || y >= height) return "has run-length data that runs past a row";
      if (at + bytes > b.size()) return "has run-length data cut off in a literal run";
      at += (bytes + 1) / 2 * 2;
      x += code;
    }
  }
  return "has run-length data without its end mark";
}

// Why a file cannot be a pattern, or "" when it can: the library's own
// checks (size, "BM") and then the pattern reader's, which takes an image
// only when its headers agree with its bytes. The common faults are named;
// anything else the reader refuses is said as such.
std::string BitmapFault(const std::vector<unsigned char>& b) {
  if (b.empty()) return "is empty";
  if (b.size() > 307200) return "is larger than 307200 bytes";
  if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') return "is not a .bmp file";
  if (b.size() < 26) return "is too short to hold BMP headers";
  auto u16 = [&](size_t at) { return static_cast<unsigned>(b[at] | b[at + 1] << 8); };
  auto u32 = [&](size_t at) { return static_cast<unsigned long>(static_cast<DWORD>(KyReadLE32(b.data() + at))); };
  const unsigned long header = u32(14);
  if (header != 12 && header != 40 && header != 52 && header != 56 && header != 108 && header != 124) {
    return "has an info header of " + std::to_string(header) + " bytes, which no BMP has";
  }
  if (b.size() < 14 + header) return "is too short to hold its own headers";
  const bool core = header == 12;
  const long width = core ? static_cast<long>(u16(18)) : KyReadLE32(b.data() + 18);
  const long height = core ? static_cast<long>(u16(20)) : KyReadLE32(b.data() + 22);
  const unsigned planes = u16(core ? 22 : 26), bits = u16(core ? 24 : 28);
  if (planes != 1) return "says it has " + std::to_string(planes) + " colour planes; a BMP has 1";
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return "says it has " + std::to_string(bits) + " bits per pixel";
  }
  if (width <= 0 || height == 0) return "is " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
  if (u32(2) > b.size()) {
    return "says it is " + std::to_string(u32(2)) + " bytes long but has " + std::to_string(b.size());
  }
  if (u32(10) >= b.size()) return "says its pixels start at byte " + std::to_string(u32(10)) + ", past its end";
  const unsigned long compression = core ? 0 : u32(30);
  if ((compression == 1 && bits == 8) || (compression == 2 && bits == 4)) {
    const std::string rle = RunLengthFault(b, u32(10), width, height < 0 ? -height : height, bits);
    if (!rle.empty()) return rle;
  }
  CKyDib dib;
  if (!dib.Load(b.data(), b.size())) {
    return "has pixel data that does not agree with its headers (too short, or broken run-length data)";
  }
  return "";
}

void CheckBitmap(const std::string& path) {
  const std::string fault = BitmapFault(ReadWholeFile(path));
  if (!fault.empty()) throw Failure{"'" + path + "' " + fault + "; nothing was imported"};
}

std::string Stem(const std::string& path) {
  std::string name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

CKyFillStyleGroup* FindOrMakeGroup(CKyFillStyleLib& lib, const std::string& path, const Globals& g) {
  CKyFillStyleGroup* group = lib.GetStyleGroup();
  size_t start = 0;
  while (start < path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    const std::string part = path.substr(start, slash - start);
    start = slash + 1;
    if (part.empty()) continue;
    const CString name = FromUtf8(part, g);
    CKyFillStyleGroup* next = group->SubGroup(name);
    if (!next) next = group->CreateSubGroup(name);
    group = next;
  }
  return group;
}

int RunImport(const ImportArgs& a, const Globals& given) {
  if (!CKyFillStyle::IsValidResolution(a.resolution)) {
    throw Failure{"resolution " + std::to_string(a.resolution) + " is not one of 72, 81, 96, 127, 150, 200, 254", 2};
  }
  CKyFillStyleLib lib;
  struct stat st;
  if (a.create && ::stat(a.lib.c_str(), &st) != 0) {
    lib.SetModifiedFlag(FALSE);
  } else {
    LoadLibrary(Source{a.lib, false}, lib);
  }
  const Globals g = ForLibrary(given, lib);
  CKyFillStyleGroup* group = FindOrMakeGroup(lib, a.group, g);
  for (const std::string& path : a.bitmaps) {
    CheckBitmap(path);
    const long id = std::max(lib.GetMaxID() + 1, 8L);
    if (!lib.AddFillStyle(id, FromUtf8(Stem(path), g), group, 0, path.c_str(),
                          static_cast<CKyFillStyle::FS_RESOLUTION>(a.resolution))) {
      throw Failure{"'" + path + "' could not be added"};
    }
    std::printf("%ld  %s\n", id, Stem(path).c_str());
  }
  SaveLibrary(lib, a.output);
  return 0;
}

}  // namespace

void RegisterImport(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("import", "add bitmap patterns from .bmp files (ids after the largest)");
  auto a = std::make_shared<ImportArgs>();
  sub->add_option("LIB", a->lib, "library to add to")->required();
  sub->add_option("BMP", a->bitmaps, ".bmp files, 307200 bytes at most")->required();
  sub->add_option("--group", a->group, "group path below the root, made where missing (a/b/c)");
  sub->add_option("--resolution", a->resolution, "dots per inch of the patterns (default 81)");
  sub->add_option("-o,--output", a->output, "output file (.bru)")->required();
  sub->add_flag("--create", a->create, "start from an empty library when LIB does not exist");
  sub->callback([a, &g, &out] { out.status = RunImport(*a, g); });
}

}  // namespace kyfsl
