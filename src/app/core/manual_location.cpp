#include "app/core/manual_location.h"

#include <sys/stat.h>
#include <unistd.h>

namespace trix::app {

namespace {

bool readableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), R_OK) == 0;
}

} // namespace

std::vector<std::string> manualFolders(const std::string& programDir) {
    std::vector<std::string> folders;
    const std::string relative = TRIX_DOC_RELATIVE;
    // An absolute documentation folder is the same wherever the program runs from.
    if (!programDir.empty() && !relative.empty() && relative.front() != '/')
        folders.push_back(programDir + "/../" + relative);
    folders.emplace_back(TRIX_DOC_INSTALLED);
    return folders;
}

std::string findManual(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        std::string path = folder;
        if (path.back() != '/')
            path += '/';
        path += kManualFileName;
        if (readableFile(path))
            return path;
    }
    return {};
}

} // namespace trix::app
