#include "link/data_pump.h"

#include "base/strings.h"
#include "decode/epoch_decoder.h"

#include <algorithm>
#include <array>
#include <string>

namespace trix::link {

namespace {
constexpr int kAck = 0x06;
constexpr int kNak = 0x15;
} // namespace

std::int64_t DataPump::now() const {
    return nowMs_ ? nowMs_() : steadyNowMs();
}

DataPump::TickResult DataPump::tick() {
    TickResult r;
    SerialPort* port = link_.port();
    // A waiting operation inside a listener may dispatch events that would run the pump
    // again; the inner tick would overwrite the line being handed on, so it waits its turn.
    if (!port || inTick_)
        return r;
    inTick_ = true;
    const std::int64_t start = now();
    for (;;) {
        port = link_.port(); // a listener may have closed the link
        if (!port)
            break;
        if (link_.state.hostMode) {
            if (!hostStep(r))
                break;
        } else {
            int c = port->readChar();
            if (c < 0)
                break;
            ++r.bytes;
            int linesBefore = r.lines;
            textByte(c, r);
            // The clock is read after each line handed on and every 1024 bytes otherwise.
            if ((r.lines != linesBefore || (r.bytes & 0x3FF) == 0) && now() - start >= budgetMs_)
                break;
            continue;
        }
        if (now() - start >= budgetMs_)
            break;
    }
    port = link_.port();
    if (port) {
        r.lost = port->lost();
        if (port->status < 0)
            port->clearError();
    }
    inTick_ = false;
    return r;
}

void DataPump::textByte(int c, TickResult& r) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (recorder_ && link_.decoder() && recorder_->recording())
        recorder_->writeLogByte(byte);
    if ((c == kAck || c == kNak) && !link_.listeners.get(Slot::Almanac)) {
        std::string note(1, static_cast<char>(c));
        note += str::kBinaryNote;
        note += c == kAck ? "ACK" : "NAK";
        dispatch(note, true);
        ++r.lines;
        return;
    }
    if (framer_.push(byte)) {
        // The line may be overwritten only by the next byte, which is read after every
        // listener has returned.
        dispatch(framer_.line(), false);
        ++r.lines;
    }
}

void DataPump::dispatch(std::string_view line, bool note) {
    Listeners& ls = link_.listeners;
    if (!note && line.substr(0, 10) == "$PXKTR,HOS")
        link_.state.hostMode = true;
    if (auto* l = ls.get(Slot::Terminal))
        l->traffic(Direction::Received, line);
    if (auto* l = ls.get(Slot::InitDialog))
        l->traffic(Direction::Received, line);
    if (!note) {
        if (auto* l = ls.get(Slot::PortActivity))
            l->traffic(Direction::Received, {});
        if (auto* l = ls.get(Slot::Almanac))
            l->line(line);
    }
    if (auto* d = link_.decoder())
        d->handleSentence(note ? line.substr(0, 0) : line);
    if (!note) {
        if (auto* l = ls.get(Slot::Rtcm))
            l->line(line);
        if (auto* l = ls.get(Slot::Rtk))
            l->line(line);
    }
    if (auto* l = ls.get(Slot::Ticket))
        l->ticketLine(line);
}

bool DataPump::hostStep(TickResult& r) {
    LinkState& st = link_.state;
    SerialPort& port = *st.port;
    if (st.pendingBlock == 0) {
        blockStarted_ = false;
    } else {
        // The block is read as it comes, never waited for: whatever is missing comes with a
        // later tick (the pump's timer or the port's input).
        const std::size_t wanted = std::min<std::size_t>(st.pendingBlock, kMaxBlock);
        if (!blockStarted_) {
            blockStarted_ = true;
            block_.clear();
            blockByteAt_ = now();
        }
        bool failed = false;
        std::array<char, 512> buffer{};
        while (block_.size() < wanted) {
            const long n =
                port.read(buffer.data(), std::min(buffer.size(), wanted - block_.size()));
            if (n < 0) {
                failed = true;
                break;
            }
            if (n == 0)
                break;
            block_.append(buffer.data(), static_cast<std::size_t>(n));
            r.bytes += static_cast<std::uint64_t>(n);
            blockByteAt_ = now();
        }
        if (!failed && block_.size() < wanted) {
            if (now() - blockByteAt_ < kBlockSilenceMs)
                return false;
            failed = true;
        }
        blockStarted_ = false;
        std::string_view data = block_;
        std::string error;
        if (failed) {
            // The listeners get the text with its terminator, as a block of 21 bytes.
            error.assign(str::kErrorReadingBufferBlock);
            error.push_back('\0');
            data = error;
        } else if (!data.empty() && data.front() == 0x04) {
            data.remove_prefix(1);
        }
        st.pendingBlock = 0;
        if (auto* l = link_.listeners.get(Slot::Almanac))
            l->line(data);
        if (auto* l = link_.listeners.get(Slot::Terminal))
            l->traffic(Direction::Received, data);
        ++r.lines;
        return false;
    }
    int c = port.readChar();
    if (c < 0)
        return false;
    ++r.bytes;
    if (c == 0 && st.closeHostPending) {
        st.hostMode = false;
        st.closeHostPending = false;
        link_.sendCommand("$PXKTQ,PRT", true);
        if (auto* l = link_.listeners.get(Slot::Terminal))
            l->traffic(Direction::Received, "C_CLOSECOMM");
    } else if (c == 0x04) {
        if (auto* l = link_.listeners.get(Slot::Terminal))
            l->traffic(Direction::Received, "C_GETSEG");
    }
    return true;
}

} // namespace trix::link
