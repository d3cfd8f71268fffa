// What a library holds: styles by position and id, their UTF-8 names and
// group paths, sizes, and the group tree. Text comes from the caches the
// handle filled when it was opened.
#include "KySvgWriter.h"
#include "capi_internal.h"

using namespace kyfsl_capi;

namespace {

const OpenLibrary::Group& GroupAt(const OpenLibrary& h, size_t index) {
  if (index >= h.groups.size()) {
    throw Error{KYFSL_ERR_NOT_FOUND, "group " + std::to_string(index) + " is past the library's " +
                                         std::to_string(h.groups.size()) + " groups"};
  }
  return h.groups[index];
}

}  // namespace

extern "C" {

int kyfsl_style_count(const kyfsl_library* lib, size_t* count) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    Need(count, "count");
    *count = static_cast<size_t>(h->lib.GetCount());
  });
}

int kyfsl_style_id(const kyfsl_library* lib, size_t index, int32_t* id) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    Need(id, "id");
    const size_t count = static_cast<size_t>(h->lib.GetCount());
    if (index >= count) {
      throw Error{KYFSL_ERR_NOT_FOUND,
                  "position " + std::to_string(index) + " is past the library's " + std::to_string(count) + " styles"};
    }
    *id = static_cast<int32_t>(h->lib.FindIndex(static_cast<long>(index)));
  });
}

int kyfsl_style_name(const kyfsl_library* lib, int32_t id, const char** name) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    Need(name, "name");
    *name = h->names[PositionOf(*h, id)].c_str();
  });
}

int kyfsl_style_group(const kyfsl_library* lib, int32_t id, const char** path) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    Need(path, "path");
    *path = h->groupOf[PositionOf(*h, id)].c_str();
  });
}

int kyfsl_style_info_get(const kyfsl_library* lib, int32_t id, kyfsl_style_info* info) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    Need(info, "info");
    CKyFillStyle* style = h->lib.GetFillStyle(PositionOf(*h, id));
    kyexport::SvgTile tile;
    std::string why;
    if (!style || !kyexport::SvgTileOf(*style, &tile, &why)) {
      throw Error{KYFSL_ERR_RENDER, "style " + std::to_string(id) + " " + why};
    }
    kyfsl_style_info out{};
    out.id = id;
    out.kind = style->GetType() == CKyFillStyle::FS_TYPE_VECTOR ? KYFSL_KIND_SYMBOL : KYFSL_KIND_BITMAP;
    out.width = tile.viewWidth;
    out.height = tile.viewHeight;
    out.width_mm = tile.widthMm;
    out.height_mm = tile.heightMm;
    out.resolution = out.kind == KYFSL_KIND_BITMAP ? static_cast<int32_t>(style->GetResolution()) : 0;
    *info = out;
  });
}

int kyfsl_group_count(const kyfsl_library* lib, size_t* count) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    Need(count, "count");
    *count = h->groups.size();
  });
}

int kyfsl_group_path(const kyfsl_library* lib, size_t index, const char** path) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    Need(path, "path");
    *path = GroupAt(*h, index).path.c_str();
  });
}

int kyfsl_group_styles(const kyfsl_library* lib, size_t index, const int32_t** ids, size_t* count) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    Need(ids, "ids");
    Need(count, "count");
    const OpenLibrary::Group& g = GroupAt(*h, index);
    *ids = g.ids.data();
    *count = g.ids.size();
  });
}

}  // extern "C"
