// Feeds arbitrary bytes to the symbol library's byte image reader. An image
// that loads must store back to the very same bytes (the format has one
// spelling for each library); one that does not must leave the library
// exactly as it was.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "KyVuv50.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > INT_MAX) return 0;
  CKyByteArrayEx in;
  in.Add(data, static_cast<int>(size));

  CKySymLib lib;
  if (lib.LoadEx(in, 0)) {
    CKyByteArrayEx out;
    lib.StoreEx(out);
    if (out.GetSize() != in.GetSize() || (size && std::memcmp(out.GetData(), in.GetData(), size) != 0)) abort();
  } else if (lib.GetSymbolCount() != 0) {
    abort();
  }

  CKySymLib samples = KySampleSymbols();
  const CKySymLib before = samples;
  if (!samples.LoadEx(in, 1) && samples != before) abort();
  return 0;
}
