// kyfsl gallery: a swatch sheet of every style of a library with its id and
// name, as a cartographer browses a library.
#include <algorithm>

#include "device.h"

namespace kyfsl {

namespace {

struct GalleryArgs {
  Source src;
  std::string output;
  std::string fore = "#000000";
  std::string back = "#FFFFFF";
  int columns = 8;
};

constexpr int kCellW = 120, kCellH = 96, kSwatchW = 104, kSwatchH = 64, kMargin = 8;

int RunGallery(GalleryArgs& a, const Globals& g) {
  CheckSource(a.src);
  PictureKindOf(a.output);
  if (a.columns < 1 || a.columns > 64) throw Failure{"--columns must be between 1 and 64", 2};
  CKyFillStyleLib lib;
  LoadLibrary(a.src, lib);
  if (lib.GetCount() == 0) throw Failure{a.src.Describe() + " has no styles"};
  const COLORREF fore = ParseColour(a.fore), back = ParseColour(a.back);
  const int rows = static_cast<int>((lib.GetCount() + a.columns - 1) / a.columns);
  DeviceOptions d;
  d.width = a.columns * kCellW + 2 * kMargin;
  d.height = std::min(16384, rows * kCellH + 2 * kMargin);
  d.paper = "#F4F4F0";
  Canvas canvas(d);
  CDC& dc = canvas.DC();
  CFont font;
  font.CreatePointFont(80, "MS Sans Serif");
  CFont* oldFont = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0x20, 0x20, 0x20));
  CPen frame(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
  for (long i = 0; i < lib.GetCount(); ++i) {
    const int x = kMargin + static_cast<int>(i % a.columns) * kCellW + (kCellW - kSwatchW) / 2;
    const int y = kMargin + static_cast<int>(i / a.columns) * kCellH + 4;
    if (y + kCellH > d.height) break;
    CKyFillStyle* style = lib.GetFillStyle(i);
    CRect swatch(x, y, x + kSwatchW, y + kSwatchH);
    dc.SetBkMode(OPAQUE);
    if (style->SetFillStyle(&dc, fore, back, CSize(0, 0), 1.0)) style->Display(&dc, &swatch, 100);
    style->ReleaseBMP();
    dc.SetBkMode(TRANSPARENT);
    CPen* oldPen = dc.SelectObject(&frame);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(swatch.left - 1, swatch.top - 1, swatch.right + 1, swatch.bottom + 1);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    CString label;
    label.Format("%ld %s", style->GetFillStyleID(), static_cast<const char*>(style->GetFillStyleName()));
    CRect text(x - 6, swatch.bottom + 3, x + kSwatchW + 6, swatch.bottom + 20);
    dc.DrawText(label, label.GetLength(), &text, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  dc.SelectObject(oldFont);
  canvas.Save(a.output);
  (void)g;
  return 0;
}

}  // namespace

void RegisterGallery(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("gallery", "a swatch sheet of every style with its id and name (.png or .bmp)");
  auto a = std::make_shared<GalleryArgs>();
  AddSourceOptions(sub, a->src);
  sub->add_option("-o,--output", a->output, "picture to write")->required();
  sub->add_option("--fore", a->fore, "foreground colour #RRGGBB");
  sub->add_option("--back", a->back, "background colour #RRGGBB");
  sub->add_option("--columns", a->columns, "swatches per row (default 8)");
  sub->callback([a, &g, &out] { out.status = RunGallery(*a, g); });
}

}  // namespace kyfsl
