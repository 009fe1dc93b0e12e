#pragma once
// Status codes of the port driver and their texts. Every port operation returns one of these
// (0 success, negative failure) and also leaves it in the port's status field.

#include <functional>
#include <string>
#include <string_view>

namespace trix::link {

namespace status {
inline constexpr int kSuccess = 0;
inline constexpr int kGeneralError = -1;
inline constexpr int kInvalidPort = -2;
inline constexpr int kInUse = -3;
inline constexpr int kNoMemory = -5;
inline constexpr int kInvalidParameter = -7;
inline constexpr int kBufferEmpty = -8;
inline constexpr int kBufferFull = -9;
inline constexpr int kTimeOut = -10;
inline constexpr int kNoDevice = -14; // "No 8250 present": the device does not exist
inline constexpr int kNotSupported = -24;
inline constexpr int kIllegalBaud = -25;
inline constexpr int kIllegalParity = -26;
inline constexpr int kIllegalWordLength = -27;
inline constexpr int kIllegalStopBits = -28;
inline constexpr int kBlockedByHandshaking = -36;
} // namespace status

// The text of a status code. A replaceable hook is asked first; when it has no answer (an
// empty text) the built-in table answers, and any code not in it gives "Unknown error code".
std::string_view statusText(int code);

// What the user reads when a device could not be opened: the device path, the system's
// reason and the status text; for a permission refusal, the group to join (the device's
// group, "dialout" for the usual serial devices).
std::string openFailureText(std::string_view device, int code, int systemError);

using StatusTextHook = std::function<std::string_view(int)>;
// Installs a hook (an empty function restores the default, which answers nothing).
void setStatusTextHook(StatusTextHook hook);

} // namespace trix::link
