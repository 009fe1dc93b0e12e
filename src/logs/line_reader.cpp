#include "logs/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace trix::logs {

LineReader::~LineReader() {
    close();
}

bool LineReader::open(const std::string& path) {
    close();
    // Opened without blocking: a FIFO or a device at the log's name would otherwise wait for a
    // writer for ever. Only a regular file is read.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int reason = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = reason;
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    std::FILE* f =
        flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ? nullptr : ::fdopen(fd, "rb");
    if (!f) {
        const int reason = errno;
        ::close(fd);
        errno = reason;
        return false;
    }
    file_ = f;
    size_ = static_cast<std::uint64_t>(st.st_size);
    return rewind();
}

void LineReader::close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

bool LineReader::rewind() {
    if (!file_)
        return false;
    begin_ = end_ = 0;
    consumed_ = 0;
    eof_ = atEnd_ = failed_ = false;
    return std::fseek(file_, 0, SEEK_SET) == 0;
}

bool LineReader::fill() {
    if (eof_ || !file_)
        return false;
    if (begin_ > 0) {
        std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    std::size_t n = std::fread(buf_.data() + end_, 1, buf_.size() - end_, file_);
    end_ += n;
    if (n == 0) {
        eof_ = true;
        failed_ = std::ferror(file_) != 0;
        error_ = failed_ ? errno : 0;
    }
    return n > 0;
}

bool LineReader::next(std::string_view& line) {
    atEnd_ = false;
    for (;;) {
        std::size_t avail = end_ - begin_;
        std::size_t limit = avail < kMaxLine ? avail : kMaxLine;
        const char* start = buf_.data() + begin_;
        const void* lf = std::memchr(start, '\n', limit);
        std::size_t len = 0;
        if (lf)
            len = static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1;
        else if (avail >= kMaxLine)
            len = kMaxLine;
        else if (!fill()) {
            if (avail == 0)
                return false;
            // The last line has no line feed: the file ends with it.
            len = avail;
            atEnd_ = true;
        } else {
            continue;
        }
        line = std::string_view(buf_.data() + begin_, len);
        begin_ += len;
        consumed_ += len;
        return true;
    }
}

} // namespace trix::logs
