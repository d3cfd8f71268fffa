// An MBTiles 1.3 file: the metadata table (name, format, bounds, center,
// minzoom, maxzoom, ...) and the tiles with rows counted from the south
// (TMS). Identical tiles (open sea, the inside of a large polygon) share
// their bytes: the map table names an image of the images table for each
// tile, and the tiles view joins them into the table readers expect. A file
// begun with a plain tiles table (an earlier version) is continued in it.
// Each metatile goes in with one transaction, together with its row in
// kyfsl_metatiles, the record of finished metatiles a resumed run reads: an
// interrupted run leaves the file as it was after the last whole metatile.
#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "TileSinks.h"

namespace kytiles {

namespace {

constexpr const char* kSharedTiles = R"(
CREATE TABLE IF NOT EXISTS map (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, tile_id TEXT);
CREATE UNIQUE INDEX IF NOT EXISTS map_index ON map (zoom_level, tile_column, tile_row);
CREATE TABLE IF NOT EXISTS images (tile_data BLOB, tile_id TEXT);
CREATE UNIQUE INDEX IF NOT EXISTS images_id ON images (tile_id);
CREATE VIEW IF NOT EXISTS tiles AS
  SELECT map.zoom_level AS zoom_level, map.tile_column AS tile_column, map.tile_row AS tile_row,
         images.tile_data AS tile_data
  FROM map JOIN images ON images.tile_id = map.tile_id;
)";

constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS metadata (name TEXT, value TEXT);
CREATE UNIQUE INDEX IF NOT EXISTS metadata_name ON metadata (name);
CREATE TABLE IF NOT EXISTS kyfsl_metatiles (zoom_level INTEGER, x INTEGER, y INTEGER, PRIMARY KEY (zoom_level, x, y));
CREATE TABLE IF NOT EXISTS kyfsl_legend (position INTEGER PRIMARY KEY, label TEXT, swatch BLOB);
)";

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
  ~Statement() { sqlite3_finalize(m_stmt); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* get() const { return m_stmt; }

 private:
  sqlite3_stmt* m_stmt = nullptr;
};

// 64-bit FNV-1a of the bytes, in hex: the first guess at an image's id.
std::string Digest(const std::vector<uint8_t>& data) {
  uint64_t h = 14695981039346656037ull;
  for (uint8_t b : data) {
    h ^= b;
    h *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", v);
  return text;
}

class MBTilesSink : public TileSink {
 public:
  MBTilesSink(const std::string& path, const PyramidInfo& info, bool resume) : m_path(path) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (exists && !resume) {
      throw MapError("'" + path + "' already exists; --resume continues a run in it, or give a new file");
    }
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
      const std::string why = m_db ? sqlite3_errmsg(m_db) : "out of memory";
      sqlite3_close(m_db);  // a handle is made even when the open fails
      throw MapError("cannot open '" + path + "': " + why);
    }
    // The destructor does not run for a constructor that throws: the
    // connection is closed here.
    try {
      sqlite3_busy_timeout(m_db, 10000);
      if (exists) CheckEarlierRun(info.signature);
      // The tables and the metadata go in together: a file is an MBTiles
      // file of this run whole or not at all.
      Exec("BEGIN IMMEDIATE");
      try {
        m_shared = !HasPlainTilesTable();
        Exec(kSchema);
        if (m_shared) Exec(kSharedTiles);
        PutMetadata(info);
        Exec("COMMIT");
      } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
      }
      // While the run writes, a write-ahead log: a metatile's commit is one
      // append and no wait for the disk (a power cut loses the last
      // metatiles, never the file, and --resume draws them again). The file
      // goes back to a plain journal when the sink is closed, whole in itself.
      Exec("PRAGMA journal_mode=WAL");
      Exec("PRAGMA synchronous=NORMAL");
    } catch (...) {
      sqlite3_close(m_db);
      throw;
    }
  }
  ~MBTilesSink() override {
    sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_close(m_db);
  }

  bool Done(const Metatile& m) const override { return m_done.count(MetatileKey(m)) > 0; }

  void Store(const Metatile& m, const std::vector<TileImage>& tiles) override {
    Exec("BEGIN IMMEDIATE");
    try {
      if (m_shared) {
        PutShared(tiles);
      } else {
        PutPlain(tiles);
      }
      Statement done(m_db, "INSERT OR REPLACE INTO kyfsl_metatiles VALUES (?1, ?2, ?3)");
      sqlite3_bind_int(done.get(), 1, m.z);
      sqlite3_bind_int64(done.get(), 2, m.x);
      sqlite3_bind_int64(done.get(), 3, m.y);
      Step(done.get());
      Exec("COMMIT");
    } catch (...) {
      sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
    m_done.insert(MetatileKey(m));
  }

  void Finish(const PyramidInfo& info) override {
    Exec("BEGIN IMMEDIATE");
    try {
      Exec("DELETE FROM kyfsl_legend");
      Put("kyfsl_legend_title", info.legendTitle);
      std::string legend = "<b>" + info.legendTitle + "</b>";
      Statement put(m_db, "INSERT INTO kyfsl_legend VALUES (?1, ?2, ?3)");
      for (size_t i = 0; i < info.legend.size(); ++i) {
        const auto& e = info.legend[i];
        legend += "<br>" + e.label;
        sqlite3_bind_int64(put.get(), 1, static_cast<sqlite3_int64>(i));
        sqlite3_bind_text(put.get(), 2, e.label.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_blob(put.get(), 3, e.swatch.data(), static_cast<int>(e.swatch.size()), SQLITE_STATIC);
        Step(put.get());
        sqlite3_reset(put.get());
      }
      Put("legend", legend);
      // Images no tile names any more (a metatile drawn again by a resumed
      // run) are dropped.
      if (m_shared) Exec("DELETE FROM images WHERE tile_id NOT IN (SELECT tile_id FROM map)");
      Exec("COMMIT");
    } catch (...) {
      sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
  }

 private:
  [[noreturn]] void Fail() const {
    // SQLite says "disk I/O error" for a file that may grow no more: the
    // system's own reason says which. SQLite keeps it for the main file; a
    // write to the log that failed leaves it in errno.
    const int last = errno;
    std::string why = sqlite3_errmsg(m_db);
    int error = sqlite3_system_errno(m_db);
    if (error == 0) sqlite3_file_control(m_db, "main", SQLITE_FCNTL_LAST_ERRNO, &error);
    if (error == 0 && (sqlite3_errcode(m_db) == SQLITE_IOERR || sqlite3_errcode(m_db) == SQLITE_FULL)) error = last;
    if (error != 0) why += " (" + std::string(std::strerror(error)) + ")";
    throw MapError("cannot write '" + m_path + "': " + why + "; the tiles stored before are kept");
  }
  void Exec(const char* sql) {
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
  }
  void Step(sqlite3_stmt* stmt) {
    if (!stmt || sqlite3_step(stmt) != SQLITE_DONE) Fail();
  }
  void PutPlain(const std::vector<TileImage>& tiles) {
    Statement put(m_db, "INSERT OR REPLACE INTO tiles VALUES (?1, ?2, ?3, ?4)");
    for (const TileImage& t : tiles) {
      if (t.png.empty()) continue;
      sqlite3_bind_int(put.get(), 1, t.id.z);
      sqlite3_bind_int64(put.get(), 2, t.id.x);
      sqlite3_bind_int64(put.get(), 3, TmsRow(t.id.z, t.id.y));
      sqlite3_bind_blob(put.get(), 4, t.png.data(), static_cast<int>(t.png.size()), SQLITE_STATIC);
      Step(put.get());
      sqlite3_reset(put.get());
    }
  }

  // Each tile names the image with its bytes, stored once. The id is the
  // bytes' digest; two different images with one digest get "-1", "-2"...
  // after it, so sharing never rests on the digest alone.
  void PutShared(const std::vector<TileImage>& tiles) {
    Statement find(m_db, "SELECT tile_data FROM images WHERE tile_id = ?1");
    Statement image(m_db, "INSERT INTO images (tile_data, tile_id) VALUES (?1, ?2)");
    Statement put(m_db, "INSERT OR REPLACE INTO map VALUES (?1, ?2, ?3, ?4)");
    if (!find.get() || !image.get()) Fail();
    for (const TileImage& t : tiles) {
      if (t.png.empty()) continue;
      const std::string digest = Digest(t.png);
      std::string id;
      for (int n = 0; id.empty(); ++n) {
        const std::string candidate = n == 0 ? digest : digest + "-" + std::to_string(n);
        sqlite3_bind_text(find.get(), 1, candidate.c_str(), -1, SQLITE_TRANSIENT);
        const int rc = sqlite3_step(find.get());
        if (rc == SQLITE_ROW) {
          const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(find.get(), 0));
          const auto size = static_cast<size_t>(sqlite3_column_bytes(find.get(), 0));
          if (size == t.png.size() && (size == 0 || std::memcmp(data, t.png.data(), size) == 0)) id = candidate;
        } else if (rc == SQLITE_DONE) {
          sqlite3_bind_blob(image.get(), 1, t.png.data(), static_cast<int>(t.png.size()), SQLITE_STATIC);
          sqlite3_bind_text(image.get(), 2, candidate.c_str(), -1, SQLITE_TRANSIENT);
          Step(image.get());
          sqlite3_reset(image.get());
          id = candidate;
        } else {
          Fail();
        }
        sqlite3_reset(find.get());
      }
      sqlite3_bind_int(put.get(), 1, t.id.z);
      sqlite3_bind_int64(put.get(), 2, t.id.x);
      sqlite3_bind_int64(put.get(), 3, TmsRow(t.id.z, t.id.y));
      sqlite3_bind_text(put.get(), 4, id.c_str(), -1, SQLITE_TRANSIENT);
      Step(put.get());
      sqlite3_reset(put.get());
    }
  }

  // A file begun by an earlier version keeps its tiles table.
  bool HasPlainTilesTable() {
    Statement kind(m_db, "SELECT type FROM sqlite_master WHERE name = 'tiles'");
    if (!kind.get()) Fail();
    if (sqlite3_step(kind.get()) != SQLITE_ROW) return false;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(kind.get(), 0));
    return text && std::string(text) == "table";
  }

  void Put(const std::string& name, const std::string& value) {
    Statement put(m_db, "INSERT OR REPLACE INTO metadata VALUES (?1, ?2)");
    sqlite3_bind_text(put.get(), 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(put.get(), 2, value.c_str(), -1, SQLITE_TRANSIENT);
    Step(put.get());
  }

  void PutMetadata(const PyramidInfo& info) {
    const LonLatBox& b = info.bounds;
    Put("name", info.name);
    Put("format", "png");
    Put("type", "overlay");
    Put("version", "1");
    Put("description", "Made by kyfsl tiles");
    Put("bounds", Number(b.west) + "," + Number(b.south) + "," + Number(b.east) + "," + Number(b.north));
    Put("center", Number((b.west + b.east) / 2) + "," + Number((b.south + b.north) / 2) + "," +
                      std::to_string(info.zooms.min));
    Put("minzoom", std::to_string(info.zooms.min));
    Put("maxzoom", std::to_string(info.zooms.max));
    Put("kyfsl_job", info.signature);
    Put("kyfsl_tile_size", std::to_string(info.tileSize));
    Put("kyfsl_tile_pixels", std::to_string(info.tilePixels));
    Put("kyfsl_background", std::to_string(info.background));
  }

  // A file given to --resume must be one this command began with the same
  // options; its finished metatiles are read back.
  void CheckEarlierRun(const std::string& signature) {
    Statement job(m_db, "SELECT value FROM metadata WHERE name = 'kyfsl_job'");
    if (!job.get()) throw MapError("'" + m_path + "' is not an MBTiles file of kyfsl tiles: " + sqlite3_errmsg(m_db));
    if (sqlite3_step(job.get()) != SQLITE_ROW) throw MapError("'" + m_path + "' is not an MBTiles file of kyfsl tiles");
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(job.get(), 0));
    const std::string earlier = text ? text : "";
    if (earlier != signature) {
      throw MapError("the tiles in '" + m_path + "' were made with other options (" + earlier +
                     "); --resume needs the same ones");
    }
    Statement done(m_db, "SELECT zoom_level, x, y FROM kyfsl_metatiles");
    if (!done.get()) throw MapError("'" + m_path + "' is not an MBTiles file of kyfsl tiles: " + sqlite3_errmsg(m_db));
    while (sqlite3_step(done.get()) == SQLITE_ROW) {
      m_done.insert(MetatileKey(Metatile{sqlite3_column_int(done.get(), 0), sqlite3_column_int64(done.get(), 1),
                                         sqlite3_column_int64(done.get(), 2)}));
    }
  }

  std::string m_path;
  sqlite3* m_db = nullptr;
  bool m_shared = true;  // the map and images tables, else a plain tiles table
  std::set<std::string> m_done;
};

}  // namespace

std::unique_ptr<TileSink> OpenMBTilesSink(const std::string& path, const PyramidInfo& info, bool resume) {
  return std::make_unique<MBTilesSink>(path, info, resume);
}

}  // namespace kytiles
