// The two kinds of output behind OpenSink.
#pragma once

#include <memory>
#include <string>

#include "KyTileSink.h"

namespace kytiles {

std::unique_ptr<TileSink> OpenFolderSink(const std::string& path, const PyramidInfo& info, bool resume);
std::unique_ptr<TileSink> OpenMBTilesSink(const std::string& path, const PyramidInfo& info, bool resume);

// "z x y" of a metatile, as both outputs record it.
std::string MetatileKey(const Metatile& m);

}  // namespace kytiles
