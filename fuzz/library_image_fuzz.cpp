// Feeds a library image to FromByteArray and to AppendFromByteArray over a
// small library, then writes what was read.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "KyFillStyleLib.h"

namespace {
class Lib : public CKyFillStyleLib {
 public:
  using CKyFillStyleLib::AppendFromByteArray;
};

void AddSome(CKyFillStyleLib& lib) {
  CByteArray pattern;
  for (long id : {8L, 12L, 40L}) lib.AddFillStyle(new CKyFillStyle(id, "x", pattern, CKyFillStyle::FS_81DPI), lib.GetStyleGroup());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CByteArray image;
  image.SetSize(static_cast<INT_PTR>(size));
  if (size) std::memcpy(image.GetData(), data, size);

  Lib fresh;
  fresh.FromByteArray(image);
  for (long i = 0; i < fresh.GetCount(); ++i) {
    if (fresh.FindID(fresh.FindIndex(i)) != i) __builtin_trap();
  }
  CByteArray out;
  if (fresh.ToByteArray(out)) {
    Lib back;
    if (!back.FromByteArray(out) || back.GetCount() != fresh.GetCount()) __builtin_trap();
  }

  Lib merged;
  AddSome(merged);
  merged.AppendFromByteArray(image, size & 1);
  for (long i = 0; i < merged.GetCount(); ++i) {
    if (merged.FindID(merged.FindIndex(i)) != i) __builtin_trap();
  }
  return 0;
}
