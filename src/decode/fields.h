#pragma once
// The one field scanner every sentence handler reads through. It never reads outside the
// sentence: a field whose delimiter is not found at or before the last permitted index
// makes the read fail, and the handler with it.

#include <cstddef>
#include <optional>
#include <string_view>

namespace trix {

class FieldScanner {
public:
    // Scanning starts at `start`; a delimiter must be found at an index not above
    // `lastIndex` (which is clipped to the sentence).
    FieldScanner(std::string_view sentence, std::size_t start, std::ptrdiff_t lastIndex);

    // The next field up to ',' (or also '*' when starEnds); nullopt when no delimiter is found
    // in the permitted range. The scanner then stands after the delimiter.
    std::optional<std::string_view> next(bool starEnds = false);
    // Skips n fields; false when a delimiter is missing.
    bool skip(int n);

    std::optional<double> real(bool starEnds = false);
    std::optional<long> integer(bool starEnds = false);

    std::size_t position() const { return pos_; }
    void setPosition(std::size_t pos) { pos_ = pos; }
    // The delimiter that ended the last field read (',' or '*').
    char lastDelimiter() const { return lastDelim_; }

private:
    std::string_view s_;
    std::size_t pos_;
    std::ptrdiff_t last_;
    char lastDelim_ = 0;
};

// Index of the last ',' at or before `from` (clipped to the sentence); npos when none.
std::size_t lastCommaAtOrBefore(std::string_view s, std::ptrdiff_t from);

} // namespace trix
