#pragma once
// The checks the folder chooser of the log directory makes on a typed or chosen path.

#include "base/ui.h"

#include <string>
#include <string_view>

namespace trix::logs {

// Every component non-empty, not beginning or ending with a tab, a blank or '.', and free of
// '"' * : < > ? \ | (the separator '/' only separates).
bool folderPathValid(std::string_view path);

// Checks `path` and makes sure it exists: a bad path gives the "is invalid" message; a missing
// one asks whether to create it and creates the missing folders one by one. True when the
// folder can be used.
bool checkFolder(const std::string& path, MessageSink& messages);

// Whether a folder chosen in the chooser differs from the current one (trailing separators
// are ignored; case is kept, as the file system keeps it).
bool folderChanged(std::string_view current, std::string_view chosen);

// The folder with exactly one trailing '/'.
std::string withTrailingSeparator(std::string_view folder);

} // namespace trix::logs
