#pragma once
// The data pump: the only reader of the port in normal operation. It frames received bytes
// into lines, writes every byte to the log while a session records, and hands each finished
// line to the listeners and the decoder, synchronously and in a fixed order.

#include "decode/framing.h"
#include "link/link.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace trix::link {

// Where received bytes are recorded (the log session).
class ByteRecorder {
public:
    virtual ~ByteRecorder() = default;
    virtual bool recording() const = 0;
    virtual void writeLogByte(std::uint8_t byte) = 0;
};

class DataPump {
public:
    static constexpr std::size_t kLineCapacity = LineFramer::kCapacity;
    static constexpr std::size_t kMaxBlock = 4096;
    static constexpr int kDefaultBudgetMs = 20;
    // A binary block that stays silent this long is given up as unreadable.
    static constexpr int kBlockSilenceMs = 1000;

    explicit DataPump(Link& link) : link_(link) {}

    void setRecorder(ByteRecorder* recorder) { recorder_ = recorder; }
    // A tick stops handing on lines once it has run this long; the rest waits for the next.
    void setBudgetMs(int ms) { budgetMs_ = ms; }
    void setClock(std::function<std::int64_t()> nowMs) { nowMs_ = std::move(nowMs); }

    struct TickResult {
        int lines = 0;           // lines and notes handed on
        std::uint64_t bytes = 0; // bytes read from the port
        bool lost = false;       // the device went away
    };
    // One tick: every complete line that is waiting (within the time budget).
    TickResult tick();

    std::uint64_t droppedLines() const { return framer_.overflows(); }
    std::size_t pendingBytes() const { return framer_.pending(); }
    void reset() {
        framer_.clear();
        blockStarted_ = false;
        block_.clear();
    }
    // A binary block is being received: the pump must be ticked even without new input, so
    // that a block that stops coming is given up.
    bool awaitingBlock() const { return link_.state.pendingBlock != 0; }

private:
    void textByte(int c, TickResult& r);
    bool hostStep(TickResult& r); // false: the tick must end
    void dispatch(std::string_view line, bool note);
    std::int64_t now() const;

    Link& link_;
    ByteRecorder* recorder_ = nullptr;
    int budgetMs_ = kDefaultBudgetMs;
    std::function<std::int64_t()> nowMs_;
    LineFramer framer_;
    bool inTick_ = false;
    // The block of a memory-segment request, gathered over as many ticks as it takes.
    std::string block_;
    bool blockStarted_ = false;
    std::int64_t blockByteAt_ = 0; // when its last byte came (or the wait began)
};

} // namespace trix::link
