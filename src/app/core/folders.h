#pragma once
// The program's folders: the receiver files (a user folder searched before the shipped one),
// the almanac folder and the logging folder under the user's data folder, and the folder the
// file dialogs start in.

#include <string>

namespace trix::app {

struct Folders {
    std::string dataHome;         // the program's user data folder, ends with '/'
    std::string receiverUser;     // user receiver files, searched first; ends with '/'
    std::string receiverShipped;  // receiver files installed with the program; ends with '/'
    std::string almanacs;         // ends with '/'
    std::string logging;          // ends with '/'
    std::string fileDialog;       // ends with '/'
    bool loggingFallback = false; // the stored logging folder was missing or empty
};

// Adds a trailing '/' when missing ("" stays "").
std::string withSeparator(std::string path);
bool directoryExists(const std::string& path);

// Builds the folders; creates the almanac folder and, when the stored logging folder is empty
// or does not exist, the "Log" folder used instead. Directory names keep their case.
Folders resolveFolders(const std::string& dataHome, const std::string& shippedReceiver,
                       const std::string& storedLoggingDir, const std::string& storedFileDlgDir);

// The first of the user and shipped receiver folders holding `fileName`; "" when neither.
std::string findReceiverFile(const Folders& f, const std::string& fileName);

} // namespace trix::app
