#include "ticket/ticket_file.h"

#include "base/text.h"
#include "logs/log_naming.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace trix::ticket {

int largestTicketNumber(const std::string& directory, std::string_view code) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(directory.empty() ? "." : directory.c_str()),
                                            &closedir);
    if (!dir)
        return 0;
    const std::string prefix = asciiLower(code);
    int largest = 0;
    while (dirent* e = readdir(dir.get())) {
        const std::string name = asciiLower(e->d_name);
        if (!name.starts_with(prefix) || !name.ends_with(".txt") ||
            name.size() < prefix.size() + 4 + 4)
            continue;
        int n = logs::fileNumber(e->d_name);
        if (n > largest)
            largest = n;
    }
    return largest;
}

std::string ticketDateLine(std::time_t t) {
    static constexpr std::array<const char*, 12> kMonths{
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    std::tm tm{};
    localtime_r(&t, &tm);
    return cformat("%d,%s %02d, %02d:%02d", tm.tm_year + 1900,
                   kMonths[static_cast<std::size_t>(tm.tm_mon % 12)], tm.tm_mday, tm.tm_hour,
                   tm.tm_min);
}

TicketFile::~TicketFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool TicketFile::create(const std::string& directory, std::string_view code) {
    std::string dir = directory;
    if (!dir.empty() && dir.back() != '/')
        dir.push_back('/');
    int k = largestTicketNumber(dir, code) + 1;
    for (int tries = 0; tries < 100000; ++tries, ++k) {
        std::string name = logs::numberedFileName(dir, code, k, ".txt");
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            fd_ = fd;
            created_ = true;
            path_ = std::move(name);
            return true;
        }
        if (errno != EEXIST) {
            path_ = std::move(name);
            error_ = std::strerror(errno);
            return false;
        }
    }
    error_ = std::strerror(EEXIST);
    return false;
}

bool TicketFile::write(std::string_view bytes) {
    if (fd_ < 0)
        return false;
    while (!bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = std::strerror(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool TicketFile::writeStatus(std::string_view text) {
    std::string s = "\r\n";
    s += text;
    s += "\r\n\r\n";
    return write(s);
}

bool TicketFile::writeLine(std::string_view text) {
    std::string s(text);
    s += "\r\n";
    return write(s);
}

bool TicketFile::close() {
    if (fd_ < 0)
        return true;
    int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) {
        error_ = std::strerror(errno);
        return false;
    }
    return true;
}

void TicketFile::discard() {
    close();
    if (created_) {
        ::unlink(path_.c_str());
        created_ = false;
    }
}

} // namespace trix::ticket
