#include "decode/fields.h"

#include "base/text.h"

namespace trix {

FieldScanner::FieldScanner(std::string_view sentence, std::size_t start, std::ptrdiff_t lastIndex)
    : s_(sentence), pos_(start), last_(lastIndex) {
    auto maxIndex = static_cast<std::ptrdiff_t>(s_.size()) - 1;
    if (last_ > maxIndex)
        last_ = maxIndex;
}

std::optional<std::string_view> FieldScanner::next(bool starEnds) {
    std::size_t i = pos_;
    while (static_cast<std::ptrdiff_t>(i) <= last_) {
        char c = s_[i];
        if (c == ',' || (starEnds && c == '*')) {
            std::string_view field = s_.substr(pos_, i - pos_);
            lastDelim_ = c;
            pos_ = i + 1;
            return field;
        }
        ++i;
    }
    return std::nullopt;
}

bool FieldScanner::skip(int n) {
    for (int k = 0; k < n; ++k) {
        if (!next())
            return false;
    }
    return true;
}

std::optional<double> FieldScanner::real(bool starEnds) {
    auto f = next(starEnds);
    if (!f)
        return std::nullopt;
    return parseReal(*f);
}

std::optional<long> FieldScanner::integer(bool starEnds) {
    auto f = next(starEnds);
    if (!f)
        return std::nullopt;
    return parseInteger(*f);
}

std::size_t lastCommaAtOrBefore(std::string_view s, std::ptrdiff_t from) {
    if (s.empty() || from < 0)
        return std::string_view::npos;
    auto i = static_cast<std::size_t>(from);
    if (i >= s.size())
        i = s.size() - 1;
    for (;;) {
        if (s[i] == ',')
            return i;
        if (i == 0)
            return std::string_view::npos;
        --i;
    }
}

} // namespace trix
