#include "app/core/folders.h"

#include <filesystem>

namespace trix::app {

namespace fs = std::filesystem;

std::string withSeparator(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

bool directoryExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

Folders resolveFolders(const std::string& dataHome, const std::string& shippedReceiver,
                       const std::string& storedLoggingDir, const std::string& storedFileDlgDir) {
    Folders f;
    std::error_code ec;
    f.dataHome = withSeparator(dataHome);
    f.receiverUser = f.dataHome + "RECEIVER/";
    f.receiverShipped = withSeparator(shippedReceiver);
    f.almanacs = f.dataHome + "ALMANACS/";
    fs::create_directories(f.almanacs, ec);
    if (directoryExists(storedLoggingDir)) {
        f.logging = withSeparator(storedLoggingDir);
    } else {
        f.logging = f.dataHome + "Log/";
        f.loggingFallback = true;
        fs::create_directories(f.logging, ec);
    }
    f.fileDialog = directoryExists(storedFileDlgDir) ? withSeparator(storedFileDlgDir) : f.logging;
    return f;
}

std::string findReceiverFile(const Folders& f, const std::string& fileName) {
    std::error_code ec;
    for (const std::string& dir : {f.receiverUser, f.receiverShipped}) {
        if (dir.empty())
            continue;
        fs::path p = fs::path(dir) / fileName;
        if (fs::is_regular_file(p, ec))
            return p.string();
    }
    return {};
}

} // namespace trix::app
