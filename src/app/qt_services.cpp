#include "qt_services.h"

#include "base/strings.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

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
    if (ms <= 0 || ms > std::numeric_limits<int>::max())
        return false;
    auto& t = timers_[id];
    if (!t) {
        t = std::make_unique<QTimer>();
        QObject::connect(t.get(), &QTimer::timeout, this, [this, id] { fired_(id); });
    }
    t->start(static_cast<int>(ms));
    return true;
}

void QtTimerHost::kill(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end())
        it->second->stop();
}

bool QtTimerHost::running(int id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
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
