// Text pieces shared by the writers: XML escaping, numbers without needless
// digits, colours as the formats spell them.
#pragma once

#include <string>

#include "afx.h"

namespace kyexport {

// Escapes &, <, >, " and ' for XML text and attribute values. The input is
// UTF-8 without control characters (ExportEntry guarantees it).
std::string XmlEscape(const std::string& text);

// A number with at most `decimals` digits after the point and no trailing
// zeros: 2.5 -> "2.5", 3.0 -> "3", -0.0001 at 3 decimals -> "0".
std::string Number(double value, int decimals = 6);

// "#RRGGBB" of a COLORREF (0x00BBGGRR).
std::string HexColour(COLORREF colour);

// "R,G,B,A" as QGIS stores colours (alpha 0..255).
std::string QgisColour(COLORREF colour, int alpha = 255);

// Standard base64 of the bytes, padded, no line breaks.
std::string Base64(const std::string& bytes);

}  // namespace kyexport
