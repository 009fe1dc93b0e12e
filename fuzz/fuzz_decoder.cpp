// Any byte sequence is safe input for the decoder: live framing, every handler directly, and
// the log-line path, under every kind of receiver model.

#include "decode/epoch_decoder.h"
#include "decode/framing.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

struct CountingChanges : trix::ChangeSink {
    unsigned n = 0;
    void changed(int) override { ++n; }
};

struct Port : trix::PortHook {
    bool portOpen() const override { return true; }
    void writeQuery(std::string_view) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const int models[] = {0, 1, 3, 4, 11, 15, 17, 18, 19, 20};
    int model = models[data[0] % (sizeof models / sizeof models[0])];
    bool limitsOff = data[0] & 0x80;
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    CountingChanges windows;
    Port port;
    trix::SilentSink messages;
    trix::EpochDecoder live{model, {&messages, &windows, nullptr, nullptr, &port, nullptr}};
    if (limitsOff)
        live.limits() = trix::LimitSettings{false, false, false};
    trix::LineFramer framer;
    for (char c : bytes) {
        if (framer.push(static_cast<std::uint8_t>(c)))
            live.handleSentence(framer.line());
    }

    // Each line straight into every handler, as the log-file indexer may.
    trix::EpochDecoder direct{model};
    direct.setViewing(true);
    if (limitsOff)
        direct.limits() = trix::LimitSettings{false, false, false};
    static const trix::SentenceCode codes[] = {trix::kGGA, trix::kGSA, trix::kGSV,
                                               trix::kVTG, trix::kPOS, trix::kSAT,
                                               trix::kAT2, trix::kSA4, trix::kCSN};
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        std::string_view raw = bytes.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start + 1);
        if (raw.size() > 1023)
            raw = raw.substr(0, 1023);
        std::string_view line = trix::logLineSentence(raw);
        for (trix::SentenceCode c : codes)
            direct.runHandler(c, line);
        direct.storeEpoch();
        direct.learn(trix::sentenceCode(line), true);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return 0;
}
