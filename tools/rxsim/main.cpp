// rxsim: a simulated satellite-navigation receiver on a pseudo-terminal (or behind a TCP
// listener on the loopback address), for tests and demos. It prints the device path (or the
// tcp:// address) the program should open, then behaves like a receiver of the
// chosen model: it answers the identification queries, acknowledges setting commands, sends
// its epochs on the switched-on outputs and follows baud changes. While the program's baud
// rate or RTS/CTS setting differs from its own, everything it sends is unintelligible and
// everything it receives is lost, as on a real line. Over TCP there is no line speed: what it
// sends always arrives.

#include "options.h"
#include "pty.h"
#include "serve.h"
#include "tcp_listener.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) {
    stopRequested = 1;
}

// The line the options ask for, or nullptr after saying why it cannot be had.
std::unique_ptr<rxsim::Line> openLine(const rxsim::Options& o) {
    if (o.tcpPort >= 0) {
        auto listener = std::make_unique<rxsim::TcpListener>(o.tcpPort);
        if (!listener->ok()) {
            std::fprintf(stderr, "rxsim: cannot listen on 127.0.0.1:%d: %s\n", o.tcpPort,
                         listener->error().c_str());
            return nullptr;
        }
        return listener;
    }
    auto pty = std::make_unique<rxsim::Pty>();
    if (!pty->ok()) {
        std::fprintf(stderr, "rxsim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
        return nullptr;
    }
    if (!o.link.empty()) {
        ::unlink(o.link.c_str());
        if (::symlink(pty->slavePath().c_str(), o.link.c_str()) != 0) {
            std::fprintf(stderr, "rxsim: cannot create %s: %s\n", o.link.c_str(),
                         std::strerror(errno));
            return nullptr;
        }
    }
    return pty;
}

} // namespace

int main(int argc, char** argv) {
    rxsim::Options o;
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        rxsim::usage(stdout);
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("rxsim %s\n", TRIX_VERSION);
        return 0;
    }
    if (!rxsim::parse(argc, argv, o)) {
        rxsim::usage(stderr);
        return 2;
    }
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<rxsim::Line> line = openLine(o);
    if (!line)
        return 1;
    std::printf("%s\n", line->address().c_str());
    std::fflush(stdout);
    const int rc = rxsim::serve(*line, o, stopRequested);
    if (!o.link.empty())
        ::unlink(o.link.c_str());
    return rc;
}
