#include "ticket/book_layout.h"

#include <algorithm>
#include <fstream>

namespace trix::ticket {
namespace {

bool wordChar(unsigned char c) {
    return c >= '0' && c <= 'z';
}

} // namespace

BookLayout layoutBook(std::string_view text, int width, int height, int lineHeight,
                      const std::function<int(unsigned char)>& advance) {
    BookLayout out;
    if (lineHeight <= 0)
        lineHeight = 1;
    const int perPage = height >= lineHeight ? height / lineHeight : 1;
    const std::size_t maxLines = static_cast<std::size_t>(perPage) * kMaxBookPages;
    auto widthOf = [&](unsigned char c) { return c == '\t' ? kTabAdvance : advance(c); };

    std::size_t begin = 0, i = 0;
    int x = 0;
    bool wrapped = false; // the line started after a soft break: leading blanks are dropped
    auto endLine = [&](std::size_t end) {
        out.lines.push_back({begin, end});
        x = 0;
    };
    while (i < text.size() && out.lines.size() < maxLines) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            endLine(i);
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            begin = i;
            wrapped = false;
            continue;
        }
        if (wrapped && i == begin && (c == ' ' || c == '\t')) {
            begin = ++i;
            continue;
        }
        const int w = widthOf(c);
        if (x + w > width && i > begin) {
            // Break before the word being written; a word that fills the whole line is cut
            // at the edge.
            std::size_t cut = i;
            if (wordChar(c)) {
                std::size_t start = i;
                while (start > begin && wordChar(static_cast<unsigned char>(text[start - 1])))
                    --start;
                if (start > begin)
                    cut = start;
            }
            endLine(cut);
            begin = i = cut;
            wrapped = true;
            continue;
        }
        x += w;
        ++i;
        wrapped = false;
    }
    if (out.lines.size() < maxLines && begin < text.size())
        out.lines.push_back({begin, text.size()});
    for (std::size_t l = 0; l < out.lines.size(); l += static_cast<std::size_t>(perPage)) {
        std::size_t n =
            std::min<std::size_t>(static_cast<std::size_t>(perPage), out.lines.size() - l);
        out.pages.push_back({l, n});
    }
    if (out.pages.empty())
        out.pages.push_back({0, 0});
    return out;
}

bool loadDescription(const std::string& path, std::string& text) {
    text.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.resize(kMaxDescription);
    in.read(text.data(), static_cast<std::streamsize>(kMaxDescription));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

} // namespace trix::ticket
