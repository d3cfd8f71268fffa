// Feeds one record to CKyFillStyle::FromBytes; the first input byte picks
// the layout, so one target covers all three.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "KyFillStyle.h"

namespace {
class Record : public CKyFillStyle {
 public:
  using CKyFillStyle::FromBytes;
  using CKyFillStyle::ToBytes;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const long magics[] = {KY_FSL_MAGIC_CURRENT, KY_FSL_MAGIC_2001_05_21, KY_FSL_MAGIC_2001_05_10};
  const long magic = magics[data[0] % 3];
  CByteArray in;
  in.SetSize(static_cast<INT_PTR>(size - 1));
  if (size > 1) std::memcpy(in.GetData(), data + 1, size - 1);
  Record r;
  const long next = r.FromBytes(0, in, magic);
  if (next > static_cast<long>(in.GetSize())) __builtin_trap();
  if (next > 0) {
    // What was read must write and read back to the same record.
    CByteArray out;
    if (r.ToBytes(out)) {
      Record back;
      if (back.FromBytes(0, out, KY_FSL_MAGIC_CURRENT) != out.GetSize()) __builtin_trap();
    }
  }
  return 0;
}
