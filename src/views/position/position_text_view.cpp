#include "views/position/position_text_view.h"

#include "views/copy_menu.h"
#include "views/position/position_text.h"
#include "views/sky/display_source.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QPainter>

namespace trix::views {

namespace {

const QColor kGreyText(192, 192, 192);

} // namespace

PositionTextView::PositionTextView(DisplaySource& source, QWidget* parent)
    : SatelliteView(QFont(), QColor(Qt::white), parent), source_(source) {
    const QFontMetrics fm(viewFont());
    lineHeight_ = fm.height() + 6;
    charWidth_ = fm.averageCharWidth();
    setScrollSize({110 * charWidth_, 4 * lineHeight_});
}

void PositionTextView::redraw() {
    viewport()->update();
}

QString PositionTextView::plainText() const {
    const EpochDecoder* d = source_.decoder();
    if (d == nullptr)
        return {};
    const TextLines t = positionTextLines(*d, source_.modelIndex(), source_.units());
    QStringList rows;
    for (const std::string& line : t.lines)
        rows << QString::fromStdString(line);
    return textLines(rows);
}

void PositionTextView::contextMenuEvent(QContextMenuEvent* event) {
    execCopyMenu(this, event->globalPos(), source_.decoder() != nullptr,
                 [this] { return plainText(); });
}

void PositionTextView::draw(QPainter& p, DrawTarget target) {
    const EpochDecoder* d = source_.decoder();
    if (d == nullptr)
        return;
    const TextLines t = positionTextLines(*d, source_.modelIndex(), source_.units());
    const int ascent = p.fontMetrics().ascent();
    const int ruleWidth = (target == DrawTarget::Printer ? 125 : 110) * charWidth_;
    int y = 0;
    if (target == DrawTarget::Printer) {
        p.setPen(Qt::black);
        p.drawLine(0, 0, ruleWidth, 0);
        y = 3;
    }
    for (std::size_t i = 0; i < t.lines.size(); ++i) {
        const bool grey = i == 3 && t.attitudeLineGrey;
        p.setPen(grey ? kGreyText : QColor(Qt::black));
        p.drawText(QPoint(5, y + 3 + ascent), QString::fromStdString(t.lines[i]));
        y += lineHeight_;
        p.setPen(Qt::black);
        p.drawLine(0, y - 1, ruleWidth, y - 1);
    }
}

} // namespace trix::views
