// Feeds a tree block to CKyFillStyleGroup::Load.
#include <cstddef>
#include <cstdint>

#include "KyFillStyleGroup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CKyByteArrayEx stream;
  stream.Add(data, static_cast<int>(size));
  CKyFillStyleGroup root;
  int position = 0;
  const BOOL ok = root.Load(stream, position);
  if (position < 0 || position > stream.GetSize()) __builtin_trap();
  if (ok) {
    // A block that loaded stores back to the bytes it came from.
    CKyByteArrayEx again;
    root.Store(again);
    if (again.GetSize() != position) __builtin_trap();
    for (int i = 0; i < position; ++i) {
      if (again[i] != stream[i]) __builtin_trap();
    }
  }
  root.SortItem();
  return 0;
}
