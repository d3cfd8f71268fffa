#include "KyExportFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kyexport {

namespace fs = std::filesystem;

namespace {

bool PrepareFolder(const std::string& output, bool* made, std::string* error) {
  std::error_code ec;
  *made = false;
  const fs::file_status st = fs::status(output, ec);
  if (fs::exists(st)) {
    if (!fs::is_directory(st)) {
      *error = "'" + output + "' is a file, but this format writes a folder";
      return false;
    }
    return true;
  }
  if (!fs::create_directory(output, ec)) {
    *error = "cannot make the folder '" + output + "': " + ec.message();
    return false;
  }
  *made = true;
  return true;
}

// One file of the folder on its way in: written first under a hidden name,
// then swapped with whatever the folder holds under its own name.
struct Slot {
  std::string target;
  std::string staged;  // the new content, until it is renamed to target
  std::string backup;  // the old entry (a file or a link), while the swap runs
  bool existed = false;
  bool swapped = false;
  mode_t mode = 0;  // of a file that was there, which the new one keeps
};

// A hidden name beside target that nothing uses yet (or that cannot be
// looked at, which the write on it then reports).
std::string FreeName(const std::string& target, const char* kind) {
  const fs::path p(target);
  for (int n = 0;; ++n) {
    const std::string name =
        (p.parent_path() / ("." + p.filename().string() + "." + kind + std::to_string(n) + "~")).string();
    struct stat st;
    if (::lstat(name.c_str(), &st) != 0) return name;
  }
}

void Remove(const std::string& path) {
  if (!path.empty()) ::unlink(path.c_str());
}

// Puts every old entry back and removes the new ones; true when all went
// back.
bool RollBack(std::vector<Slot>& slots) {
  bool whole = true;
  for (Slot& s : slots) {
    if (s.swapped && !s.existed) Remove(s.target);
    if (!s.backup.empty() && ::rename(s.backup.c_str(), s.target.c_str()) != 0) whole = false;
    Remove(s.staged);
  }
  return whole;
}

}  // namespace

bool WritePlan(const std::vector<ExportFile>& files, const std::string& output, bool folder, const FileWriter& write,
               std::string* error) {
  std::error_code ec;
  if (!folder) {
    if (fs::is_directory(output, ec)) {
      *error = "'" + output + "' is a folder, but this format writes one file";
      return false;
    }
    if (files.size() != 1 || !files[0].name.empty()) {
      *error = "the export has no single file to write";
      return false;
    }
    std::string why;
    if (!write(output, files[0].content, &why)) {
      *error = "cannot write '" + output + "': " + why + " (nothing was changed)";
      return false;
    }
    return true;
  }
  bool made = false;
  if (!PrepareFolder(output, &made, error)) return false;
  auto giveUp = [&](std::vector<Slot>& slots, const std::string& message) {
    const bool whole = RollBack(slots);
    if (made) fs::remove(output, ec);
    *error = message + (whole ? " (nothing was changed)" : " (the folder now holds some new and some old files)");
    return false;
  };
  // A name in the folder that is neither a file nor a link (a folder, a
  // fifo) is refused before anything is written. A link is replaced by the
  // new file and never written through: what it points at stays as it is.
  std::vector<Slot> slots;
  for (const ExportFile& f : files) {
    Slot s;
    s.target = (fs::path(output) / f.name).string();
    struct stat st;
    s.existed = ::lstat(s.target.c_str(), &st) == 0;
    if (s.existed && S_ISREG(st.st_mode)) s.mode = st.st_mode & 07777;
    if (s.existed && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
      return giveUp(slots, "cannot write '" + s.target + "': " +
                               (S_ISDIR(st.st_mode) ? "a folder" : "a special file") + " has that name");
    }
    slots.push_back(std::move(s));
  }
  for (size_t i = 0; i < files.size(); ++i) {
    Slot& s = slots[i];
    s.staged = FreeName(s.target, "new");
    std::string why;
    if (!write(s.staged, files[i].content, &why)) {
      Remove(s.staged);
      s.staged.clear();
      return giveUp(slots, "cannot write '" + s.target + "': " + why);
    }
    if (s.mode) ::chmod(s.staged.c_str(), s.mode);
  }
  // Every file is whole on disk: the old entries step aside and the new
  // ones take their names; one failed step puts all of it back.
  for (Slot& s : slots) {
    if (s.existed) {
      const std::string backup = FreeName(s.target, "old");
      if (::rename(s.target.c_str(), backup.c_str()) != 0) {
        return giveUp(slots, "cannot replace '" + s.target + "': " + std::strerror(errno));
      }
      s.backup = backup;
    }
    if (::rename(s.staged.c_str(), s.target.c_str()) != 0) {
      return giveUp(slots, "cannot replace '" + s.target + "': " + std::strerror(errno));
    }
    s.staged.clear();
    s.swapped = true;
  }
  for (Slot& s : slots) Remove(s.backup);
  // The renames reach the disk with the folder (best effort: some file
  // systems refuse to flush folders).
  const int fd = ::open(output.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  return true;
}

}  // namespace kyexport
