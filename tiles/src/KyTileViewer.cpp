#include "KyTileViewer.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "KyTileMath.h"

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

// A name made of digits only, as the pyramid's folders and files are.
bool Number(const std::string& text, long long& value) {
  if (text.empty() || text.size() > 12) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  value = std::stoll(text);
  return true;
}

}  // namespace

std::string TileList(const std::string& folder) {
  // zoom -> column -> rows
  std::map<long long, std::map<long long, std::vector<long long>>> held;
  std::error_code ec;
  for (const auto& zoom : fs::directory_iterator(folder, ec)) {
    long long z = 0;
    if (!zoom.is_directory(ec) || !Number(zoom.path().filename().string(), z) || z > kMaxZoom) continue;
    for (const auto& column : fs::directory_iterator(zoom.path(), ec)) {
      long long x = 0;
      if (!column.is_directory(ec) || !Number(column.path().filename().string(), x)) continue;
      for (const auto& tile : fs::directory_iterator(column.path(), ec)) {
        long long y = 0;
        const fs::path name = tile.path().filename();
        if (name.extension() == ".png" && Number(name.stem().string(), y) && tile.is_regular_file(ec)) {
          held[z][x].push_back(y);
        }
      }
    }
  }
  nlohmann::json list = nlohmann::json::object();
  for (auto& [z, columns] : held) {
    nlohmann::json byColumn = nlohmann::json::object();
    for (auto& [x, rows] : columns) {
      std::sort(rows.begin(), rows.end());
      nlohmann::json runs = nlohmann::json::array();
      for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        runs.push_back({rows[i], rows[j]});
        i = j + 1;
      }
      byColumn[std::to_string(x)] = runs;
    }
    list[std::to_string(z)] = byColumn;
  }
  return "var kyfslTiles = " + list.dump() + ";\n";
}

std::string ViewerPage(const PyramidInfo& info, const std::string& tileUrl, bool listed) {
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
)" + (listed ? "<script src=\"tiles.js\"></script>\n" : "") + R"(<script>
  const view = )" + view.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + R"(;
  // Tiles of 512 pixels cover what four of 256 do: Leaflet asks for them one
  // zoom lower than it shows.
  const offset = view.tileSize === 512 ? 1 : 0;
  const map = L.map('map', { minZoom: view.minZoom + offset, maxZoom: view.maxZoom + offset });
  // With the list of the tiles there are, a tile that is not there is an
  // empty cell on the background, never a request that fails.
  const held = typeof kyfslTiles === 'undefined' ? null : kyfslTiles;
  const Tiles = L.TileLayer.extend({
    createTile(coords, done) {
      const runs = held && (held[this._getZoomForUrl()] || {})[coords.x];
      if (!held || (runs && runs.some(r => coords.y >= r[0] && coords.y <= r[1]))) {
        return L.TileLayer.prototype.createTile.call(this, coords, done);
      }
      const cell = document.createElement('div');
      setTimeout(() => done(null, cell), 0);
      return cell;
    }
  });
  new Tiles(view.url, { tileSize: view.tileSize, zoomOffset: -offset, noWrap: true,
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
  const std::string list = TileList(folder);
  WriteFile(root / "tiles.js", list.data(), list.size());
  const std::string page = ViewerPage(info, tileUrl, true);
  WriteFile(root / "index.html", page.data(), page.size());
}

}  // namespace kytiles
