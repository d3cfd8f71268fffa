#include "device.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "KyToolkit.h"
#include "gdipng.h"

namespace kyfsl {

COLORREF ParseColour(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') throw Failure{"colour '" + text + "' is not #RRGGBB", 2};
  char* end = nullptr;
  const unsigned long v = std::strtoul(text.c_str() + 1, &end, 16);
  if (*end) throw Failure{"colour '" + text + "' is not #RRGGBB", 2};
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

std::pair<int, int> ParsePair(const std::string& text, char sep, const char* what) {
  const size_t at = text.find(sep);
  char* end = nullptr;
  if (at == std::string::npos) throw Failure{std::string(what) + " '" + text + "' is not W" + sep + "H", 2};
  const long a = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + at) throw Failure{std::string(what) + " '" + text + "' is not W" + sep + "H", 2};
  const long b = std::strtol(text.c_str() + at + 1, &end, 10);
  if (*end || a < -1000000000L || a > 1000000000L || b < -1000000000L || b > 1000000000L) {
    throw Failure{std::string(what) + " '" + text + "' is not W" + sep + "H", 2};
  }
  return {static_cast<int>(a), static_cast<int>(b)};
}

void AddDeviceOptions(CLI::App* sub, DeviceOptions& o) {
  sub->add_option_function<std::string>(
      "--canvas", [&o](const std::string& v) { std::tie(o.width, o.height) = ParsePair(v, 'x', "--canvas"); },
      "canvas size in pixels, WxH (default 800x600)");
  sub->add_option("--dpi", o.dpi, "pixels per inch of the simulated screen (default 96)");
  sub->add_option("--bpp", o.bpp, "bits per pixel: 32, 24, 16, 15 or 8 (default 32)");
  sub->add_option("--paper", o.paper, "colour of the canvas, #RRGGBB (default #FFFFFF)");
}

Canvas::Canvas(const DeviceOptions& o) {
  if (o.width < 1 || o.height < 1 || o.width > 16384 || o.height > 16384) {
    throw Failure{"the canvas must be 1 to 16384 pixels wide and high", 2};
  }
  if (o.dpi < 10 || o.dpi > 4800) throw Failure{"--dpi must be between 10 and 4800", 2};
  KyGetDisplaySettings(&m_saved);
  // The display is 5 * dpi * m pixels over 127 * m millimetres (m whole, the
  // least that holds the picture): its pixels per millimetre are exactly
  // dpi / 25.4, so a pattern has its physical size whatever the picture's
  // size, and any tile that fits five inches can be prepared for it.
  const int fiveInches = 5 * o.dpi;
  const int m = (std::max({o.width, o.height, fiveInches}) + fiveInches - 1) / fiveInches;
  KyDisplaySettings s = m_saved;
  s.nHorzRes = s.nVertRes = fiveInches * m;
  s.nHorzSize = s.nVertSize = 127 * m;
  s.nBitsPixel = o.bpp;
  s.nLogPixels = o.dpi;
  if (!KySetDisplaySettings(&s)) throw Failure{"--bpp must be 32, 24, 16, 15 or 8", 2};
  // On the printer the canvas is a memory DC made from the printer's DC,
  // which keeps the printer's description (600 dpi, a raster printer); the
  // printer's own page is let go before the canvas is made, so that a large
  // picture is not held twice. The canvas bitmap has the device's format
  // and is made directly: one compatible with a DC of the display would
  // allocate the display's whole frame.
  int bpp = o.bpp;
  if (o.printer) {
    CDC printer;
    if (!printer.Attach(KyCreatePrinterDC())) throw Failure{"the printer device cannot be made"};
    const BOOL made = m_dc.CreateCompatibleDC(&printer);
    bpp = printer.GetDeviceCaps(BITSPIXEL);
    printer.DeleteDC();
    if (!made) throw Failure{"the canvas cannot be made (out of memory?)"};
  } else if (!m_dc.CreateCompatibleDC(nullptr)) {
    throw Failure{"the canvas cannot be made (out of memory?)"};
  }
  // A 32-bit canvas is a DIB section: the anti-aliased map route reads and
  // writes its rows in place instead of copying bands of them.
  HBITMAP canvas = nullptr;
  if (bpp == 32 && !o.printer) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = o.width;
    info.bmiHeader.biHeight = -o.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    canvas = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  } else {
    canvas = ::CreateBitmap(o.width, o.height, 1, static_cast<UINT>(bpp), nullptr);
  }
  if (!canvas || !m_bitmap.Attach(canvas)) {
    if (canvas && !m_bitmap.GetSafeHandle()) ::DeleteObject(canvas);
    throw Failure{"the canvas cannot be made (out of memory?)"};
  }
  m_old = m_dc.SelectObject(&m_bitmap);
  m_dc.FillSolidRect(0, 0, o.width, o.height, ParseColour(o.paper));
}

Canvas::~Canvas() {
  if (m_old) m_dc.SelectObject(m_old);
  m_dc.DeleteDC();
  KySetDisplaySettings(&m_saved);
}

PictureKind PictureKindOf(const std::string& path) {
  const size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos || path.find('/', dot) != std::string::npos ? "" : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "png") return PictureKind::kPng;
  if (ext == "bmp") return PictureKind::kBmp;
  throw Failure{"'" + path + "': the picture must be named .png or .bmp", 2};
}

std::string SystemReason(DWORD error) {
  CFileException e(CFileException::OsErrorToException(static_cast<LONG>(error)), static_cast<LONG>(error));
  return e.GetErrorMessage().str();
}

void Canvas::Save(const std::string& path) {
  const PictureKind kind = PictureKindOf(path);
  if (m_old) m_dc.SelectObject(m_old);
  BOOL ok;
  if (kind == PictureKind::kBmp) {
    std::string p = path;
    ok = CKyToolkit::SaveBitmapFile(m_dc.GetSafeHdc(), m_bitmap, p.data(), nullptr);
  } else {
    ok = GdiSaveBitmapPng(m_bitmap, path.c_str());
  }
  const DWORD error = GetLastError();
  m_old = m_dc.SelectObject(&m_bitmap);
  if (!ok) throw Failure{"cannot write '" + path + "': " + SystemReason(error) + " (nothing was changed)"};
}

}  // namespace kyfsl
