// kyfsl salvage: everything readable of a damaged library, written to a new
// file, with a report of what was lost. The damaged file is only read.
#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include "KyByteArrayEx.h"
#include "kyfsl.h"
#include "text.h"

namespace kyfsl {

namespace {

// Reads one record the way the library does, to find where reading stops.
class RecordProbe : public CKyFillStyle {
 public:
  long Read(long offset, const CByteArray& image, long magic) { return FromBytes(offset, image, magic); }
};

struct Stop {
  long long recordsAt = -1;  // where the record section starts; -1: the headers are damaged
  long long badAt = -1;      // the first record that cannot be read; -1: none
};

// Walks the image's headers and records as the library reads them.
Stop FindStop(const std::vector<unsigned char>& bytes) {
  Stop s;
  const long long size = static_cast<long long>(bytes.size());
  auto longAt = [&](long long at, long& v) {
    if (at < 0 || at + 4 > size) return false;
    v = KyReadLE32(bytes.data() + at);
    return true;
  };
  long magic = 0;
  if (!longAt(0, magic)) return s;
  long long p = 0;
  if (magic == KY_FSL_MAGIC_CURRENT) {
    long m = 0;
    if (!longAt(4, m) || m < 0 || 8 + static_cast<long long>(m) > size) return s;
    p = m + 4;
  }
  if (magic == KY_FSL_MAGIC_2001_05_10) {
    s.recordsAt = 4;
  } else {
    long t = 0;
    if (!longAt(p + 4, t) || t < 0 || p + 8 + t > size) return s;
    s.recordsAt = p + 8 + t;
  }
  CByteArray image;
  image.SetSize(static_cast<INT_PTR>(size));
  std::copy(bytes.begin(), bytes.end(), image.GetData());
  for (long long at = s.recordsAt; at < size;) {
    RecordProbe probe;
    const long next = probe.Read(static_cast<long>(at), image, magic);
    if (next <= at) {
      s.badAt = at;
      break;
    }
    at = next;
  }
  return s;
}

// Removes from the tree every id whose style was lost; returns how many.
long DropLostIds(CKyFillStyleLib& lib) {
  long dropped = 0;
  std::vector<CKyFillStyleGroup*> todo{lib.GetStyleGroup()};
  while (!todo.empty()) {
    CKyFillStyleGroup* g = todo.back();
    todo.pop_back();
    for (long i = g->GetItemCount() - 1; i >= 0; --i) {
      if (lib.FindID(g->GetItemID(i)) < 0) {
        g->m_arrItems.RemoveAt(i);
        ++dropped;
      }
    }
    for (long i = 0; i < g->GetSubGroupCount(); ++i) todo.push_back(g->SubGroup(i));
  }
  return dropped;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

int RunSalvage(const std::string& damaged, const std::string& output) {
  if (SameFile(damaged, output)) throw Failure{"the salvaged library must go to another file than '" + damaged + "'", 2};
  const Source src{damaged, false};
  const std::vector<unsigned char> bytes = ReadWholeFile(damaged);
  CKyFillStyleLib lib;
  bool isDamaged = false;
  LoadLibrary(src, lib, true, &isDamaged);
  const Stop stop = FindStop(bytes);
  const long lostIds = DropLostIds(lib);
  if (lib.GetCount() == 0) {
    throw Failure{"no style of " + src.Describe() + " can be read; nothing was written", 3};
  }
  SaveLibrary(lib, output);
  std::printf("kept:   %ld styles (ids %ld to %ld), written to '%s'\n", lib.GetCount(), lib.FindIndex(0),
              lib.GetMaxID(), output.c_str());
  if (!isDamaged) {
    std::printf("lost:   nothing; %s reads whole\n", src.Describe().c_str());
    return 0;
  }
  if (stop.recordsAt < 0) {
    std::printf("lost:   the symbol or group section runs past the end of the file\n");
  } else if (stop.badAt >= 0) {
    std::printf("lost:   the records from byte %lld to the end (%lld of %zu bytes): the record there cannot be read\n",
                stop.badAt, static_cast<long long>(bytes.size()) - stop.badAt, bytes.size());
  } else {
    std::printf("lost:   part of the symbol or group section, which is damaged\n");
  }
  if (lostIds > 0) std::printf("lost:   %ld ids in groups whose styles were not read, taken out of the groups\n", lostIds);
  return 0;
}

}  // namespace

void RegisterSalvage(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("salvage",
                                 "write everything readable of a damaged library to a new file and report what "
                                 "was lost; the damaged file is not changed");
  auto damaged = std::make_shared<std::string>();
  auto output = std::make_shared<std::string>();
  sub->add_option("DAMAGED", *damaged, "the damaged library")->required();
  sub->add_option("-o,--output", *output, "the new library (.bru)")->required();
  sub->callback([damaged, output, &out] { out.status = RunSalvage(*damaged, *output); });
}

}  // namespace kyfsl
