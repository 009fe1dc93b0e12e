#include "views/book/book_window.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace trix::views {

namespace {

// The book's own geometry, in book coordinates.
constexpr int kBookWidth = 658;
constexpr int kBookHeight = 382;
const QRect kPictureRect(QPoint(63, 70), QPoint(313, 320));
const QRect kTextRect(QPoint(342, 30), QPoint(582, 348));
const QRect kCloseSpot(QPoint(640, 6), QPoint(650, 16));
const QRect kBackSpot(QPoint(57, 345), QPoint(79, 365));
const QRect kForwardSpot(QPoint(572, 350), QPoint(594, 370));
constexpr int kTabWidth = 60;
constexpr int kTabBorder = 1;
// The tabs stick out left of the book; the window leaves room for them.
constexpr int kLeftMargin = kTabWidth;

QFont bookFont() {
    QFont f(QStringLiteral("Serif"));
    f.setPixelSize(13);
    return f;
}

// The tabs' titles are small enough for the longest model name.
QFont tabFont() {
    QFont f;
    f.setPixelSize(10);
    return f;
}

} // namespace

std::vector<int> BookWindow::tabModels() {
    std::vector<int> models{1};
    for (int m = 8; m <= 21; ++m)
        models.push_back(m);
    return models;
}

QPoint BookWindow::bookOrigin() {
    return {kLeftMargin, 0};
}

QRect BookWindow::tabRect(int tab, int textHeight) {
    const int x = 18 - kTabWidth + 2 * tab;
    const int y = 22 + 21 + (368 - 22 - 32) / 15 * tab;
    return QRect(x, y, kTabWidth, textHeight + 2 * kTabBorder + 2).translated(bookOrigin());
}

QRect BookWindow::tabRectOf(int tab) const {
    return tabRect(tab, QFontMetrics(tabFont()).height());
}

BookWindow::BookWindow(MessageSink& messages, FileFinder findFile, PictureDrawer drawPicture,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), messages_(messages),
      findFile_(std::move(findFile)), drawPicture_(std::move(drawPicture)) {
    setFixedSize(kLeftMargin + kBookWidth, kBookHeight + 20);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    selectModel(1);
}

void BookWindow::selectModel(int value) {
    model_ = value;
    page_ = 0;
    const std::string name = std::string(modelInfo(value).code) + ".txt";
    const std::string path = findFile_ ? findFile_(name) : std::string();
    if (path.empty() || !ticket::loadDescription(path, text_)) {
        text_.clear();
        messages_.show(cformat(str::kDescriptionAbsent, modelInfo(value).displayName), Buttons::Ok,
                       Icon::Stop);
    }
    QFontMetrics fm(bookFont());
    layout_ = ticket::layoutBook(
        text_, kTextRect.width(), kTextRect.height(), fm.height(), [&fm](unsigned char c) {
            return fm.horizontalAdvance(QChar::fromLatin1(static_cast<char>(c)));
        });
    update();
}

int BookWindow::tabAt(const QPoint& at) const {
    // The last drawn tab is on top.
    for (int i = static_cast<int>(tabModels().size()) - 1; i >= 0; --i) {
        if (tabRectOf(i).contains(at))
            return i;
    }
    return -1;
}

bool BookWindow::overTurn(const QPoint& b) const {
    return kBackSpot.contains(b) || kForwardSpot.contains(b);
}

void BookWindow::clickAt(const QPoint& at) {
    if (int tab = tabAt(at); tab >= 0) {
        selectModel(tabModels()[static_cast<std::size_t>(tab)]);
        return;
    }
    const QPoint b = at - bookOrigin();
    if (kCloseSpot.contains(b)) {
        close();
        return;
    }
    if (kBackSpot.contains(b)) {
        if (page_ > 0)
            --page_;
        update();
        return;
    }
    if (kForwardSpot.contains(b)) {
        if (page_ + 1 < pageCount())
            ++page_;
        update();
        return;
    }
}

void BookWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const QPoint b = at - bookOrigin();
    if (tabAt(at) >= 0 || kCloseSpot.contains(b) || overTurn(b)) {
        clickAt(at);
        return;
    }
    dragging_ = true;
    dragFrom_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void BookWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragFrom_);
        return;
    }
    const int tab = tabAt(at);
    if (tab != highlighted_) {
        highlighted_ = tab;
        update();
    }
    const QPoint b = at - bookOrigin();
    setCursor(overTurn(b) || tab >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void BookWindow::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}

void BookWindow::leaveEvent(QEvent*) {
    if (highlighted_ >= 0) {
        highlighted_ = -1;
        update();
    }
}

void BookWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_PageDown:
    case Qt::Key_Right:
        if (page_ + 1 < pageCount())
            ++page_;
        update();
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Left:
        if (page_ > 0)
            --page_;
        update();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void BookWindow::drawBook(QPainter& p) const {
    // Cover, two pages and the spine.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(92, 40, 30));
    p.drawRoundedRect(QRectF(4, 4, kBookWidth - 8, kBookHeight - 8), 10, 10);
    for (int side = 0; side < 2; ++side) {
        const QRectF page = side == 0 ? QRectF(24, 14, 305, 356) : QRectF(329, 14, 305, 356);
        QLinearGradient g(page.topLeft(), page.topRight());
        const QColor paper(252, 248, 232), shade(222, 214, 190);
        g.setColorAt(0, side == 0 ? paper : shade);
        g.setColorAt(side == 0 ? 0.92 : 0.08, paper);
        g.setColorAt(1, side == 0 ? shade : paper);
        p.setBrush(g);
        p.drawRect(page);
    }
    p.setPen(QPen(QColor(160, 150, 120), 1));
    p.drawLine(329, 14, 329, 370);
    // The closing spot.
    p.setPen(QPen(QColor(250, 240, 220), 1.6));
    p.drawLine(kCloseSpot.topLeft(), kCloseSpot.bottomRight());
    p.drawLine(kCloseSpot.topRight(), kCloseSpot.bottomLeft());
}

void BookWindow::drawCorner(QPainter& p, const QRect& spot, bool active, bool forward) const {
    QPainterPath path;
    if (forward) {
        path.moveTo(spot.topRight());
        path.lineTo(spot.bottomRight());
        path.lineTo(spot.bottomLeft());
    } else {
        path.moveTo(spot.topLeft());
        path.lineTo(spot.bottomLeft());
        path.lineTo(spot.bottomRight());
    }
    path.closeSubpath();
    p.setPen(QPen(active ? QColor(120, 90, 40) : QColor(200, 192, 170), 1));
    p.setBrush(active ? QColor(236, 214, 160) : QColor(240, 236, 222));
    p.drawPath(path);
}

void BookWindow::drawTabs(QPainter& p) const {
    const auto models = tabModels();
    for (int i = 0; i < static_cast<int>(models.size()); ++i) {
        const QRect r = tabRectOf(i);
        const int value = models[static_cast<std::size_t>(i)];
        QColor fill(255, 255, 224);
        if (i == highlighted_)
            fill = QColor(255, 214, 120);
        else if (value == model_)
            fill = QColor(255, 238, 170);
        p.setPen(QPen(QColor(120, 100, 60), kTabBorder));
        p.setBrush(fill);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setFont(tabFont());
        p.setPen(Qt::black);
        const QRect inside = r.adjusted(3, kTabBorder + 1, -2, -kTabBorder - 1);
        p.drawText(
            inside, Qt::AlignLeft | Qt::AlignVCenter,
            QFontMetrics(p.font()).elidedText(QString::fromUtf8(modelInfo(value).displayName),
                                              Qt::ElideRight, inside.width()));
    }
}

void BookWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.save();
    p.translate(bookOrigin());
    drawBook(p);
    drawCorner(p, kBackSpot, page_ > 0, false);
    if (drawPicture_)
        drawPicture_(p, model_, kPictureRect);
    p.setFont(bookFont());
    p.setPen(Qt::black);
    if (!layout_.pages.empty()) {
        const auto& pg = layout_.pages[static_cast<std::size_t>(std::min(page_, pageCount() - 1))];
        const int lineHeight = QFontMetrics(p.font()).height();
        const int ascent = QFontMetrics(p.font()).ascent();
        for (std::size_t l = 0; l < pg.lineCount; ++l) {
            const auto& line = layout_.lines[pg.firstLine + l];
            QString s = QString::fromLatin1(text_.data() + line.begin,
                                            static_cast<qsizetype>(line.end - line.begin));
            s.replace(QLatin1Char('\t'), QStringLiteral("  "));
            p.drawText(kTextRect.left(),
                       kTextRect.top() + ascent + static_cast<int>(l) * lineHeight, s);
        }
    }
    drawCorner(p, kForwardSpot, page_ + 1 < pageCount(), true);
    p.restore();
    drawTabs(p);
}

} // namespace trix::views
