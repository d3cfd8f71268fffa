// kyfsl set-id: gives a style a new id, in the library and in its group.
#include "kyfsl.h"
#include "text.h"

namespace kyfsl {

namespace {

struct SetIdArgs {
  std::string lib;
  long oldID = -1, newID = -1;
  std::string output;
};

int RunSetId(const SetIdArgs& a, const Globals& given) {
  CKyFillStyleLib lib;
  LoadLibrary(Source{a.lib, false}, lib);
  const Globals g = ForLibrary(given, lib);
  const long position = lib.FindID(a.oldID);
  // The library's own checks, made first so that the user hears which one.
  if (position < 0) throw Failure{"the library has no style " + std::to_string(a.oldID)};
  if (a.newID < 8) throw Failure{"ids 0 to 7 are the built-in fills; give 8 or more", 2};
  const long other = lib.FindID(a.newID);
  if (other >= 0 && other != position) {
    throw Failure{"id " + std::to_string(a.newID) + " is used by '" + OneLine(ToUtf8(lib.GetFillStyleName(other), g)) +
                  "'"};
  }
  if (!lib.SetFillStyleID(position, a.newID)) throw Failure{"the library refuses id " + std::to_string(a.newID)};
  SaveLibrary(lib, a.output.empty() ? a.lib : a.output);
  return 0;
}

}  // namespace

void RegisterSetId(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("set-id", "give a style a new id, in the library and in its group");
  auto a = std::make_shared<SetIdArgs>();
  sub->add_option("LIB", a->lib, "library")->required();
  sub->add_option("OLD", a->oldID, "the style's id")->required();
  sub->add_option("NEW", a->newID, "its new id, 8 or more, not used by another style")->required();
  sub->add_option("-o,--output", a->output, "output file (.bru; default: LIB itself, replaced whole)");
  sub->callback([a, &g, &out] { out.status = RunSetId(*a, g); });
}

}  // namespace kyfsl
