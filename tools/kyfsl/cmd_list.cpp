// kyfsl list: one line per style.
#include <nlohmann/json.hpp>

#include <cstdio>

#include "kyfsl.h"
#include "text.h"

namespace kyfsl {

namespace {

int RunList(const Source& src, bool json, const Globals& given) {
  CheckSource(src);
  CKyFillStyleLib lib;
  bool damaged = false;
  LoadLibrary(src, lib, true, &damaged);
  const Globals g = ForLibrary(given, lib);
  nlohmann::json rows = nlohmann::json::array();
  if (!json) std::printf("%8s  %-6s  %-9s  %4s  %s\n", "id", "type", "size", "dpi", "name  [group]");
  for (long i = 0; i < lib.GetCount(); ++i) {
    CKyFillStyle* s = lib.GetFillStyle(i);
    const bool vector = s->GetType() == CKyFillStyle::FS_TYPE_VECTOR;
    CSize size = lib.GetFillStyleSize(i);
    // A negative height is a pattern stored top row first.
    if (!vector && size.cy < 0) size.cy = -size.cy;
    const std::string name = ToUtf8(s->GetFillStyleName(), g);
    const std::string group = GroupPath(lib, s->GetFillStyleID(), g);
    if (json) {
      nlohmann::json row = {{"id", s->GetFillStyleID()},
                            {"type", vector ? "symbol" : "bitmap"},
                            {"name", name},
                            {"width", size.cx},
                            {"height", size.cy},
                            {"size_unit", vector ? "0.1mm" : "pixel"},
                            {"group", group}};
      if (!vector) row["resolution"] = static_cast<long>(s->GetResolution());
      if (vector) row["symbol"] = s->GetFillStyleVector()->GetSymID();
      rows.push_back(row);
    } else {
      char dims[32];
      std::snprintf(dims, sizeof dims, "%dx%d%s", size.cx, size.cy, vector ? "mm/10" : "");
      std::printf("%8ld  %-6s  %-9s  %4s  %s  [%s]\n", s->GetFillStyleID(), vector ? "symbol" : "bitmap", dims,
                  vector ? "-" : std::to_string(static_cast<long>(s->GetResolution())).c_str(), OneLine(name).c_str(),
                  OneLine(group).c_str());
    }
  }
  if (json) std::printf("%s\n", rows.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
  if (damaged) {
    std::fprintf(stderr, "kyfsl: %s is damaged; listed are the styles read before the fault\n",
                 src.Describe().c_str());
    return 3;
  }
  return 0;
}

}  // namespace

void RegisterList(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("list", "one line per style: id, type, size, resolution, name, group");
  auto src = std::make_shared<Source>();
  auto json = std::make_shared<bool>(false);
  AddSourceOptions(sub, *src);
  sub->add_flag("--json", *json, "print JSON");
  sub->callback([src, json, &g, &out] { out.status = RunList(*src, *json, g); });
}

}  // namespace kyfsl
