// The data pump on arbitrary received bytes: framing, ACK/NAK notes, host mode, blocks and
// the decoder behind it.

#include "decode/epoch_decoder.h"
#include "link/data_pump.h"
#include "link/link.h"
#include "memory_port.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {
struct Sink : trix::link::LinkListener {
    std::size_t total = 0;
    void traffic(trix::link::Direction, std::string_view t) override { total += t.size(); }
    void line(std::string_view b) override { total += b.size(); }
    void ticketLine(std::string_view t) override { total += t.size(); }
};
struct Bytes : trix::link::ByteRecorder {
    std::size_t n = 0;
    bool recording() const override { return true; }
    void writeLogByte(std::uint8_t) override { ++n; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    trix::SilentSink messages;
    trix::link::Link link(messages);
    link.setPause([](int) {});
    const int model = data[0] % trix::kModelCount;
    const bool almanac = data[1] & 1;
    link.state.modelIndex = model;
    link.state.receiverPort = 'A';
    link.state.pendingBlock = (data[1] & 2) ? static_cast<std::uint16_t>(data[1] * 9) : 0;
    link.state.closeHostPending = data[1] & 4;
    link.state.port = std::make_unique<MemoryPort>(
        std::string(reinterpret_cast<const char*>(data + 2), size - 2));
    trix::EpochDecoder::Hooks hooks;
    hooks.messages = &messages;
    hooks.port = &link;
    trix::EpochDecoder decoder(model, hooks);
    link.setDecoder(&decoder);
    Sink terminal, other;
    link.listeners.set(trix::link::Slot::Terminal, &terminal);
    link.listeners.set(trix::link::Slot::InitDialog, &other);
    link.listeners.set(trix::link::Slot::Rtcm, &other);
    if (almanac)
        link.listeners.set(trix::link::Slot::Almanac, &other);
    trix::link::DataPump pump(link);
    Bytes bytes;
    pump.setRecorder(&bytes);
    pump.setClock([] { return 0; }); // the budget never runs out: every byte is read
    for (int i = 0; i < 64 && link.port(); ++i) {
        if (pump.tick().bytes == 0 && !link.state.hostMode)
            break;
    }
    return 0;
}
