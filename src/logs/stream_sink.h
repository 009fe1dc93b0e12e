#pragma once
// A message sink for headless tools: messages go to a stream, questions get a fixed answer.

#include "base/ui.h"

#include <cstdio>
#include <string>
#include <vector>

namespace trix::logs {

class StreamSink : public MessageSink {
public:
    explicit StreamSink(std::FILE* out, Answer questionAnswer = Answer::No)
        : out_(out), answer_(questionAnswer) {}
    Answer show(std::string_view text, Buttons buttons, Icon) override {
        shown_.emplace_back(text);
        if (buttons == Buttons::YesNo)
            return answer_ == Answer::Yes ? Answer::Yes : Answer::No;
        if (out_) {
            std::fwrite(text.data(), 1, text.size(), out_);
            std::fputc('\n', out_);
        }
        return buttons == Buttons::OkCancel ? Answer::Ok : Answer::Ok;
    }
    // Every text shown so far, questions included.
    const std::vector<std::string>& shown() const { return shown_; }
    bool wasShown(std::string_view text) const {
        for (const auto& s : shown_)
            if (s == text)
                return true;
        return false;
    }

private:
    std::FILE* out_;
    Answer answer_;
    std::vector<std::string> shown_;
};

} // namespace trix::logs
