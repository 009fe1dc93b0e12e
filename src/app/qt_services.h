#pragma once
// Qt backings of the core's interfaces: message boxes, window timers and the progress window.

#include "base/ui.h"
#include "logs/log_indexer.h"
#include "logs/timer_host.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

class QProgressDialog;
class QWidget;

namespace trix::app {

QString qs(std::string_view text);

// Message boxes with the program's title; status texts go to a callback (the status bar).
class QtMessageSink : public MessageSink {
public:
    explicit QtMessageSink(QWidget* parent) : parent_(parent) {}
    Answer show(std::string_view text, Buttons buttons, Icon icon) override;
    void beep() override;
    void status(std::string_view text) override {
        if (onStatus)
            onStatus(text);
    }
    std::function<void(std::string_view)> onStatus;

private:
    QPointer<QWidget> parent_;
};

// Window timers by id, each a QTimer calling back with its id. A QTimer holds an int of
// milliseconds (about 24 days); longer periods, such as a multiple log session of many hours,
// are counted down in steps of at most `longestStepMs`.
class QtTimerHost : public QObject, public logs::TimerHost {
public:
    explicit QtTimerHost(std::function<void(int)> fired, QObject* parent = nullptr,
                         int longestStepMs = 3'600'000)
        : QObject(parent), fired_(std::move(fired)), longestStep_(longestStepMs) {}
    bool start(int id, long long ms) override;
    void kill(int id) override;
    bool running(int id) const;

private:
    struct Timer {
        std::unique_ptr<QTimer> timer;
        long long period = 0;
        long long remaining = 0;
    };
    void arm(Timer& t);
    void stepDone(int id);

    std::function<void(int)> fired_;
    int longestStep_;
    std::map<int, Timer> timers_;
};

// The progress window "Analyzing log file...".
class QtProgress : public logs::ProgressSink {
public:
    explicit QtProgress(QWidget* parent);
    ~QtProgress() override;
    void begin(std::string_view title) override;
    void progress(int percent) override;
    void end() override;

private:
    QPointer<QWidget> parent_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace trix::app
