#pragma once
// rxsim's command line: the receiver it plays and how it is served.

#include "receiver.h"

#include <cstdio>
#include <string>

namespace rxsim {

struct Options {
    ReceiverConfig receiver;
    int periodMs = 1000;
    std::string txLog, rxLog, link;
    bool blast = false;
    long long bytes = 10000000;
    long long rate = 0;
    int startDelayMs = 0;
    int tcpPort = -1; // -1: a pseudo-terminal
};

// Reads argv[1..]; false when an option is unknown, lacks its value or is out of range.
bool parse(int argc, char** argv, Options& o);
// The option list, on `out`.
void usage(std::FILE* out);

} // namespace rxsim
