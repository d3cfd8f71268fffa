// kyfsl demo: a small sample map drawn the way a host map window draws one:
// polygons filled with library patterns, a transparent background over
// another fill, 50% opacity, the four gradients and a symbol pattern.
#include <cmath>
#include <cstring>

#include "KyEspecialFill.h"
#include "KySampleSymbols.h"
#include "device.h"

namespace kyfsl {

namespace {

std::vector<POINT> Blob(int cx, int cy, int r, int n, double wobble) {
  std::vector<POINT> pts;
  for (int i = 0; i < n; ++i) {
    const double a = 2 * M_PI * i / n;
    const double k = 1.0 + wobble * std::sin(3 * a) + wobble * 0.5 * std::cos(5 * a);
    pts.push_back(POINT{cx + static_cast<int>(r * k * std::cos(a)), cy + static_cast<int>(r * k * std::sin(a))});
  }
  return pts;
}

void Outline(CDC& dc, const std::vector<POINT>& pts, COLORREF colour) {
  CPen pen(PS_SOLID, 1, colour);
  CPen* old = dc.SelectObject(&pen);
  dc.MoveTo(pts.back());
  for (const POINT& p : pts) dc.LineTo(p);
  dc.SelectObject(old);
}

void Label(CDC& dc, int x, int y, const char* text) {
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0x20, 0x20, 0x20));
  dc.TextOut(x, y, text, static_cast<int>(std::strlen(text)));
}

// Fills a polygon with a library style; the DC's background mode decides
// whether the pattern's background is painted.
void FillWithStyle(CDC& dc, CKyFillStyleLib& lib, long id, COLORREF fore, COLORREF back, bool transparent,
                   std::vector<POINT> pts, long rate) {
  dc.SetBkMode(transparent ? TRANSPARENT : OPAQUE);
  CKyFillStyle* style = lib.CreateFillStyle(&dc, id, fore, back, CSize(0, 0), 1.0);
  if (!style) throw Failure{"style " + std::to_string(id) + " cannot be prepared"};
  style->Polygon(&dc, pts.data(), static_cast<int>(pts.size()), FALSE, rate);
  style->ReleaseBMP();
  Outline(dc, pts, RGB(0x30, 0x30, 0x30));
}

int RunDemo(const std::string& output) {
  PictureKindOf(output);
  CKyFillStyleLib lib;
  if (!lib.CreateDefault()) throw Failure{"the built-in default library is missing from the module"};
  // A symbol pattern of our own: tree symbols in a staggered grid.
  CKySymLib samples = KySampleSymbols();
  CKySymbol* tree = new CKySymbol;
  *tree = *samples.GetSymbol(kySampleTree);
  const long treeID = lib.AddSymbol(tree);
  auto* orchard = new CKyFillStyle;
  orchard->CreateFillStyleVector(200, "orchard", 100, 100);
  orchard->GetFillStyleVector()->SetSymID(treeID);
  orchard->GetFillStyleVector()->SetSymSize(45);
  orchard->GetFillStyleVector()->AddPoint(CPoint(25, 25));
  orchard->GetFillStyleVector()->AddPoint(CPoint(75, 75));
  lib.AddFillStyle(orchard, lib.GetStyleGroup());

  DeviceOptions d;
  d.width = 960;
  d.height = 640;
  d.paper = "#FBFAF5";
  Canvas canvas(d);
  CDC& dc = canvas.DC();
  CFont font;
  font.CreatePointFont(90, "Arial");
  CFont* oldFont = dc.SelectObject(&font);

  // Land cover with library patterns.
  FillWithStyle(dc, lib, 72, RGB(0x2E, 0x7D, 0x32), RGB(0xE8, 0xF5, 0xE9), false, Blob(150, 150, 110, 48, 0.12), 100);
  Label(dc, 95, 275, "pattern, opaque");
  // A marsh hatch with a transparent background over a sand stipple.
  std::vector<POINT> sand = Blob(410, 150, 110, 48, 0.1);
  FillWithStyle(dc, lib, 78, RGB(0xC8, 0xA0, 0x50), RGB(0xFF, 0xF3, 0xD6), false, sand, 100);
  FillWithStyle(dc, lib, 68, RGB(0x15, 0x65, 0xC0), RGB(0xFF, 0xFF, 0xFF), true, Blob(430, 160, 80, 40, 0.08), 100);
  Label(dc, 335, 275, "transparent background");
  // 50% opacity over a solid fill.
  {
    CBrush solid(RGB(0xE5, 0x39, 0x35));
    CBrush* old = dc.SelectObject(&solid);
    CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
    dc.Rectangle(560, 50, 700, 250);
    dc.SelectObject(oldPen);
    dc.SelectObject(old);
  }
  FillWithStyle(dc, lib, 16, RGB(0x1A, 0x23, 0x7E), RGB(0xFF, 0xFF, 0xFF), false, Blob(700, 150, 105, 48, 0.1), 50);
  Label(dc, 640, 275, "50% opacity");
  // The symbol pattern.
  FillWithStyle(dc, lib, 200, RGB(0x1B, 0x5E, 0x20), RGB(0xF1, 0xF8, 0xE9), false, Blob(860, 150, 80, 40, 0.1), 100);
  Label(dc, 820, 275, "symbol pattern");

  // The four gradients.
  const char* names[] = {"linear", "radial", "conical", "square"};
  for (int k = 0; k < 4; ++k) {
    CRect r(40 + k * 230, 340, 40 + k * 230 + 200, 580);
    CKyEspecialFill::GradientRectangle(&dc, &r, RGB(0xFF, 0xEB, 0x3B), RGB(0x0D, 0x47, 0xA1), 450, 20, -20, k + 1,
                                       FALSE, 100);
    Label(dc, r.left + 70, 590, names[k]);
  }
  dc.SelectObject(oldFont);
  canvas.Save(output);
  return 0;
}

}  // namespace

void RegisterDemo(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("demo", "draw a small sample map with the built-in library (.png or .bmp)");
  auto output = std::make_shared<std::string>();
  sub->add_option("-o,--output", *output, "picture to write")->required();
  sub->callback([output, &out] { out.status = RunDemo(*output); });
}

}  // namespace kyfsl
