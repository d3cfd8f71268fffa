// kyfsl info: what a library holds, in one screen or as JSON.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <functional>

#include "kyfsl.h"
#include "text.h"

namespace kyfsl {

namespace {

long CountGroups(const CKyFillStyleGroup* g) {
  long n = 1;
  for (long i = 0; i < g->GetSubGroupCount(); ++i) n += CountGroups(const_cast<CKyFillStyleGroup*>(g)->SubGroup(i));
  return n;
}

int RunInfo(const Source& src, bool json, const Globals& given) {
  CheckSource(src);
  CKyFillStyleLib lib;
  bool damaged = false;
  LoadLibrary(src, lib, true, &damaged);
  const Globals g = ForLibrary(given, lib);
  const long magic = ReadMagic(src);
  long bitmaps = 0, symbols = 0, minID = -1, maxID = -1;
  for (long i = 0; i < lib.GetCount(); ++i) {
    (lib.GetFillStyle(i)->GetType() == CKyFillStyle::FS_TYPE_VECTOR ? symbols : bitmaps)++;
    const long id = lib.FindIndex(i);
    if (minID < 0 || id < minID) minID = id;
    if (id > maxID) maxID = id;
  }
  const long groups = CountGroups(lib.GetStyleGroup());
  const long symbolCount = lib.GetSymLib()->GetSymbolCount();
  if (json) {
    nlohmann::json j = {{"source", src.builtIn ? "default" : src.path},
                        {"magic", magic},
                        {"styles", lib.GetCount()},
                        {"bitmap_styles", bitmaps},
                        {"symbol_styles", symbols},
                        {"min_id", minID},
                        {"max_id", maxID},
                        {"groups", groups},
                        {"symbols", symbolCount},
                        {"root", ToUtf8(lib.GetStyleGroup()->GetName(), g)},
                        {"codepage", g.codePage},
                        {"codepage_detected", g.detected},
                        {"damaged", damaged}};
    std::printf("%s\n", j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
  } else {
    std::printf("library:  %s\n", src.Describe().c_str());
    std::printf("layout:   %ld%s\n", magic,
                magic == KY_FSL_MAGIC_CURRENT ? " (current)" : " (older layout, converted on save)");
    std::printf("styles:   %ld (%ld bitmap, %ld symbol)\n", lib.GetCount(), bitmaps, symbols);
    if (lib.GetCount() > 0) std::printf("ids:      %ld to %ld\n", minID, maxID);
    std::printf("groups:   %ld under \"%s\"\n", groups, OneLine(ToUtf8(lib.GetStyleGroup()->GetName(), g)).c_str());
    std::printf("symbols:  %ld\n", symbolCount);
    std::printf("names:    code page %u%s\n", g.codePage, g.detected ? " (detected)" : " (given)");
  }
  if (damaged) {
    std::fprintf(stderr, "kyfsl: %s is damaged; shown is what could be read before the fault\n",
                 src.Describe().c_str());
    return 3;
  }
  return 0;
}

}  // namespace

void RegisterInfo(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("info", "layout, style, group and symbol counts of a library");
  auto src = std::make_shared<Source>();
  auto json = std::make_shared<bool>(false);
  AddSourceOptions(sub, *src);
  sub->add_flag("--json", *json, "print JSON");
  sub->callback([src, json, &g, &out] { out.status = RunInfo(*src, *json, g); });
}

}  // namespace kyfsl
