#pragma once
// The log files viewed last, newest first, as the profile keeps them: one key per file in a
// section of their own, so a path may hold any character the file system allows.

#include <cstddef>
#include <string>
#include <vector>

namespace trix::app {

class IniProfile;

inline constexpr std::size_t kRecentLogCount = 10;
inline constexpr const char* kSectionRecentLogs = "Recent Log Files";

class RecentLogs {
public:
    // Reads the list from `profile`; every change is written back to it at once (the profile
    // reaches the disk when the program saves it).
    explicit RecentLogs(IniProfile& profile);

    const std::vector<std::string>& files() const { return files_; }
    // `path` goes first; an earlier copy of it is removed, the eleventh falls off the end.
    void add(const std::string& path);
    // Removes `path`; false when it was not listed.
    bool remove(const std::string& path);
    void clear();

private:
    void store();

    IniProfile& profile_;
    std::vector<std::string> files_;
};

} // namespace trix::app
