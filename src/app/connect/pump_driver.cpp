#include "app/connect/pump_driver.h"

#include <QSocketNotifier>

namespace trix::app {

CPumpDriver::CPumpDriver(std::function<void()> tick, QObject* parent)
    : QObject(parent), tick_(std::move(tick)) {
    connect(&timer_, &QTimer::timeout, this, &CPumpDriver::run);
}

CPumpDriver::~CPumpDriver() = default;

void CPumpDriver::start(int fd, int periodMs) {
    stop();
    timer_.start(periodMs);
    if (fd >= 0) {
        notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &CPumpDriver::run);
    }
}

void CPumpDriver::stop() {
    timer_.stop();
    if (notifier_) {
        notifier_->setEnabled(false);
        // The notifier may be the sender of the call that stops the pump.
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
}

void CPumpDriver::run() {
    if (tick_)
        tick_();
}

} // namespace trix::app
