#include "logs/disk_space.h"

#include <sys/statvfs.h>

namespace trix::logs {

bool DiskSpace::refresh(const std::string& directory) {
    struct statvfs st {};
    if (::statvfs(directory.empty() ? "." : directory.c_str(), &st) != 0)
        return false;
    free_ = static_cast<double>(st.f_bavail) * static_cast<double>(st.f_frsize);
    total_ = static_cast<double>(st.f_blocks) * static_cast<double>(st.f_frsize);
    return true;
}

} // namespace trix::logs
