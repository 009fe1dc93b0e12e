#include "serve.h"

#include "line.h"
#include "options.h"
#include "receiver.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace rxsim {
namespace {

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
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
    Files(const Files&) = delete;
    Files& operator=(const Files&) = delete;
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

} // namespace

int serve(Line& line, const Options& o, const volatile std::sig_atomic_t& stop) {
    Receiver rx(o.receiver);
    Files files(o);
    std::string outq;
    unsigned seed = 12345;
    std::int64_t start = nowMs();
    std::int64_t nextEpoch = start + o.periodMs;
    long long blasted = 0;  // bytes queued in blast mode
    bool finishing = false; // blast mode: every byte sent, waiting for the program to leave
    std::vector<char> in(4096);

    // Queues what the receiver sends; a program at another speed hears only garbage.
    auto queue = [&](const std::string& bytes) {
        if (bytes.empty() || !line.connected())
            return;
        outq += line.understood(rx.baud(), rx.rtsCts()) ? bytes : scramble(bytes, seed);
    };

    while (!stop) {
        const bool connected = line.connected();
        const std::int64_t now = nowMs();
        if (o.blast && connected && !finishing) {
            if (blasted >= o.bytes && outq.empty()) {
                if (line.unread() == 0) {
                    if (!line.endSending())
                        break;
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
            queue(rx.epoch()); // the receiver's clock runs whether anyone listens or not
            nextEpoch += o.periodMs;
            if (nextEpoch < now)
                nextEpoch = now + o.periodMs;
        }
        queue(rx.dueAnswers());

        int timeout = 50;
        if (!o.blast)
            timeout = static_cast<int>(std::max<std::int64_t>(0, nextEpoch - nowMs()));
        else if (connected && (o.rate > 0 || blasted >= o.bytes))
            timeout = 2;
        timeout = rx.untilNextAnswerMs(timeout);
        const Line::Ready ready = line.wait(timeout, !outq.empty() && !finishing);
        if (ready.failed)
            break;
        if (ready.newProgram)
            start = nowMs();
        bool gone = ready.gone;
        if (ready.readable) {
            const long got = line.read(in.data(), in.size());
            if (got > 0 && !finishing && line.understood(rx.baud(), rx.rtsCts())) {
                std::string answers;
                std::vector<std::string> commands;
                rx.receive(std::string_view(in.data(), static_cast<std::size_t>(got)), answers,
                           commands);
                for (const auto& c : commands)
                    files.command(c);
                outq += answers;
            } else if (got < 0) {
                gone = true;
            }
        }
        if (!gone && ready.writable && !outq.empty()) {
            const long put = line.write(outq.data(), outq.size());
            if (put > 0) {
                files.sent(outq.data(), static_cast<std::size_t>(put));
                outq.erase(0, static_cast<std::size_t>(put));
            } else if (put < 0) {
                gone = true;
            }
        }
        if (gone) {
            // The program went away: what was queued for it is lost, as on an unheard line.
            line.drop();
            outq.clear();
            if (o.blast)
                break;
        }
    }
    return 0;
}

} // namespace rxsim
