// trixlog: the headless tool on the Trix32 core.

#include "command.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace trixlog {
std::vector<Command>& registry() {
    static std::vector<Command> commands;
    return commands;
}
} // namespace trixlog

namespace {
void overview(std::FILE* out) {
    std::fprintf(out,
                 "usage: trixlog <command> [options]   (trixlog <command> --help)\n\ncommands:\n");
    for (const auto& c : trixlog::registry())
        std::fprintf(out, "  %-10s %s\n", c.name.c_str(), c.summary.c_str());
}
} // namespace

int main(int argc, char** argv) {
    // A reader that goes away (a pipe into `head`) shows as EPIPE on the next write, which the
    // commands answer by ending quietly instead of being killed in the middle of a line.
    std::signal(SIGPIPE, SIG_IGN);
    if (argc < 2) {
        overview(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        overview(stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("trixlog %s\n", TRIX_VERSION);
        return 0;
    }
    for (const auto& c : trixlog::registry()) {
        if (c.name == argv[1])
            return c.run(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "trixlog: unknown command '%s'\n", argv[1]);
    overview(stderr);
    return 2;
}
