// rxsim: a simulated satellite-navigation receiver on a pseudo-terminal (or behind a TCP
// listener on the loopback address), for tests and demos. It prints the device path (or the
// tcp:// address) the program should open, then behaves like a receiver of the
// chosen model: it answers the identification queries, acknowledges setting commands, sends
// its epochs on the switched-on outputs and follows baud changes. While the program's baud
// rate or RTS/CTS setting differs from its own, everything it sends is unintelligible and
// everything it receives is lost, as on a real line. Over TCP there is no line speed: what it
// sends always arrives.

#include "pty.h"
#include "receiver.h"
#include "tcp_listener.h"

#include "base/text.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) {
    stopRequested = 1;
}

void usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: rxsim [options]\n"
                 "  --model N          receiver model index (default 8)\n"
                 "  --port-letter L    the receiver's own port letter (default A)\n"
                 "  --baud B           the receiver's baud rate (default 9600)\n"
                 "  --rtscts           the receiver expects RTS/CTS handshaking\n"
                 "  --on               outputs switched on from the start\n"
                 "  --period-ms MS     time between epochs (default 1000)\n"
                 "  --ignore WORD      never answer commands containing WORD (repeatable)\n"
                 "  --silent           never answer anything\n"
                 "  --almanac-garbage  almanac answers are byte patterns, not records\n"
                 "%s%s"
                 "  --tx-log FILE      copy of every byte sent to the program\n"
                 "  --rx-log FILE      every command line received, one per line\n"
                 "  --link PATH        also make PATH a symbolic link to the device\n"
                 "  --blast            send valid sentences as fast as the line takes them\n"
                 "  --bytes N          with --blast: stop after N bytes, once the program has\n"
                 "                     read them all (default 10000000)\n"
                 "  --rate BPS         with --blast: at most BPS bytes per second\n"
                 "  --start-delay-ms MS  with --blast: wait before sending (default 0)\n"
                 "  --tcp PORT         listen on 127.0.0.1:PORT instead of a pseudo-terminal\n"
                 "                     (0: any free port), one client at a time; with --blast\n"
                 "                     the connection is closed once every byte is sent\n",
                 rxsim::terminalUsage(), rxsim::dgpsUsage());
}

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct Options {
    rxsim::ReceiverConfig receiver;
    int periodMs = 1000;
    std::string txLog, rxLog, link;
    bool blast = false;
    long long bytes = 10000000;
    long long rate = 0;
    int startDelayMs = 0;
    int tcpPort = -1; // -1: a pseudo-terminal
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char*& v) {
            if (i + 1 >= argc)
                return false;
            v = argv[++i];
            return true;
        };
        const char* v = nullptr;
        if (a == "--model" && value(v))
            o.receiver.model = static_cast<int>(trix::parseInteger(v));
        else if (a == "--port-letter" && value(v) && std::strlen(v) == 1)
            o.receiver.port = v[0];
        else if (a == "--baud" && value(v))
            o.receiver.baud = trix::parseInteger(v);
        else if (a == "--rtscts")
            o.receiver.rtsCts = true;
        else if (a == "--on")
            o.receiver.outputsOn = true;
        else if (a == "--period-ms" && value(v))
            o.periodMs = static_cast<int>(trix::parseInteger(v));
        else if (a == "--ignore" && value(v))
            o.receiver.ignore.emplace_back(v);
        else if (a == "--silent")
            o.receiver.silent = true;
        else if (a == "--almanac-garbage")
            o.receiver.almanacGarbage = true;
        else if (rxsim::parseDgpsOption(argc, argv, i, o.receiver.dgps))
            continue;
        else if (rxsim::terminalOption(argc, argv, i, o.receiver.terminal))
            continue;
        else if (a == "--tx-log" && value(v))
            o.txLog = v;
        else if (a == "--rx-log" && value(v))
            o.rxLog = v;
        else if (a == "--link" && value(v))
            o.link = v;
        else if (a == "--blast")
            o.blast = true;
        else if (a == "--bytes" && value(v))
            o.bytes = trix::parseInteger(v);
        else if (a == "--rate" && value(v))
            o.rate = trix::parseInteger(v);
        else if (a == "--start-delay-ms" && value(v))
            o.startDelayMs = static_cast<int>(trix::parseInteger(v));
        else if (a == "--tcp" && value(v) && *v && std::strspn(v, "0123456789") == std::strlen(v))
            o.tcpPort = static_cast<int>(trix::parseInteger(v));
        else
            return false;
    }
    return o.receiver.model >= 1 && o.receiver.model <= 21 && o.receiver.baud > 0 &&
           o.periodMs > 0 && o.bytes > 0 && o.tcpPort <= 65535 && (o.tcpPort < 0 || o.link.empty());
}

// What a receiver at the wrong speed looks like on the line: bytes that never form a
// sentence start or a line end.
std::string scramble(std::string_view s, unsigned& seed) {
    std::string out(s.size(), '\0');
    for (char& c : out) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(0x80 | ((seed >> 16) & 0x7F));
    }
    return out;
}

class Files {
public:
    explicit Files(const Options& o) {
        if (!o.txLog.empty())
            tx_ = std::fopen(o.txLog.c_str(), "wb");
        if (!o.rxLog.empty())
            rx_ = std::fopen(o.rxLog.c_str(), "wb");
    }
    ~Files() {
        if (tx_)
            std::fclose(tx_);
        if (rx_)
            std::fclose(rx_);
    }
    void sent(const char* data, std::size_t n) {
        if (tx_) {
            std::fwrite(data, 1, n, tx_);
            std::fflush(tx_);
        }
    }
    void command(const std::string& line) {
        if (rx_) {
            std::fprintf(rx_, "%s\n", line.c_str());
            std::fflush(rx_);
        }
    }

private:
    std::FILE* tx_ = nullptr;
    std::FILE* rx_ = nullptr;
};

// The receiver behind a TCP listener: the same behaviour as on the pseudo-terminal, without
// a line speed. Nothing is sent while no client is connected.
int serveTcp(const Options& o) {
    rxsim::TcpListener listener(o.tcpPort);
    if (!listener.ok()) {
        std::fprintf(stderr, "rxsim: cannot listen on 127.0.0.1:%d: %s\n", o.tcpPort,
                     listener.error().c_str());
        return 1;
    }
    std::printf("%s\n", listener.address().c_str());
    std::fflush(stdout);

    rxsim::Receiver rx(o.receiver);
    Files files(o);
    std::string outq;
    std::int64_t start = nowMs();
    std::int64_t nextEpoch = start + o.periodMs;
    long long blasted = 0;
    bool finishing = false; // blast mode: every byte sent, waiting for the client to close
    std::vector<char> in(4096);

    while (!stopRequested) {
        const bool connected = listener.client() >= 0;
        std::int64_t now = nowMs();
        if (connected && o.blast && !finishing) {
            if (blasted >= o.bytes && outq.empty()) {
                if (listener.unsent() == 0) {
                    listener.finishSending();
                    finishing = true;
                }
            } else if (now - start >= o.startDelayMs) {
                long long allowed = o.bytes;
                if (o.rate > 0)
                    allowed = std::min<long long>(
                        o.bytes, (now - start - o.startDelayMs) * o.rate / 1000 + 256);
                while (blasted < allowed && outq.size() < 65536) {
                    std::string e = rx.blastEpoch();
                    if (blasted + static_cast<long long>(e.size()) > o.bytes)
                        e.resize(static_cast<std::size_t>(o.bytes - blasted));
                    blasted += static_cast<long long>(e.size());
                    outq += e;
                }
            }
        } else if (!o.blast && now >= nextEpoch) {
            std::string e = rx.epoch();
            if (connected)
                outq += e;
            nextEpoch += o.periodMs;
            if (nextEpoch < now)
                nextEpoch = now + o.periodMs;
        }

        if (std::string due = rx.dueAnswers(); !due.empty() && connected)
            outq += due;
        pollfd p[2] = {{listener.listenDescriptor(), POLLIN, 0}, {listener.client(), POLLIN, 0}};
        if (!outq.empty() && !finishing)
            p[1].events |= POLLOUT;
        int timeout = 50;
        if (!o.blast)
            timeout = static_cast<int>(std::max<std::int64_t>(0, nextEpoch - nowMs()));
        else if (connected && (o.rate > 0 || blasted >= o.bytes))
            timeout = 2;
        timeout = rx.untilNextAnswerMs(timeout);
        int n = ::poll(p, connected ? 2 : 1, timeout);
        if (n < 0 && errno != EINTR)
            break;
        if (n <= 0)
            continue;
        if (p[0].revents & POLLIN) {
            listener.accept();
            if (!connected && listener.client() >= 0)
                start = nowMs();
        }
        if (!connected)
            continue;
        bool gone = (p[1].revents & (POLLERR | POLLNVAL)) != 0;
        if (p[1].revents & (POLLIN | POLLHUP)) {
            ssize_t got = ::recv(listener.client(), in.data(), in.size(), 0);
            if (got > 0 && !finishing) {
                std::string answers;
                std::vector<std::string> commands;
                rx.receive(std::string_view(in.data(), static_cast<std::size_t>(got)), answers,
                           commands);
                for (const auto& c : commands)
                    files.command(c);
                outq += answers;
            } else if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) {
                gone = true;
            }
        }
        if (!gone && (p[1].revents & POLLOUT) && !outq.empty()) {
            ssize_t put = ::send(listener.client(), outq.data(), outq.size(), MSG_NOSIGNAL);
            if (put > 0) {
                files.sent(outq.data(), static_cast<std::size_t>(put));
                outq.erase(0, static_cast<std::size_t>(put));
            } else if (put < 0 && errno != EAGAIN && errno != EINTR) {
                gone = true;
            }
        }
        if (gone) {
            // The program went away: what was queued for it is lost, as on an unheard line.
            listener.dropClient();
            outq.clear();
            if (o.blast)
                break;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("rxsim %s\n", TRIX_VERSION);
        return 0;
    }
    if (!parse(argc, argv, o)) {
        usage(stderr);
        return 2;
    }
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGPIPE, SIG_IGN);

    if (o.tcpPort >= 0)
        return serveTcp(o);
    rxsim::Pty pty;
    if (!pty.ok()) {
        std::fprintf(stderr, "rxsim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    if (!o.link.empty()) {
        ::unlink(o.link.c_str());
        if (::symlink(pty.slavePath().c_str(), o.link.c_str()) != 0) {
            std::fprintf(stderr, "rxsim: cannot create %s: %s\n", o.link.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    std::printf("%s\n", pty.slavePath().c_str());
    std::fflush(stdout);

    rxsim::Receiver rx(o.receiver);
    Files files(o);
    std::string outq;
    unsigned seed = 12345;
    const std::int64_t start = nowMs();
    std::int64_t nextEpoch = start + o.periodMs;
    long long blasted = 0; // bytes queued in blast mode
    long long written = 0;
    std::vector<char> in(4096);

    auto intelligible = [&] {
        return pty.programBaud() == rx.baud() && pty.programRtsCts() == rx.rtsCts();
    };

    while (!stopRequested) {
        std::int64_t now = nowMs();
        if (o.blast) {
            if (blasted >= o.bytes && outq.empty()) {
                if (pty.unreadByProgram() == 0)
                    break;
            } else if (now - start >= o.startDelayMs) {
                long long allowed = o.bytes;
                if (o.rate > 0)
                    allowed = std::min<long long>(
                        o.bytes, (now - start - o.startDelayMs) * o.rate / 1000 + 256);
                while (blasted < allowed && outq.size() < 65536) {
                    std::string e = rx.blastEpoch();
                    if (blasted + static_cast<long long>(e.size()) > o.bytes)
                        e.resize(static_cast<std::size_t>(o.bytes - blasted));
                    blasted += static_cast<long long>(e.size());
                    outq += e;
                }
            }
        } else if (now >= nextEpoch) {
            std::string e = rx.epoch();
            if (!e.empty())
                outq += intelligible() ? e : scramble(e, seed);
            nextEpoch += o.periodMs;
            if (nextEpoch < now)
                nextEpoch = now + o.periodMs;
        }

        if (std::string due = rx.dueAnswers(); !due.empty())
            outq += intelligible() ? due : scramble(due, seed);
        pollfd p{pty.master(), POLLIN, 0};
        if (!outq.empty())
            p.events |= POLLOUT;
        int timeout = 50;
        if (!o.blast)
            timeout = static_cast<int>(std::max<std::int64_t>(0, nextEpoch - nowMs()));
        else if (o.rate > 0 || blasted >= o.bytes)
            timeout = 2;
        else if (!outq.empty())
            timeout = 50;
        timeout = rx.untilNextAnswerMs(timeout);
        int n = ::poll(&p, 1, timeout);
        if (n < 0 && errno != EINTR)
            break;
        if (n <= 0)
            continue;
        if (p.revents & POLLIN) {
            ssize_t got = ::read(pty.master(), in.data(), in.size());
            if (got > 0 && intelligible()) {
                std::string answers;
                std::vector<std::string> commands;
                rx.receive(std::string_view(in.data(), static_cast<std::size_t>(got)), answers,
                           commands);
                for (const auto& c : commands)
                    files.command(c);
                outq += answers;
            }
        }
        if ((p.revents & POLLOUT) && !outq.empty()) {
            ssize_t put = ::write(pty.master(), outq.data(), outq.size());
            if (put > 0) {
                files.sent(outq.data(), static_cast<std::size_t>(put));
                outq.erase(0, static_cast<std::size_t>(put));
                written += put;
            }
        }
        if ((p.revents & (POLLHUP | POLLERR)) && !(p.revents & POLLIN))
            ::usleep(2000); // nobody holds the line; wait for the program to come back
    }
    if (!o.link.empty())
        ::unlink(o.link.c_str());
    (void)written;
    return 0;
}
