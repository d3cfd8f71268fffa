// Text that leaves the C interface: library names and group paths as
// UTF-8 a caller can trust, and the same text made fit for XML.
#pragma once

#include <string>

#include "afx.h"

namespace kyfsl_capi {

// The library text (bytes of codePage; 0 is the platform's ANSI page) as
// valid UTF-8. It goes through the exporter's decoder; bytes that are not
// text of the page, and with page 65001 bytes that are not UTF-8, become
// U+FFFD, one per bad byte. Control characters are kept. Never fails.
std::string LibraryTextUtf8(const CString& text, UINT codePage);

// Valid UTF-8 of any bytes: each byte that does not belong to a well-formed
// character (overlong forms, surrogates and values past U+10FFFF included)
// becomes U+FFFD.
std::string RepairUtf8(const std::string& bytes);

// UTF-8 text without the control characters XML 1.0 cannot hold or that a
// title should not carry: U+0000 to U+001F and U+007F are dropped.
std::string WithoutControls(const std::string& utf8);

}  // namespace kyfsl_capi
