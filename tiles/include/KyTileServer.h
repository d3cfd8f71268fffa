// KyTileServer: an MBTiles file of kyfsl tiles served over HTTP on the local
// machine with its viewer page, for a browser:
//
//   GET /                    the viewer page (Leaflet, the legend)
//   GET /tiles/z/x/y.png     a tile (XYZ; the file's rows are TMS); a tile
//                            with nothing drawn on it is a blank tile of
//                            the background colour
//   GET /leaflet/...         Leaflet, from the Debian package
//   GET /legend/N.png        the legend's swatches
//
// One request at a time, HTTP/1.0, the connection closed after each answer.
#pragma once

#include <atomic>
#include <memory>
#include <string>

namespace kytiles {

class TileServer {
 public:
  // Opens the file read-only and listens on 127.0.0.1:port (0: a free port
  // the system picks). Throws MapError for a file that is not an MBTiles
  // file of kyfsl tiles, or a port that cannot be had.
  TileServer(const std::string& mbtiles, int port);
  ~TileServer();
  TileServer(const TileServer&) = delete;
  TileServer& operator=(const TileServer&) = delete;

  int Port() const;
  // Answers requests until stop becomes true (checked at least every 200
  // ms). Throws MapError when the socket fails.
  void Run(const std::atomic<bool>& stop);

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace kytiles
