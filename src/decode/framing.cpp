#include "decode/framing.h"

#include "base/text.h"

namespace trix {

bool isProprietary(std::string_view s) {
    return s.substr(0, 6) == "$PXKTR";
}

SentenceCode sentenceCode(std::string_view s) {
    std::size_t at = isProprietary(s) ? 7 : 3;
    if (s.size() < at + 3)
        return 0;
    return (static_cast<SentenceCode>(static_cast<unsigned char>(s[at])) << 16) |
           (static_cast<SentenceCode>(static_cast<unsigned char>(s[at + 1])) << 8) |
           static_cast<SentenceCode>(static_cast<unsigned char>(s[at + 2]));
}

std::uint8_t nmeaChecksum(std::string_view body) {
    std::size_t i = (!body.empty() && body[0] == '$') ? 1 : 0;
    std::uint8_t x = 0;
    for (; i < body.size() && body[i] != '*'; ++i)
        x ^= static_cast<std::uint8_t>(body[i]);
    return x;
}

bool checksumPasses(std::string_view s, bool proprietary, bool checked) {
    if (!checked)
        return true;
    std::size_t star = s.rfind('*');
    if (star == std::string_view::npos)
        return !proprietary;
    unsigned long sent = 0;
    if (!parseHex(s.substr(star + 1), sent))
        sent = 0; // "%x" that reads nothing leaves the value as it was: 0
    std::uint8_t x = 0;
    for (std::size_t i = 1; i < star; ++i)
        x ^= static_cast<std::uint8_t>(s[i]);
    return x == static_cast<std::uint8_t>(sent & 0xFF);
}

bool LineFramer::push(std::uint8_t byte) {
    buf_[size_++] = static_cast<char>(byte);
    // The byte that fills the buffer is dropped with it, even a line feed: a sentence of
    // 1021 characters with its CR LF is the longest handed on.
    if (size_ >= kCapacity) {
        size_ = 0;
        ++overflows_;
        return false;
    }
    if (byte == '\n' && size_ >= 2 && buf_[size_ - 2] == '\r') {
        // CR LF alone ends an empty line, which is not handed on.
        lineLength_ = size_ - 2;
        size_ = 0;
        lineStart_ = sentenceStart({buf_.data(), lineLength_});
        return lineLength_ > 0;
    }
    return false;
}

std::size_t sentenceStart(std::string_view line) {
    std::size_t dollar = line.find('$');
    return dollar == std::string_view::npos ? 0 : dollar;
}

std::string_view logLineSentence(std::string_view raw) {
    if (raw.size() >= 2 && raw[raw.size() - 1] == '\n' && raw[raw.size() - 2] == '\r')
        raw = raw.substr(0, raw.size() - 2);
    return raw.substr(sentenceStart(raw));
}

} // namespace trix
