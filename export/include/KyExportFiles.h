// Writes a planned export (KyExportPlan.h) to disk, all or nothing: every
// file of a folder is written under a hidden name first and only then
// renamed to its own, so a failed export leaves the folder as it was (and
// removes the folder when it made it).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "KyExportPlan.h"

namespace kyexport {

// Writes one whole file so that the path holds either its old content or
// the new one, never a part (a temporary file renamed over the target).
// Returns false with *error set to the reason alone when it cannot.
using FileWriter = std::function<bool(const std::string& path, const std::string& content, std::string* error)>;

// Writes the files into the folder output (made when missing; its parent
// must exist), or the single unnamed file to the path output. Inside the
// folder a link under a file's name is replaced by the file, never written
// through. Returns false with *error set to one line when output is a file
// where a folder is needed or a folder where a file is needed, when the
// folder cannot be made, when a name in it is taken by a folder or special
// file, or when a write or rename fails; the folder then holds what it held
// before, and the line ends in "(nothing was changed)".
bool WritePlan(const std::vector<ExportFile>& files, const std::string& output, bool folder, const FileWriter& write,
               std::string* error);

}  // namespace kyexport
