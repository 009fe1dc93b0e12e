#include "app/connect/pump_driver.h"

#include <QSocketNotifier>

namespace trix::app {

PumpDriver::PumpDriver(std::function<void()> tick, QObject* parent)
    : QObject(parent), tick_(std::move(tick)) {
    connect(&timer_, &QTimer::timeout, this, &PumpDriver::run);
}

PumpDriver::~PumpDriver() = default;

void PumpDriver::start(int fd, int periodMs) {
    stop();
    timer_.start(periodMs);
    if (fd >= 0) {
        notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &PumpDriver::run);
    }
}

void PumpDriver::stop() {
    timer_.stop();
    if (notifier_) {
        notifier_->setEnabled(false);
        // The notifier may be the sender of the call that stops the pump.
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
}

void PumpDriver::run() {
    if (tick_)
        tick_();
}

} // namespace trix::app
