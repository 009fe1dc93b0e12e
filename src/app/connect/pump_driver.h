#pragma once
// Runs the data pump on the GUI thread: every 100 ms, and at once whenever the
// port's descriptor has input, so that a fast receiver never waits a whole period.

#include <QObject>
#include <QTimer>

#include <functional>

class QSocketNotifier;

namespace trix::app {

class PumpDriver : public QObject {
    Q_OBJECT
public:
    explicit PumpDriver(std::function<void()> tick, QObject* parent = nullptr);
    ~PumpDriver() override;

    // Starts the timer with `periodMs`, and the input notifier when `fd` is not -1.
    void start(int fd, int periodMs);
    void stop();
    bool running() const { return timer_.isActive(); }

private:
    void run();

    std::function<void()> tick_;
    QTimer timer_;
    QSocketNotifier* notifier_ = nullptr; // a child of the driver
};

} // namespace trix::app
