// The receiver pictures of the information book: one per model value 1 and 5 to 18, drawn as
// the kind of unit each model is (hand-held, desktop box, OEM board, rack unit, the
// four-antenna attitude receiver) with its name on the front.

#include "trixres/draw_common.h"
#include "trixres/face_layout.h"
#include "trixres/pictures.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <array>

namespace trix::res {

namespace {

enum class Form { Generic, Handheld, Desktop, Board, Rack, Attitude };

struct ReceiverLook {
    const char* name;
    Form form;
    QColor body;
};

ReceiverLook lookOf(int number) {
    static const std::array<ReceiverLook, 19> looks{{
        {"", Form::Generic, QColor(0, 0, 0)},
        {"NMEA 0183", Form::Generic, QColor(120, 126, 134)},
        {"", Form::Generic, QColor(0, 0, 0)},
        {"", Form::Generic, QColor(0, 0, 0)},
        {"", Form::Generic, QColor(0, 0, 0)},
        {"RX-16", Form::Handheld, QColor(236, 196, 40)},
        {"RX-15", Form::Handheld, QColor(64, 92, 150)},
        {"RX-14", Form::Handheld, QColor(60, 62, 66)},
        {"RX-13", Form::Desktop, QColor(170, 176, 184)},
        {"RX-12", Form::Board, QColor(24, 110, 60)},
        {"RX-11", Form::Board, QColor(28, 80, 120)},
        {"RX-10", Form::Desktop, QColor(58, 96, 80)},
        {"RX-09", Form::Rack, QColor(150, 156, 164)},
        {"RX08", Form::Desktop, QColor(200, 202, 196)},
        {"RX-07", Form::Desktop, QColor(90, 94, 100)},
        {"RX-06", Form::Desktop, QColor(40, 70, 120)},
        {"RX-05", Form::Handheld, QColor(180, 60, 40)},
        {"RX-04", Form::Attitude, QColor(196, 200, 204)},
        {"RX-03", Form::Desktop, QColor(220, 120, 30)},
    }};
    return looks[static_cast<std::size_t>(number)];
}

void background(QPainter& p, QSize size) {
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0.0, QColor(250, 250, 252));
    g.setColorAt(1.0, QColor(206, 212, 222));
    p.fillRect(QRect(QPoint(0, 0), size), g);
}

// A dome antenna on a short mast with its cable running to `plug`.
void antenna(QPainter& p, QPointF base, QPointF plug, double scale = 1.0) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath cable;
    cable.moveTo(base + QPointF(0, 4 * scale));
    cable.cubicTo(base + QPointF(0, 30 * scale), plug + QPointF(0, -30 * scale), plug);
    p.setPen(QPen(QColor(30, 30, 30), 2.0 * scale));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);
    p.setPen(QPen(QColor(60, 60, 60), 1.0));
    p.setBrush(QColor(235, 235, 230));
    QPainterPath dome;
    dome.moveTo(base + QPointF(-16 * scale, 0));
    dome.cubicTo(base + QPointF(-16 * scale, -18 * scale), base + QPointF(16 * scale, -18 * scale),
                 base + QPointF(16 * scale, 0));
    dome.closeSubpath();
    p.drawPath(dome);
    p.setBrush(QColor(90, 90, 94));
    p.drawRect(QRectF(base.x() - 18 * scale, base.y(), 36 * scale, 4 * scale));
    p.restore();
}

void lcd(QPainter& p, const QRectF& r, const QString& first, const QString& second) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(QColor(150, 178, 120));
    p.drawRoundedRect(r, 3, 3);
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setBold(true);
    const QString longer = first.size() > second.size() ? first : second;
    fitFont(f, static_cast<int>(r.height() / 3.2), longer, static_cast<int>(r.width()) - 8);
    p.setFont(f);
    p.setPen(QColor(30, 40, 20));
    p.drawText(r.adjusted(4, 2, -4, -r.height() / 2), Qt::AlignLeft | Qt::AlignVCenter, first);
    p.drawText(r.adjusted(4, r.height() / 2, -4, -2), Qt::AlignLeft | Qt::AlignVCenter, second);
    p.restore();
}

void led(QPainter& p, QPointF at, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 0.8));
    p.setBrush(colour);
    p.drawEllipse(at, 3.0, 3.0);
    p.restore();
}

void nameplate(QPainter& p, const QRect& r, const QString& name, const QColor& on) {
    const bool dark = on.lightness() < 120;
    centredText(p, r, name, r.height() * 2 / 3, dark ? QColor(240, 240, 240) : QColor(20, 20, 20),
                true);
}

void boxBody(QPainter& p, const QRectF& front, const QColor& body, double depth) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Top and side faces give the box its depth.
    QPolygonF top({front.topLeft(), front.topLeft() + QPointF(depth, -depth),
                   front.topRight() + QPointF(depth, -depth), front.topRight()});
    QPolygonF side({front.topRight(), front.topRight() + QPointF(depth, -depth),
                    front.bottomRight() + QPointF(depth, -depth), front.bottomRight()});
    p.setPen(QPen(body.darker(250), 1.0));
    p.setBrush(body.lighter(125));
    p.drawPolygon(top);
    p.setBrush(body.darker(140));
    p.drawPolygon(side);
    QLinearGradient g(front.topLeft(), front.bottomLeft());
    g.setColorAt(0.0, body.lighter(110));
    g.setColorAt(1.0, body.darker(115));
    p.setBrush(g);
    p.drawRect(front);
    p.restore();
}

void handheld(QPainter& p, QSize size, const ReceiverLook& look) {
    const double w = size.width() * 0.34;
    const double h = size.height() * 0.82;
    const QRectF body((size.width() - w) / 2, size.height() * 0.14, w, h);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // The helix antenna on top.
    p.setPen(QPen(QColor(30, 30, 30), 1.0));
    p.setBrush(QColor(40, 40, 42));
    p.drawRoundedRect(
        QRectF(body.right() - 22, body.top() - size.height() * 0.12, 14, size.height() * 0.14), 5,
        5);
    p.setBrush(look.body);
    p.drawRoundedRect(body, 14, 14);
    p.setBrush(QColor(30, 30, 34));
    p.drawRoundedRect(body.adjusted(8, 26, -8, -h * 0.45), 6, 6);
    p.restore();
    lcd(p, body.adjusted(14, 32, -14, -h * 0.48), look.name, QStringLiteral("3D FIX"));
    nameplate(p,
              QRect(static_cast<int>(body.left()), static_cast<int>(body.top()) + 6,
                    static_cast<int>(w), 16),
              look.name, look.body);
    // Keypad: a rocker and four keys.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 1.0));
    p.setBrush(QColor(70, 72, 76));
    const QPointF k(body.center().x(), body.bottom() - h * 0.22);
    p.drawEllipse(k, 14, 14);
    for (int i = 0; i < 2; ++i) {
        p.drawRoundedRect(QRectF(body.left() + 10, k.y() - 16 + i * 22, 16, 10), 3, 3);
        p.drawRoundedRect(QRectF(body.right() - 26, k.y() - 16 + i * 22, 16, 10), 3, 3);
    }
    p.restore();
}

void desktop(QPainter& p, QSize size, const ReceiverLook& look, int antennas) {
    const double depth = size.height() * 0.08;
    const QRectF front(size.width() * 0.06, size.height() * 0.52, size.width() * 0.78,
                       size.height() * 0.36);
    const QPointF plug(front.right() - 6 + depth, front.top() - depth + 6);
    for (int i = 0; i < antennas; ++i) {
        const double x = antennas == 1 ? size.width() * 0.72 : size.width() * (0.14 + 0.22 * i);
        antenna(p, QPointF(x, size.height() * 0.2), plug, antennas == 1 ? 1.0 : 0.8);
    }
    boxBody(p, front, look.body, depth);
    lcd(p, QRectF(front.left() + 10, front.top() + 10, front.width() * 0.46, front.height() - 20),
        look.name, QStringLiteral("SV 09 3D"));
    const QRect plate(static_cast<int>(front.left() + front.width() * 0.52),
                      static_cast<int>(front.top() + 8), static_cast<int>(front.width() * 0.44),
                      static_cast<int>(front.height() * 0.3));
    nameplate(p, plate, look.name, look.body);
    const std::array<QColor, 3> lights{QColor(40, 210, 60), QColor(250, 180, 20),
                                       QColor(220, 40, 30)};
    for (std::size_t i = 0; i < lights.size(); ++i)
        led(p, QPointF(plate.left() + 10 + 16.0 * static_cast<double>(i), front.bottom() - 14),
            lights[i]);
    screw(p, front.topLeft() + QPointF(4, 4), 2.0);
    screw(p, front.bottomLeft() + QPointF(4, -4), 2.0);
}

void board(QPainter& p, QSize size, const ReceiverLook& look) {
    const QRectF pcb(size.width() * 0.08, size.height() * 0.18, size.width() * 0.84,
                     size.height() * 0.64);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(look.body.darker(200), 1.0));
    p.setBrush(look.body);
    p.drawRoundedRect(pcb, 4, 4);
    // Mounting holes, a shielded RF section, chips and the header.
    p.setBrush(QColor(220, 200, 120));
    for (const QPointF h : {pcb.topLeft() + QPointF(7, 7), pcb.topRight() + QPointF(-7, 7),
                            pcb.bottomLeft() + QPointF(7, -7), pcb.bottomRight() + QPointF(-7, -7)})
        p.drawEllipse(h, 3.5, 3.5);
    p.setBrush(QColor(196, 198, 202));
    const QRectF shield(pcb.left() + 14, pcb.top() + 12, pcb.width() * 0.36, pcb.height() * 0.5);
    p.drawRect(shield);
    p.setBrush(QColor(30, 30, 32));
    p.drawRect(QRectF(pcb.left() + pcb.width() * 0.5, pcb.top() + 14, pcb.width() * 0.26,
                      pcb.width() * 0.26));
    p.drawRect(QRectF(pcb.left() + 18, pcb.bottom() - 26, pcb.width() * 0.2, 12));
    p.setBrush(QColor(212, 170, 60));
    for (int i = 0; i < 10; ++i)
        p.drawRect(QRectF(pcb.right() - 14, pcb.top() + 14 + i * 6.5, 6, 4));
    p.setBrush(QColor(200, 170, 80));
    p.drawEllipse(QPointF(pcb.left() + 6, pcb.center().y()), 6, 6);
    p.restore();
    nameplate(p, shield.toRect().adjusted(4, 10, -4, -10), look.name, QColor(196, 198, 202));
}

void rack(QPainter& p, QSize size, const ReceiverLook& look) {
    const double depth = size.height() * 0.06;
    const QRectF front(size.width() * 0.04, size.height() * 0.46, size.width() * 0.86,
                       size.height() * 0.42);
    antenna(p, QPointF(size.width() * 0.5, size.height() * 0.18),
            QPointF(front.right() - 8 + depth, front.top() - depth + 6));
    boxBody(p, front, look.body, depth);
    // Rack ears with handles.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.setBrush(look.body.darker(120));
    p.drawRect(QRectF(front.left(), front.top(), 10, front.height()));
    p.drawRect(QRectF(front.right() - 10, front.top(), 10, front.height()));
    p.restore();
    lcd(p, QRectF(front.left() + 18, front.top() + 10, front.width() * 0.4, front.height() * 0.5),
        look.name, QStringLiteral("RTK FIXED"));
    nameplate(p,
              QRect(static_cast<int>(front.left() + 18), static_cast<int>(front.bottom() - 24),
                    static_cast<int>(front.width() * 0.4), 16),
              look.name, look.body);
    for (int i = 0; i < 6; ++i)
        led(p, QPointF(front.left() + front.width() * 0.55 + i * 14, front.top() + 16),
            i < 4 ? QColor(40, 210, 60) : QColor(250, 180, 20));
    p.save();
    p.setPen(QPen(QColor(30, 30, 30), 1.0));
    p.setBrush(QColor(50, 52, 56));
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(
            QRectF(front.left() + front.width() * 0.55 + i * 20, front.bottom() - 30, 14, 14), 3,
            3);
    p.restore();
}

} // namespace

void drawReceiverPicture(QPainter& p, int number, QSize size) {
    const ReceiverLook look = lookOf(number);
    background(p, size);
    switch (look.form) {
    case Form::Handheld:
        handheld(p, size, look);
        break;
    case Form::Board:
        board(p, size, look);
        break;
    case Form::Rack:
        rack(p, size, look);
        break;
    case Form::Attitude:
        desktop(p, size, look, 4);
        break;
    case Form::Desktop:
    case Form::Generic:
        desktop(p, size, look, 1);
        break;
    }
}

} // namespace trix::res
