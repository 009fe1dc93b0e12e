#pragma once
// Watches the event loop through a 10 ms timer: the longest time between two of its firings
// tells whether anything held the GUI thread.

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace trix::app::test {

class GapWatch {
public:
    GapWatch() {
        since_.start();
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, since_.restart()); });
        timer_.start(10);
    }
    qint64 longestGapMs() const { return std::max(longest_, since_.elapsed()); }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

} // namespace trix::app::test
