// Writes a planned export (KyExportPlan.h) to disk, all or nothing: when a
// file cannot be written, the files this call has already written, and the
// folder it made, are removed again, so a failed export leaves nothing
// half-done behind.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "KyExportPlan.h"

namespace kyexport {

// Writes one whole file so that the path holds either its old content or
// the new one, never a part (a temporary file renamed over the target).
// Returns false with *error set when it cannot.
using FileWriter = std::function<bool(const std::string& path, const std::string& content, std::string* error)>;

// Writes the files into the folder output (made when missing; its parent
// must exist), or the single unnamed file to the path output. Returns false
// with *error set when output is a file where a folder is needed or a folder
// where a file is needed, when the folder cannot be made, or when a write
// fails (after removing what this call wrote).
bool WritePlan(const std::vector<ExportFile>& files, const std::string& output, bool folder, const FileWriter& write,
               std::string* error);

}  // namespace kyexport
