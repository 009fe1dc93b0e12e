#include "views/terminal/ticket_windows.h"

#include "base/strings.h"
#include "base/text.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace trix::views {

bool WidgetTimers::start(int id, long long ms) {
    if (ms <= 0 || ms > 0x7FFFFFFF)
        return false;
    auto& t = timers_[id];
    if (!t) {
        t = std::make_unique<QTimer>();
        QObject::connect(t.get(), &QTimer::timeout, this, [this, id] {
            if (fired_)
                fired_(id);
        });
    }
    t->start(static_cast<int>(ms));
    return true;
}

void WidgetTimers::kill(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) {
        it->second->stop();
        // A timer may be killed from inside its own timeout: delete it later.
        it->second.release()->deleteLater();
        timers_.erase(it);
    }
}

TicketModeDialog::TicketModeDialog(const ticket::TicketMode& start, MessageSink& messages,
                                   QWidget* parent)
    : QDialog(parent), messages_(messages), mode_(start),
      once_(new QRadioButton(QString::fromUtf8(str::kTicketOnce))),
      series_(new QRadioButton(QString::fromUtf8(str::kTicketSeries))), hours_(new QDoubleSpinBox),
      minutes_(new QDoubleSpinBox) {
    setWindowTitle(QString::fromUtf8(str::kTicketParamTitle));
    auto* text = new QLabel(QString::fromUtf8(str::kTicketRequestText));
    text->setWordWrap(true);
    hours_->setRange(1, 24);
    hours_->setDecimals(2);
    hours_->setValue(start.hours);
    minutes_->setRange(1, 1439);
    minutes_->setDecimals(2);
    minutes_->setValue(start.minutes);
    once_->setChecked(!start.series);
    series_->setChecked(start.series);
    auto* grid = new QGridLayout;
    grid->addWidget(once_, 0, 0, 1, 3);
    grid->addWidget(series_, 1, 0, 1, 3);
    grid->addWidget(new QLabel(QString::fromUtf8(str::kTicketDuring)), 2, 0);
    grid->addWidget(hours_, 2, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(str::kTicketHours)), 2, 2);
    grid->addWidget(new QLabel(QString::fromUtf8(str::kTicketEvery)), 3, 0);
    grid->addWidget(minutes_, 3, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(str::kTicketMinutes)), 3, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8(str::kButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(str::kButtonCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &TicketModeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TicketModeDialog::reject);
    connect(series_, &QRadioButton::toggled, this, &TicketModeDialog::enableFields);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    enableFields();
}

void TicketModeDialog::enableFields() {
    hours_->setEnabled(series_->isChecked());
    minutes_->setEnabled(series_->isChecked());
}

void TicketModeDialog::accept() {
    ticket::TicketMode m{series_->isChecked(), hours_->value(), minutes_->value()};
    switch (ticket::checkTicketMode(m)) {
    case ticket::ModeField::Hours:
        messages_.show(str::kUndefinedMode, Buttons::Ok, Icon::Warning);
        hours_->setFocus();
        return;
    case ticket::ModeField::Minutes:
        messages_.show(str::kUndefinedMode, Buttons::Ok, Icon::Warning);
        minutes_->setFocus();
        return;
    case ticket::ModeField::None:
        break;
    }
    mode_ = m;
    QDialog::accept();
}

TicketWindow::TicketWindow(ticket::TicketSetup setup, ticket::TicketPort& port,
                           MessageSink& messages, QWidget* parent)
    : QDialog(parent), timers_([this](int id) {
          if (id == ticket::kStepTimer)
              run_.step();
      }),
      run_(std::move(setup), port, timers_, messages, this), animation_(new QTimer(this)) {
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* cancel = new QPushButton(QString::fromUtf8(str::kButtonCancel));
    connect(cancel, &QPushButton::clicked, this, &TicketWindow::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addSpacing(70);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    setMinimumSize(320, 130);
    connect(animation_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % 12;
        update();
    });
}

TicketWindow::~TicketWindow() {
    run_.cancel();
}

bool TicketWindow::start() {
    if (!run_.start())
        return false;
    animation_->start(100);
    return true;
}

void TicketWindow::progress(int percent) {
    setWindowTitle(QString::fromStdString(cformat(str::kTicketProgressTitle, percent)));
}

void TicketWindow::finished(bool complete) {
    animation_->stop();
    emit ended(complete);
    QTimer::singleShot(0, this, &QWidget::close);
}

void TicketWindow::reject() {
    run_.cancel();
    QDialog::reject();
}

void TicketWindow::paintEvent(QPaintEvent*) {
    // The animation: a document being filled line by line.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(width() / 2.0 - 22, 12, 44, 54);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(page);
    for (int i = 0; i < 6; ++i) {
        const bool written = i <= frame_ % 7;
        p.setPen(QPen(written ? QColor(0, 0, 128) : QColor(210, 210, 210), 2));
        const double y = page.top() + 9 + i * 7;
        p.drawLine(QPointF(page.left() + 6, y), QPointF(page.right() - (i % 2 ? 12 : 6), y));
    }
}

} // namespace trix::views
