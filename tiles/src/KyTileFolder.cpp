// A folder of tiles: OUT/z/x/y.png, and OUT/.kyfsl-tiles, the journal of
// finished metatiles. Its first line holds the run's signature; every later
// line "z x y" is written after the metatile's tiles are in place, so a tile
// of a metatile the journal names is never half written.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "KyTileViewer.h"
#include "TileSinks.h"

namespace kytiles {

namespace fs = std::filesystem;

namespace {

constexpr const char* kJournal = ".kyfsl-tiles";
constexpr const char* kJournalHead = "kyfsl tiles 1 ";

class Fd {
 public:
  explicit Fd(int fd) : m_fd(fd) {}
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return m_fd; }
  // Closes now and tells whether the last writes reached the file.
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

// Writes all of data; false with errno set.
bool WriteAll(int fd, const void* data, size_t size) {
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

class FolderSink : public TileSink {
 public:
  FolderSink(const std::string& path, const PyramidInfo& info, bool resume) : m_root(path) {
    std::error_code ec;
    const fs::path journal = m_root / kJournal;
    if (fs::exists(m_root, ec) && !fs::is_directory(m_root, ec)) {
      throw MapError("'" + path + "' is a file, not a folder for tiles");
    }
    if (resume && fs::exists(journal, ec)) {
      ReadJournal(journal, info.signature);
    } else if (fs::exists(m_root, ec) && !fs::is_empty(m_root, ec)) {
      throw MapError("'" + path + "' already holds files; --resume continues a run there, or give a new folder");
    }
    fs::create_directories(m_root, ec);
    if (ec) throw MapError("cannot make the folder '" + path + "': " + ec.message());
    const bool fresh = m_done.empty() && !fs::exists(journal, ec);
    m_journal = ::open(journal.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_journal < 0) throw MapError("cannot write in '" + path + "': " + std::strerror(errno));
    if (fresh) {
      const std::string head = kJournalHead + info.signature + "\n";
      if (!WriteAll(m_journal, head.data(), head.size())) Fail("the journal", errno);
    } else if (m_cut && !WriteAll(m_journal, "\n", 1)) {
      Fail("the journal", errno);
    }
  }
  ~FolderSink() override {
    if (m_journal >= 0) ::close(m_journal);
  }

  bool Done(const Metatile& m) const override { return m_done.count(MetatileKey(m)) > 0; }

  void Store(const Metatile& m, const std::vector<TileImage>& tiles) override {
    for (const TileImage& t : tiles) {
      if (t.png.empty()) continue;
      const fs::path folder = m_root / std::to_string(t.id.z) / std::to_string(t.id.x);
      std::error_code ec;
      fs::create_directories(folder, ec);
      if (ec) throw MapError("cannot make '" + folder.string() + "': " + ec.message());
      WriteTile(folder / (std::to_string(t.id.y) + ".png"), t.png);
    }
    const std::string line = MetatileKey(m) + "\n";
    if (!WriteAll(m_journal, line.data(), line.size())) Fail("the journal", errno);
    m_done.insert(MetatileKey(m));
  }

  void Finish(const PyramidInfo& info) override {
    if (::fsync(m_journal) != 0) Fail("the journal", errno);
    WriteViewer(m_root.string(), info, "{z}/{x}/{y}.png");
  }

 private:
  [[noreturn]] void Fail(const std::string& what, int error) const {
    throw MapError("cannot write " + what + " in '" + m_root.string() + "': " + std::strerror(error));
  }

  // A tile goes in under another name and is renamed into place, so that
  // a reader (or a failed write) never sees half a tile.
  void WriteTile(const fs::path& path, const std::vector<uint8_t>& png) {
    const std::string part = path.string() + ".part";
    Fd fd(::open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0) Fail("'" + path.string() + "'", errno);
    if (!WriteAll(fd.get(), png.data(), png.size()) || !fd.Close()) {
      const int error = errno;
      ::unlink(part.c_str());
      Fail("'" + path.string() + "'", error);
    }
    if (::rename(part.c_str(), path.c_str()) != 0) {
      const int error = errno;
      ::unlink(part.c_str());
      Fail("'" + path.string() + "'", error);
    }
  }

  void ReadJournal(const fs::path& journal, const std::string& signature) {
    std::ifstream in(journal);
    std::string line;
    if (!std::getline(in, line) || line.rfind(kJournalHead, 0) != 0) {
      throw MapError("'" + journal.string() + "' is not a journal of kyfsl tiles");
    }
    if (line.substr(std::strlen(kJournalHead)) != signature) {
      throw MapError("the tiles in '" + m_root.string() + "' were made with other options (" +
                     line.substr(std::strlen(kJournalHead)) + "); --resume needs the same ones");
    }
    // A last line without its newline was cut by the interruption: that
    // metatile is drawn again.
    while (std::getline(in, line)) {
      if (in.eof()) {
        m_cut = !line.empty();
      } else {
        m_done.insert(line);
      }
    }
  }

  fs::path m_root;
  int m_journal = -1;
  bool m_cut = false;  // the journal ends in a line without its newline
  std::set<std::string> m_done;
};

}  // namespace

std::unique_ptr<TileSink> OpenFolderSink(const std::string& path, const PyramidInfo& info, bool resume) {
  return std::make_unique<FolderSink>(path, info, resume);
}

}  // namespace kytiles
