// kyfsl default: writes the built-in default library as it is stored.
#include "KyROZ50Module.h"
#include "kyfsl.h"

namespace kyfsl {

void RegisterDefault(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("default", "write the built-in default library (layout 20010521) to a file");
  auto output = std::make_shared<std::string>();
  sub->add_option("-o,--output", *output, "output file (.bru)")->required();
  sub->callback([output, &out] {
    HINSTANCE module = KyROZ50ResourceHandle();
    HRSRC res = FindResource(module, MAKEINTRESOURCE(4913), "KYFSLBMP");
    HGLOBAL h = res ? LoadResource(module, res) : nullptr;
    const unsigned char* p = h ? static_cast<const unsigned char*>(LockResource(h)) : nullptr;
    if (!p) throw Failure{"the built-in default library is missing from the module"};
    WriteFileReplacing(*output, p, SizeofResource(module, res));
    out.status = 0;
  });
}

}  // namespace kyfsl
