// The instrument faces of the position window (120 × 140) and the compass roses (105 × 105).
// Every mark that a value or label is later written beside comes from face_layout.h.

#include "trixres/draw_common.h"
#include "trixres/face_layout.h"
#include "trixres/pictures.h"

#include <QPainterPath>

#include <array>
#include <cmath>

namespace trix::res {

namespace {

const QPointF kCentre(kDialCentre);

enum class Boxes { One, Two };

// The face plate: panel, title, bezel and value boxes.
void facePlate(QPainter& p, const QString& title, Boxes boxes, const QColor& dial = kDialBlack) {
    fillPanel(p, QRect(QPoint(0, 0), kFaceSize - QSize(1, 1)), kPanelLight, kPanelDark);
    centredText(p, QRect(0, 1, kFaceSize.width(), 14), title, 9, kLabelGrey, true);
    screw(p, QPointF(6, 7), 2.5);
    screw(p, QPointF(113, 7), 2.5);
    bezel(p, kCentre, kDialRadius, dial);
    if (boxes == Boxes::One) {
        insetBox(p, kValueBox);
    } else {
        insetBox(p, kValueBoxLeft);
        insetBox(p, kValueBoxRight);
    }
}

void hub(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 72, 76));
    p.drawEllipse(kCentre, 4.0, 4.0);
    p.restore();
}

// Ticks of a scale: `majors` + 1 major marks from angle a0 to a1 with `minors` between each.
void scaleTicks(QPainter& p, double a0, double a1, int majors, int minors, bool closed) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const int steps = majors * (minors + 1);
    const int last = closed ? steps - 1 : steps;
    for (int i = 0; i <= last; ++i) {
        const double a = a0 + (a1 - a0) * i / steps;
        if (i % (minors + 1) == 0)
            tick(p, kCentre, kTickMajorInner, kTickOuter, a, 2.0, kMarkWhite);
        else
            tick(p, kCentre, kTickMinorInner, kTickOuter, a, 1.0, kLabelGrey);
    }
    p.restore();
}

void speedFace(QPainter& p, int vehicle) {
    facePlate(p, QStringLiteral("SPEED"), Boxes::One);
    const SpeedDial d = speedDial(vehicle);
    if (d.fullCircle) {
        scaleTicks(p, kPi / 2, kPi / 2 - 2 * kPi, d.divisions, 3, true);
    } else {
        const double a0 = speedAngle(vehicle, 0, 1);
        const double a1 = speedAngle(vehicle, 1, 1);
        if (vehicle == 1) {
            // Aeronautical: a green band over the working range of the scale.
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(40, 170, 70), 3.0, Qt::SolidLine, Qt::FlatCap));
            const QRectF arc(kCentre.x() - 49.5, kCentre.y() - 49.5, 99, 99);
            const double from = speedAngle(vehicle, 0.1, 1) * 180 / kPi;
            const double to = speedAngle(vehicle, 0.7, 1) * 180 / kPi;
            p.drawArc(arc, static_cast<int>(from * 16), static_cast<int>((to - from) * 16));
            p.restore();
        } else {
            // Automobile: the last fifth of the scale marked red.
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(200, 40, 30), 3.0, Qt::SolidLine, Qt::FlatCap));
            const QRectF arc(kCentre.x() - 49.5, kCentre.y() - 49.5, 99, 99);
            const double from = speedAngle(vehicle, 0.8, 1) * 180 / kPi;
            const double to = speedAngle(vehicle, 1.0, 1) * 180 / kPi;
            p.drawArc(arc, static_cast<int>(from * 16), static_cast<int>((to - from) * 16));
            p.restore();
        }
        scaleTicks(p, a0, a1, d.divisions, vehicle == 1 ? 1 : 4, false);
    }
    if (vehicle == 2)
        centredText(p, QRect(38, 84, 40, 10), QStringLiteral("LOG"), 8, kLabelGrey, true);
    hub(p);
}

void verticalSpeedFace(QPainter& p) {
    facePlate(p, QStringLiteral("VERT SPEED"), Boxes::One);
    scaleTicks(p, kPi, -kPi, 8, 3, true);
    centredText(p, QRect(62, 48, 24, 10), QStringLiteral("UP"), 8, kLabelGrey, true);
    centredText(p, QRect(62, 82, 24, 10), QStringLiteral("DN"), 8, kLabelGrey, true);
    hub(p);
}

void altitudeFace(QPainter& p) {
    facePlate(p, QStringLiteral("ALTITUDE"), Boxes::One);
    scaleTicks(p, kPi / 2, kPi / 2 - 2 * kPi, 10, 4, true);
    for (int k = 0; k < 10; ++k) {
        const double a = kPi / 2 - k * 2 * kPi / 10;
        centredText(p, labelRect(a, 37), QString::number(k), 11, kMarkWhite, true);
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLabelGrey, 1.0));
    p.setBrush(Qt::NoBrush);
    const QRect up = kSignMarkerUp;
    const QRect down = kSignMarkerDown;
    p.drawPolygon(QPolygon({QPoint(up.center().x(), up.top()), up.bottomLeft(), up.bottomRight()}));
    p.drawPolygon(
        QPolygon({down.topLeft(), down.topRight(), QPoint(down.center().x(), down.bottom())}));
    p.restore();
    hub(p);
}

void courseFace(QPainter& p) {
    facePlate(p, QStringLiteral("COURSE  HDG"), Boxes::Two);
    // The lubber index at the top of the window the rose turns behind.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 170, 30));
    p.drawPolygon(QPolygonF({QPointF(kCentre.x() - 4, 14.5), QPointF(kCentre.x() + 4, 14.5),
                             QPointF(kCentre.x(), 21.0)}));
    p.restore();
}

// A small silhouette of the vehicle above the centre of the yaw-and-pitch face.
void vehicleSilhouette(QPainter& p, int vehicle) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLabelGrey, 1.2));
    p.setBrush(QColor(60, 64, 70));
    const double x = kCentre.x();
    const double y = kCentre.y() - 22;
    QPainterPath path;
    if (vehicle == 1) {
        path.moveTo(x - 14, y + 1);
        path.lineTo(x + 10, y - 1);
        path.lineTo(x + 15, y + 1);
        path.lineTo(x + 10, y + 3);
        path.lineTo(x - 14, y + 3);
        path.closeSubpath();
        path.moveTo(x - 13, y + 1);
        path.lineTo(x - 16, y - 6);
        path.lineTo(x - 11, y + 1);
        path.moveTo(x - 2, y + 2);
        path.lineTo(x - 8, y + 8);
        path.lineTo(x + 2, y + 2);
    } else if (vehicle == 2) {
        path.moveTo(x - 15, y);
        path.lineTo(x + 15, y);
        path.lineTo(x + 10, y + 6);
        path.lineTo(x - 12, y + 6);
        path.closeSubpath();
        path.addRect(x - 5, y - 6, 9, 6);
        path.addRect(x - 1, y - 10, 3, 4);
    } else {
        path.moveTo(x - 15, y + 4);
        path.lineTo(x - 15, y);
        path.lineTo(x - 8, y - 1);
        path.lineTo(x - 4, y - 6);
        path.lineTo(x + 6, y - 6);
        path.lineTo(x + 10, y - 1);
        path.lineTo(x + 15, y);
        path.lineTo(x + 15, y + 4);
        path.closeSubpath();
        path.addEllipse(QPointF(x - 8, y + 4), 2.8, 2.8);
        path.addEllipse(QPointF(x + 8, y + 4), 2.8, 2.8);
    }
    p.drawPath(path);
    p.restore();
}

void yawPitchFace(QPainter& p, int vehicle) {
    facePlate(p, QStringLiteral("YAW  PITCH"), Boxes::Two);
    // Pitch on the right half, yaw on the left: 3° of dial per degree, ±30°.
    scaleTicks(p, -kPi / 2, kPi / 2, 6, 1, false);
    scaleTicks(p, kPi / 2, 3 * kPi / 2, 6, 1, false);
    for (int k = -2; k <= 2; ++k) {
        const QString t = QString::number(std::abs(k) * 10);
        centredText(p, labelRect(k * 10 * kPi / 60, 37), t, 8, kMarkWhite);
        centredText(p, labelRect(kPi - k * 10 * kPi / 60, 37), t, 8, kMarkWhite);
    }
    centredText(p, QRect(72, 100, 30, 9), QStringLiteral("PITCH"), 7, QColor(240, 90, 80), true);
    centredText(p, QRect(14, 100, 30, 9), QStringLiteral("YAW"), 7, QColor(90, 220, 90), true);
    vehicleSilhouette(p, vehicle);
    hub(p);
}

void horizonFace(QPainter& p) {
    facePlate(p, QStringLiteral("ATTITUDE"), Boxes::Two, QColor(16, 28, 58));
    // Roll marks on the upper rim: every 10° to 30°, then 45° and 60°.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int d : {-60, -45, -30, -20, -10, 10, 20, 30, 45, 60}) {
        const double a = kPi / 2 + d * kPi / 180;
        const bool major = d % 30 == 0;
        tick(p, kCentre, major ? 45 : 48, kTickOuter, a, major ? 2.0 : 1.0, kMarkWhite);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 170, 30));
    p.drawPolygon(QPolygonF(
        {QPointF(kCentre.x() - 4, 18), QPointF(kCentre.x() + 4, 18), QPointF(kCentre.x(), 24)}));
    p.restore();
}

// The compass roses: a ring of marks and letters between radius 31 and 52 that turns, and an
// inner disc that stays.
void rose(QPainter& p, int number) {
    const QPointF c(52, 52);
    const bool nautical = number == pic::kRoseNautical;
    const bool aero = number == pic::kRoseAero;
    const QColor ground = nautical ? QColor(238, 232, 214) : kDialBlack;
    const QColor mark = nautical ? QColor(20, 36, 80) : kMarkWhite;
    p.fillRect(QRect(QPoint(0, 0), kRoseSize), ground);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(mark, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, kRoseInnerRadius + 0.5, kRoseInnerRadius + 0.5);
    for (int d = 0; d < 360; d += 5) {
        const double a = kPi / 2 - d * kPi / 180;
        const bool major = d % 30 == 0;
        const bool mid = d % 10 == 0;
        tick(p, c, major ? 42 : (mid ? 45 : 48), 51, a, major ? 1.8 : 1.0, mark);
    }
    static const std::array<const char*, 4> cardinal{"N", "E", "S", "W"};
    for (int d = 0; d < 360; d += 30) {
        const double a = kPi / 2 - d * kPi / 180;
        const QPointF at(c.x() + 36 * std::cos(a), c.y() - 36 * std::sin(a));
        const QRect r(static_cast<int>(at.x()) - 9, static_cast<int>(at.y()) - 6, 18, 12);
        if (d % 90 == 0) {
            const QColor letter = d == 0 ? QColor(220, 40, 30) : mark;
            centredText(p, r, QString::fromLatin1(cardinal[d / 90]), 11, letter, true);
        } else if (aero) {
            centredText(p, r, QString::number(d / 10), 8, mark);
        } else {
            centredText(p, r, QString::number(d), 7, mark);
        }
    }
    if (nautical) {
        // A faint eight-point star in the fixed centre.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 36, 80, 60));
        QPolygonF star;
        for (int i = 0; i < 16; ++i) {
            const double a = kPi / 2 - i * kPi / 8;
            const double r = i % 2 == 0 ? (i % 4 == 0 ? 28 : 18) : 7;
            star << QPointF(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
        }
        p.drawPolygon(star);
    }
    p.restore();
}

} // namespace

bool drawInstrumentPicture(QPainter& p, int number) {
    switch (number) {
    case pic::kSpeedFaceAuto:
        speedFace(p, 0);
        return true;
    case pic::kSpeedFaceAero:
        speedFace(p, 1);
        return true;
    case pic::kSpeedFaceNautical:
        speedFace(p, 2);
        return true;
    case pic::kVerticalSpeedFace:
        verticalSpeedFace(p);
        return true;
    case pic::kAltitudeFace:
        altitudeFace(p);
        return true;
    case pic::kCourseFace:
        courseFace(p);
        return true;
    case pic::kYawPitchFaceAuto:
        yawPitchFace(p, 0);
        return true;
    case pic::kYawPitchFaceAero:
        yawPitchFace(p, 1);
        return true;
    case pic::kYawPitchFaceNautical:
        yawPitchFace(p, 2);
        return true;
    case pic::kHorizonFace:
        horizonFace(p);
        return true;
    case pic::kRoseAuto:
    case pic::kRoseAero:
    case pic::kRoseNautical:
        rose(p, number);
        return true;
    default:
        return false;
    }
}

} // namespace trix::res
