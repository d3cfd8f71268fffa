// kyfsl convert: reads any layout, writes the current one.
#include "kyfsl.h"

namespace kyfsl {

void RegisterConvert(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("convert", "read a library in any layout and write it in the current one");
  auto src = std::make_shared<Source>();
  auto output = std::make_shared<std::string>();
  sub->add_option("IN", src->path, "library to read")->required();
  sub->add_option("-o,--output", *output, "output file (.bru)")->required();
  sub->callback([src, output, &out] {
    CKyFillStyleLib lib;
    LoadLibrary(*src, lib);
    SaveLibrary(lib, *output);
    out.status = 0;
  });
}

}  // namespace kyfsl
