#pragma once
// The page layout of a receiver description in the information book: lines broken at the
// text rectangle's right edge before the word being written, CR LF, LF and CR each ending a
// line, pages of as many lines as the rectangle holds.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trix::ticket {

inline constexpr std::size_t kMaxDescription = 4096;
inline constexpr int kMaxBookPages = 50;
inline constexpr int kTabAdvance = 8;

struct BookLine {
    std::size_t begin = 0; // offsets into the text; the line end itself is not included
    std::size_t end = 0;
};

struct BookPage {
    std::size_t firstLine = 0;
    std::size_t lineCount = 0;
};

struct BookLayout {
    std::vector<BookLine> lines;
    std::vector<BookPage> pages; // at most kMaxBookPages; the text after the last is cut
};

// Lays `text` out for a rectangle `width` × `height` with lines `lineHeight` high; `advance`
// gives the width of one character (a tab advances kTabAdvance).
BookLayout layoutBook(std::string_view text, int width, int height, int lineHeight,
                      const std::function<int(unsigned char)>& advance);

// A description file's text, at most kMaxDescription bytes; false when it cannot be read.
bool loadDescription(const std::string& path, std::string& text);

} // namespace trix::ticket
