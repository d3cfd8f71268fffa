#include "KyTileViewer.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace kytiles {

namespace fs = std::filesystem;

namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Hex(COLORREF c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

void WriteFile(const fs::path& path, const void* data, size_t size) {
  const fs::path part = path.string() + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.flush();
    if (!out) {
      std::error_code ignored;
      fs::remove(part, ignored);
      throw kymap::MapError("cannot write '" + path.string() + "'");
    }
  }
  std::error_code ec;
  fs::rename(part, path, ec);
  if (ec) throw kymap::MapError("cannot write '" + path.string() + "': " + ec.message());
}

}  // namespace

std::string ViewerPage(const PyramidInfo& info, const std::string& tileUrl) {
  const nlohmann::json view = {
      {"url", tileUrl},
      {"minZoom", info.zooms.min},
      {"maxZoom", info.zooms.max},
      {"tileSize", info.tileSize},
      {"bounds", {{info.bounds.south, info.bounds.west}, {info.bounds.north, info.bounds.east}}},
  };
  std::string legend;
  for (size_t i = 0; i < info.legend.size(); ++i) {
    legend += "    <li><img src=\"legend/" + std::to_string(i) + ".png\" alt=\"\"> " + Escape(info.legend[i].label) +
              "</li>\n";
  }
  std::string page = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>)" + Escape(info.name) + R"(</title>
<meta name="viewport" content="width=device-width, initial-scale=1">
<link rel="stylesheet" href="leaflet/leaflet.css">
<style>
  html, body, #map { margin: 0; height: 100%; }
  #map { background: )" + Hex(info.background) + R"(; }
  #legend { position: absolute; right: 10px; bottom: 24px; z-index: 1000; background: #FFFFFF;
            border: 1px solid #808080; padding: 6px 10px; font: 13px sans-serif; }
  #legend ul { list-style: none; margin: 4px 0 0; padding: 0; }
  #legend li { margin: 3px 0; }
  #legend img { width: 32px; height: 16px; vertical-align: middle; border: 1px solid #404040; }
</style>
</head>
<body>
<div id="map"></div>
<div id="legend"><b>)" + Escape(info.legendTitle) + R"(</b>
  <ul>
)" + legend + R"(  </ul>
</div>
<script src="leaflet/leaflet.js"></script>
<script>
  const view = )" + view.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + R"(;
  // Tiles of 512 pixels cover what four of 256 do: Leaflet asks for them one
  // zoom lower than it shows.
  const offset = view.tileSize === 512 ? 1 : 0;
  const map = L.map('map', { minZoom: view.minZoom + offset, maxZoom: view.maxZoom + offset });
  L.tileLayer(view.url, { tileSize: view.tileSize, zoomOffset: -offset, noWrap: true,
                          minZoom: view.minZoom + offset, maxZoom: view.maxZoom + offset }).addTo(map);
  // "#z/lat/lon" in the address opens that view; else the pyramid's bounds.
  const place = /^#(\d+)\/(-?[\d.]+)\/(-?[\d.]+)$/.exec(location.hash);
  if (place) map.setView([+place[2], +place[3]], +place[1]); else map.fitBounds(view.bounds);
</script>
</body>
</html>
)";
  return page;
}

void WriteViewer(const std::string& folder, const PyramidInfo& info, const std::string& tileUrl) {
  const fs::path root(folder);
  std::error_code ec;
  if (!fs::is_directory(kLeafletDir)) {
    throw kymap::MapError(std::string("Leaflet is not installed in ") + kLeafletDir + " (Debian package libjs-leaflet)");
  }
  fs::create_directories(root / "leaflet" / "images", ec);
  fs::create_directories(root / "legend", ec);
  if (ec) throw kymap::MapError("cannot make '" + (root / "legend").string() + "': " + ec.message());
  for (const char* name : {"leaflet.js", "leaflet.css"}) {
    fs::copy_file(fs::path(kLeafletDir) / name, root / "leaflet" / name, fs::copy_options::overwrite_existing, ec);
    if (ec) throw kymap::MapError("cannot copy Leaflet's " + std::string(name) + ": " + ec.message());
  }
  for (const auto& entry : fs::directory_iterator(fs::path(kLeafletDir) / "images", ec)) {
    fs::copy_file(entry.path(), root / "leaflet" / "images" / entry.path().filename(),
                  fs::copy_options::overwrite_existing, ec);
  }
  for (size_t i = 0; i < info.legend.size(); ++i) {
    const auto& png = info.legend[i].swatch;
    WriteFile(root / "legend" / (std::to_string(i) + ".png"), png.data(), png.size());
  }
  const std::string page = ViewerPage(info, tileUrl);
  WriteFile(root / "index.html", page.data(), page.size());
}

}  // namespace kytiles
