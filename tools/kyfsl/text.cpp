#include "text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace kyfsl {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// One conversion descriptor, closed on every path.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (Ok()) iconv_close(m_cd);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
  // Converts all of in. A byte that cannot be converted is handed to
  // onBad, which returns false to give up; conversion then resumes after it.
  template <class OnBad>
  bool Run(const std::string& in, std::string* out, OnBad onBad) {
    char* inp = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buf[256];
    while (inLeft > 0) {
      char* outp = buf;
      size_t outLeft = sizeof buf;
      const size_t r = iconv(m_cd, &inp, &inLeft, &outp, &outLeft);
      out->append(buf, sizeof buf - outLeft);
      if (r != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a character cut off at the end).
      if (!onBad(out)) return false;
      ++inp;
      --inLeft;
      iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* outp = buf;
    size_t outLeft = sizeof buf;
    iconv(m_cd, nullptr, nullptr, &outp, &outLeft);
    out->append(buf, sizeof buf - outLeft);
    return true;
  }

 private:
  iconv_t m_cd;
};

std::string NameFor(UINT page) {
  switch (page) {
    case 65001: return "UTF-8";
    case 54936: return "GB18030";
    case 936: return "GBK";
    case 20127: return "ASCII";
    case 20932: return "EUC-JP";
    case 51949: return "EUC-KR";
    default: break;
  }
  if (page >= 28591 && page <= 28606) return "ISO-8859-" + std::to_string(page - 28590);
  return "CP" + std::to_string(page);
}

}  // namespace

std::string IconvNameOf(UINT page) {
  if (page == 0) return "";
  const std::string name = NameFor(page);
  Converter probe("UTF-8", name);
  return probe.Ok() ? name : "";
}

std::string ValidUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    const unsigned char c = s[i];
    size_t len = 0;
    unsigned min = 0;
    if (c < 0x80) {
      len = 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
      len = 2, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4, min = 0x10000;
    }
    bool ok = len > 0 && i + len <= n;
    unsigned cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; ok && k < len; ++k) {
      ok = (s[i + k] & 0xC0) == 0x80;
      cp = cp << 6 | (s[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    ok = ok && (len == 1 || cp >= min) && !(cp >= 0xD800 && cp <= 0xDFFF) && cp <= 0x10FFFF;
    if (ok) {
      out.append(text, i, len);
      i += len;
    } else {
      out += kReplacement;
      ++i;
    }
  }
  return out;
}

std::string DecodeName(const std::string& bytes, UINT page) {
  const std::string name = page ? NameFor(page) : "";
  Converter cv("UTF-8", name);
  if (!cv.Ok()) {
    std::string out;
    for (unsigned char c : bytes) out += c < 0x80 ? std::string(1, static_cast<char>(c)) : kReplacement;
    return out;
  }
  std::string out;
  cv.Run(bytes, &out, [](std::string* o) {
    *o += kReplacement;
    return true;
  });
  // iconv's own UTF-8 reader is trusted only as far as this check.
  return ValidUtf8(out);
}

bool EncodeName(const std::string& utf8, UINT page, std::string* out) {
  out->clear();
  if (page == 0) return false;
  Converter cv(NameFor(page), "UTF-8");
  if (!cv.Ok()) return false;
  std::string result;
  if (!cv.Run(utf8, &result, [](std::string*) { return false; })) return false;
  *out = result;
  return true;
}

std::string OneLine(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

UINT DetectCodePage(const std::vector<std::string>& names, UINT fallback) {
  bool ascii = true;
  for (const std::string& n : names) {
    for (unsigned char c : n) ascii = ascii && c < 0x80;
  }
  if (ascii) return fallback;
  Converter cv("UTF-8", "GBK");
  if (!cv.Ok()) return fallback;
  for (const std::string& n : names) {
    std::string out;
    if (!cv.Run(n, &out, [](std::string*) { return false; })) return fallback;
  }
  return 936;
}

}  // namespace kyfsl
