#pragma once
// A message sink for window tests: records every message and answers from a queue (Yes or Ok
// when the queue is empty).

#include "base/ui.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace trix::app::test {

class ScriptedMessages : public MessageSink {
public:
    Answer show(std::string_view text, Buttons buttons, Icon) override {
        shown.emplace_back(text);
        if (!answers.empty()) {
            Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    void beep() override { ++beeps; }
    void status(std::string_view text) override { statuses.emplace_back(text); }
    bool saw(std::string_view part) const {
        for (const auto& s : shown)
            if (s.find(part) != std::string::npos)
                return true;
        return false;
    }
    std::vector<std::string> shown;
    std::vector<std::string> statuses;
    std::deque<Answer> answers;
    int beeps = 0;
};

} // namespace trix::app::test
