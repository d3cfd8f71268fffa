// kyfsl merge: appends one library to another.
#include "kyfsl.h"

namespace kyfsl {

void RegisterMerge(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("merge", "append OTHER to BASE; a style in both keeps BASE's unless --overwrite");
  auto base = std::make_shared<Source>();
  auto other = std::make_shared<Source>();
  auto output = std::make_shared<std::string>();
  auto overwrite = std::make_shared<bool>(false);
  sub->add_option("BASE", base->path, "library appended to")->required();
  sub->add_option("OTHER", other->path, "library appended")->required();
  sub->add_option("-o,--output", *output, "output file (.bru)")->required();
  sub->add_flag("--overwrite", *overwrite, "a style id in both libraries takes OTHER's style");
  sub->callback([base, other, output, overwrite, &out] {
    CKyFillStyleLib lib;
    LoadLibrary(*base, lib);
    // The other library is read once on its own first, so that a damaged
    // file is reported instead of merged in part.
    CKyFillStyleLib check;
    LoadLibrary(*other, check);
    if (!lib.Append(other->path.c_str(), *overwrite ? TRUE : FALSE)) throw Failure{"cannot read '" + other->path + "'"};
    SaveLibrary(lib, *output);
    out.status = 0;
  });
}

}  // namespace kyfsl
