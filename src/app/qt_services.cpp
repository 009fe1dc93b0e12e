#include "qt_services.h"

#include "base/strings.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

#include <algorithm>

namespace trix::app {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Answer QtMessageSink::show(std::string_view text, Buttons buttons, Icon icon) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromUtf8(str::kAppTitle));
    box.setText(qs(text));
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

void QtMessageSink::beep() {
    QApplication::beep();
}

bool QtTimerHost::start(int id, long long ms) {
    if (ms <= 0)
        return false;
    Timer& t = timers_[id];
    if (!t.timer) {
        t.timer = std::make_unique<QTimer>();
        t.timer->setSingleShot(true);
        QObject::connect(t.timer.get(), &QTimer::timeout, this, [this, id] { stepDone(id); });
    }
    t.period = ms;
    t.remaining = ms;
    arm(t);
    return true;
}

void QtTimerHost::arm(Timer& t) {
    t.timer->start(static_cast<int>(std::min<long long>(t.remaining, longestStep_)));
}

void QtTimerHost::stepDone(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    Timer& t = it->second;
    t.remaining -= t.timer->interval();
    if (t.remaining > 0) {
        arm(t);
        return;
    }
    // Rearmed before the call, so that the handler may kill or restart its own timer.
    t.remaining = t.period;
    arm(t);
    fired_(id);
}

void QtTimerHost::kill(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end())
        it->second.timer->stop();
}

bool QtTimerHost::running(int id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second.timer->isActive();
}

QtProgress::QtProgress(QWidget* parent) : parent_(parent) {}
QtProgress::~QtProgress() = default;

void QtProgress::begin(std::string_view title) {
    dialog_ = std::make_unique<QProgressDialog>(qs(title), QString(), 0, 100, parent_);
    dialog_->setWindowTitle(qs(title));
    dialog_->setMinimumDuration(300);
    dialog_->setValue(0);
}

void QtProgress::progress(int percent) {
    if (dialog_) {
        dialog_->setValue(percent);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void QtProgress::end() {
    if (dialog_) {
        dialog_->setValue(100);
        dialog_.reset();
    }
}

} // namespace trix::app
