// A style as an SVG document, through the exporter's writer.
#include <cstdlib>
#include <cstring>

#include "KySvgWriter.h"
#include "capi_internal.h"
#include "library_text.h"

using namespace kyfsl_capi;

extern "C" {

int kyfsl_style_svg(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, char** svg, size_t* length) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    Need(paint, "paint");
    Need(svg, "svg");
    if (paint->fore > 0xFFFFFF || paint->back > 0xFFFFFF) {
      throw Error{KYFSL_ERR_ARGUMENT, "colours are 0xRRGGBB, at most 0xFFFFFF"};
    }
    const long position = PositionOf(*h, id);
    CKyFillStyle* style = h->lib.GetFillStyle(position);
    kyexport::SvgColours colours;
    colours.fore = RGB((paint->fore >> 16) & 0xFF, (paint->fore >> 8) & 0xFF, paint->fore & 0xFF);
    colours.back = RGB((paint->back >> 16) & 0xFF, (paint->back >> 8) & 0xFF, paint->back & 0xFF);
    colours.transparent = paint->transparent != 0;
    std::string why;
    const std::string text = style ? kyexport::StyleToSvg(*style, colours, WithoutControls(h->names[position]), &why) : "";
    if (text.empty()) throw Error{KYFSL_ERR_RENDER, "style " + std::to_string(id) + " " + why};
    char* out = static_cast<char*>(std::malloc(text.size() + 1));
    if (!out) throw std::bad_alloc();
    std::memcpy(out, text.c_str(), text.size() + 1);
    *svg = out;
    if (length) *length = text.size();
  });
}

void kyfsl_free(void* p) { std::free(p); }

}  // extern "C"
