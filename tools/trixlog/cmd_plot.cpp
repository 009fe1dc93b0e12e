// trixlog plot: renders the data plotting strips of a log file to PNG, SVG or PDF. The
// rendering uses the window's own painting code, which needs Qt; trixlog itself stays free of
// it, so this command hands its arguments to the small renderer installed beside it.

#include "command.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kRenderer = "trixlog-plot";

std::string besideThisProgram() {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return {};
    std::string path(self, static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1) + kRenderer;
}

int run(int argc, char** argv) {
    std::vector<char*> args;
    std::string name = kRenderer;
    args.push_back(name.data());
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    const std::string beside = besideThisProgram();
    if (!beside.empty() && access(beside.c_str(), X_OK) == 0)
        execv(beside.c_str(), args.data());
    execvp(kRenderer, args.data());
    std::fprintf(stderr, "trixlog: plot needs %s (built with the desktop parts, TRIX_GUI=ON): %s\n",
                 kRenderer, std::strerror(errno));
    return 1;
}

const trixlog::Registration reg{
    {"plot", "render the data plotting strips of a log file to PNG, SVG or PDF", run}};

} // namespace
