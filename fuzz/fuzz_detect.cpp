// The initialization run's line handler on arbitrary received lines, interleaved with ticks
// and button presses: detection, scanning, identification and command stepping.

#include "link/init_run.h"
#include "link/link.h"
#include "memory_port.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

namespace {
struct Host : trix::link::InitHost {
    int n = 0;
    trix::link::NotRespondingChoice notResponding() override {
        return static_cast<trix::link::NotRespondingChoice>(n++ % 3);
    }
};
struct Answers : trix::MessageSink {
    unsigned k = 0;
    trix::Answer show(std::string_view, trix::Buttons, trix::Icon) override {
        return (++k & 1) ? trix::Answer::Yes : trix::Answer::No;
    }
};
std::string initFolder() {
    static std::string dir = [] {
        char name[] = "/tmp/fuzz_detectXXXXXX";
        std::string d = ::mkdtemp(name) ? name : "/tmp";
        if (std::FILE* f = std::fopen((d + "/rx05.gps").c_str(), "w")) {
            std::fputs("$PXKTS,A\n$PXKTS,B\n$PXKTS,C\n", f);
            std::fclose(f);
        }
        return d;
    }();
    return dir;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    Answers messages;
    trix::link::Link link(messages);
    link.setPause([](int) {});
    link.state.portSettings.baud = data[0] % 10;
    link.state.modelIndex = (data[0] >> 4) % 3;
    link.state.port = std::make_unique<MemoryPort>(std::string());
    Host host;
    trix::link::InitRun::Options options;
    options.detect = true;
    options.fileName = (data[0] & 0x80) ? "default.gps" : "";
    options.initFolder = initFolder();
    trix::link::InitRun run(link, messages, host, options);
    if (!run.start())
        return 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    while (!rest.empty() && !run.closed()) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.empty())
            continue;
        switch (static_cast<unsigned char>(line[0]) % 8) {
        case 0:
            run.tick();
            break;
        case 1:
            run.toggleAutoSelect();
            break;
        case 2:
            run.toggleStop();
            run.stepForward();
            run.stepBack();
            break;
        default:
            run.traffic(trix::link::Direction::Received, line.substr(1));
            break;
        }
    }
    return 0;
}
