#pragma once
// A port that reads from a fixed buffer and accepts every write, for the link fuzzers.

#include "link/serial_port.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

class MemoryPort : public trix::link::SerialPort {
public:
    explicit MemoryPort(std::string input) : input_(std::move(input)) {
        // A clock that runs 50 ms per look, so that every wait ends after a few passes.
        setWaitHooks({[] {}, [this] { return clock_ += 50; }});
    }
    void feed(std::string_view more) { input_.append(more); }
    int readChar() override {
        if (pos_ >= input_.size()) {
            count = 0;
            return fail(trix::link::status::kBufferEmpty);
        }
        status = 0;
        return static_cast<unsigned char>(input_[pos_++]);
    }
    int readBlock(void* buffer, std::size_t maxLength) override {
        std::size_t n = std::min(maxLength, input_.size() - pos_);
        std::memcpy(buffer, input_.data() + pos_, n);
        pos_ += n;
        count = static_cast<std::uint32_t>(n);
        return n ? (status = 0) : fail(trix::link::status::kBufferEmpty);
    }
    int rxCount() override { return static_cast<int>(input_.size() - pos_); }
    int writeBlock(const void*, std::size_t length) override {
        count = static_cast<std::uint32_t>(length);
        return status = 0;
    }
    int setLine(long, char, int, int) override { return status = 0; }
    int setRtsCts(bool) override { return status = 0; }
    int setDtrDsr(bool) override { return status = 0; }
    int setXonXoff(bool) override { return status = 0; }
    int clearTx() override { return status = 0; }
    int txCount() override { return 0; }

private:
    std::string input_;
    std::size_t pos_ = 0;
    std::int64_t clock_ = 0;
};
