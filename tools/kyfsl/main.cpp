// kyfsl: keeps fill style libraries (.bru files) from the command line.
#include <cstdio>

#include "kyfsl.h"

int main(int argc, char** argv) {
  kyfsl::Globals globals;
  kyfsl::Outcome outcome;
  CLI::App app{"kyfsl: inspect, convert, merge and edit fill style libraries (.bru)"};
  app.require_subcommand(1);
  app.add_option("--codepage", globals.codePage,
                 "code page of the names in the library (default: the platform's ANSI code page)");

#ifdef KYFSL_WITH_EDITOR
  kyfsl::RegisterEdit(app, globals, outcome);
#endif
  kyfsl::RegisterInfo(app, globals, outcome);
  kyfsl::RegisterList(app, globals, outcome);
  kyfsl::RegisterTree(app, globals, outcome);
  kyfsl::RegisterDefault(app, globals, outcome);
  kyfsl::RegisterConvert(app, globals, outcome);
  kyfsl::RegisterMerge(app, globals, outcome);
  kyfsl::RegisterImport(app, globals, outcome);
  kyfsl::RegisterRemove(app, globals, outcome);
  kyfsl::RegisterRename(app, globals, outcome);
  kyfsl::RegisterRender(app, globals, outcome);
  kyfsl::RegisterGallery(app, globals, outcome);
  kyfsl::RegisterExportBmp(app, globals, outcome);
  kyfsl::RegisterExport(app, globals, outcome);
  kyfsl::RegisterDemo(app, globals, outcome);
  kyfsl::RegisterDialogs(app, globals, outcome);
#ifdef KYFSL_WITH_PICKER
  kyfsl::RegisterPick(app, globals, outcome);
#endif
  kyfsl::RegisterCanvas(app, globals, outcome);
#ifdef KYFSL_WITH_MAP
  kyfsl::RegisterMap(app, globals, outcome);
#endif

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const kyfsl::Failure& f) {
    std::fprintf(stderr, "kyfsl: %s\n", f.message.c_str());
    return f.status;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "kyfsl: out of memory\n");
    return 1;
  }
  return outcome.status;
}
