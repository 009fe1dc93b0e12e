#include "app/connect/port_activity_window.h"

#include "app/connect/connection_rules.h"
#include "base/strings.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace trix::app {

namespace {
constexpr int kMargin = 6;
constexpr int kPadding = 10;
const QColor kReceivedColor(0, 192, 0);
const QColor kWrittenColor(0, 0, 192);
} // namespace

PortActivityWindow::PortActivityWindow(std::function<Info()> info, QWidget* parent)
    : QDialog(parent), info_(std::move(info)) {
    setWindowTitle(QString::fromUtf8(str::kPortActivityTitle));
    setWindowIcon(QApplication::windowIcon());
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    timer_.setInterval(kLightMs);
    connect(&timer_, &QTimer::timeout, this, &PortActivityWindow::lightsOut);
    timer_.start();
    setFixedSize(sizeHint());
}

PortActivityWindow::~PortActivityWindow() {
    timer_.stop();
}

QSize PortActivityWindow::sizeHint() const {
    const QFontMetrics fm(font());
    const Info i = info_();
    int widest = fm.horizontalAdvance(QString::fromStdString(activityReceiverText(i.modelIndex)));
    widest = std::max(widest, fm.horizontalAdvance(portText()));
    const int boxHeight = fm.height() + 8;
    return {widest + 2 * kPadding + 2 * kMargin, 3 * boxHeight + 4 * kMargin};
}

QRect PortActivityWindow::receivedRect() const {
    const int boxHeight = QFontMetrics(font()).height() + 8;
    const int half = (width() - 3 * kMargin) / 2;
    return {kMargin, 3 * kMargin + 2 * boxHeight, half, boxHeight};
}

QRect PortActivityWindow::writtenRect() const {
    QRect r = receivedRect();
    r.moveLeft(r.right() + 1 + kMargin);
    return r;
}

void PortActivityWindow::traffic(link::Direction direction, std::string_view) {
    if (direction == link::Direction::Received)
        received_ = true;
    else if (direction == link::Direction::Sent)
        written_ = true;
    else
        return;
    update(direction == link::Direction::Received ? receivedRect() : writtenRect());
}

void PortActivityWindow::lightsOut() {
    if (received_) {
        received_ = false;
        update(receivedRect());
    }
    if (written_) {
        written_ = false;
        update(writtenRect());
    }
}

void PortActivityWindow::portChanged() {
    // Without a port nothing moves: the lights go out now, not on the next timer step.
    if (info_().comNumber == 0)
        received_ = written_ = false;
    setFixedSize(sizeHint());
    update();
    if (isVisible())
        raise();
}

QString PortActivityWindow::portText() const {
    const Info i = info_();
    // Without a port the window still says so rather than going blank.
    if (i.comNumber == 0)
        return QString::fromUtf8(str::kActivityPort) + QStringLiteral("  ") +
               QString::fromUtf8(str::kActivityNotConnected);
    QString text = QString::fromStdString(activityPortText(i.comNumber));
    if (!i.device.empty())
        text += QStringLiteral("  ") + QString::fromStdString(i.device);
    return text;
}

void PortActivityWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const Info i = info_();
    const int boxHeight = QFontMetrics(font()).height() + 8;
    const int w = width() - 2 * kMargin;
    auto box = [&](const QRect& r, const QString& text, const QColor& fill, bool lit = false) {
        p.fillRect(r, fill);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(lit ? QColor(Qt::white) : QColor(Qt::black));
        p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text);
    };
    const QColor paper(Qt::white);
    box(QRect(kMargin, kMargin, w, boxHeight),
        QString::fromStdString(activityReceiverText(i.modelIndex)), paper);
    box(QRect(kMargin, 2 * kMargin + boxHeight, w, boxHeight), portText(), paper);
    box(receivedRect(), QString::fromUtf8(str::kActivityR),
        received_ ? kReceivedColor : QColor(Qt::white), received_);
    box(writtenRect(), QString::fromUtf8(str::kActivityW),
        written_ ? kWrittenColor : QColor(Qt::white), written_);
}

} // namespace trix::app
