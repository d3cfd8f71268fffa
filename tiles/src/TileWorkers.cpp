#include "TileWorkers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

namespace kytiles {

namespace {

struct Request {
  int32_t z;
  int64_t x, y;
  int64_t x0, y0, x1, y1;
};

struct Header {
  char kind;  // 'T' a tile, 'D' a metatile done, 'E' an error
  int32_t z;
  int64_t x, y;
  uint64_t length;  // bytes that follow
};

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

// False at the end of the stream or on an error.
bool ReadAll(int fd, void* data, size_t size) {
  auto* p = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = ::read(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool Send(int fd, char kind, int z, int64_t x, int64_t y, const void* data, size_t size) {
  const Header h{kind, z, x, y, size};
  return WriteAll(fd, &h, sizeof h) && (size == 0 || WriteAll(fd, data, size));
}

std::string CountsText(const DrawCounts& c) {
  std::ostringstream out;
  out << c.features.read << ' ' << c.features.drawn << ' ' << c.belowPixel;
  for (const auto& [cause, n] : c.features.skipped) out << ' ' << cause << ' ' << n;
  return out.str();
}

DrawCounts ParseCounts(const std::string& text) {
  DrawCounts c;
  std::istringstream in(text);
  in >> c.features.read >> c.features.drawn >> c.belowPixel;
  std::string cause;
  long long n = 0;
  while (in >> cause >> n) c.features.skipped[cause] = n;
  return c;
}

// The worker's whole life; never returns.
[[noreturn]] void Work(int in, int out, const MakeRenderer& make) {
  try {
    std::unique_ptr<TileRenderer> renderer = make();
    Request r{};
    while (ReadAll(in, &r, sizeof r)) {
      DrawCounts counts;
      const Metatile m{r.z, r.x, r.y};
      const std::vector<TileImage> tiles = renderer->Render(m, TileRange{r.x0, r.y0, r.x1, r.y1}, counts);
      for (const TileImage& t : tiles) {
        if (!Send(out, 'T', t.id.z, t.id.x, t.id.y, t.png.data(), t.png.size())) ::_exit(1);
      }
      const std::string text = CountsText(counts);
      if (!Send(out, 'D', m.z, m.x, m.y, text.data(), text.size())) ::_exit(1);
    }
  } catch (const std::exception& e) {
    const std::string message = e.what();
    Send(out, 'E', 0, 0, 0, message.data(), message.size());
    ::_exit(1);
  } catch (...) {
    const std::string message = "the worker failed";
    Send(out, 'E', 0, 0, 0, message.data(), message.size());
    ::_exit(1);
  }
  ::_exit(0);
}

struct Worker {
  pid_t pid = -1;
  int to = -1, from = -1;
  long busy = -1;  // the work item being drawn
  std::vector<TileImage> tiles;
};

std::string Name(const Metatile& m) {
  return std::to_string(m.z) + "/" + std::to_string(m.x) + "/" + std::to_string(m.y);
}

// SIGPIPE is ignored while workers run: writing to a worker that died must
// come back as an error, not end this process.
class IgnorePipeSignal {
 public:
  IgnorePipeSignal() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &m_old);
  }
  ~IgnorePipeSignal() { sigaction(SIGPIPE, &m_old, nullptr); }
  IgnorePipeSignal(const IgnorePipeSignal&) = delete;
  IgnorePipeSignal& operator=(const IgnorePipeSignal&) = delete;

 private:
  struct sigaction m_old {};
};

class Pool {
 public:
  Pool(int processes, const std::vector<MetatileWork>& work, const MakeRenderer& make, const TakeTiles& take)
      : m_work(work), m_take(take) {
    for (int i = 0; i < processes; ++i) Spawn(make);
  }
  ~Pool() {
    for (Worker& w : m_workers) Stop(w);
  }
  Pool(const Pool&) = delete;
  Pool& operator=(const Pool&) = delete;

  void Run() {
    for (Worker& w : m_workers) Dispatch(w);
    std::vector<pollfd> fds;
    while (true) {
      fds.clear();
      for (Worker& w : m_workers) {
        if (w.busy >= 0) fds.push_back(pollfd{w.from, POLLIN, 0});
      }
      if (fds.empty()) break;
      if (::poll(fds.data(), fds.size(), -1) < 0) {
        if (errno == EINTR) continue;
        throw MapError(std::string("waiting for the workers failed: ") + std::strerror(errno));
      }
      for (const pollfd& p : fds) {
        if (p.revents == 0) continue;
        for (Worker& w : m_workers) {
          if (w.from == p.fd && w.busy >= 0) Receive(w);
        }
      }
    }
    if (!m_error.empty()) throw MapError(m_error);
  }

 private:
  void Spawn(const MakeRenderer& make) {
    int down[2], up[2];
    if (::pipe2(down, O_CLOEXEC) != 0) throw MapError(std::string("cannot start a worker: ") + std::strerror(errno));
    if (::pipe2(up, O_CLOEXEC) != 0) {
      ::close(down[0]);
      ::close(down[1]);
      throw MapError(std::string("cannot start a worker: ") + std::strerror(errno));
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
      for (int fd : {down[0], down[1], up[0], up[1]}) ::close(fd);
      throw MapError(std::string("cannot start a worker: ") + std::strerror(errno));
    }
    if (pid == 0) {
      // The other workers' pipes are closed here: a copy of one's input kept
      // open would hide the end of its work from it.
      for (const Worker& other : m_workers) {
        ::close(other.to);
        ::close(other.from);
      }
      ::close(down[1]);
      ::close(up[0]);
      Work(down[0], up[1], make);
    }
    ::close(down[0]);
    ::close(up[1]);
    Worker w;
    w.pid = pid;
    w.to = down[1];
    w.from = up[0];
    m_workers.push_back(std::move(w));
  }

  void Stop(Worker& w) {
    if (w.to >= 0) ::close(w.to);
    if (w.from >= 0) ::close(w.from);
    w.to = w.from = -1;
    if (w.pid > 0) {
      if (w.busy >= 0) ::kill(w.pid, SIGTERM);
      int status = 0;
      while (::waitpid(w.pid, &status, 0) < 0 && errno == EINTR) {
      }
      w.pid = -1;
    }
    w.busy = -1;
  }

  void Dispatch(Worker& w) {
    w.busy = -1;
    w.tiles.clear();
    if (!m_error.empty() || m_next >= m_work.size()) {
      // Closing the worker's input ends it.
      if (w.to >= 0) ::close(w.to);
      w.to = -1;
      return;
    }
    const MetatileWork& item = m_work[m_next];
    const Request r{item.metatile.z, item.metatile.x, item.metatile.y,
                    item.range.x0,   item.range.y0,   item.range.x1, item.range.y1};
    w.busy = static_cast<long>(m_next++);
    if (!WriteAll(w.to, &r, sizeof r)) Failed(w, "its worker stopped");
  }

  void Failed(Worker& w, const std::string& why) {
    if (m_error.empty()) m_error = "metatile " + Name(m_work[static_cast<size_t>(w.busy)].metatile) + ": " + why;
    Stop(w);
  }

  void Receive(Worker& w) {
    Header h{};
    if (!ReadAll(w.from, &h, sizeof h)) {
      int status = 0;
      ::waitpid(w.pid, &status, 0);
      w.pid = -1;
      Failed(w, WIFSIGNALED(status) ? "its worker was killed by signal " + std::to_string(WTERMSIG(status))
                                    : std::string("its worker stopped"));
      return;
    }
    std::vector<uint8_t> data(h.length);
    if (h.length > (1u << 30) || !ReadAll(w.from, data.data(), data.size())) {
      Failed(w, "its worker sent a broken message");
      return;
    }
    switch (h.kind) {
      case 'T':
        w.tiles.push_back(TileImage{TileId{h.z, h.x, h.y}, std::move(data)});
        return;
      case 'D': {
        const MetatileWork& item = m_work[static_cast<size_t>(w.busy)];
        try {
          m_take(item, w.tiles, ParseCounts(std::string(data.begin(), data.end())));
        } catch (...) {
          m_error = "stopped";
          throw;
        }
        Dispatch(w);
        return;
      }
      case 'E':
        Failed(w, std::string(data.begin(), data.end()));
        return;
      default:
        Failed(w, "its worker sent a broken message");
    }
  }

  const std::vector<MetatileWork>& m_work;
  const TakeTiles& m_take;
  std::vector<Worker> m_workers;
  size_t m_next = 0;
  std::string m_error;
  IgnorePipeSignal m_pipe;
};

}  // namespace

void DrawOnProcesses(int processes, const std::vector<MetatileWork>& work, const MakeRenderer& make,
                     const TakeTiles& take) {
  if (work.empty()) return;
  Pool pool(std::max(1, std::min<int>(processes, static_cast<int>(work.size()))), work, make, take);
  pool.Run();
}

}  // namespace kytiles
