// _kyroz50: the C interface as Python sees it, one to one. Each failed call
// raises kyroz50.Error with kyfsl_last_error()'s message; pixels go in and
// out as numpy arrays of shape (height, width, 4), uint8. The friendlier
// classes (Library, Style, Group) and the matplotlib helper are Python, in
// kyroz50/.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "kyfsl.h"
#ifdef KYROZ50_WITH_TILES
#include "kyfsl_tiles.h"
#endif

namespace py = pybind11;

namespace {

struct KyError : std::runtime_error {
  int status;
  KyError(int s, const std::string& m) : std::runtime_error(m), status(s) {}
};

void Check(int status) {
  if (status != KYFSL_OK) throw KyError(status, kyfsl_last_error());
}

// An open library; closed when Python lets go of it or on close().
class Handle {
 public:
  explicit Handle(kyfsl_library* lib) : m_lib(lib) {}
  ~Handle() { close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  void close() {
    if (m_lib) kyfsl_close(m_lib);
    m_lib = nullptr;
  }
  bool closed() const { return m_lib == nullptr; }
  // The handle for a call; raises kyroz50.Error once closed.
  kyfsl_library* get() const {
    if (!m_lib) throw KyError(KYFSL_ERR_HANDLE, "the library is closed");
    return m_lib;
  }

 private:
  kyfsl_library* m_lib;
};

// path: the file name's bytes (os.fsencode), so that names in any encoding
// reach the file system unchanged.
std::unique_ptr<Handle> OpenFile(py::bytes path, unsigned codePage) {
  const std::string name = path;
  // A C string ends at the first NUL: "def.bru\0.txt" would open def.bru.
  if (name.find('\0') != std::string::npos) throw KyError(KYFSL_ERR_ARGUMENT, "the path holds a NUL character");
  kyfsl_library* lib = nullptr;
  Check(kyfsl_open_file(name.c_str(), codePage, &lib));
  return std::make_unique<Handle>(lib);
}

std::unique_ptr<Handle> OpenBytes(py::bytes data, unsigned codePage) {
  const std::string bytes = data;
  kyfsl_library* lib = nullptr;
  Check(kyfsl_open_bytes(bytes.data(), bytes.size(), codePage, &lib));
  return std::make_unique<Handle>(lib);
}

std::unique_ptr<Handle> OpenDefault(unsigned codePage) {
  kyfsl_library* lib = nullptr;
  Check(kyfsl_open_default(codePage, &lib));
  return std::make_unique<Handle>(lib);
}

kyfsl_paint MakePaint(uint32_t fore, uint32_t back, bool transparent, int rate, int dpi, bool rgba, bool mapAnchor,
                      int originX, int originY) {
  kyfsl_paint p;
  kyfsl_paint_init(&p);
  p.fore = fore;
  p.back = back;
  p.transparent = transparent ? 1 : 0;
  p.rate = rate;
  p.dpi = dpi;
  p.format = rgba ? KYFSL_RGBA : KYFSL_BGRA;
  p.anchor = mapAnchor ? KYFSL_ANCHOR_MAP : KYFSL_ANCHOR_SHAPE;
  p.origin_x = originX;
  p.origin_y = originY;
  return p;
}

// The caller's array as a buffer, taken as it is: a writable, C-contiguous
// uint8 array of shape (height, width, 4). Anything else is refused rather
// than converted, because drawing into a converted copy would leave the
// caller's array as it was.
kyfsl_buffer BufferOf(py::handle object) {
  static const std::string kExpected = "a writable, C-contiguous uint8 array of shape (height, width, 4)";
  if (!py::isinstance<py::array>(object)) {
    throw KyError(KYFSL_ERR_ARGUMENT, "the picture must be " + kExpected + ", not " +
                                          std::string(py::str(py::type::of(object).attr("__name__"))));
  }
  const auto a = py::reinterpret_borrow<py::array>(object);
  if (a.dtype().kind() != 'u' || a.itemsize() != 1) {
    throw KyError(KYFSL_ERR_ARGUMENT,
                  "the array must be uint8 RGBA of shape (height, width, 4), not " + std::string(py::str(a.dtype())));
  }
  if (a.ndim() != 3 || a.shape(2) != 4) throw KyError(KYFSL_ERR_ARGUMENT, "the array must have shape (height, width, 4)");
  if (a.shape(0) == 0 || a.shape(1) == 0) {
    throw KyError(KYFSL_ERR_ARGUMENT, "the array has no pixels: its shape is (" + std::to_string(a.shape(0)) + ", " +
                                          std::to_string(a.shape(1)) + ", 4)");
  }
  if (!(a.flags() & py::array::c_style)) {
    throw KyError(KYFSL_ERR_ARGUMENT, "the array must be C-contiguous (use numpy.ascontiguousarray)");
  }
  if (!a.writeable()) throw KyError(KYFSL_ERR_ARGUMENT, "the array is read-only");
  kyfsl_buffer b{};
  b.pixels = const_cast<void*>(a.data());
  b.width = static_cast<int32_t>(std::min<py::ssize_t>(a.shape(1), 1 << 30));
  b.height = static_cast<int32_t>(std::min<py::ssize_t>(a.shape(0), 1 << 30));
  b.stride = static_cast<size_t>(a.strides(0));
  b.size = static_cast<size_t>(a.nbytes());
  return b;
}

py::dict Info(const Handle& h, int32_t id) {
  kyfsl_style_info info;
  Check(kyfsl_style_info_get(h.get(), id, &info));
  py::dict d;
  d["id"] = info.id;
  d["kind"] = info.kind == KYFSL_KIND_SYMBOL ? "symbol" : "bitmap";
  d["width"] = info.width;
  d["height"] = info.height;
  d["width_mm"] = info.width_mm;
  d["height_mm"] = info.height_mm;
  d["resolution"] = info.resolution;
  return d;
}

#ifdef KYROZ50_WITH_TILES
// A tiler of the C interface; closed when Python lets go of it. It keeps the
// library's handle alive as long as it lives.
class Tiler {
 public:
  Tiler(py::object library, const std::string& options) : m_library(std::move(library)) {
    const kyfsl_library* lib = m_library.is_none() ? nullptr : m_library.cast<const Handle&>().get();
    Check(kyfsl_tiler_open(lib, options.c_str(), &m_tiler));
  }
  ~Tiler() { kyfsl_tiler_close(m_tiler); }
  Tiler(const Tiler&) = delete;
  Tiler& operator=(const Tiler&) = delete;
  std::string Plan() {
    char* text = nullptr;
    Check(kyfsl_tiler_plan(m_tiler, &text));
    std::string out(text);
    kyfsl_free(text);
    return out;
  }
  // The metatile's drawn tiles as (z, x, y, png bytes).
  py::list Draw(int z, int64_t x, int64_t y, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    std::vector<std::tuple<int, int64_t, int64_t, std::string>> tiles;
    const auto sink = [](void* user, int tz, int64_t tx, int64_t ty, const void* png, size_t size) {
      static_cast<decltype(tiles)*>(user)->emplace_back(tz, tx, ty, std::string(static_cast<const char*>(png), size));
    };
    int status;
    {
      py::gil_scoped_release free;
      status = kyfsl_tiler_draw(m_tiler, z, x, y, x0, y0, x1, y1, sink, &tiles);
    }
    Check(status);
    py::list out;
    for (auto& [tz, tx, ty, png] : tiles) out.append(py::make_tuple(tz, tx, ty, py::bytes(png)));
    return out;
  }

 private:
  friend class TileOutput;
  py::object m_library;
  kyfsl_tiler* m_tiler = nullptr;
};

// A tiler's folder or MBTiles file, written by this process; it keeps the
// tiler alive as long as it lives.
class TileOutput {
 public:
  TileOutput(py::object tiler, const std::string& path, bool resume) : m_tiler(std::move(tiler)) {
    Check(kyfsl_tile_output_open(m_tiler.cast<Tiler&>().m_tiler, path.c_str(), resume ? 1 : 0, &m_output));
  }
  ~TileOutput() { kyfsl_tile_output_close(m_output); }
  TileOutput(const TileOutput&) = delete;
  TileOutput& operator=(const TileOutput&) = delete;
  bool Done(int z, int64_t x, int64_t y) {
    int done = 0;
    Check(kyfsl_tile_output_done(m_output, z, x, y, &done));
    return done != 0;
  }
  // Stores a metatile's tiles, (z, x, y, png bytes), all or nothing.
  void Store(int z, int64_t x, int64_t y, const py::list& tiles) {
    for (const py::handle item : tiles) {
      const auto tile = item.cast<std::tuple<int, int64_t, int64_t, py::bytes>>();
      const std::string_view png = std::get<3>(tile);
      Check(kyfsl_tile_output_add(m_output, std::get<0>(tile), std::get<1>(tile), std::get<2>(tile), png.data(),
                                  png.size()));
    }
    Check(kyfsl_tile_output_store(m_output, z, x, y));
  }
  void Finish() { Check(kyfsl_tile_output_finish(m_output)); }
  void Close() {
    kyfsl_tile_output_close(m_output);
    m_output = nullptr;
  }

 private:
  py::object m_tiler;
  kyfsl_tile_output* m_output = nullptr;
};
#endif

}  // namespace

PYBIND11_MODULE(_kyroz50, m) {
  m.doc() = "Fill style libraries through the kyfsl C interface (low level; use the kyroz50 package).";
  static py::exception<KyError> error(m, "Error", PyExc_ValueError);
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const KyError& e) {
      py::object exc = py::handle(error.ptr())(e.what());
      exc.attr("status") = py::str(kyfsl_status_name(e.status));
      PyErr_SetObject(error.ptr(), exc.ptr());
    }
  });
  m.attr("version") = kyfsl_version();
  m.attr("MIN_DPI") = KYFSL_MIN_DPI;
  m.attr("MAX_DPI") = KYFSL_MAX_DPI;

  py::class_<Handle>(m, "Handle")
      .def("close", &Handle::close)
      .def_property_readonly("closed", &Handle::closed);
  m.def("open_file", &OpenFile, py::arg("path"), py::arg("code_page") = 0);
  m.def("open_bytes", &OpenBytes, py::arg("data"), py::arg("code_page") = 0);
  m.def("open_default", &OpenDefault, py::arg("code_page") = 0);
#ifdef KYROZ50_WITH_TILES
  py::class_<Tiler>(m, "Tiler")
      .def(py::init<py::object, const std::string&>(), py::arg("library"), py::arg("options"))
      .def("plan", &Tiler::Plan)
      .def("draw", &Tiler::Draw);
  py::class_<TileOutput>(m, "TileOutput")
      .def(py::init<py::object, const std::string&, bool>(), py::arg("tiler"), py::arg("path"), py::arg("resume"))
      .def("done", &TileOutput::Done)
      .def("store", &TileOutput::Store)
      .def("finish", &TileOutput::Finish)
      .def("close", &TileOutput::Close);
#endif

  m.def("style_count", [](const Handle& h) {
    size_t n = 0;
    Check(kyfsl_style_count(h.get(), &n));
    return n;
  });
  m.def("style_id", [](const Handle& h, size_t index) {
    int32_t id = 0;
    Check(kyfsl_style_id(h.get(), index, &id));
    return id;
  });
  m.def("style_name", [](const Handle& h, int32_t id) {
    const char* s = nullptr;
    Check(kyfsl_style_name(h.get(), id, &s));
    return std::string(s);
  });
  m.def("style_group", [](const Handle& h, int32_t id) {
    const char* s = nullptr;
    Check(kyfsl_style_group(h.get(), id, &s));
    return std::string(s);
  });
  m.def("style_info", &Info);
  m.def("group_count", [](const Handle& h) {
    size_t n = 0;
    Check(kyfsl_group_count(h.get(), &n));
    return n;
  });
  m.def("group_path", [](const Handle& h, size_t index) {
    const char* s = nullptr;
    Check(kyfsl_group_path(h.get(), index, &s));
    return std::string(s);
  });
  m.def("group_styles", [](const Handle& h, size_t index) {
    const int32_t* ids = nullptr;
    size_t n = 0;
    Check(kyfsl_group_styles(h.get(), index, &ids, &n));
    return std::vector<int32_t>(ids, ids + n);
  });

  m.def(
      "tile_size",
      [](const Handle& h, int32_t id, int dpi) {
        kyfsl_paint p = MakePaint(0, 0xFFFFFF, false, 100, dpi, true, false, 0, 0);
        int32_t w = 0, hh = 0;
        Check(kyfsl_tile_size(h.get(), id, &p, &w, &hh));
        return py::make_tuple(w, hh);
      },
      py::arg("handle"), py::arg("id"), py::arg("dpi"));
  m.def(
      "render_tile",
      [](const Handle& h, int32_t id, py::handle out, uint32_t fore, uint32_t back, bool transparent,
         int rate, int dpi, bool rgba) {
        kyfsl_paint p = MakePaint(fore, back, transparent, rate, dpi, rgba, false, 0, 0);
        kyfsl_buffer b = BufferOf(out);
        kyfsl_library* lib = h.get();
        py::gil_scoped_release unlocked;
        Check(kyfsl_render_tile(lib, id, &p, &b));
      },
      py::arg("handle"), py::arg("id"), py::arg("out"), py::arg("fore"), py::arg("back"), py::arg("transparent"),
      py::arg("rate"), py::arg("dpi"), py::arg("rgba"));
  m.def(
      "fill",
      [](const Handle& h, int32_t id, py::handle out, const std::vector<py::array_t<double, py::array::c_style | py::array::forcecast>>& rings,
         std::vector<double> transform, uint32_t fore, uint32_t back, bool transparent, int rate, int dpi, bool rgba,
         bool mapAnchor, int originX, int originY, bool antialias) {
        if (transform.size() != 6) throw KyError(KYFSL_ERR_ARGUMENT, "the transform has six numbers");
        std::vector<double> xy;
        std::vector<size_t> sizes;
        for (const auto& r : rings) {
          if (r.ndim() != 2 || r.shape(1) != 2) throw KyError(KYFSL_ERR_ARGUMENT, "each ring is an (n, 2) array of x, y");
          xy.insert(xy.end(), r.data(), r.data() + r.size());
          sizes.push_back(static_cast<size_t>(r.shape(0)));
        }
        kyfsl_paint p = MakePaint(fore, back, transparent, rate, dpi, rgba, mapAnchor, originX, originY);
        kyfsl_buffer b = BufferOf(out);
        kyfsl_library* lib = h.get();
        py::gil_scoped_release unlocked;
        if (antialias) {
          kyfsl_fill_options o;
          kyfsl_fill_options_init(&o);
          Check(kyfsl_fill_smooth(lib, id, &p, xy.data(), sizes.data(), sizes.size(), transform.data(), &b, &o));
        } else {
          Check(kyfsl_fill(lib, id, &p, xy.data(), sizes.data(), sizes.size(), transform.data(), &b));
        }
      },
      py::arg("handle"), py::arg("id"), py::arg("out"), py::arg("rings"), py::arg("transform"), py::arg("fore"),
      py::arg("back"), py::arg("transparent"), py::arg("rate"), py::arg("dpi"), py::arg("rgba"), py::arg("map_anchor"),
      py::arg("origin_x"), py::arg("origin_y"), py::arg("antialias") = false);
  m.def(
      "svg",
      [](const Handle& h, int32_t id, uint32_t fore, uint32_t back, bool transparent) {
        kyfsl_paint p = MakePaint(fore, back, transparent, 100, 96, true, false, 0, 0);
        char* text = nullptr;
        size_t n = 0;
        Check(kyfsl_style_svg(h.get(), id, &p, &text, &n));
        std::string s(text, n);
        kyfsl_free(text);
        return s;
      },
      py::arg("handle"), py::arg("id"), py::arg("fore"), py::arg("back"), py::arg("transparent"));
}
