#include "mdi_area.h"

#include <QPainter>

namespace trix::app {

MdiArea::MdiArea(QWidget* parent) : QMdiArea(parent) {}

void MdiArea::setHint(const QString& hint) {
    if (hint == hint_)
        return;
    hint_ = hint;
    viewport()->update();
}

void MdiArea::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    if (hint_.isEmpty())
        return;
    QPainter p(viewport());
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 1.25);
    p.setFont(f);
    // Light on the dark grey background, kept to the middle two thirds and wrapped there.
    const QRect area = viewport()->rect();
    const QRect box = area.adjusted(area.width() / 6, 0, -area.width() / 6, 0);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, hint_);
}

} // namespace trix::app
