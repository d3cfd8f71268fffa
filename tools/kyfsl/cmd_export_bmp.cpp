// kyfsl export-bmp: one style's pattern as a .bmp file in two colours.
#include "device.h"

namespace kyfsl {

void RegisterExportBmp(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("export-bmp", "write one style's pattern as a .bmp file");
  auto src = std::make_shared<Source>();
  auto id = std::make_shared<long>(-1);
  auto output = std::make_shared<std::string>();
  auto fore = std::make_shared<std::string>("#000000");
  auto back = std::make_shared<std::string>("#FFFFFF");
  sub->add_option("LIB", src->path, "library")->required();
  sub->add_option("ID", *id, "style id")->required();
  sub->add_option("-o,--output", *output, ".bmp file to write")->required();
  sub->add_option("--fore", *fore, "foreground colour #RRGGBB");
  sub->add_option("--back", *back, "background colour #RRGGBB");
  sub->callback([src, id, output, fore, back, &out] {
    CKyFillStyleLib lib;
    LoadLibrary(*src, lib);
    CKyFillStyle* style = lib.GetFillStyle(lib.FindID(*id));
    if (!style) throw Failure{"the library has no style " + std::to_string(*id)};
    if (!style->ExportBMPFile(output->c_str(), ParseColour(*fore), ParseColour(*back))) {
      throw Failure{"cannot write '" + *output + "': " + SystemReason(GetLastError()) + " (nothing was changed)"};
    }
    out.status = 0;
  });
}

}  // namespace kyfsl
