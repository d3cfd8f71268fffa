// kyfsl remove: deletes styles by id.
#include "kyfsl.h"

namespace kyfsl {

void RegisterRemove(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("remove", "delete styles by id, from the library and its groups");
  auto lib = std::make_shared<std::string>();
  auto ids = std::make_shared<std::vector<long>>();
  auto output = std::make_shared<std::string>();
  sub->add_option("LIB", *lib, "library")->required();
  sub->add_option("ID", *ids, "style ids")->required();
  sub->add_option("-o,--output", *output, "output file (.bru)")->required();
  sub->callback([lib, ids, output, &out] {
    CKyFillStyleLib l;
    LoadLibrary(Source{*lib, false}, l);
    for (long id : *ids) {
      if (!l.Remove(id)) throw Failure{"the library has no style " + std::to_string(id)};
    }
    SaveLibrary(l, *output);
    out.status = 0;
  });
}

}  // namespace kyfsl
