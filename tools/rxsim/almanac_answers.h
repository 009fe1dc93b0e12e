#pragma once
// The simulated receiver's almanac: realistic GPS and GLONASS records dated today, sent as
// "$PXKTR,SAL" and "$PXKTR,SAG" answers and as the memory-segment image of the GPS table.
// With `garbage` the answers are byte patterns instead, for robustness tests.

#include <string>
#include <string_view>

namespace rxsim {

std::string gpsAlmanacAnswer(int prn, bool garbage);
std::string glonassAlmanacAnswer(int slot, bool garbage);
// 0x04, the 2240-byte GPS table, its 16-bit word sum.
std::string almanacSegment(bool garbage);
// The answers a "$PXKTS,RAW,SAL|SAG,<port>,ON" setting starts: every record once.
std::string rawAlmanacOutput(std::string_view setting, char port, bool garbage);

} // namespace rxsim
