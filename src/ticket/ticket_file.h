#pragma once
// The ticket file: a new numbered text file in the logging folder, created exclusively so an
// existing ticket is never written over, with CR LF line ends.

#include <ctime>
#include <string>
#include <string_view>

namespace trix::ticket {

// The largest running number among "<code>????.txt" files of `directory` (names compared
// without case); 0 when there is none.
int largestTicketNumber(const std::string& directory, std::string_view code);

// "%Y,%B %d, %H:%M" of the local time `t`, with English month names whatever the locale.
std::string ticketDateLine(std::time_t t);

class TicketFile {
public:
    TicketFile() = default;
    ~TicketFile();
    TicketFile(const TicketFile&) = delete;
    TicketFile& operator=(const TicketFile&) = delete;

    // Creates the file one above the largest number found, going further up while a name is
    // taken. False (with the reason in error()) when no file could be created.
    bool create(const std::string& directory, std::string_view code);
    // An empty line, the text, a line end and another empty line.
    bool writeStatus(std::string_view text);
    // The text and a line end.
    bool writeLine(std::string_view text);
    // Closes the file; false when the last data could not be written.
    bool close();
    // Closes and deletes the file, only when this object created it.
    void discard();

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }

private:
    bool write(std::string_view bytes);
    int fd_ = -1;
    bool created_ = false;
    std::string path_;
    std::string error_;
};

} // namespace trix::ticket
