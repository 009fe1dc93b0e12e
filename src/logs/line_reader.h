#pragma once
// Reads a log file line by line as the log-file framing wants it: each line at most 1023
// bytes (a longer one comes in pieces), with its line feed when it had one.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace trix::logs {

class LineReader {
public:
    static constexpr std::size_t kMaxLine = 1023;

    LineReader() = default;
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens a regular file for reading; false (with errno set) for anything else.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    bool rewind();
    // The next line; false at the end of the file or on a read error (see failed()).
    bool next(std::string_view& line);
    // The last line ran into the end of the file without a line feed: the file is at its end.
    bool atEnd() const { return atEnd_; }
    bool failed() const { return failed_; }
    int error() const { return error_; } // errno of the failed read
    std::uint64_t size() const { return size_; }
    std::uint64_t consumed() const { return consumed_; }

private:
    bool fill();

    std::FILE* file_ = nullptr;
    std::vector<char> buf_ = std::vector<char>(1 << 16);
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t consumed_ = 0;
    std::string carry_;
    bool eof_ = false;
    bool atEnd_ = false;
    bool failed_ = false;
    int error_ = 0;
};

} // namespace trix::logs
