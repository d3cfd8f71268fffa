#include "codepage.h"

#include <iconv.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>

namespace {

UINT g_overridePage = 0;

UINT PageFromLocale() {
  // The same order the C library uses to pick the locale of messages.
  const char* names[] = {"LC_ALL", "LC_CTYPE", "LANG"};
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (value && *value) return std::strncmp(value, "zh", 2) == 0 ? 936u : 1252u;
  }
  return 1252u;
}

UINT Resolve(UINT codePage) { return codePage == CP_ACP ? GetACP() : codePage; }

const char* IconvName(UINT codePage) {
  switch (codePage) {
    case 936: return "GBK";
    case 1252: return "CP1252";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 65001: return "UTF-8";
    default: return nullptr;
  }
}

}  // namespace

UINT GetACP() {
  if (g_overridePage) return g_overridePage;
  static const UINT fromLocale = PageFromLocale();
  return fromLocale;
}

void AfxSetCodePage(UINT codePage) { g_overridePage = codePage; }

BOOL IsDBCSLeadByteEx(UINT codePage, BYTE b) {
  // GBK lead bytes; the single-byte pages have none.
  return Resolve(codePage) == 936 && b >= 0x81 && b <= 0xFE;
}

BOOL IsDBCSLeadByte(BYTE b) { return IsDBCSLeadByteEx(CP_ACP, b); }

std::string AfxCodePageToUtf8(const char* bytes, size_t length, UINT codePage) {
  codePage = Resolve(codePage);
  std::string out;
  const char* name = IconvName(codePage);
  if (codePage == CP_UTF8 || !name) {
    // Unknown pages are shown as Latin-1, which maps every byte.
    for (size_t i = 0; i < length; ++i) {
      unsigned char c = static_cast<unsigned char>(bytes[i]);
      if (codePage == CP_UTF8 || c < 0x80) {
        out += static_cast<char>(c);
      } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    return out;
  }
  iconv_t cd = iconv_open("UTF-8", name);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes, length);
  size_t pos = 0;
  while (pos < length) {
    // One character at a time, so a bad byte costs one replacement mark.
    size_t charLen = (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[pos])) && pos + 1 < length) ? 2 : 1;
    char in[2];
    std::memcpy(in, bytes + pos, charLen);
    char buf[8];
    char* inp = in;
    size_t inLeft = charLen;
    char* outp = buf;
    size_t outLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
      out += "\xEF\xBF\xBD";
    } else {
      out.append(buf, sizeof buf - outLeft);
    }
    pos += charLen;
  }
  iconv_close(cd);
  return out;
}

bool AfxUtf8ToCodePage(const std::string& utf8, std::string& out, UINT codePage) {
  out.clear();
  codePage = Resolve(codePage);
  if (codePage == CP_UTF8) {
    out = utf8;
    return true;
  }
  const char* name = IconvName(codePage);
  if (!name) return false;
  iconv_t cd = iconv_open(name, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string result(utf8.size() * 2 + 4, '\0');
  char* inp = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* outp = result.data();
  size_t outLeft = result.size();
  bool ok = iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
  iconv_close(cd);
  if (!ok) return false;
  result.resize(result.size() - outLeft);
  out = result;
  return true;
}
