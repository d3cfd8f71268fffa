#include "KyExportFiles.h"

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
    return write(output, files[0].content, error);
  }
  bool made = false;
  if (!PrepareFolder(output, &made, error)) return false;
  std::vector<std::string> written;
  for (const ExportFile& f : files) {
    const std::string path = (fs::path(output) / f.name).string();
    // Only files that were not there before are taken back; a file this
    // call replaced is whole and new, never half-written.
    const bool existed = fs::exists(path, ec);
    if (!write(path, f.content, error)) {
      for (const std::string& p : written) fs::remove(p, ec);
      if (made) fs::remove(output, ec);
      return false;
    }
    if (!existed) written.push_back(path);
  }
  return true;
}

}  // namespace kyexport
