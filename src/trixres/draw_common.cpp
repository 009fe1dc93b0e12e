#include "trixres/draw_common.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace trix::res {

void fillPanel(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, bottom);
    p.fillRect(r, g);
    p.setPen(top.lighter(140));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottom.darker(160));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void insetBox(QPainter& p, const QRect& r, const QColor& fill) {
    p.fillRect(r, fill);
    p.setPen(QColor(10, 10, 10));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(150, 155, 160));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void bezel(QPainter& p, QPointF centre, int radius, const QColor& dial) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ring(centre.x() - radius, centre.y() - radius, centre.x() + radius,
                         centre.y() + radius);
    ring.setColorAt(0.0, QColor(210, 214, 220));
    ring.setColorAt(0.5, QColor(120, 124, 130));
    ring.setColorAt(1.0, QColor(40, 42, 46));
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(centre, radius + 3.0, radius + 3.0);
    QRadialGradient face(centre, radius);
    face.setColorAt(0.0, dial.lighter(125));
    face.setColorAt(1.0, dial);
    p.setBrush(face);
    p.drawEllipse(centre, radius - 0.5, radius - 0.5);
    p.restore();
}

void screw(QPainter& p, QPointF centre, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(centre - QPointF(1, 1), radius * 1.6);
    g.setColorAt(0.0, QColor(220, 220, 220));
    g.setColorAt(1.0, QColor(70, 70, 74));
    p.setPen(QColor(20, 20, 20));
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(30, 30, 30), 1.0));
    p.drawLine(centre + QPointF(-radius * 0.7, radius * 0.3),
               centre + QPointF(radius * 0.7, -radius * 0.3));
    p.restore();
}

void fitFont(QFont& f, int pixelSize, const QString& text, int width) {
    for (int size = pixelSize; size >= 6; --size) {
        f.setPixelSize(size);
        if (QFontMetrics(f).horizontalAdvance(text) <= width)
            return;
    }
}

void centredText(QPainter& p, const QRect& r, const QString& text, int pixelSize,
                 const QColor& colour, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    fitFont(f, pixelSize, text, r.width());
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void tick(QPainter& p, QPointF centre, double inner, double outer, double angle, double width,
          const QColor& colour) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    p.drawLine(QPointF(centre.x() + inner * c, centre.y() - inner * s),
               QPointF(centre.x() + outer * c, centre.y() - outer * s));
}

} // namespace trix::res
