#include "KyTileServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "KyTileMath.h"
#include "KyTilePng.h"
#include "KyTileViewer.h"

namespace kytiles {

namespace {

struct Reply {
  int status = 404;
  std::string type = "text/plain";
  std::string body = "not found\n";
};

std::string Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 405: return "Method Not Allowed";
    default: return "Not Found";
  }
}

bool SendAll(int fd, const char* p, size_t n) {
  while (n > 0) {
    const ssize_t w = ::send(fd, p, n, MSG_NOSIGNAL);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

std::string ReadFile(const std::string& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  ok = static_cast<bool>(in);
  return out.str();
}

std::string TypeOf(const std::string& path) {
  if (path.ends_with(".png")) return "image/png";
  if (path.ends_with(".js")) return "text/javascript";
  if (path.ends_with(".css")) return "text/css";
  return "application/octet-stream";
}

}  // namespace

struct TileServer::Impl {
  sqlite3* db = nullptr;
  int listener = -1;
  int port = 0;
  PyramidInfo info;
  std::string page;
  std::string blank;  // a tile with nothing drawn on it

  ~Impl() {
    if (listener >= 0) ::close(listener);
    sqlite3_close(db);
  }

  std::string Meta(const char* name) const {
    sqlite3_stmt* s = nullptr;
    std::string value;
    if (sqlite3_prepare_v2(db, "SELECT value FROM metadata WHERE name = ?1", -1, &s, nullptr) == SQLITE_OK) {
      sqlite3_bind_text(s, 1, name, -1, SQLITE_STATIC);
      if (sqlite3_step(s) == SQLITE_ROW && sqlite3_column_text(s, 0)) {
        value = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
      }
    }
    sqlite3_finalize(s);
    return value;
  }

  void Load(const std::string& path) {
    if (Meta("kyfsl_job").empty()) throw MapError("'" + path + "' is not an MBTiles file of kyfsl tiles");
    info.name = Meta("name");
    info.zooms = ZoomRange{std::atoi(Meta("minzoom").c_str()), std::atoi(Meta("maxzoom").c_str())};
    double b[4] = {-180, -kMaxLatitude, 180, kMaxLatitude};
    std::sscanf(Meta("bounds").c_str(), "%lf,%lf,%lf,%lf", &b[0], &b[1], &b[2], &b[3]);
    info.bounds = LonLatBox{b[0], b[1], b[2], b[3]};
    info.tileSize = std::atoi(Meta("kyfsl_tile_size").c_str());
    info.tilePixels = std::atoi(Meta("kyfsl_tile_pixels").c_str());
    if (info.tileSize != 256 && info.tileSize != 512) info.tileSize = 256;
    if (info.tilePixels < 1 || info.tilePixels > 1024) info.tilePixels = info.tileSize;
    info.background = static_cast<COLORREF>(std::strtoul(Meta("kyfsl_background").c_str(), nullptr, 10)) & 0xFFFFFF;
    info.legendTitle = Meta("kyfsl_legend_title");
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT label, swatch FROM kyfsl_legend ORDER BY position", -1, &s, nullptr) ==
        SQLITE_OK) {
      while (sqlite3_step(s) == SQLITE_ROW) {
        const auto* label = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(s, 1));
        info.legend.push_back({label ? label : "", std::vector<uint8_t>(data, data + sqlite3_column_bytes(s, 1))});
      }
    }
    sqlite3_finalize(s);
    page = ViewerPage(info, "tiles/{z}/{x}/{y}.png");
    const COLORREF c = info.background;
    const uint32_t pixel = (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
    const std::vector<uint32_t> pixels(static_cast<size_t>(info.tilePixels) * info.tilePixels, pixel);
    const std::vector<uint8_t> png = EncodePng(pixels.data(), info.tilePixels, info.tilePixels, info.tilePixels);
    blank.assign(png.begin(), png.end());
  }

  Reply Tile(int z, int64_t x, int64_t y) const {
    Reply r;
    if (z < 0 || z > kMaxZoom || x < 0 || y < 0 || x >= (int64_t{1} << z) || y >= (int64_t{1} << z)) return r;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT tile_data FROM tiles WHERE zoom_level = ?1 AND tile_column = ?2 AND tile_row = ?3",
                           -1, &s, nullptr) != SQLITE_OK) {
      return r;
    }
    sqlite3_bind_int(s, 1, z);
    sqlite3_bind_int64(s, 2, x);
    sqlite3_bind_int64(s, 3, TmsRow(z, y));
    r.status = 200;
    r.type = "image/png";
    if (sqlite3_step(s) == SQLITE_ROW) {
      const auto* data = static_cast<const char*>(sqlite3_column_blob(s, 0));
      r.body.assign(data, data + sqlite3_column_bytes(s, 0));
    } else {
      r.body = blank;
    }
    sqlite3_finalize(s);
    return r;
  }

  Reply Answer(const std::string& path) const {
    Reply r;
    if (path == "/" || path == "/index.html") {
      r.status = 200;
      r.type = "text/html; charset=utf-8";
      r.body = page;
      return r;
    }
    int z = 0;
    long long x = 0, y = 0;
    char tail[8] = {};
    if (std::sscanf(path.c_str(), "/tiles/%d/%lld/%lld%7s", &z, &x, &y, tail) == 4 && std::strcmp(tail, ".png") == 0) {
      return Tile(z, x, y);
    }
    unsigned n = 0;
    if (std::sscanf(path.c_str(), "/legend/%u%7s", &n, tail) == 2 && std::strcmp(tail, ".png") == 0) {
      if (n < info.legend.size()) {
        r.status = 200;
        r.type = "image/png";
        r.body.assign(info.legend[n].swatch.begin(), info.legend[n].swatch.end());
      }
      return r;
    }
    // Leaflet's own files only: no path may climb out of its folder.
    if (path.starts_with("/leaflet/") && path.find("..") == std::string::npos) {
      bool ok = false;
      const std::string body = ReadFile(std::string(kLeafletDir) + path.substr(std::strlen("/leaflet")), ok);
      if (ok) {
        r.status = 200;
        r.type = TypeOf(path);
        r.body = body;
      }
    }
    return r;
  }

  void Serve(int client) const {
    // The request line is all that is read: "GET /path HTTP/1.x".
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
      pollfd p{client, POLLIN, 0};
      if (::poll(&p, 1, 2000) <= 0) return;
      const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      request.append(buffer, static_cast<size_t>(n));
    }
    Reply r;
    char method[16] = {}, target[2048] = {};
    if (std::sscanf(request.c_str(), "%15s %2047s", method, target) != 2) {
      r.status = 400;
      r.body = "bad request\n";
    } else if (std::strcmp(method, "GET") != 0 && std::strcmp(method, "HEAD") != 0) {
      r.status = 405;
      r.body = "only GET\n";
    } else {
      std::string path = target;
      path = path.substr(0, path.find_first_of("?#"));
      r = Answer(path);
    }
    const std::string head = "HTTP/1.0 " + std::to_string(r.status) + " " + Reason(r.status) +
                             "\r\nContent-Type: " + r.type + "\r\nContent-Length: " + std::to_string(r.body.size()) +
                             "\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n";
    if (SendAll(client, head.data(), head.size()) && std::strcmp(method, "HEAD") != 0) {
      SendAll(client, r.body.data(), r.body.size());
    }
  }
};

TileServer::TileServer(const std::string& mbtiles, int port) : m(std::make_unique<Impl>()) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(mbtiles, ec)) throw MapError("cannot open '" + mbtiles + "': no such file");
  if (sqlite3_open_v2(mbtiles.c_str(), &m->db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    throw MapError("cannot open '" + mbtiles + "': " + (m->db ? sqlite3_errmsg(m->db) : "out of memory"));
  }
  m->Load(mbtiles);
  if (port < 0 || port > 65535) throw MapError("--port must be 0 to 65535");
  m->listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (m->listener < 0) throw MapError(std::string("cannot make a socket: ") + std::strerror(errno));
  const int on = 1;
  ::setsockopt(m->listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (::bind(m->listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(m->listener, 64) != 0) {
    throw MapError("cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno));
  }
  socklen_t length = sizeof address;
  ::getsockname(m->listener, reinterpret_cast<sockaddr*>(&address), &length);
  m->port = ntohs(address.sin_port);
}

TileServer::~TileServer() = default;

int TileServer::Port() const { return m->port; }

void TileServer::Run(const std::atomic<bool>& stop) {
  while (!stop) {
    pollfd p{m->listener, POLLIN, 0};
    const int ready = ::poll(&p, 1, 200);
    if (ready < 0 && errno != EINTR) throw MapError(std::string("the server's socket failed: ") + std::strerror(errno));
    if (ready <= 0) continue;
    const int client = ::accept4(m->listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    m->Serve(client);
    ::close(client);
  }
}

}  // namespace kytiles
