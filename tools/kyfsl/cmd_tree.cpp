// kyfsl tree: the group tree with item counts.
#include <cstdio>

#include "kyfsl.h"
#include "text.h"

namespace kyfsl {

namespace {

void Print(CKyFillStyleGroup* group, int depth, const Globals& g) {
  std::printf("%*s%s (%ld %s)\n", depth * 2, "", OneLine(ToUtf8(group->GetName(), g)).c_str(), group->GetItemCount(),
              group->GetItemCount() == 1 ? "style" : "styles");
  for (long i = 0; i < group->GetSubGroupCount(); ++i) Print(group->SubGroup(i), depth + 1, g);
}

}  // namespace

void RegisterTree(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("tree", "the group tree with item counts");
  auto src = std::make_shared<Source>();
  AddSourceOptions(sub, *src);
  sub->callback([src, &g, &out] {
    CheckSource(*src);
    CKyFillStyleLib lib;
    bool damaged = false;
    LoadLibrary(*src, lib, true, &damaged);
    Print(lib.GetStyleGroup(), 0, ForLibrary(g, lib));
    out.status = damaged ? 3 : 0;
    if (damaged) std::fprintf(stderr, "kyfsl: %s is damaged\n", src->Describe().c_str());
  });
}

}  // namespace kyfsl
