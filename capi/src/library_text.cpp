#include "library_text.h"

#include "KyExportEntry.h"

namespace kyfsl_capi {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

// The length of the well-formed character at s[i], or 0 when the byte there
// does not start one (the table of well-formed byte sequences of UTF-8).
size_t CharLength(const std::string& s, size_t i) {
  const auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = at(i);
  if (c < 0x80) return 1;
  size_t len = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    if (c == 0xE0) lo = 0xA0;  // overlong
    if (c == 0xED) hi = 0x9F;  // surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    if (c == 0xF0) lo = 0x90;  // overlong
    if (c == 0xF4) hi = 0x8F;  // past U+10FFFF
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  if (at(i + 1) < lo || at(i + 1) > hi) return 0;
  for (size_t k = 2; k < len; ++k) {
    if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
  }
  return len;
}

}  // namespace

std::string RepairUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const size_t len = CharLength(bytes, i);
    if (len == 0) {
      out += kReplacement;
      ++i;
    } else {
      out.append(bytes, i, len);
      i += len;
    }
  }
  return out;
}

std::string LibraryTextUtf8(const CString& text, UINT codePage) {
  std::string utf8;
  // The decoder marks bytes that are not text of a converted page with
  // U+FFFD itself; with page 65001 it hands the bytes on as they are, so the
  // result is checked as UTF-8 in every case.
  kyexport::CodePageDecoder(codePage)(text, &utf8);
  return RepairUtf8(utf8);
}

std::string WithoutControls(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) out += c;
  }
  return out;
}

}  // namespace kyfsl_capi
