#pragma once
// Sentences and binary answers of the simulated receiver.

#include <cstdint>
#include <string>
#include <string_view>

namespace rxsim {

// "$" body "*hh" CR LF.
std::string withChecksum(std::string_view body);

struct EpochClock {
    double seconds = 12 * 3600.0; // time of day of the current epoch
    std::string hhmmss() const;   // "hhmmss.ss"
};

std::string posSentence(const EpochClock& t, std::string_view firmware);
std::string satSentence();
std::string at2Sentence(const EpochClock& t);
std::string sa4Sentence(int antenna);
std::string csnSentence(const EpochClock& t);
std::string ggaSentence(const EpochClock& t);
std::string gsaSentence();
std::string gsvSentences(); // the three messages of one epoch
std::string vtgSentence();

// Almanac answers: "$PXKTR,SAL," + 68-byte payload + checksum, and "$PXKTR,SAG," + 42 + 2;
// payloads never hold a CR LF pair, which would cut the line.
std::string salAnswer(int prn);
std::string sagAnswer(int slot);
// The answer to a memory-segment request: 0x04, 2240 data bytes, a 2-byte checksum.
std::string segmentAnswer();
// 16-bit sum of big-endian words, as the receiver checks its binary payloads.
std::uint16_t wordSum(std::string_view bytes);

} // namespace rxsim
