// kyfsl gallery: a swatch sheet of the styles of a library with their ids
// and names, as a cartographer browses a library. A sheet is at most 16384
// pixels high (170 rows of swatches); a library that needs more is drawn on
// several pages, NAME-1.png, NAME-2.png, ...
#include <algorithm>
#include <cstdio>

#include "device.h"
#include "text.h"

namespace kyfsl {

namespace {

struct GalleryArgs {
  Source src;
  std::string output;
  std::string fore = "#000000";
  std::string back = "#FFFFFF";
  int columns = 8;
  std::string group;
  std::string ids;
};

constexpr int kCellW = 120, kCellH = 96, kSwatchW = 104, kSwatchH = 64, kMargin = 8;
constexpr int kMaxEdge = 16384;  // the largest canvas the command line makes

// The positions of the styles to draw, in library order.
std::vector<long> Chosen(CKyFillStyleLib& lib, const GalleryArgs& a, const Globals& g) {
  std::vector<long> out;
  const std::vector<std::pair<long, long>> ranges = a.ids.empty() ? std::vector<std::pair<long, long>>{}
                                                                  : ParseIdRanges(a.ids);
  CKyFillStyleGroup* group = nullptr;
  if (!a.group.empty()) {
    group = lib.GetStyleGroup();
    size_t start = 0;
    while (group && start < a.group.size()) {
      size_t slash = a.group.find('/', start);
      if (slash == std::string::npos) slash = a.group.size();
      const std::string part = a.group.substr(start, slash - start);
      start = slash + 1;
      if (!part.empty()) group = group->SubGroup(FromUtf8(part, g));
    }
    if (!group) throw Failure{"the library has no group '" + a.group + "'", 2};
  }
  // The ids of the group and of the groups below it.
  std::vector<bool> inGroup;
  if (group) {
    inGroup.assign(static_cast<size_t>(lib.GetCount()), false);
    std::vector<CKyFillStyleGroup*> todo{group};
    while (!todo.empty()) {
      CKyFillStyleGroup* at = todo.back();
      todo.pop_back();
      for (long i = 0; i < at->GetItemCount(); ++i) {
        const long position = lib.FindID(at->GetItemID(i));
        if (position >= 0) inGroup[static_cast<size_t>(position)] = true;
      }
      for (long i = 0; i < at->GetSubGroupCount(); ++i) todo.push_back(at->SubGroup(i));
    }
  }
  for (long i = 0; i < lib.GetCount(); ++i) {
    if (group && !inGroup[static_cast<size_t>(i)]) continue;
    const long id = lib.FindIndex(i);
    if (!ranges.empty() &&
        std::none_of(ranges.begin(), ranges.end(), [id](const auto& r) { return id >= r.first && id <= r.second; })) {
      continue;
    }
    out.push_back(i);
  }
  return out;
}

std::string PagePath(const std::string& output, int page) {
  const size_t dot = output.rfind('.');
  return output.substr(0, dot) + "-" + std::to_string(page) + output.substr(dot);
}

// Draws the styles at positions [first, last) on one sheet; returns the ids
// that could not be drawn.
std::vector<long> DrawPage(CKyFillStyleLib& lib, const std::vector<long>& positions, size_t first, size_t last,
                           const GalleryArgs& a, const Globals& g, const std::string& path) {
  const COLORREF fore = ParseColour(a.fore), back = ParseColour(a.back);
  const int rows = static_cast<int>((last - first + a.columns - 1) / a.columns);
  DeviceOptions d;
  d.width = a.columns * kCellW + 2 * kMargin;
  d.height = rows * kCellH + 2 * kMargin;
  d.paper = "#F4F4F0";
  Canvas canvas(d);
  CDC& dc = canvas.DC();
  CFont font;
  font.CreatePointFont(80, "MS Sans Serif");
  CFont* oldFont = dc.SelectObject(&font);
  dc.SetTextColor(RGB(0x20, 0x20, 0x20));
  CPen frame(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
  CPen cross(PS_SOLID, 1, RGB(0xC0, 0x30, 0x30));
  std::vector<long> failed;
  for (size_t k = first; k < last; ++k) {
    const long cell = static_cast<long>(k - first);
    const int x = kMargin + static_cast<int>(cell % a.columns) * kCellW + (kCellW - kSwatchW) / 2;
    const int y = kMargin + static_cast<int>(cell / a.columns) * kCellH + 4;
    CKyFillStyle* style = lib.GetFillStyle(positions[k]);
    CRect swatch(x, y, x + kSwatchW, y + kSwatchH);
    dc.SetBkMode(OPAQUE);
    const bool drawn = style->SetFillStyle(&dc, fore, back, CSize(0, 0), 1.0) && style->Display(&dc, &swatch, 100);
    style->ReleaseBMP();
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    if (!drawn) {
      // A style that cannot be drawn is crossed out, not left blank.
      failed.push_back(style->GetFillStyleID());
      CPen* oldPen = dc.SelectObject(&cross);
      dc.MoveTo(swatch.left, swatch.top);
      dc.LineTo(swatch.right, swatch.bottom);
      dc.MoveTo(swatch.right, swatch.top);
      dc.LineTo(swatch.left, swatch.bottom);
      dc.SelectObject(oldPen);
    }
    CPen* oldPen = dc.SelectObject(&frame);
    dc.Rectangle(swatch.left - 1, swatch.top - 1, swatch.right + 1, swatch.bottom + 1);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SetBkMode(TRANSPARENT);
    // The label is drawn in the library's code page, as the dialogs draw it.
    CString label;
    label.Format("%ld %s", style->GetFillStyleID(), static_cast<const char*>(style->GetFillStyleName()));
    CRect text(x - 6, swatch.bottom + 3, x + kSwatchW + 6, swatch.bottom + 20);
    dc.DrawText(label, label.GetLength(), &text, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  dc.SelectObject(oldFont);
  canvas.Save(path);
  (void)g;
  return failed;
}

int RunGallery(GalleryArgs& a, const Globals& given) {
  CheckSource(a.src);
  PictureKindOf(a.output);
  if (a.columns < 1 || a.columns > 64) throw Failure{"--columns must be between 1 and 64", 2};
  CKyFillStyleLib lib;
  LoadLibrary(a.src, lib);
  const Globals g = ForLibrary(given, lib);
  const std::vector<long> positions = Chosen(lib, a, g);
  if (positions.empty()) throw Failure{a.src.Describe() + " has no styles to draw" +
                                       (a.group.empty() && a.ids.empty() ? "" : " with that --group and --ids")};
  const size_t perPage = static_cast<size_t>((kMaxEdge - 2 * kMargin) / kCellH) * static_cast<size_t>(a.columns);
  const size_t pages = (positions.size() + perPage - 1) / perPage;
  std::vector<long> failed;
  for (size_t p = 0; p < pages; ++p) {
    const std::string path = pages == 1 ? a.output : PagePath(a.output, static_cast<int>(p + 1));
    const size_t first = p * perPage, last = std::min(positions.size(), first + perPage);
    std::vector<long> f = DrawPage(lib, positions, first, last, a, g, path);
    failed.insert(failed.end(), f.begin(), f.end());
    if (pages > 1) std::printf("%s: styles %zu to %zu\n", path.c_str(), first + 1, last);
  }
  if (pages > 1) {
    std::printf("%zu styles on %zu pages of at most %zu (a picture is at most %d pixels high)\n", positions.size(),
                pages, perPage, kMaxEdge);
  }
  if (!failed.empty()) {
    std::string list;
    for (size_t i = 0; i < failed.size() && i < 20; ++i) list += (i ? ", " : "") + std::to_string(failed[i]);
    if (failed.size() > 20) list += ", ...";
    std::fprintf(stderr, "kyfsl: %zu styles cannot be drawn and are crossed out: %s\n", failed.size(), list.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

void RegisterGallery(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("gallery",
                                 "a swatch sheet of the styles with their ids and names (.png or .bmp); a library "
                                 "too large for one picture is drawn on pages NAME-1, NAME-2, ...");
  auto a = std::make_shared<GalleryArgs>();
  AddSourceOptions(sub, a->src);
  sub->add_option("-o,--output", a->output, "picture to write")->required();
  sub->add_option("--fore", a->fore, "foreground colour #RRGGBB");
  sub->add_option("--back", a->back, "background colour #RRGGBB");
  sub->add_option("--columns", a->columns, "swatches per row, 1 to 64 (default 8)");
  sub->add_option("--group", a->group, "only the styles of this group and those below it (a/b/c below the root)");
  sub->add_option("--ids", a->ids, "only these ids, like 8,9,12-15");
  sub->callback([a, &g, &out] { out.status = RunGallery(*a, g); });
}

}  // namespace kyfsl
