// What the user reads when a device cannot be opened: the path, the system's reason, the
// status text kept, and for a refused permission the group to join.

#include "link/posix_serial_port.h"
#include "link/status.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace trix::link {
namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(OpenErrorText, NamesThePathAndTheReason) {
    auto missing = PosixSerialPort::open("/nonexistent/ttyX", 9600, 'N', 8, 1);
    EXPECT_EQ(missing->status, status::kNoDevice) << "the status code is kept";
    std::string text =
        openFailureText("/nonexistent/ttyX", missing->status, missing->systemError());
    EXPECT_TRUE(has(text, "/nonexistent/ttyX")) << text;
    EXPECT_TRUE(has(text, "No such file or directory")) << text;

    auto folder = PosixSerialPort::open("/tmp", 9600, 'N', 8, 1);
    ASSERT_LT(folder->status, 0);
    text = openFailureText("/tmp", folder->status, folder->systemError());
    EXPECT_TRUE(has(text, "/tmp: ")) << text;
    EXPECT_FALSE(has(text, "General error:")) << text;
    EXPECT_TRUE(has(text, "Is a directory")) << text;
}

TEST(OpenErrorText, PermissionNamesTheGroupToJoin) {
    std::string text = openFailureText("/nonexistent/ttyUSB0", status::kInUse, EACCES);
    EXPECT_TRUE(has(text, "Permission denied")) << text;
    EXPECT_TRUE(has(text, "'dialout' group")) << text;
    EXPECT_FALSE(has(openFailureText("/dev/x", status::kInUse, EBUSY), "group"));
}

} // namespace
} // namespace trix::link
