#include "ansi_text.h"

#include <array>
#include <map>

#include "codepage.h"

namespace kygdi {

namespace {

// Reads one code point of UTF-8 at s[i], moving i past it.
uint32_t NextUtf8(const std::string& s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i++]);
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
  uint32_t cp = c & (0x3F >> extra);
  for (int k = 0; k < extra && i < s.size(); ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i++]) & 0x3F);
  return cp;
}

uint32_t ConvertOne(const char* bytes, int length, UINT codePage) {
  std::string utf8 = AfxCodePageToUtf8(bytes, static_cast<size_t>(length), codePage);
  if (utf8.empty()) return 0xFFFD;
  size_t i = 0;
  return NextUtf8(utf8, i);
}

// Single-byte pages convert through a 256-entry table made once per page;
// double-byte characters go through a map that grows with use. Both are the
// platform's own process state and never change meaning.
const std::array<uint32_t, 256>& SingleByteTable(UINT codePage) {
  static std::map<UINT, std::array<uint32_t, 256>> tables;
  auto it = tables.find(codePage);
  if (it != tables.end()) return it->second;
  std::array<uint32_t, 256> table{};
  for (int b = 0; b < 256; ++b) {
    char c = static_cast<char>(b);
    table[b] = b < 0x80 ? static_cast<uint32_t>(b) : ConvertOne(&c, 1, codePage);
  }
  return tables.emplace(codePage, table).first->second;
}

uint32_t DoubleByte(BYTE lead, BYTE trail, UINT codePage) {
  static std::map<uint32_t, uint32_t> cache;
  uint32_t key = codePage << 16 | lead << 8 | trail;
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  uint32_t cp = ConvertOne(pair, 2, codePage);
  cache.emplace(key, cp);
  return cp;
}

}  // namespace

std::vector<TextChar> DecodeAnsi(const char* text, int count, UINT codePage) {
  std::vector<TextChar> out;
  if (!text || count <= 0) return out;
  if (codePage == CP_ACP) codePage = GetACP();
  const auto& table = SingleByteTable(codePage);
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count;) {
    BYTE b = static_cast<BYTE>(text[i]);
    if (IsDBCSLeadByteEx(codePage, b) && i + 1 < count) {
      out.push_back({DoubleByte(b, static_cast<BYTE>(text[i + 1]), codePage), i, 2});
      i += 2;
    } else {
      out.push_back({table[b], i, 1});
      ++i;
    }
  }
  return out;
}

}  // namespace kygdi
