// STYLES.json of the map renderer: any bytes give rules or a MapError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KyMapStyles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    kymap::StyleRules rules = kymap::ParseStyles(std::string(reinterpret_cast<const char*>(data), size));
    (void)rules.ClassOf("a", false);
  } catch (const kymap::MapError&) {
  }
  return 0;
}
