#pragma once
// How the core reaches the user: a message sink that the GUI, trixlog and the tests
// implement. The core never includes a GUI toolkit.

#include <string_view>

namespace trix {

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Information, Warning, Stop, Question };
enum class Answer { Ok, Cancel, Yes, No };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A message box; returns the button chosen.
    virtual Answer show(std::string_view text, Buttons buttons = Buttons::Ok,
                        Icon icon = Icon::Warning) = 0;
    virtual void beep() {}
    // A text for the status bar's message pane.
    virtual void status(std::string_view /*text*/) {}
};

// A sink that answers every question with a fixed answer and forgets the texts; for callers
// that have nobody to ask.
class SilentSink : public MessageSink {
public:
    explicit SilentSink(Answer answer = Answer::Ok) : answer_(answer) {}
    Answer show(std::string_view, Buttons buttons, Icon) override {
        if (buttons == Buttons::YesNo)
            return answer_ == Answer::Yes ? Answer::Yes : Answer::No;
        return answer_ == Answer::Cancel ? Answer::Cancel : Answer::Ok;
    }

private:
    Answer answer_;
};

} // namespace trix
