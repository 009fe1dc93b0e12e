#include "recent_logs.h"

#include "app/core/ini_profile.h"

#include <algorithm>

namespace trix::app {

namespace {

std::string keyOf(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

RecentLogs::RecentLogs(IniProfile& profile) : profile_(profile) {
    for (std::size_t i = 0; i < kRecentLogCount; ++i) {
        std::string path = profile_.getString(kSectionRecentLogs, keyOf(i), "");
        // A hand-edited profile may hold gaps or the same file twice.
        if (!path.empty() && std::find(files_.begin(), files_.end(), path) == files_.end())
            files_.push_back(std::move(path));
    }
}

void RecentLogs::add(const std::string& path) {
    if (path.empty())
        return;
    std::erase(files_, path);
    files_.insert(files_.begin(), path);
    if (files_.size() > kRecentLogCount)
        files_.resize(kRecentLogCount);
    store();
}

bool RecentLogs::remove(const std::string& path) {
    if (std::erase(files_, path) == 0)
        return false;
    store();
    return true;
}

void RecentLogs::clear() {
    files_.clear();
    store();
}

void RecentLogs::store() {
    for (std::size_t i = 0; i < kRecentLogCount; ++i) {
        const std::string key = keyOf(i);
        // Keys never written stay absent; a key that falls empty is emptied, not left stale.
        if (i < files_.size())
            profile_.writeString(kSectionRecentLogs, key, files_[i]);
        else if (profile_.contains(kSectionRecentLogs, key))
            profile_.writeString(kSectionRecentLogs, key, "");
    }
}

} // namespace trix::app
