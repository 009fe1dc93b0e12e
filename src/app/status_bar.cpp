#include "status_bar.h"

#include "base/strings.h"

#include <QFontMetrics>
#include <QPainter>
#include <QProgressBar>

#include <cmath>

namespace trix::app {

PaneAnimation::PaneAnimation(QWidget* parent) : QWidget(parent) {
    setFixedSize(20, 18);
    timer_.setInterval(120);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % 8;
        if (once_ && frame_ == 0)
            timer_.stop();
        update();
    });
    hide();
}

void PaneAnimation::playEndless() {
    once_ = false;
    show();
    timer_.start();
}

void PaneAnimation::playOnce() {
    once_ = true;
    frame_ = 0;
    show();
    timer_.start();
}

void PaneAnimation::stopAndHide() {
    timer_.stop();
    hide();
}

void PaneAnimation::showFirstFrame() {
    timer_.stop();
    frame_ = 0;
    show();
    update();
}

void PaneAnimation::paintEvent(QPaintEvent*) {
    // A recording reel: eight dots, the current one bright.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPointF c(width() / 2.0, height() / 2.0);
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4.0;
        QPointF d(c.x() + 6.0 * std::cos(a), c.y() + 6.0 * std::sin(a));
        p.setPen(Qt::NoPen);
        p.setBrush(i == frame_ ? QColor(200, 0, 0) : QColor(150, 150, 150));
        p.drawEllipse(d, 1.8, 1.8);
    }
}

namespace {

QLabel* pane(QWidget* parent, int width) {
    auto* l = new QLabel(parent);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    if (width > 0)
        l->setMinimumWidth(width);
    return l;
}

QPixmap stateIcon(int index) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (index == StatusBar::RecordingIcon) {
        p.setBrush(QColor(220, 0, 0));
        p.setPen(Qt::darkRed);
        p.drawEllipse(2, 2, 12, 12);
    } else if (index == StatusBar::AnalysisIcon) {
        p.setPen(QPen(QColor(0, 90, 200), 2));
        p.drawEllipse(2, 2, 12, 12);
        p.drawLine(8, 0, 8, 16);
        p.drawLine(0, 8, 16, 8);
    }
    return pm;
}

} // namespace

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(150);
    progress_->setMaximumHeight(16);
    progress_->hide();
    message_ = new QLabel(this);
    message_->setMinimumWidth(120);
    auto* animationPane = pane(this, 20);
    animationPane_ = animationPane;
    animation_ = new PaneAnimation(animationPane);
    iconLabel_ = pane(this, 20);
    port_ = pane(this, 50);
    baud_ = pane(this, 55);
    units_ = pane(this, 150);
    addWidget(progress_);
    addWidget(message_, 1);
    addPermanentWidget(animationPane);
    addPermanentWidget(iconLabel_);
    addPermanentWidget(port_);
    addPermanentWidget(baud_);
    addPermanentWidget(units_);
    animationPane->setFixedWidth(24);
    iconLabel_->setFixedWidth(24);
    const auto tip = [](const char* text) { return QString::fromUtf8(text); };
    message_->setToolTip(tip(str::kTipStatusMessage));
    animationPane->setToolTip(tip(str::kTipStatusAnimation));
    animation_->setToolTip(tip(str::kTipStatusAnimation));
    iconLabel_->setToolTip(tip(str::kTipStatusIcon));
    port_->setToolTip(tip(str::kTipStatusPort));
    baud_->setToolTip(tip(str::kTipStatusBaud));
    units_->setToolTip(tip(str::kTipStatusUnits));
    progress_->setToolTip(tip(str::kTipStatusProgress));
}

void StatusBar::setPaneText(int p, const QString& text) {
    switch (p) {
    case Message:
        message_->setText(text);
        break;
    case Port:
        port_->setText(text);
        break;
    case Baud:
        baud_->setText(text);
        break;
    case Units: {
        units_->setText(text);
        // The units pane is at least 150 pixels, else the width of its text plus 2.
        int w = QFontMetrics(units_->font()).horizontalAdvance(text) + 2 + 2 * units_->frameWidth();
        units_->setMinimumWidth(std::max(150, w));
        break;
    }
    default:
        break;
    }
}

void StatusBar::setAnimation(int command) {
    switch (command) {
    case PlayEndless:
        animation_->playEndless();
        break;
    case StopHide:
        animation_->stopAndHide();
        break;
    case PlayOnce:
        animation_->playOnce();
        break;
    default:
        animation_->showFirstFrame();
        break;
    }
}

void StatusBar::setIcon(int index) {
    icon_ = index;
    iconLabel_->setPixmap(index < 0 ? QPixmap() : stateIcon(index));
    // The tip says what the icon shown means, or what the pane is for while it is empty.
    const char* tip = index == RecordingIcon  ? str::kTipStatusRecording
                      : index == AnalysisIcon ? str::kTipStatusAnalysis
                                              : str::kTipStatusIcon;
    iconLabel_->setToolTip(QString::fromUtf8(tip));
}

void StatusBar::setProgress(int percent) {
    if (percent < 0) {
        progress_->hide();
        return;
    }
    percent = std::min(percent, 100);
    bool wasShown = progress_->isVisible();
    if (!wasShown)
        progress_->show();
    progress_->setValue(percent);
    if (percent == 100)
        QTimer::singleShot(100, progress_, [bar = progress_] {
            if (bar->value() == 100)
                bar->hide();
        });
}

QString StatusBar::paneText(int p) const {
    switch (p) {
    case Message:
        return message_->text();
    case Port:
        return port_->text();
    case Baud:
        return baud_->text();
    case Units:
        return units_->text();
    default:
        return {};
    }
}

QWidget* StatusBar::paneWidget(int p) const {
    switch (p) {
    case Message:
        return message_;
    case Animation:
        return animationPane_;
    case Icon:
        return iconLabel_;
    case Port:
        return port_;
    case Baud:
        return baud_;
    case Units:
        return units_;
    case Progress:
        return progress_;
    default:
        return nullptr;
    }
}

QString StatusBar::paneToolTip(int p) const {
    const QWidget* w = paneWidget(p);
    return w ? w->toolTip() : QString();
}

bool StatusBar::progressVisible() const {
    return !progress_->isHidden();
}
int StatusBar::progressValue() const {
    return progress_->value();
}

} // namespace trix::app
