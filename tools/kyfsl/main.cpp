// kyfsl: keeps fill style libraries (.bru files) from the command line.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "kyfsl.h"
#include "text.h"

int main(int argc, char** argv) {
  kyfsl::Globals globals;
  kyfsl::Outcome outcome;
  CLI::App app{"kyfsl: inspect, convert, merge and edit fill style libraries (.bru)"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "kyfsl 1.0.0");
  // Options of the command line as a whole are taken anywhere, also after
  // the subcommand; subcommands made after this inherit it.
  app.fallthrough();
  app.add_option("--codepage", globals.codePage,
                 "code page of the names in the library, any that the system's iconv knows (default: detected; "
                 "GB2312/GBK text reads as 936, anything else as the platform's ANSI code page)")
      ->check(CLI::Validator(
          [](const std::string& v) {
            const long page = std::strtol(v.c_str(), nullptr, 10);
            if (page <= 0 || page > 65535 || kyfsl::IconvNameOf(static_cast<UINT>(page)).empty()) {
              return "code page " + v + " is not one the system can convert";
            }
            return std::string();
          },
          "CODEPAGE"));
  // A write past a file-size limit is reported as a failed write (the old
  // file stays whole) instead of ending the process.
  std::signal(SIGXFSZ, SIG_IGN);

#ifdef KYFSL_WITH_EDITOR
  kyfsl::RegisterEdit(app, globals, outcome);
#endif
  kyfsl::RegisterInfo(app, globals, outcome);
  kyfsl::RegisterList(app, globals, outcome);
  kyfsl::RegisterTree(app, globals, outcome);
  kyfsl::RegisterDefault(app, globals, outcome);
  kyfsl::RegisterConvert(app, globals, outcome);
  kyfsl::RegisterMerge(app, globals, outcome);
  kyfsl::RegisterSetId(app, globals, outcome);
  kyfsl::RegisterSalvage(app, globals, outcome);
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
#ifdef KYFSL_WITH_TILES
  kyfsl::RegisterTiles(app, globals, outcome);
  kyfsl::RegisterServe(app, globals, outcome);
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
  } catch (const std::exception& e) {
    // Nothing may end the program uncaught; this is a fault of ours, said in one line.
    std::fprintf(stderr, "kyfsl: internal error: %s\n", kyfsl::OneLine(kyfsl::ValidUtf8(e.what())).c_str());
    return 1;
  } catch (CFileException* e) {
    // The framework's file class throws pointers.
    std::fprintf(stderr, "kyfsl: %s\n", kyfsl::OneLine(kyfsl::ValidUtf8(e->GetErrorMessage().str())).c_str());
    e->Delete();
    return 1;
  } catch (...) {
    std::fprintf(stderr, "kyfsl: internal error\n");
    return 1;
  }
  return outcome.status;
}
