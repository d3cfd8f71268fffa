// kyfsl rename: gives a style a new name.
#include "kyfsl.h"

namespace kyfsl {

void RegisterRename(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("rename", "give a style a new name (UTF-8, stored in the library's code page)");
  auto lib = std::make_shared<std::string>();
  auto id = std::make_shared<long>(-1);
  auto name = std::make_shared<std::string>();
  auto output = std::make_shared<std::string>();
  sub->add_option("LIB", *lib, "library")->required();
  sub->add_option("ID", *id, "style id")->required();
  sub->add_option("NAME", *name, "new name")->required();
  sub->add_option("-o,--output", *output, "output file (.bru)")->required();
  sub->callback([lib, id, name, output, &g, &out] {
    CKyFillStyleLib l;
    LoadLibrary(Source{*lib, false}, l);
    const long position = l.FindID(*id);
    if (position < 0) throw Failure{"the library has no style " + std::to_string(*id)};
    l.SetFillStyleName(position, FromUtf8(*name, ForLibrary(g, l)));
    SaveLibrary(l, *output);
    out.status = 0;
  });
}

}  // namespace kyfsl
