// kyfsl import: adds bitmap patterns from .bmp files.
#include <sys/stat.h>

#include <cstdio>

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

// The checks the library makes, made first so that the user hears why a
// file is refused.
void CheckBitmap(const std::string& path) {
  std::vector<unsigned char> bytes = ReadWholeFile(path);
  if (bytes.empty()) throw Failure{"'" + path + "' is empty"};
  if (bytes.size() > 307200) throw Failure{"'" + path + "' is larger than 307200 bytes"};
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') throw Failure{"'" + path + "' is not a .bmp file"};
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
