#pragma once
// A private temporary folder for headless runs (the error list of an indexing pass goes
// there, so parallel runs on one log never share a "~err.txt"). Removed, with what is left
// in it, when the run ends.

#include <string>

namespace trix::logs {

class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    // Ends with '/'; empty when the folder could not be made.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace trix::logs
