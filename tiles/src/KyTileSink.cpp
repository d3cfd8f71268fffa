#include "KyTileSink.h"

#include <cctype>

#include "TileSinks.h"

namespace kytiles {

bool IsMBTilesPath(const std::string& path) {
  const std::string ext = ".mbtiles";
  if (path.size() <= ext.size()) return false;
  for (size_t i = 0; i < ext.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(path[path.size() - ext.size() + i])) != ext[i]) return false;
  }
  return true;
}

std::string MetatileKey(const Metatile& m) {
  return std::to_string(m.z) + " " + std::to_string(m.x) + " " + std::to_string(m.y);
}

std::unique_ptr<TileSink> OpenSink(const std::string& path, const PyramidInfo& info, bool resume) {
  if (path.empty()) throw MapError("no output given");
  return IsMBTilesPath(path) ? OpenMBTilesSink(path, info, resume) : OpenFolderSink(path, info, resume);
}

}  // namespace kytiles
