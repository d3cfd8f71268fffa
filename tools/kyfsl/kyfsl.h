// The kyfsl command line: shared pieces of the subcommands. Each subcommand
// lives in a file of its own and registers itself with Register*().
#pragma once

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

#include "KyFillStyleLib.h"

namespace kyfsl {

// Options every subcommand sees.
struct Globals {
  UINT codePage = 0;  // 0: detected from the library's names (ForLibrary)
  bool detected = false;  // codePage was detected, not given
};

// A subcommand's outcome; main() turns it into the exit status.
struct Outcome {
  int status = 0;
};

// Thrown by the subcommands for an error the user can act on; main() prints
// "kyfsl: <message>" and exits with the status.
struct Failure {
  std::string message;
  int status = 1;
};

// Where a library comes from: a file, or the built-in default library.
struct Source {
  std::string path;
  bool builtIn = false;
  std::string Describe() const { return builtIn ? std::string("the built-in default library") : "'" + path + "'"; }
};

// Reads the library, or throws Failure with the reason. A damaged image
// (readable only in part) is refused unless allowDamaged; then *damaged
// tells.
void LoadLibrary(const Source& src, CKyFillStyleLib& lib, bool allowDamaged = false, bool* damaged = nullptr);
// The magic of the image the library was read from.
long ReadMagic(const Source& src);
// Writes the library in the current layout; throws Failure when it cannot.
void SaveLibrary(CKyFillStyleLib& lib, const std::string& path);
// Writes bytes to a file by way of a temporary file beside it.
void WriteFileReplacing(const std::string& path, const unsigned char* data, size_t size);
std::vector<unsigned char> ReadWholeFile(const std::string& path);

// Text of the library's code page as valid UTF-8 (U+FFFD where a byte is no
// character), and back (throws Failure when a character has no form in the
// page). Use the globals of ForLibrary.
std::string ToUtf8(const CString& text, const Globals& g);
CString FromUtf8(const std::string& text, const Globals& g);

// "Root Group/Hatches/Fine" for the group that holds the id, "" for none.
std::string GroupPath(CKyFillStyleLib& lib, long id, const Globals& g);

void RegisterInfo(CLI::App& app, const Globals& g, Outcome& out);
void RegisterList(CLI::App& app, const Globals& g, Outcome& out);
// Only in builds with the window system (KYFSL_WITH_EDITOR).
void RegisterEdit(CLI::App& app, const Globals& g, Outcome& out);
void RegisterTree(CLI::App& app, const Globals& g, Outcome& out);
void RegisterDefault(CLI::App& app, const Globals& g, Outcome& out);
void RegisterConvert(CLI::App& app, const Globals& g, Outcome& out);
void RegisterMerge(CLI::App& app, const Globals& g, Outcome& out);
void RegisterSetId(CLI::App& app, const Globals& g, Outcome& out);
void RegisterSalvage(CLI::App& app, const Globals& g, Outcome& out);
void RegisterImport(CLI::App& app, const Globals& g, Outcome& out);
void RegisterRemove(CLI::App& app, const Globals& g, Outcome& out);
void RegisterRename(CLI::App& app, const Globals& g, Outcome& out);
void RegisterRender(CLI::App& app, const Globals& g, Outcome& out);
void RegisterGallery(CLI::App& app, const Globals& g, Outcome& out);
void RegisterExportBmp(CLI::App& app, const Globals& g, Outcome& out);
void RegisterExport(CLI::App& app, const Globals& g, Outcome& out);
void RegisterDemo(CLI::App& app, const Globals& g, Outcome& out);
void RegisterDialogs(CLI::App& app, const Globals& g, Outcome& out);
void RegisterPick(CLI::App& app, const Globals& g, Outcome& out);
void RegisterCanvas(CLI::App& app, const Globals& g, Outcome& out);
// Only in builds with the map renderer (KYFSL_WITH_MAP).
void RegisterMap(CLI::App& app, const Globals& g, Outcome& out);
// Only in builds with the tile renderer (KYFSL_WITH_TILES).
void RegisterTiles(CLI::App& app, const Globals& g, Outcome& out);
void RegisterServe(CLI::App& app, const Globals& g, Outcome& out);

// The globals for the names of lib: the page the user gave, or else the one
// its names read as (GB2312/GBK text as 936, anything else as the
// platform's ANSI code page), with detected set.
Globals ForLibrary(const Globals& g, CKyFillStyleLib& lib);

// Adds "LIB" and "--default" to a subcommand that reads a library.
void AddSourceOptions(CLI::App* sub, Source& src);
void CheckSource(const Source& src);

// "8,9,12-15" as ranges of ids, first and last included, in the order given
// (never expanded); throws Failure with status 2 for anything else.
std::vector<std::pair<long, long>> ParseIdRanges(const std::string& text);

}  // namespace kyfsl
