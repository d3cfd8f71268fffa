// kyfsl merge: appends one library to another, and says what became of every
// style whose id both hold.
#include <cstdio>
#include <map>

#include "kyfsl.h"
#include "text.h"

namespace kyfsl {

namespace {

// The library's own merge of an image, which the command line hands a
// changed copy of OTHER when clashing styles are renumbered.
class MergingLibrary : public CKyFillStyleLib {
 public:
  using CKyFillStyleLib::AppendFromByteArray;
};

struct MergeArgs {
  Source base, other;
  std::string output;
  bool overwrite = false;
  bool renumber = false;
};

std::string Quoted(CKyFillStyleLib& lib, long id, const Globals& g) {
  return "'" + OneLine(ToUtf8(lib.GetFillStyleName(lib.FindID(id)), g)) + "'";
}

int RunMerge(const MergeArgs& a, const Globals& given) {
  if (a.overwrite && a.renumber) throw Failure{"give --overwrite or --renumber, not both", 2};
  MergingLibrary lib;
  LoadLibrary(a.base, lib);
  CKyFillStyleLib other;
  LoadLibrary(a.other, other);
  const Globals g = ForLibrary(given, lib);
  const Globals og = ForLibrary(given, other);

  // The ids both libraries hold, in ascending order.
  std::map<long, long> renumbered;  // OTHER's old id -> new id
  std::vector<long> clashes;
  for (long i = 0; i < other.GetCount(); ++i) {
    const long id = other.FindIndex(i);
    if (lib.FindID(id) >= 0) clashes.push_back(id);
  }
  long kept = 0, replaced = 0, dropped = 0;
  for (long id : clashes) {
    const std::string mine = Quoted(lib, id, g), theirs = Quoted(other, id, og);
    if (a.renumber) {
      // As the library numbers a new style: after the largest id there is.
      const long next = std::max({lib.GetMaxID(), other.GetMaxID(), 7L}) + 1;
      if (!other.SetFillStyleID(other.FindID(id), next)) throw Failure{"style " + std::to_string(id) + " cannot be renumbered"};
      renumbered[id] = next;
      std::printf("renumbered %ld -> %ld  %s (both kept; %ld stays %s)\n", id, next, theirs.c_str(), id, mine.c_str());
    } else if (a.overwrite) {
      ++replaced;
      std::printf("replaced   %ld  %s by %s\n", id, mine.c_str(), theirs.c_str());
    } else {
      ++kept;
      ++dropped;
      std::printf("kept       %ld  %s; dropped %s\n", id, mine.c_str(), theirs.c_str());
    }
  }
  CByteArray image;
  if (!other.ToByteArray(image)) throw Failure{a.other.Describe() + " has no styles to merge"};
  const long before = lib.GetCount();
  if (!lib.AppendFromByteArray(image, a.overwrite ? TRUE : FALSE)) {
    throw Failure{a.other.Describe() + " cannot be merged"};
  }
  SaveLibrary(lib, a.output);
  std::printf("merged: %ld styles (%ld before, %ld added); %zu ids in both: %ld kept, %ld replaced, %ld dropped, "
              "%zu renumbered\n",
              lib.GetCount(), before, lib.GetCount() - before, clashes.size(), kept, replaced, dropped,
              renumbered.size());
  return 0;
}

}  // namespace

void RegisterMerge(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("merge",
                                 "append OTHER to BASE; a style id in both keeps BASE's style unless --overwrite "
                                 "or --renumber; every such id is listed");
  auto a = std::make_shared<MergeArgs>();
  sub->add_option("BASE", a->base.path, "library appended to")->required();
  sub->add_option("OTHER", a->other.path, "library appended")->required();
  sub->add_option("-o,--output", a->output, "output file (.bru)")->required();
  sub->add_flag("--overwrite", a->overwrite, "a style id in both libraries takes OTHER's style");
  sub->add_flag("--renumber", a->renumber,
                "OTHER's styles whose id BASE has get new ids after the largest, instead of being dropped");
  sub->callback([a, &g, &out] { out.status = RunMerge(*a, g); });
}

}  // namespace kyfsl
