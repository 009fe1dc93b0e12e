#include "link/status.h"

#include "base/strings.h"
#include "base/text.h"

#include <grp.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace trix::link {
namespace {

struct StatusEntry {
    int code;
    const char* text;
};

// Codes from -601 on belong to file-transfer protocols this program does not use; they are
// kept so that every code a caller may meet has its text.
constexpr std::array kStatusTexts{
    StatusEntry{0, "Success"},
    StatusEntry{-1, "General error"},
    StatusEntry{-2, "Invalid port"},
    StatusEntry{-3, "In use"},
    StatusEntry{-4, "Invalid buffer size"},
    StatusEntry{-5, "No memory available"},
    StatusEntry{-6, "Not set up"},
    StatusEntry{-7, "Invalid parameter"},
    StatusEntry{-8, "Buffer empty"},
    StatusEntry{-9, "Buffer full"},
    StatusEntry{-10, "Time out"},
    StatusEntry{-11, "CTS is low"},
    StatusEntry{-12, "CD is low"},
    StatusEntry{-13, "DSR is low"},
    StatusEntry{-14, "No 8250 present"},
    StatusEntry{-15, "XMODEM status"},
    StatusEntry{-16, "User abort"},
    StatusEntry{-17, "File I/O error"},
    StatusEntry{-18, "XMODEM status"},
    StatusEntry{-19, "Not wide track"},
    StatusEntry{-20, "Hardware conflict"},
    StatusEntry{-21, "CRC mode"},
    StatusEntry{-22, "Modem didn't send OK"},
    StatusEntry{-23, "No modem response"},
    StatusEntry{-24, "Function not supported"},
    StatusEntry{-25, "Illegal baud rate"},
    StatusEntry{-26, "Illegal parity"},
    StatusEntry{-27, "Ilegal word length"},
    StatusEntry{-28, "Illegal number of stop bits"},
    StatusEntry{-30, "Driver not installed"},
    StatusEntry{-31, "User buffer overflow"},
    StatusEntry{-32, "Failure to connect to port"},
    StatusEntry{-33, "DOS Extender returned an error"},
    StatusEntry{-34, "Illegal board number"},
    StatusEntry{-35, "Board is in use"},
    StatusEntry{-36, "Blocked by handshaking"},
    StatusEntry{-37, "Maximum number of ports exceeded"},
    StatusEntry{-38, "Illegal IRQ line"},
    StatusEntry{-39, "IRQ line in use"},
    StatusEntry{-40, "ANSI Error"},
    StatusEntry{-41, "Thunk setup failed"},
    StatusEntry{-42, "Compiler packing error"},
    StatusEntry{-601, "Can't allocate xfer buffer"},
    StatusEntry{-602, "Can't open xfer file"},
    StatusEntry{-603, "Can't send NAK, buffer full"},
    StatusEntry{-604, "Can't send ACK, buffer full"},
    StatusEntry{-605, "User hit abort key"},
    StatusEntry{-606, "Remote end sent abort code"},
    StatusEntry{-607, "Error during file I/O"},
    StatusEntry{-608, "Timed out waiting for packet"},
    StatusEntry{-609, "Got an invalid packet size"},
    StatusEntry{-610, "Too many errors to continue"},
    StatusEntry{-611, "Internal error"},
    StatusEntry{-612, "Can't send block, buffer full"},
    StatusEntry{-613, "Can't send EOT, buffer full"},
    StatusEntry{-614, "Protocol error"},
    StatusEntry{-615, "Can't send char, buffer full"},
    StatusEntry{-616, "Can't get character"},
    StatusEntry{-617, "Timeout waiting for characters"},
    StatusEntry{-618, "Lost carrier during transfer"},
    StatusEntry{-619, "No files were sent"},
    StatusEntry{-620, "Receiver should send ZSKIP"},
    StatusEntry{-621, "CompuServe B+ packet sequence err"},
    StatusEntry{-622, "CompuServe B+ packet arrived"},
    StatusEntry{-623, "File engine failed"},
};

StatusTextHook& hook() {
    static StatusTextHook h;
    return h;
}

} // namespace

std::string_view statusText(int code) {
    if (const auto& h = hook()) {
        std::string_view answer = h(code);
        if (!answer.empty())
            return answer;
    }
    auto it = std::find_if(kStatusTexts.begin(), kStatusTexts.end(),
                           [code](const StatusEntry& e) { return e.code == code; });
    return it != kStatusTexts.end() ? it->text : "Unknown error code";
}

std::string openFailureText(std::string_view device, int code, int systemError) {
    const std::string path(device);
    const std::string status(statusText(code));
    if (systemError == 0)
        return path + ": " + status;
    std::string text =
        cformat(str::kPortOpenFailed, path.c_str(), std::strerror(systemError), status.c_str());
    if (systemError == EACCES || systemError == EPERM) {
        std::string groupName = "dialout";
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && st.st_gid != 0)
            if (const struct group* g = ::getgrgid(st.st_gid))
                groupName = g->gr_name;
        text += cformat(str::kPortJoinGroup, groupName.c_str());
    }
    return text;
}

void setStatusTextHook(StatusTextHook h) {
    hook() = std::move(h);
}

} // namespace trix::link
