#pragma once
// The simulated receiver's run over its line: epochs on time, answers to what the program
// sends, blast mode, the copies of the traffic.

#include <csignal>

namespace rxsim {

class Line;
struct Options;

// Serves the program on `line` until `stop` turns non-zero, the line fails, or blast mode
// has delivered every byte. Returns the exit code.
int serve(Line& line, const Options& o, const volatile std::sig_atomic_t& stop);

} // namespace rxsim
