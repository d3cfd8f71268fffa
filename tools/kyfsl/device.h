// A simulated device for the drawing subcommands: a canvas bitmap in a
// memory DC of the display (set to the asked size, resolution and depth) or
// of the printer.
#pragma once

#include <string>
#include <tuple>
#include <utility>

#include "afxdc.h"
#include "kyfsl.h"

namespace kyfsl {

struct DeviceOptions {
  int width = 800;
  int height = 600;
  int dpi = 96;
  int bpp = 32;
  bool printer = false;
  std::string paper = "#FFFFFF";
};

class Canvas {
 public:
  // Throws Failure when the device cannot be made.
  explicit Canvas(const DeviceOptions& o);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  CDC& DC() { return m_dc; }
  // Writes the canvas as .png or .bmp (by the extension) through a file
  // renamed over path, so a failure leaves the old picture; throws Failure.
  void Save(const std::string& path);

 private:
  KyDisplaySettings m_saved{};
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_old = nullptr;
};

enum class PictureKind { kPng, kBmp };
// The kind of picture a path names by its extension (.png or .bmp, in any
// case); throws Failure (status 2) for any other, before anything is drawn.
PictureKind PictureKindOf(const std::string& path);
// The platform's one-line text for a last-error value.
std::string SystemReason(DWORD error);

// "#RRGGBB" as a COLORREF; throws Failure for anything else.
COLORREF ParseColour(const std::string& text);
void AddDeviceOptions(CLI::App* sub, DeviceOptions& o);
// "12x34" (sep 'x') or "1,2" (sep ','); throws Failure.
std::pair<int, int> ParsePair(const std::string& text, char sep, const char* what);

}  // namespace kyfsl
