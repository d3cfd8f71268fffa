#include "font_instance.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <list>
#include <map>

#include "codepage.h"

namespace kygdi {

namespace {

constexpr const char* kSans = "DejaVu Sans";
constexpr const char* kSerif = "DejaVu Serif";
constexpr const char* kMono = "DejaVu Sans Mono";
constexpr const char* kCjk = "WenQuanYi Micro Hei";

// lfHeight 0 asks for "a reasonable default size"; this is the em height of
// the default GUI font at 96 dots per inch.
constexpr int kDefaultPpem = 11;
constexpr int kMaxPpem = 2048;

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) l = nullptr;
    return l;
  }();
  return lib;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

struct Resolved {
  std::string path;
  int index = 0;
  int weight = FC_WEIGHT_REGULAR;
  int slant = FC_SLANT_ROMAN;
};

// fontconfig lookups by family, weight and slant, made once each.
Resolved Resolve(const std::string& family, bool bold, bool italic) {
  static std::map<std::string, Resolved> cache;
  std::string key = family + (bold ? "|b" : "|r") + (italic ? "i" : "");
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  Resolved r;
  static FcConfig* config = [] {
    FcConfig* c = FcInitLoadConfigAndFonts();
    // fontconfig keeps caches of its own until it is shut down; shut it at
    // exit so that leak checkers see a clean process.
    std::atexit([] {
      FcConfigDestroy(config);
      FcFini();
    });
    return c;
  }();
  FcPattern* pat = FcPatternCreate();
  if (config && pat) {
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result;
    FcPattern* match = FcFontMatch(config, pat, &result);
    if (match) {
      FcChar8* file = nullptr;
      if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
        r.path = reinterpret_cast<const char*>(file);
      FcPatternGetInteger(match, FC_INDEX, 0, &r.index);
      FcPatternGetInteger(match, FC_WEIGHT, 0, &r.weight);
      FcPatternGetInteger(match, FC_SLANT, 0, &r.slant);
      FcPatternDestroy(match);
    }
  }
  if (pat) FcPatternDestroy(pat);
  cache.emplace(key, r);
  return r;
}

int RoundDiv(int64_t num, int64_t den) {
  if (den <= 0) return 0;
  return static_cast<int>(num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den));
}

}  // namespace

struct FontInstance::Face {
  FT_Face face = nullptr;
  ~Face() {
    if (face) FT_Done_Face(face);
  }
  bool Open(const Resolved& r, int xppem, int ppem) {
    if (r.path.empty() || !Library()) return false;
    if (FT_New_Face(Library(), r.path.c_str(), r.index, &face) != 0) {
      face = nullptr;
      return false;
    }
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(xppem), static_cast<FT_UInt>(ppem)) != 0) {
      FT_Done_Face(face);
      face = nullptr;
      return false;
    }
    return true;
  }
};

std::string MapFaceName(const LOGFONTA& lf) {
  char name[LF_FACESIZE + 1];
  std::memcpy(name, lf.lfFaceName, LF_FACESIZE);
  name[LF_FACESIZE] = 0;
  std::string utf8 = AfxCodePageToUtf8(name, std::strlen(name), CP_ACP);
  std::string lower = Lower(utf8);
  static const std::map<std::string, const char*> known = {
      {"ms sans serif", kSans},  {"ms shell dlg", kSans},    {"ms shell dlg 2", kSans},
      {"microsoft sans serif", kSans}, {"arial", kSans},     {"tahoma", kSans},
      {"verdana", kSans},        {"segoe ui", kSans},        {"system", kSans},
      {"helvetica", kSans},      {"times new roman", kSerif}, {"ms serif", kSerif},
      {"times", kSerif},         {"courier new", kMono},     {"courier", kMono},
      {"fixedsys", kMono},       {"terminal", kMono},        {"lucida console", kMono},
      {"simsun", kCjk},          {"nsimsun", kCjk},          {"simhei", kCjk},
      {"microsoft yahei", kCjk}, {"kaiti", kCjk},            {"fangsong", kCjk},
      {"\xe5\xae\x8b\xe4\xbd\x93", kCjk},                  // 宋体
      {"\xe6\x96\xb0\xe5\xae\x8b\xe4\xbd\x93", kCjk},      // 新宋体
      {"\xe9\xbb\x91\xe4\xbd\x93", kCjk},                  // 黑体
      {"\xe6\xa5\xb7\xe4\xbd\x93", kCjk},                  // 楷体
      {"\xe4\xbb\xbf\xe5\xae\x8b", kCjk},                  // 仿宋
      {"\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91", kCjk},  // 微软雅黑
  };
  auto it = known.find(lower);
  if (it != known.end()) return it->second;
  if (lower.rfind("\xe6\xa5\xb7\xe4\xbd\x93", 0) == 0 || lower.rfind("\xe4\xbb\xbf\xe5\xae\x8b", 0) == 0)
    return kCjk;  // 楷体_GB2312, 仿宋_GB2312
  if (lf.lfCharSet == GB2312_CHARSET || lf.lfCharSet == CHINESEBIG5_CHARSET) return kCjk;
  if (lower.empty()) {
    switch (lf.lfPitchAndFamily & 0xF0) {
      case FF_ROMAN: return kSerif;
      case FF_MODERN: return kMono;
      default: break;
    }
    if ((lf.lfPitchAndFamily & 0x03) == FIXED_PITCH) return kMono;
    return (lf.lfCharSet == DEFAULT_CHARSET && GetACP() == 936) ? kCjk : kSans;
  }
  // An unknown name: fontconfig picks its nearest face, and DejaVu Sans when
  // it has none, so the result stays a face of our own set.
  Resolved r = Resolve(utf8, false, false);
  return r.path.empty() ? kSans : utf8;
}

std::shared_ptr<FontInstance> FontInstance::Get(const LOGFONTA& lf, double yScale) {
  if (!(yScale > 0) || !std::isfinite(yScale)) yScale = 1.0;
  // Keyed by the LOGFONT's bytes (the face name only up to its end) and the
  // scale; a few dozen recent fonts stay alive.
  LOGFONTA k = lf;
  size_t n = strnlen(k.lfFaceName, LF_FACESIZE);
  std::memset(k.lfFaceName + n, 0, LF_FACESIZE - n);
  std::string key(reinterpret_cast<const char*>(&k), sizeof k);
  key.append(reinterpret_cast<const char*>(&yScale), sizeof yScale);
  static std::list<std::pair<std::string, std::shared_ptr<FontInstance>>> recent;
  for (auto it = recent.begin(); it != recent.end(); ++it) {
    if (it->first == key) {
      recent.splice(recent.begin(), recent, it);
      return recent.front().second;
    }
  }
  std::shared_ptr<FontInstance> font(new FontInstance());
  font->Init(k, yScale);
  recent.emplace_front(key, font);
  if (recent.size() > 64) recent.pop_back();
  return font;
}

FontInstance::~FontInstance() = default;

void FontInstance::Init(const LOGFONTA& lf, double yScale) {
  m_lf = lf;
  const bool bold = lf.lfWeight >= FW_SEMIBOLD;
  const bool italic = lf.lfItalic != 0;
  Resolved r = Resolve(MapFaceName(lf), bold, italic);
  if (r.path.empty()) r = Resolve(kSans, bold, italic);
  m_path = r.path;
  m_fakeBold = bold && r.weight < FC_WEIGHT_DEMIBOLD;
  m_fakeItalic = italic && r.slant == FC_SLANT_ROMAN;

  // The em size first, from the face's design units (lfHeight > 0 asks for
  // the cell, ascent plus descent, of the Windows metrics).
  auto probe = std::make_unique<Face>();
  if (!probe->Open(r, 100, 100)) {
    m_ppem = kDefaultPpem;
    m_tm.tmHeight = m_ppem;
    return;
  }
  FT_Face f = probe->face;
  const int upem = f->units_per_EM ? f->units_per_EM : 2048;
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
  const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(f, FT_SFNT_HHEA));
  int winAscent = os2 && os2->usWinAscent ? os2->usWinAscent : f->ascender;
  int winDescent = os2 && os2->usWinAscent ? os2->usWinDescent : -f->descender;
  if (winAscent + winDescent <= 0) {
    winAscent = upem;
    winDescent = 0;
  }
  double ppem;
  if (lf.lfHeight < 0) {
    ppem = -static_cast<double>(lf.lfHeight) * yScale;
  } else if (lf.lfHeight > 0) {
    ppem = lf.lfHeight * yScale * upem / (winAscent + winDescent);
  } else {
    ppem = kDefaultPpem;
  }
  m_ppem = std::clamp(static_cast<int>(std::lround(ppem)), 1, kMaxPpem);

  // lfWidth asks for an average character width; the x size scales to it.
  const int avgUnits = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
  m_xppem = m_ppem;
  if (lf.lfWidth > 0) {
    double want = lf.lfWidth * yScale;
    double have = static_cast<double>(avgUnits) * m_ppem / upem;
    m_xppem = std::clamp(static_cast<int>(std::lround(m_ppem * want / have)), 1, kMaxPpem);
  }

  m_primary = std::make_unique<Face>();
  if (!m_primary->Open(r, m_xppem, m_ppem)) {
    m_primary.reset();
    m_tm.tmHeight = m_ppem;
    return;
  }

  TEXTMETRICA& tm = m_tm;
  tm.tmAscent = RoundDiv(static_cast<int64_t>(winAscent) * m_ppem, upem);
  tm.tmDescent = RoundDiv(static_cast<int64_t>(winDescent) * m_ppem, upem);
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max(0, tm.tmHeight - m_ppem);
  int lineGap = 0;
  if (hhea) lineGap = hhea->Ascender - hhea->Descender + hhea->Line_Gap - (winAscent + winDescent);
  tm.tmExternalLeading = std::max(0, RoundDiv(static_cast<int64_t>(lineGap) * m_ppem, upem));
  tm.tmAveCharWidth = std::max(1, RoundDiv(static_cast<int64_t>(avgUnits) * m_xppem, upem));
  tm.tmMaxCharWidth = std::max(1, RoundDiv(static_cast<int64_t>(f->bbox.xMax - f->bbox.xMin) * m_xppem, upem));
  tm.tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  tm.tmOverhang = 0;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = 0x1F;
  tm.tmBreakChar = 0x20;
  tm.tmItalic = lf.lfItalic ? 1 : 0;
  tm.tmUnderlined = lf.lfUnderline ? 1 : 0;
  tm.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
  const bool fixed = FT_IS_FIXED_WIDTH(f);
  BYTE family = FF_SWISS;
  if (m_path.find("Serif") != std::string::npos) family = FF_ROMAN;
  if (fixed) family = FF_MODERN;
  tm.tmPitchAndFamily = static_cast<BYTE>(family | TMPF_VECTOR | TMPF_TRUETYPE | (fixed ? 0 : TMPF_FIXED_PITCH));
  if (lf.lfCharSet == DEFAULT_CHARSET)
    tm.tmCharSet = GetACP() == 936 ? GB2312_CHARSET : ANSI_CHARSET;
  else
    tm.tmCharSet = lf.lfCharSet;

  // Underline and strike-out from the post and OS/2 tables, at least a pixel.
  const TT_Postscript* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(f, FT_SFNT_POST));
  if (post) {
    m_underlinePos = std::max(1, RoundDiv(-static_cast<int64_t>(post->underlinePosition) * m_ppem, upem));
    m_underlineThick = std::max(1, RoundDiv(static_cast<int64_t>(post->underlineThickness) * m_ppem, upem));
  }
  m_strikePos = os2 ? RoundDiv(static_cast<int64_t>(os2->yStrikeoutPosition) * m_ppem, upem) : tm.tmAscent / 3;
  m_underlinePos = std::min(m_underlinePos, std::max(1, tm.tmDescent - m_underlineThick + 1));
}

FontInstance::Face* FontInstance::FallbackFace(size_t i) {
  if (!m_fallbacksOpened) {
    m_fallbacksOpened = true;
    const bool bold = m_lf.lfWeight >= FW_SEMIBOLD, italic = m_lf.lfItalic != 0;
    for (const char* family : {kCjk, kSans}) {
      Resolved r = Resolve(family, bold, italic);
      if (r.path.empty() || r.path == m_path) continue;
      auto face = std::make_unique<Face>();
      if (face->Open(r, m_xppem, m_ppem)) m_fallbacks.push_back(std::move(face));
    }
  }
  return i < m_fallbacks.size() ? m_fallbacks[i].get() : nullptr;
}

const Glyph& FontInstance::GlyphFor(uint32_t cp) {
  auto it = m_glyphs.find(cp);
  if (it != m_glyphs.end()) return it->second;
  Glyph g;
  if (m_primary) {
    FT_Face face = m_primary->face;
    FT_UInt index = FT_Get_Char_Index(face, cp);
    if (!index && cp >= 0x80) {
      for (size_t i = 0; Face* fb = FallbackFace(i); ++i) {
        FT_UInt fi = FT_Get_Char_Index(fb->face, cp);
        if (fi) {
          face = fb->face;
          index = fi;
          break;
        }
      }
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) == 0) {
      FT_GlyphSlot slot = face->glyph;
      g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
      if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (m_fakeItalic) {
          FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
          FT_Outline_Transform(&slot->outline, &shear);
        }
        if (m_fakeBold) {
          // One pixel wider, as synthesised bold is on the platform.
          FT_Outline_EmboldenXY(&slot->outline, 64, 0);
          g.advance += 1;
        }
      }
      if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0 && slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(bm.width);
        g.height = static_cast<int>(bm.rows);
        g.pitch = (g.width + 7) / 8;
        g.bits.resize(static_cast<size_t>(g.pitch) * g.height);
        for (int y = 0; y < g.height; ++y) {
          const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
          std::memcpy(g.bits.data() + static_cast<size_t>(y) * g.pitch, src, static_cast<size_t>(g.pitch));
        }
      }
    }
  }
  return m_glyphs.emplace(cp, std::move(g)).first->second;
}

}  // namespace kygdi
