#pragma once
// trixlog subcommands register themselves here; each lives in its own cmd_*.cpp file.

#include <functional>
#include <string>
#include <vector>

namespace trixlog {

struct Command {
    std::string name;
    std::string summary; // one line for the overview
    // argv[0] is the subcommand's name. Returns the process exit code: 0 success, 1 failure,
    // 2 bad arguments (after a usage line on stderr).
    std::function<int(int argc, char** argv)> run;
};

std::vector<Command>& registry();

struct Registration {
    explicit Registration(Command c) { registry().push_back(std::move(c)); }
};

} // namespace trixlog
