#include "views/almanac/almanac_view.h"

#include "base/strings.h"
#include "base/text.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <ctime>

namespace trix::views {

QFont almanacFont(int pixelSize) {
    QFont f(QStringLiteral("Courier New"));
    f.setPixelSize(pixelSize);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setWeight(QFont::Normal);
    return f;
}

AlmanacView::AlmanacView(const almanac::AlmanacDocument& doc, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), font_(almanacFont()) {
    const QFontMetrics m(font_);
    lineHeight_ = std::max(1, m.height());
    charWidth_ = std::max(1, m.averageCharWidth());
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    refresh();
}

void AlmanacView::refresh() {
    lines_.clear();
    for (const almanac::RecordLines& record : doc_.listing()) {
        for (const std::string& l : record)
            lines_.push_back(QString::fromStdString(l));
        lines_.emplace_back();
    }
    updateScrollBars();
    viewport()->update();
}

int AlmanacView::topLine() const {
    return verticalScrollBar()->value();
}

void AlmanacView::updateScrollBars() {
    const int visibleLines = std::max(1, viewport()->height() / lineHeight_);
    const int visibleChars = std::max(1, viewport()->width() / charWidth_);
    verticalScrollBar()->setRange(0, std::max(0, totalLines() - visibleLines));
    verticalScrollBar()->setPageStep(kLinesPerRecord);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, kWidthChars - visibleChars));
    horizontalScrollBar()->setPageStep(10);
    horizontalScrollBar()->setSingleStep(1);
}

void AlmanacView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void AlmanacView::drawLines(QPainter& p, int first, int count, int x, int y, int lineHeight) const {
    const int ascent = p.fontMetrics().ascent();
    for (int i = 0; i < count && first + i < totalLines(); ++i) {
        const QString& l = lines_[static_cast<std::size_t>(first + i)];
        if (!l.isEmpty())
            p.drawText(x, y + i * lineHeight + ascent, l);
    }
}

void AlmanacView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.setFont(font_);
    p.setPen(palette().color(QPalette::Text));
    const int first = topLine();
    const int count = viewport()->height() / lineHeight_ + 2;
    drawLines(p, first, count, 5 - horizontalScrollBar()->value() * charWidth_, 0, lineHeight_);
}

void AlmanacView::keyPressEvent(QKeyEvent* event) {
    QScrollBar* v = verticalScrollBar();
    QScrollBar* h = horizontalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageUp:
        v->setValue(v->value() - v->pageStep());
        break;
    case Qt::Key_PageDown:
        v->setValue(v->value() + v->pageStep());
        break;
    case Qt::Key_Home:
        v->setValue(0);
        break;
    case Qt::Key_End:
        v->setValue(v->maximum());
        break;
    case Qt::Key_Up:
        v->setValue(v->value() - 1);
        break;
    case Qt::Key_Down:
        v->setValue(v->value() + 1);
        break;
    case Qt::Key_Left:
        h->setValue(h->value() - 1);
        break;
    case Qt::Key_Right:
        h->setValue(h->value() + 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    viewport()->update();
}

AlmanacView::Pagination AlmanacView::paginate(int records, int printableLines) {
    Pagination p;
    p.recordsPerPage = std::max(1, printableLines / kLinesPerRecord);
    p.pages = std::max(1, (records + p.recordsPerPage - 1) / p.recordsPerPage);
    return p;
}

bool AlmanacView::print(QPagedPaintDevice& device, const QString& title) const {
    QPainter p;
    if (!p.begin(&device))
        return false;
    // Units of the printed page: the screen's pixels scaled to the device's resolution.
    const double scale = device.logicalDpiY() / 96.0;
    const auto u = [scale](double v) { return static_cast<int>(v * scale + 0.5); };
    const QRect page(0, 0, device.width(), device.height());
    const QFont font = almanacFont(std::max(1, u(12)));
    p.setFont(font);
    const QFontMetrics m(font);
    const int lineHeight = std::max(1, m.height());
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[64] = {};
    std::strftime(stamp, sizeof stamp, str::kPrintDate, &local);
    const QString date = QString::fromLocal8Bit(stamp);
    const int headerBottom = u(10) + lineHeight + u(20);
    const int pageLabelTop = headerBottom + u(20);
    const int body = pageLabelTop + lineHeight + u(10);
    const int printableLines = (page.height() - body) / lineHeight;
    const int records = static_cast<int>(lines_.size()) / kLinesPerRecord;
    const Pagination pg = paginate(records, printableLines);
    for (int n = 0; n < pg.pages; ++n) {
        if (n > 0)
            device.newPage();
        p.setPen(Qt::black);
        // Page header: title at the left, date at the right, a line under both.
        const int titleWidth = m.horizontalAdvance(title);
        const int dateWidth = m.horizontalAdvance(date);
        if (titleWidth + dateWidth + u(40) < page.width()) {
            p.drawText(u(10), u(10) + m.ascent(), title);
            p.drawText(page.width() - u(10) - dateWidth, u(10) + m.ascent(), date);
        }
        p.drawLine(0, headerBottom, page.width(), headerBottom);
        const QString label = QString::fromStdString(cformat(
            str::kAlmanacPage, static_cast<unsigned>(n + 1), static_cast<unsigned>(pg.pages)));
        p.drawText(QRect(0, pageLabelTop, page.width(), lineHeight), Qt::AlignHCenter, label);
        drawLines(p, n * pg.recordsPerPage * kLinesPerRecord, pg.recordsPerPage * kLinesPerRecord,
                  u(5), body, lineHeight);
    }
    return p.end();
}

} // namespace trix::views
