#pragma once
// Where the user manual is: beside the program first (the build tree, or an installation moved
// to another prefix keeps <bin>/../<docdir>), then the folder it was installed into.

#include <string>
#include <vector>

namespace trix::app {

inline constexpr const char* kManualFileName = "manual.html";

// The folders searched for the manual, in order, for a program that runs from `programDir`.
std::vector<std::string> manualFolders(const std::string& programDir);

// The path of the manual in the first of `folders` that holds it as a readable file; "" when
// none does.
std::string findManual(const std::vector<std::string>& folders);

} // namespace trix::app
