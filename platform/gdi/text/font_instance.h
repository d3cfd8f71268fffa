// A logical font made real at one device size: FreeType faces found through
// fontconfig, the font's TEXTMETRIC, and a cache of monochrome glyphs.
//
// Face names of the home platform are mapped to faces Debian ships, so that
// the same LOGFONT gives the same pixels on every machine that ran
// scripts/setup:
//   "MS Sans Serif", "MS Shell Dlg", "Arial", "Tahoma", ...  -> DejaVu Sans
//   "Times New Roman", "MS Serif", ...                       -> DejaVu Serif
//   "Courier New", "Fixedsys", ...                           -> DejaVu Sans Mono
//   SimSun, SimHei, their Chinese names, GB2312_CHARSET      -> WenQuanYi Micro Hei
// A character the face lacks is taken from the CJK face, then DejaVu Sans,
// as the platform links fonts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "wingdi_text.h"

namespace kygdi {

// One glyph as a 1-bit image: bit 7 of byte 0 is the top-left pixel. left
// and top place the image relative to the pen position on the baseline (top
// is upwards, as FreeType counts it).
struct Glyph {
  int advance = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int pitch = 0;
  std::vector<BYTE> bits;

  bool Ink(int x, int y) const { return (bits[static_cast<size_t>(y) * pitch + (x >> 3)] >> (7 - (x & 7))) & 1; }
};

class FontInstance {
 public:
  // The font for lf at a device whose pixels per logical unit are yScale
  // (1 in MM_TEXT). Instances are shared and cached. Never null: a font
  // that no face matches falls back to DejaVu Sans; if no face can be opened
  // at all the instance has no faces and draws nothing.
  static std::shared_ptr<FontInstance> Get(const LOGFONTA& lf, double yScale = 1.0);

  ~FontInstance();
  FontInstance(const FontInstance&) = delete;
  FontInstance& operator=(const FontInstance&) = delete;

  // In device pixels.
  const TEXTMETRICA& Metrics() const { return m_tm; }
  int Ppem() const { return m_ppem; }
  int UnderlinePosition() const { return m_underlinePos; }   // pixels below the baseline
  int UnderlineThickness() const { return m_underlineThick; }
  int StrikeoutPosition() const { return m_strikePos; }      // pixels above the baseline
  bool Underline() const { return m_lf.lfUnderline != 0; }
  bool StrikeOut() const { return m_lf.lfStrikeOut != 0; }
  const LOGFONTA& LogFont() const { return m_lf; }
  // The file of the primary face, empty when none was found.
  const std::string& FacePath() const { return m_path; }

  const Glyph& GlyphFor(uint32_t cp);
  int Advance(uint32_t cp) { return GlyphFor(cp).advance; }

 private:
  struct Face;
  FontInstance() = default;
  void Init(const LOGFONTA& lf, double yScale);
  Face* FallbackFace(size_t i);

  LOGFONTA m_lf{};
  std::string m_path;
  int m_ppem = 0;
  int m_xppem = 0;
  bool m_fakeBold = false;
  bool m_fakeItalic = false;
  TEXTMETRICA m_tm{};
  int m_underlinePos = 1;
  int m_underlineThick = 1;
  int m_strikePos = 0;
  std::unique_ptr<Face> m_primary;
  std::vector<std::unique_ptr<Face>> m_fallbacks;
  bool m_fallbacksOpened = false;
  std::unordered_map<uint32_t, Glyph> m_glyphs;
};

// The family name a face name maps to (see above), for tests and logs.
std::string MapFaceName(const LOGFONTA& lf);

}  // namespace kygdi
