// The pump's delay from a line's last byte on the wire to its decoding, with the receiver
// sending at the byte rate of a 921600 baud line (92160 bytes per second) into a
// pseudo-terminal, and the headless poll loop running the pump as trixlog does.

#include "decode/epoch_decoder.h"
#include "link/console.h"
#include "link/data_pump.h"
#include "link/link.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

struct Stamp : trix::link::LinkListener {
    std::vector<Clock::time_point>* seen;
    explicit Stamp(std::vector<Clock::time_point>* s) : seen(s) {}
    // The ticket writer is the last listener, after the decoder has handled the line.
    void ticketLine(std::string_view) override { seen->push_back(Clock::now()); }
};
} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 3;
    const double rate = 92160.0; // bytes per second
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) || unlockpt(master))
        return 1;
    std::string slave = ptsname(master);

    trix::SilentSink sink;
    trix::link::Link link(sink);
    if (link.openDevice(slave, trix::link::kPlainPortSettings, 1) != 0)
        return 1;
    trix::EpochDecoder decoder(16);
    link.setDecoder(&decoder);
    std::vector<Clock::time_point> received;
    received.reserve(1 << 20);
    Stamp stamp(&received);
    link.listeners.set(trix::link::Slot::Ticket, &stamp);
    trix::link::DataPump pump(link);
    trix::link::PollLoop loop(link, pump);

    const std::string line = "$PXKTR,POS,1,06,120000.00,5546.12345,N,03737.54321,E,180.000,,"
                             "90.0,0.10,-00.3,1.8,0.9,1.5,1.1,QF30*3B\r\n";
    const int lines = static_cast<int>(seconds * rate / static_cast<double>(line.size()));
    std::vector<Clock::time_point> sent(static_cast<std::size_t>(lines));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const auto start = Clock::now();
        for (int k = 0; k < lines; ++k) {
            auto due = start + std::chrono::microseconds(static_cast<long long>(
                                   1e6 * static_cast<double>((k + 1) * line.size()) / rate));
            std::this_thread::sleep_until(due);
            std::size_t off = 0;
            while (off < line.size()) {
                ssize_t n = write(master, line.data() + off, line.size() - off);
                if (n > 0)
                    off += static_cast<std::size_t>(n);
            }
            sent[static_cast<std::size_t>(k)] = Clock::now();
        }
        done = true;
    });
    const auto deadline = Clock::now() + std::chrono::seconds(seconds + 5);
    loop.run([&] {
        return (done && static_cast<int>(received.size()) >= lines) || Clock::now() > deadline;
    });
    writer.join();

    std::vector<double> ms;
    for (std::size_t k = 0; k < received.size() && k < sent.size(); ++k)
        ms.push_back(std::chrono::duration<double, std::milli>(received[k] - sent[k]).count());
    std::sort(ms.begin(), ms.end());
    if (ms.empty())
        return 1;
    double sum = 0;
    for (double v : ms)
        sum += v;
    std::printf("latency: %zu of %d lines decoded; mean %.3f ms, p99 %.3f ms, max %.3f ms "
                "(target < 20 ms)\n",
                ms.size(), lines, sum / static_cast<double>(ms.size()), ms[ms.size() * 99 / 100],
                ms.back());
    close(master);
    return static_cast<int>(ms.size()) == lines ? 0 : 1;
}
