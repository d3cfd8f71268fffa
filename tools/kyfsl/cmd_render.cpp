// kyfsl render: fills shapes with a style on a simulated device, the way a
// host's map window does, and writes the picture.
#include <sstream>

#include "KyEspecialFill.h"
#include "device.h"

namespace kyfsl {

namespace {

struct RenderArgs {
  Source src;
  std::string output;
  DeviceOptions device;
  long style = 8;
  std::string fore = "#000000";
  std::string back = "#FFFFFF";
  bool transparent = false;
  long rate = 100;
  double scale = 1.0;
  std::string size;
  std::string gradient;
  long angle = 0, hOffset = 0, vOffset = 0;
  std::vector<std::string> rects;
  std::vector<std::string> polygons;
};

long GradientType(const std::string& name) {
  if (name == "linear") return 1;
  if (name == "radial") return 2;
  if (name == "conical") return 3;
  if (name == "square") return 4;
  throw Failure{"--gradient must be linear, radial, conical or square", 2};
}

std::vector<POINT> ParsePolygon(const std::string& text) {
  std::vector<POINT> pts;
  std::istringstream in(text);
  std::string pair;
  while (in >> pair) {
    auto [x, y] = ParsePair(pair, ',', "polygon point");
    pts.push_back(POINT{x, y});
  }
  if (pts.size() < 3) throw Failure{"a polygon needs at least three points: \"x,y x,y x,y\"", 2};
  return pts;
}

CRect ParseRect(const std::string& text) {
  int v[4];
  std::istringstream in(text);
  std::string part;
  for (int i = 0; i < 4; ++i) {
    if (!std::getline(in, part, ',')) throw Failure{"--rect '" + text + "' is not L,T,R,B", 2};
    char* end = nullptr;
    const long n = std::strtol(part.c_str(), &end, 10);
    if (*end || part.empty() || n < -1000000000L || n > 1000000000L) {
      throw Failure{"--rect '" + text + "' is not L,T,R,B", 2};
    }
    v[i] = static_cast<int>(n);
  }
  return CRect(v[0], v[1], v[2], v[3]);
}

// The built-in fills 0..7 (solid, hollow and the six hatches) with the
// options a library style takes: the opacity rate, the background colour
// and mode, and a poly-polygon's holes (alternate filling).
void FillBuiltIn(CDC& dc, long id, COLORREF fore, COLORREF back, bool transparent, long rate, int bPrint,
                 std::vector<CRect> rects, std::vector<POINT> points, std::vector<int> counts) {
  static const int hatches[] = {HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS, HS_FDIAGONAL, HS_HORIZONTAL, HS_VERTICAL};
  if (id == 1 || rate <= 0) return;
  const int polys = static_cast<int>(counts.size());
  if (id == 0 && rate < 100) {
    for (CRect& r : rects) CKyEspecialFill::TransparentRectangle(&dc, &r, fore, bPrint, rate);
    if (polys > 0) {
      CKyEspecialFill::TransparentPolyPolygon(&dc, points.data(), counts.data(), polys, fore, bPrint, rate, nullptr);
    }
    return;
  }
  CBrush brush;
  if (id == 0) {
    brush.CreateSolidBrush(fore);
  } else {
    brush.CreateHatchBrush(hatches[id - 2], fore);
  }
  // Paints the shapes with the brush on a DC whose origin is moved by
  // (-dx, -dy); the hatch keeps its phase with the device's.
  auto paint = [&](CDC& target, int dx, int dy) {
    CBrush* oldBrush = target.SelectObject(&brush);
    CGdiObject* oldPen = target.SelectStockObject(NULL_PEN);
    target.SetBkColor(back);
    target.SetBkMode(transparent ? TRANSPARENT : OPAQUE);
    target.SetPolyFillMode(ALTERNATE);
    target.SetBrushOrg(-dx, -dy);
    for (const CRect& r : rects) target.Rectangle(r.left - dx, r.top - dy, r.right - dx + 1, r.bottom - dy + 1);
    if (polys > 0) {
      std::vector<POINT> moved = points;
      for (POINT& p : moved) p.x -= dx, p.y -= dy;
      target.PolyPolygon(moved.data(), counts.data(), polys);
    }
    target.SelectObject(oldPen);
    target.SelectObject(oldBrush);
  };
  if (rate >= 100) {
    paint(dc, 0, 0);
    return;
  }
  // A hatch at a rate: the covered area is copied, the hatch painted on the
  // copy and the copy mixed back at the rate. Pixels the hatch leaves alone
  // mix with themselves and do not change.
  CRect box(0, 0, 0, 0);
  for (const CRect& r : rects) box.UnionRect(&box, CRect(r.left, r.top, r.right + 1, r.bottom + 1));
  for (const POINT& p : points) box.UnionRect(&box, CRect(p.x, p.y, p.x + 1, p.y + 1));
  CBitmap* surface = dc.GetCurrentBitmap();
  BITMAP bm{};
  if (surface) surface->GetBitmap(&bm);
  box.IntersectRect(&box, CRect(0, 0, bm.bmWidth, bm.bmHeight));
  if (box.IsRectEmpty()) return;
  CDC mem;
  CBitmap copy;
  if (!mem.CreateCompatibleDC(&dc) || !copy.CreateCompatibleBitmap(&dc, box.Width(), box.Height())) {
    throw Failure{"the canvas cannot hold a copy for mixing (out of memory?)"};
  }
  CBitmap* old = mem.SelectObject(&copy);
  mem.BitBlt(0, 0, box.Width(), box.Height(), &dc, box.left, box.top, SRCCOPY);
  paint(mem, box.left, box.top);
  mem.SelectObject(old);
  CKyEspecialFill::TransparentBitblt(&dc, &copy, box.left, box.top, box.Width(), box.Height(), rate);
}

int RunRender(RenderArgs& a) {
  std::vector<CRect> rects;
  for (const std::string& r : a.rects) rects.push_back(ParseRect(r));
  std::vector<std::vector<POINT>> polys;
  for (const std::string& p : a.polygons) polys.push_back(ParsePolygon(p));
  if (rects.empty() && polys.empty()) {
    rects.push_back(CRect(a.device.width / 8, a.device.height / 8, a.device.width * 7 / 8, a.device.height * 7 / 8));
  }
  const COLORREF fore = ParseColour(a.fore), back = ParseColour(a.back);
  std::vector<POINT> allPoints;
  std::vector<int> counts;
  for (const auto& p : polys) {
    allPoints.insert(allPoints.end(), p.begin(), p.end());
    counts.push_back(static_cast<int>(p.size()));
  }

  PictureKindOf(a.output);
  Canvas canvas(a.device);
  CDC& dc = canvas.DC();
  const int bPrint = a.device.printer ? TRUE : FALSE;
  if (!a.gradient.empty()) {
    const long type = GradientType(a.gradient);
    for (CRect r : rects) {
      CKyEspecialFill::GradientRectangle(&dc, &r, fore, back, a.angle, a.hOffset, a.vOffset, type, bPrint, a.rate);
    }
    if (!polys.empty()) {
      CKyEspecialFill::GradientPolyPolygon(&dc, allPoints.data(), counts.data(), static_cast<int>(counts.size()), fore,
                                           back, a.angle, a.hOffset, a.vOffset, type, bPrint, a.rate, nullptr);
    }
  } else if (a.style >= 0 && a.style <= 7) {
    FillBuiltIn(dc, a.style, fore, back, a.transparent, a.rate, bPrint, rects, allPoints, counts);
  } else {
    CKyFillStyleLib lib;
    CheckSource(a.src);
    LoadLibrary(a.src, lib);
    CSize size(0, 0);
    if (!a.size.empty()) {
      auto [w, h] = ParsePair(a.size, 'x', "--size");
      size = CSize(w, h);
    }
    dc.SetBkMode(a.transparent ? TRANSPARENT : OPAQUE);
    if (lib.FindID(a.style) < 0) throw Failure{"the library has no style " + std::to_string(a.style)};
    CKyFillStyle* style = lib.CreateFillStyle(&dc, a.style, fore, back, size, a.scale);
    if (!style) throw Failure{"style " + std::to_string(a.style) + " cannot be prepared for this device and size"};
    for (CRect r : rects) {
      if (bPrint) {
        style->Draw(&dc, &r, a.rate);
      } else {
        style->DisplayEx(&dc, &r, FALSE, a.rate);
      }
    }
    if (!polys.empty()) {
      style->PolyPolygon(&dc, allPoints.data(), counts.data(), static_cast<int>(counts.size()), bPrint, a.rate);
    }
    style->ReleaseBMP();
  }
  canvas.Save(a.output);
  return 0;
}

}  // namespace

void RegisterRender(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("render", "fill shapes with a style on a simulated device and write .png or .bmp");
  auto a = std::make_shared<RenderArgs>();
  AddSourceOptions(sub, a->src);
  sub->add_option("-o,--output", a->output, "picture to write (.png or .bmp)")->required();
  AddDeviceOptions(sub, a->device);
  sub->add_flag("--print", a->device.printer, "take the printing path on a printer device");
  sub->add_option("--style", a->style, "style id: 0-7 the built-in fills, 8+ library styles (default 8)");
  sub->add_option("--fore", a->fore, "foreground colour #RRGGBB (gradient start)");
  sub->add_option("--back", a->back, "background colour #RRGGBB (gradient end)");
  sub->add_flag("--transparent", a->transparent, "let the canvas show through the pattern's background");
  sub->add_option("--rate", a->rate, "opacity in percent (default 100)");
  sub->add_option("--scale", a->scale, "scale of the pattern (default 1)");
  sub->add_option("--size", a->size, "tile size WxH in tenths of a millimetre (default: natural size)");
  sub->add_option("--gradient", a->gradient, "linear, radial, conical or square instead of a style");
  sub->add_option("--angle", a->angle, "gradient angle in tenths of a degree");
  sub->add_option("--hoffset", a->hOffset, "gradient centre offset, percent of the width");
  sub->add_option("--voffset", a->vOffset, "gradient centre offset, percent of the height");
  sub->add_option("--rect", a->rects, "rectangle L,T,R,B in device pixels (repeatable)");
  sub->add_option("--polygon", a->polygons, "polygon \"x,y x,y ...\" (repeatable; together one poly-polygon)");
  sub->callback([a, &out] { out.status = RunRender(*a); });
}

}  // namespace kyfsl
