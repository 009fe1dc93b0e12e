#include "epoch_counter.h"

#include "app/core/number_format.h"
#include "base/strings.h"
#include "base/text.h"
#include "session.h"
#include "status_bar.h"
#include "trix_application.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace trix::app {

EpochCounter::EpochCounter(Session& session, QWidget* parent)
    : QWidget(parent), session_(session), timers_([this](int id) {
          if (id == logs::kTimerMovie && playback_)
              playback_->movieTick();
      }) {
    setWindowTitle(QString::fromUtf8(str::kEpochCounterTitle));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QFormLayout;
    label_ = new QLabel(this);
    number_ = new QLineEdit(this);
    number_->setMaximumWidth(110);
    total_ = new QLabel(this);
    top->addRow(label_, number_);
    top->addRow(new QLabel(QString::fromUtf8(str::kTotal), this), total_);
    layout->addLayout(top);

    auto* row = new QHBoxLayout;
    scroll_ = new QScrollBar(Qt::Horizontal, this);
    scroll_->setPageStep(10);
    play_ = new QToolButton(this);
    play_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    row->addWidget(scroll_, 1);
    row->addWidget(play_);
    layout->addLayout(row);

    logging_ = new QGroupBox(this);
    auto* log = new QFormLayout(logging_);
    logFile_ = new QLabel(logging_);
    summaryFile_ = new QLabel(logging_);
    logged_ = new QLabel(logging_);
    epochsInFile_ = new QLabel(logging_);
    available_ = new QLabel(logging_);
    percent_ = new QLabel(logging_);
    animation_ = new PaneAnimation(logging_);
    log->addRow(QString::fromUtf8(str::kLoggingTo), logFile_);
    log->addRow(QString(), summaryFile_);
    log->addRow(QString::fromUtf8(str::kTotalLogged), logged_);
    log->addRow(QString(), epochsInFile_);
    log->addRow(QString::fromUtf8(str::kAvailable), available_);
    log->addRow(animation_, percent_);
    layout->addWidget(logging_);
    layout->addStretch(1);

    if (EpochDecoder* d = session_.decoder(); d && session_.indexer())
        playback_ = std::make_unique<logs::Playback>(*d, *session_.indexer(), session_.messages(),
                                                     timers_, this);

    connect(scroll_, &QScrollBar::actionTriggered, this, &EpochCounter::scrollAction);
    connect(play_, &QToolButton::clicked, this, [this] {
        if (playback_ && session_.link().viewFileMode)
            playback_->toggleMovie();
    });
    connect(number_, &QLineEdit::returnPressed, this, [this] {
        if (playback_ && session_.link().viewFileMode && !playback_->movieRunning())
            playback_->enterNumber(number_->text().toStdString());
        refresh();
    });
    scroll_->installEventFilter(this);
    number_->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    refresh();
}

EpochCounter::~EpochCounter() {
    if (playback_)
        playback_->stopMovie();
}

bool EpochCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == scroll_)
            session_.messages().status(str::kHintScrollEpochs);
        else if (watched == number_)
            session_.messages().status(str::kHintEnterEpoch);
    }
    // Stepping keys on the scroll bar follow the window's own key rules; others (Tab) keep
    // their usual meaning.
    if (watched == scroll_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EpochCounter::scrollAction(int action) {
    if (!playback_ || updating_)
        return;
    using SA = logs::ScrollAction;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        playback_->scroll(SA::LineRight);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        playback_->scroll(SA::LineLeft);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        playback_->scroll(SA::PageRight);
        break;
    case QAbstractSlider::SliderPageStepSub:
        playback_->scroll(SA::PageLeft);
        break;
    case QAbstractSlider::SliderToMinimum:
        playback_->scroll(SA::Top);
        break;
    case QAbstractSlider::SliderToMaximum:
        playback_->scroll(SA::Bottom);
        break;
    case QAbstractSlider::SliderMove:
        playback_->scroll(SA::Thumb, scroll_->sliderPosition());
        break;
    default:
        break;
    }
    // The slider moves only through epochShown, so the bar always shows the epoch on screen.
    QMetaObject::invokeMethod(
        this, [this] { refresh(); }, Qt::QueuedConnection);
}

void EpochCounter::keyPressEvent(QKeyEvent* event) {
    using K = logs::PlaybackKey;
    K k = K::Other;
    switch (event->key()) {
    case Qt::Key_Left:
        k = K::Left;
        break;
    case Qt::Key_Right:
        k = K::Right;
        break;
    case Qt::Key_PageUp:
        k = K::PageUp;
        break;
    case Qt::Key_PageDown:
        k = K::PageDown;
        break;
    case Qt::Key_Up:
        k = K::Up;
        break;
    case Qt::Key_End:
        k = K::End;
        break;
    case Qt::Key_Down:
        k = K::Down;
        break;
    case Qt::Key_Home:
        k = K::Home;
        break;
    default:
        break;
    }
    if (playback_ && session_.link().viewFileMode && !number_->hasFocus() && playback_->key(k)) {
        event->accept();
        return;
    }
    // Live, keys belong to the main window.
    event->ignore();
    QWidget::keyPressEvent(event);
}

void EpochCounter::epochShown(int, bool, bool) {
    refresh();
    // The windows that follow the epoch on screen learn of it.
    session_.registry().epochShown();
}

void EpochCounter::movieStateChanged(bool running) {
    play_->setIcon(style()->standardIcon(running ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    refresh();
}

void EpochCounter::refresh() {
    EpochDecoder* d = session_.decoder();
    const bool viewing = session_.link().viewFileMode;
    label_->setText(QString::fromUtf8(viewing ? str::kCurrentEpoch : str::kEpochIntervalSec));
    scroll_->setVisible(viewing);
    play_->setVisible(viewing);
    number_->setReadOnly(!viewing);
    if (!d) {
        total_->setText("0");
        return;
    }
    updating_ = true;
    total_->setText(QString::number(d->epochsCompleted));
    if (viewing) {
        scroll_->setRange(0, std::max(0, d->epochsCompleted - 1));
        scroll_->setValue(std::max(0, d->history.writePosition));
        if (!number_->hasFocus() || d->movieRunning)
            number_->setText(QString::number(d->history.writePosition + 1));
    } else {
        number_->setText(qs(cformat("%.2f", d->epochInterval)));
    }
    updating_ = false;

    logs::LogRecorder& rec = session_.recorder();
    logs::Statistics* stats = session_.statistics();
    const bool session = rec.sessionRunning();
    const bool summary = stats && stats->summaryOpen();
    logging_->setVisible(session || summary);
    if (session || summary) {
        const NumberFormat& nf = session_.app().numberFormat();
        // The names are shown without their folder; the whole path is in the tooltip.
        logFile_->setText(QFileInfo(qs(rec.fileName())).fileName());
        logFile_->setToolTip(qs(rec.fileName()));
        summaryFile_->setText(summary ? QFileInfo(qs(stats->summaryPath())).fileName() : QString());
        summaryFile_->setToolTip(summary ? qs(stats->summaryPath()) : QString());
        logged_->setText(qs(formatByteCount(rec.bytesWritten(), nf)));
        epochsInFile_->setText(QString::number(d->epochsInLogFile));
        available_->setText(qs(formatByteCount(rec.disk().freeBytes(), nf)));
        percent_->setText(qs(cformat("%.1f %%", rec.disk().freePercent())));
        if (session && !animation_->playing())
            animation_->playEndless();
        else if (!session)
            animation_->stopAndHide();
    }
}

QString EpochCounter::labelText() const {
    return label_->text();
}
QString EpochCounter::numberText() const {
    return number_->text();
}
QString EpochCounter::totalText() const {
    return total_->text();
}
QString EpochCounter::loggingText() const {
    return logFile_->text();
}
QString EpochCounter::loggedBytesText() const {
    return logged_->text();
}
QString EpochCounter::availableText() const {
    return available_->text();
}
bool EpochCounter::loggingShown() const {
    return !logging_->isHidden();
}

} // namespace trix::app
