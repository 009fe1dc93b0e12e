#pragma once
// Cutting sentences out of the received byte stream and out of log-file lines, the
// sentence code and the checksum rule.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace trix {

// Three code characters packed into one value ("GGA", "POS" ...); 0 for none.
using SentenceCode = std::uint32_t;

constexpr SentenceCode makeCode(const char (&c)[4]) {
    return (static_cast<SentenceCode>(static_cast<unsigned char>(c[0])) << 16) |
           (static_cast<SentenceCode>(static_cast<unsigned char>(c[1])) << 8) |
           static_cast<SentenceCode>(static_cast<unsigned char>(c[2]));
}

inline constexpr SentenceCode kGGA = makeCode("GGA");
inline constexpr SentenceCode kGSA = makeCode("GSA");
inline constexpr SentenceCode kGSV = makeCode("GSV");
inline constexpr SentenceCode kVTG = makeCode("VTG");
inline constexpr SentenceCode kPOS = makeCode("POS");
inline constexpr SentenceCode kSAT = makeCode("SAT");
inline constexpr SentenceCode kAT2 = makeCode("AT2");
inline constexpr SentenceCode kSA4 = makeCode("SA4");
inline constexpr SentenceCode kCSN = makeCode("CSN");

// The code of a sentence: after "$PXKTR," for proprietary answers (positions 7 to 9), else
// after '$' and the two-letter talker (positions 3 to 5). 0 when the sentence is too short.
SentenceCode sentenceCode(std::string_view sentence);

bool isProprietary(std::string_view sentence); // begins with "$PXKTR"

enum class ChecksumResult { Pass, Fail };

// The checksum rule: with `checked` false every sentence passes. Otherwise the text after the
// last '*' is read as hex and compared with the XOR of the bytes between '$' and '*'. A
// sentence without '*' passes when `proprietary` is false and fails otherwise.
bool checksumPasses(std::string_view sentence, bool proprietary, bool checked);

// XOR of the bytes between a leading '$' and the first '*' (or the end); for building commands.
std::uint8_t nmeaChecksum(std::string_view body);

// Live framing: bytes are appended one by one to a 1024-byte line buffer. A line ends at LF
// when the byte before it is CR; the sentence without CR LF is handed on when it is not
// empty. A buffer that fills is dropped, so the longest sentence handed on has 1021 characters.
class LineFramer {
public:
    static constexpr std::size_t kCapacity = 1024;

    // Returns true when `byte` completed a non-empty line; line() then holds it until the
    // next push.
    bool push(std::uint8_t byte);
    // The sentence starts at the line's first '$': noise before it (a NUL from a converter,
    // a stray byte after a speed change) is no part of it.
    std::string_view line() const { return {buf_.data() + lineStart_, lineLength_ - lineStart_}; }
    std::size_t pending() const { return size_; }
    void clear() {
        size_ = 0;
        lineLength_ = 0;
        lineStart_ = 0;
    }
    // Number of times the buffer filled without a line end and was dropped.
    std::uint64_t overflows() const { return overflows_; }

private:
    std::array<char, kCapacity> buf_{};
    std::size_t size_ = 0;
    std::size_t lineLength_ = 0;
    std::size_t lineStart_ = 0;
    std::uint64_t overflows_ = 0;
};

// Where a line's sentence begins: at its first '$', or at 0 when it has none.
std::size_t sentenceStart(std::string_view line);

// Log-file framing: `raw` is one line as read (at most 1023 bytes, with its LF when it had
// one). A trailing CR LF is cut off; a line that did not end in CR LF is handed on as read.
// The sentence starts at the line's first '$' (what came before is noise, which stays in the
// file byte-exact).
std::string_view logLineSentence(std::string_view raw);

} // namespace trix
