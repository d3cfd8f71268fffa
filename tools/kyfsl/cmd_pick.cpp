// kyfsl pick: opens the fill style picker on a library in a real window and
// prints the style chosen with OK (exit status 1 on Cancel). --screenshot
// draws the dialog headless after start-up instead, for pictures and tests.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>

#include "KyFSLPickDlg.h"
#include "KyGeoStyle.h"
#include "KyLineStyleLib.h"
#include "codepage.h"
#include "device.h"
#include "gdipng.h"
#include "resource.h"
#include "sdlscreen.h"
#include "winnls.h"

namespace kyfsl {

namespace {

struct PickArgs {
  Source src;
  long style = -1;
  std::string fore = "#0000FF";
  std::string back = "#FFFFFF";
  bool transparent = false;
  long rate = 100;
  std::string gradient = "none";
  long angle = 0, hOffset = 0, vOffset = 0;
  long lineStyle = 0;
  long lineWidth = 1;
  std::string lineColour = "#000000";
  std::string lang = "en";
  bool json = false;
  std::string screenshot;
};

long GradientType(const std::string& name) {
  static const char* names[] = {"none", "linear", "radial", "conical", "square"};
  for (long i = 0; i < 5; ++i)
    if (name == names[i]) return i;
  throw Failure{"--gradient must be none, linear, radial, conical or square", 2};
}

std::string Hex(COLORREF c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

CKyGeoStyle Record(const PickArgs& a) {
  if (a.rate < 0 || a.rate > 100) throw Failure{"--rate must be 0 to 100", 2};
  if (a.angle < -3600 || a.angle > 3600) throw Failure{"--angle must be -3600 to 3600", 2};
  if (a.hOffset < -100 || a.hOffset > 100 || a.vOffset < -100 || a.vOffset > 100)
    throw Failure{"--hoffset and --voffset must be -100 to 100", 2};
  if (a.lineWidth < 0 || a.lineWidth > 10000) throw Failure{"--line-width must be 0 to 10000", 2};
  CKyGeoStyle s;
  s.m_nFillStyle = a.style;
  s.m_crFillFore = ParseColour(a.fore);
  s.m_crFillBack = a.transparent ? -1 : static_cast<LONG>(ParseColour(a.back));
  s.m_byFillRate = static_cast<BYTE>(a.rate);
  s.m_byGradientType = static_cast<BYTE>(GradientType(a.gradient));
  s.m_sGradientAngle = static_cast<SHORT>(a.angle);
  s.m_sGradientHOffset = static_cast<SHORT>(a.hOffset);
  s.m_sGradientVOffset = static_cast<SHORT>(a.vOffset);
  s.m_nLineStyle = a.lineStyle;
  s.m_nLineWidth = a.lineWidth;
  s.m_crLineColor = ParseColour(a.lineColour);
  return s;
}

void Print(const CKyGeoStyle& s, bool json) {
  static const char* types[] = {"none", "linear", "radial", "conical", "square"};
  const std::string gradient = s.m_byGradientType < 5 ? types[s.m_byGradientType] : std::to_string(s.m_byGradientType);
  const bool transparent = s.m_crFillBack < 0;
  if (json) {
    nlohmann::json j;
    j["fill_style"] = s.m_nFillStyle;
    j["fill_fore"] = Hex(s.m_crFillFore);
    j["fill_back"] = transparent ? nlohmann::json(nullptr) : nlohmann::json(Hex(static_cast<COLORREF>(s.m_crFillBack)));
    j["transparent"] = transparent;
    j["rate"] = s.m_byFillRate;
    j["gradient"] = gradient;
    j["angle"] = s.m_sGradientAngle;
    j["hoffset"] = s.m_sGradientHOffset;
    j["voffset"] = s.m_sGradientVOffset;
    j["line_style"] = s.m_nLineStyle;
    j["line_width"] = s.m_nLineWidth;
    j["line_color"] = Hex(s.m_crLineColor);
    std::printf("%s\n", j.dump(2).c_str());
    return;
  }
  std::printf("fill style   %ld\n", static_cast<long>(s.m_nFillStyle));
  std::printf("foreground   %s\n", Hex(s.m_crFillFore).c_str());
  std::printf("background   %s\n", transparent ? "transparent" : Hex(static_cast<COLORREF>(s.m_crFillBack)).c_str());
  std::printf("rate         %d%%\n", s.m_byFillRate);
  std::printf("gradient     %s, angle %d, offsets %d%% %d%%\n", gradient.c_str(), s.m_sGradientAngle,
              s.m_sGradientHOffset, s.m_sGradientVOffset);
  std::printf("line style   %ld, width %ld, colour %s\n", static_cast<long>(s.m_nLineStyle),
              static_cast<long>(s.m_nLineWidth), Hex(s.m_crLineColor).c_str());
}

// Handles what is queued, as a modeless dialog's host does between events.
void Drain() {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
}

void Screenshot(CKyFSLPickDlg& dlg, const std::string& path) {
  if (!dlg.Create(IDD_FSL_PICK)) throw Failure{"the picker's dialog template cannot be made"};
  dlg.ShowWindow(SW_SHOW);
  Drain();
  CRect r;
  dlg.GetWindowRect(&r);
  KyScreen& screen = KyScreen::Get();
  r.IntersectRect(&r, CRect(0, 0, screen.Width(), screen.Height()));
  std::vector<DWORD> pixels;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.push_back(screen.PixelAt(x, y));
  dlg.DestroyWindow();
  if (r.IsRectEmpty() || !GdiWritePngPixels(path.c_str(), r.Width(), r.Height(), pixels.data()))
    throw Failure{"cannot write '" + path + "'"};
}

int RunPick(const PickArgs& a, const Globals& g) {
  CheckSource(a.src);
  if (a.lang != "en" && a.lang != "zh") throw Failure{"--lang must be en or zh", 2};
  const CKyGeoStyle start = Record(a);
  SetThreadUILanguage(a.lang == "zh" ? MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)
                                     : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  // The dialog shows the library's names and its own Chinese texts as bytes
  // of the ANSI code page: the library's page, or GB2312 for Chinese.
  const UINT page = g.codePage ? g.codePage : a.lang == "zh" ? 936 : 0;
  if (page) AfxSetCodePage(page);
  CKyFillStyleLib lib;
  // The built-in library as a host has it: CreateDefault, which names the
  // root group in the user's language.
  if (a.src.builtIn) {
    if (!lib.CreateDefault()) throw Failure{"the built-in default library is missing from the module"};
  } else {
    LoadLibrary(a.src, lib);
  }
  // Without a page given, names that read as GB2312 are shown as such.
  if (!page && ForLibrary(g, lib).codePage == 936) AfxSetCodePage(936);
  CKyLineStyleLib lines;
  lines.CreateDefault();

  CKyFSLPickDlg dlg;
  dlg.AttachKyStyleLib(&lib, &lines);
  dlg.SetStyle(start);
  if (!a.screenshot.empty()) {
    Screenshot(dlg, a.screenshot);
    return 0;
  }
  // Without a desktop SDL may still open a window nobody can see or use,
  // and the dialog would wait for input for ever.
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((!x11 || !*x11) && (!wayland || !*wayland))
    throw Failure{"no display to open the picker on (set DISPLAY, or use --screenshot)", 2};
  KyScreen::Get().SetSize(800, 600);
  KySdlWindow* window = KySdlWindow::Open(KyScreen::Get(), "kyfsl pick");
  if (!window) {
    throw Failure{"the display cannot be opened to show the picker on (set DISPLAY, or use --screenshot)", 2};
  }
  const INT_PTR result = dlg.DoModal();
  delete window;
  if (result != IDOK) return 1;
  Print(dlg.GetStyle(), a.json);
  return 0;
}

}  // namespace

void RegisterPick(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("pick", "choose a style in the picker dialog and print it");
  auto a = std::make_shared<PickArgs>();
  AddSourceOptions(sub, a->src);
  sub->add_option("--style", a->style, "fill style id to start with (0..7 built-in fills, -1 none)");
  sub->add_option("--fore", a->fore, "foreground colour #RRGGBB");
  sub->add_option("--back", a->back, "background colour #RRGGBB");
  sub->add_flag("--transparent", a->transparent, "transparent background");
  sub->add_option("--rate", a->rate, "opacity in percent, 0..100");
  sub->add_option("--gradient", a->gradient, "none, linear, radial, conical or square");
  sub->add_option("--angle", a->angle, "gradient angle in tenths of a degree");
  sub->add_option("--hoffset", a->hOffset, "gradient centre offset across, percent");
  sub->add_option("--voffset", a->vOffset, "gradient centre offset down, percent");
  sub->add_option("--line-style", a->lineStyle, "outline: 0..5 pen styles, 6 and up line styles");
  sub->add_option("--line-width", a->lineWidth, "outline width in tenths of a millimetre");
  sub->add_option("--line-color", a->lineColour, "outline colour #RRGGBB");
  sub->add_option("--lang", a->lang, "en or zh");
  sub->add_flag("--json", a->json, "print the chosen style as JSON");
  sub->add_option("--screenshot", a->screenshot, "draw the dialog after start-up into a PNG instead");
  sub->callback([a, &g, &out] { out.status = RunPick(*a, g); });
}

}  // namespace kyfsl
