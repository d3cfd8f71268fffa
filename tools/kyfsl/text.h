// Names of a library as the user reads and types them. A library stores its
// names as bytes of one code page; these helpers convert them with the
// system's iconv, and keep what is printed valid UTF-8 on one line.
#pragma once

#include <string>
#include <vector>

#include "windef.h"

namespace kyfsl {

// The iconv name of a code page ("CP932", "GB18030", "UTF-8"), or "" when
// the system's iconv cannot convert it.
std::string IconvNameOf(UINT page);
// The page's bytes as UTF-8; bytes that form no character of the page each
// become U+FFFD. Never fails; an unknown page shows every byte as U+FFFD.
std::string DecodeName(const std::string& bytes, UINT page);
// UTF-8 as bytes of the page. false when a character has no form there or
// the page is unknown.
bool EncodeName(const std::string& utf8, UINT page, std::string* out);
// text with every byte that is not part of valid UTF-8 replaced by U+FFFD.
std::string ValidUtf8(const std::string& text);
// text for one line of output: control characters become \n, \r, \t or
// \xNN.
std::string OneLine(const std::string& text);
// The page that names were most likely written in: 936 when at least one is
// not plain ASCII and all are valid GBK, else fallback.
UINT DetectCodePage(const std::vector<std::string>& names, UINT fallback);

}  // namespace kyfsl
