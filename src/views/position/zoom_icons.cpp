#include "views/position/zoom_icons.h"

#include <QPainter>
#include <QPixmap>

namespace trix::views {

QIcon zoomIcon(ZoomIcon kind) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Lens and handle.
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9.5, 9.5));
    p.setPen(QPen(QColor(90, 60, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.0, 10.0), QPointF(14.5, 14.5));
    // Sign inside the lens.
    p.setPen(QPen(Qt::black, 1.5));
    switch (kind) {
    case ZoomIcon::In:
        p.drawLine(QPointF(3.5, 6.25), QPointF(9.0, 6.25));
        p.drawLine(QPointF(6.25, 3.5), QPointF(6.25, 9.0));
        break;
    case ZoomIcon::Out:
        p.drawLine(QPointF(3.5, 6.25), QPointF(9.0, 6.25));
        break;
    case ZoomIcon::All:
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4.0, 4.0, 4.5, 4.5));
        break;
    }
    return QIcon(pm);
}

} // namespace trix::views
