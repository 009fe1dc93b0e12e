#include "app/connect/initialization_dialog.h"

#include "base/strings.h"
#include "session.h"
#include "trix_application.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace trix::app {

namespace {
QString u8(const char* s) {
    return QString::fromUtf8(s);
}
} // namespace

void InitializationDialog::Bridge::traffic(link::Direction direction, std::string_view text) {
    dlg_.run_->traffic(direction, text);
    dlg_.syncButtons();
}

InitializationDialog::InitializationDialog(Session& session, link::InitRun::Options options,
                                           QWidget* parent)
    : QDialog(parent), session_(session), bridge_(*this), ackTimer_([this](int) {
          run_->ackWaitOver();
          syncButtons();
      }) {
    run_ = std::make_unique<link::InitRun>(session.connection(), session.messages(), *this,
                                           std::move(options));
    run_->setTimerHost(&ackTimer_, 1);
    setWindowTitle(u8(str::kInitDialogTitle));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    list_ = new QListWidget(this);
    list_->setUniformItemSizes(true);
    list_->setFont(QFont(QStringLiteral("Monospace")));
    list_->setMinimumSize(520, 220);
    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    autoSelect_ = new QPushButton(u8(str::kButtonAutoSelect), this);
    stop_ = new QPushButton(u8(str::kButtonStop), this);
    stop_->setCheckable(true);
    back_ = new QPushButton(u8(str::kButtonBack), this);
    forward_ = new QPushButton(u8(str::kButtonForward), this);
    cancel_ = new QPushButton(u8(str::kButtonCancel), this);
    for (QPushButton* b : {autoSelect_, stop_, back_, forward_, cancel_})
        b->setAutoDefault(false);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(autoSelect_);
    buttons->addWidget(stop_);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    connect(autoSelect_, &QPushButton::clicked, this, [this] {
        run_->toggleAutoSelect();
        syncButtons();
    });
    connect(stop_, &QPushButton::clicked, this, [this] {
        run_->toggleStop();
        syncButtons();
    });
    connect(back_, &QPushButton::clicked, this, [this] {
        run_->stepBack();
        syncButtons();
    });
    connect(forward_, &QPushButton::clicked, this, [this] {
        run_->stepForward();
        syncButtons();
    });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (run_->finished())
            close();
        else
            run_->cancel();
    });
    connect(&timer_, &QTimer::timeout, this, &InitializationDialog::tick);
}

InitializationDialog::~InitializationDialog() {
    timer_.stop();
    session_.connection().listeners.remove(&bridge_);
    run_.reset();
    // A detection that never identified a receiver leaves no open port behind.
    QPointer<Session> session(&session_);
    QMetaObject::invokeMethod(
        &session_,
        [session] {
            if (session)
                session->closeIfUnidentified();
        },
        Qt::QueuedConnection);
}

bool InitializationDialog::start() {
    if (!run_->start())
        return false;
    // The dialog stands between the link and the run.
    session_.connection().listeners.set(link::Slot::InitDialog, &bridge_);
    timer_.start(session_.initTickMs);
    QTimer::singleShot(0, this, &InitializationDialog::tick);
    syncButtons();
    return true;
}

void InitializationDialog::dismiss() {
    closing_ = true;
    timer_.stop();
    session_.connection().listeners.remove(&bridge_);
    hide();
    deleteLater();
}

void InitializationDialog::tick() {
    if (closing_)
        return;
    run_->tick();
    syncButtons();
}

void InitializationDialog::syncButtons() {
    if (closing_ || run_->finished())
        return;
    stop_->setChecked(run_->suspended());
    const bool stepping = run_->suspended() && !run_->commands().empty();
    back_->setEnabled(stepping);
    forward_->setEnabled(stepping);
}

void InitializationDialog::list(link::Direction direction, std::string_view text) {
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    auto* item = new QListWidgetItem;
    switch (direction) {
    case link::Direction::Sent:
        item->setText(QStringLiteral("> ") + shown);
        item->setForeground(QColor(0, 0, 160));
        break;
    case link::Direction::Received:
        item->setText(QStringLiteral("< ") + shown);
        break;
    case link::Direction::Note:
        item->setText(QStringLiteral("  ") + shown);
        item->setForeground(QColor(0, 128, 0));
        break;
    }
    const bool atEnd = list_->verticalScrollBar()->value() == list_->verticalScrollBar()->maximum();
    list_->addItem(item);
    while (list_->count() > kMaxListed)
        delete list_->takeItem(0);
    if (atEnd)
        list_->scrollToBottom();
}

void InitializationDialog::statusNote(std::string_view text) {
    if (completed_) // a late note does not take back the completion
        return;
    status_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

link::NotRespondingChoice InitializationDialog::notResponding() {
    return session_.interaction().askNotResponding();
}

void InitializationDialog::receiverChanged() {
    session_.receiverChanged();
}

void InitializationDialog::finished() {
    timer_.stop();
    const QString done = u8(str::kInitializationComplete);
    setWindowTitle(done);
    // The dialog says what the status bar says, not that it still waits.
    completed_ = true;
    status_->setText(done);
    session_.showStatus(str::kInitializationComplete);
    for (QPushButton* b : {autoSelect_, stop_, back_, forward_})
        b->hide();
    cancel_->setText(u8(str::kButtonOk));
    cancel_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (auto* row = qobject_cast<QHBoxLayout*>(layout()->itemAt(2)->layout())) {
        // The stretch before the button goes, so the button spans the dialog.
        if (QLayoutItem* stretch = row->itemAt(4); stretch && stretch->spacerItem())
            delete row->takeAt(4);
        row->setContentsMargins(10 - layout()->contentsMargins().left(), 0,
                                10 - layout()->contentsMargins().right(), 0);
    }
    cancel_->setDefault(true);
    cancel_->setFocus();
}

void InitializationDialog::closed() {
    if (closing_)
        return;
    closing_ = true;
    timer_.stop();
    // The run is still on the call stack: the dialog goes once it has returned.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void InitializationDialog::manualConnect() {
    QPointer<Session> session(&session_);
    QMetaObject::invokeMethod(
        &session_,
        [session] {
            if (session)
                session->connectCommand();
        },
        Qt::QueuedConnection);
}

void InitializationDialog::rememberInitFile(std::string_view name) {
    session_.app().settings().initializationFrom = std::string(name);
    session_.link().initFileName = std::string(name);
}

void InitializationDialog::clearStatusPane() {
    session_.showStatus({});
}

void InitializationDialog::closeEvent(QCloseEvent* event) {
    if (!run_->closed() && !run_->finished()) {
        closing_ = true; // the run's own close must not post a second one
        run_->cancel();
    }
    timer_.stop();
    event->accept();
}

void InitializationDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        QScrollBar* bar = list_->verticalScrollBar();
        bar->triggerAction(event->key() == Qt::Key_PageUp ? QAbstractSlider::SliderPageStepSub
                                                          : QAbstractSlider::SliderPageStepAdd);
        return;
    }
    case Qt::Key_Escape:
        close();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace trix::app
