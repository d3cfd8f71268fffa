// What the library tests share: a library's ids in its order, and a scratch
// folder with file helpers for the tests that read and write library files.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "KyFillStyleLib.h"

namespace kytest {

inline std::vector<long> Ids(const CKyFillStyleLib& lib) {
  std::vector<long> out;
  for (long i = 0; i < lib.GetCount(); ++i) out.push_back(lib.FindIndex(i));
  return out;
}

// Four little-endian bytes of v, as the library files hold numbers.
inline std::vector<uint8_t> LE(long v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

// A temporary folder, removed with what is in it even when a test took away
// its write permission.
class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/kyfsl-test-XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~TempDir() {
    chmod(path_.c_str(), 0755);
    std::system(("rm -rf '" + path_ + "'").c_str());
  }
  std::string File(const char* name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kytest
