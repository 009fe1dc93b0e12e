#include "views/instruments/instrument_drawing.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"
#include "decode/units.h"
#include "trixres/face_layout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace trix::views {

using namespace trix::res;

namespace {

constexpr double kDegree = kPi / 180.0;

QString qstr(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Text centred in a box, in a font made smaller until it fits.
void boxText(QPainter& p, const QRect& box, const QString& text, QColor colour, int pixelSize,
             bool bold = true) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(bold);
    for (int size = pixelSize; size >= 6; --size) {
        f.setPixelSize(size);
        if (QFontMetrics(f).horizontalAdvance(text) <= box.width() - 2)
            break;
    }
    p.setFont(f);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void hatch(QPainter& p, const QRect& r) {
    p.fillRect(r, QBrush(QColor(kHatchGrey), Qt::DiagCrossPattern));
}

QPoint at(FaceSlot slot, QPoint inFace) {
    return kFaceOrigins[slot] + inFace;
}

QRect at(FaceSlot slot, const QRect& inFace) {
    return inFace.translated(kFaceOrigins[slot]);
}

QPoint centreOf(FaceSlot slot) {
    return at(slot, kDialCentre);
}

void needle(QPainter& p, QPoint from, int length, double angle, const QPen& pen) {
    p.setPen(pen);
    p.drawLine(from, polarPoint(from, length, angle));
}

void hubCap(QPainter& p, QPoint c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 1.0));
    p.setBrush(QColor(200, 200, 196));
    p.drawEllipse(QPointF(c) + QPointF(0.5, 0.5), 3.5, 3.5);
    p.restore();
}

// The vehicle outlines for the compass of the attitude receiver: dial coordinates, y upward,
// nose toward +y; one polyline each.
const std::vector<QPointF>& outlineOf(Vehicle vehicle) {
    static const std::vector<QPointF> car{{-5, 12}, {-3, 14}, {3, 14},   {5, 12},   {6, 6},
                                          {6, -10}, {5, -13}, {-5, -13}, {-6, -10}, {-6, 6},
                                          {-5, 12}, {-5, 6},  {5, 6},    {5, 12}};
    static const std::vector<QPointF> plane{{0, 16},   {2, 13},   {2, 5},    {14, -1}, {14, -3},
                                            {2, -1},   {2, -10},  {6, -13},  {6, -15}, {0, -13},
                                            {-6, -15}, {-6, -13}, {-2, -10}, {-2, -1}, {-14, -3},
                                            {-14, -1}, {-2, 5},   {-2, 13},  {0, 16}};
    static const std::vector<QPointF> ship{{0, 17},  {4, 11},   {5, 4},    {5, -12},
                                           {3, -15}, {-3, -15}, {-5, -12}, {-5, 4},
                                           {-4, 11}, {0, 17},   {0, 6},    {0, -2}};
    switch (vehicle) {
    case Vehicle::Aeronautical:
        return plane;
    case Vehicle::Nautical:
        return ship;
    default:
        return car;
    }
}

void coursePointer(QPainter& p, Vehicle vehicle, QPoint c, double angle) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour(255, 150, 20);
    switch (vehicle) {
    case Vehicle::Aeronautical: {
        // An aircraft from four needles: fuselage, wings and tail plane.
        const QPen pen(colour, 2.0, Qt::SolidLine, Qt::RoundCap);
        needle(p, c, kCoursePointerLength, angle, pen);
        needle(p, c, 12, angle + kPi, pen);
        const QPoint wing = polarPoint(c, 4, angle);
        needle(p, wing, 14, angle + kPi / 2, pen);
        needle(p, wing, 14, angle - kPi / 2, pen);
        const QPoint tail = polarPoint(c, 11, angle + kPi);
        p.setPen(QPen(colour, 1.5));
        p.drawLine(polarPoint(tail, 6, angle + kPi / 2), polarPoint(tail, 6, angle - kPi / 2));
        break;
    }
    case Vehicle::Nautical: {
        const QPoint tip = polarPoint(c, kCoursePointerLength, angle);
        const QPoint left = polarPoint(c, 7, angle + kPi / 2);
        const QPoint right = polarPoint(c, 7, angle - kPi / 2);
        const QPoint tail = polarPoint(c, 12, angle + kPi);
        p.setPen(QPen(QColor(60, 20, 0), 1.0));
        p.setBrush(colour);
        p.drawPolygon(QPolygon({tip, left, tail, right}));
        break;
    }
    default:
        needle(p, c, kCoursePointerLength, angle, QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap));
        break;
    }
    p.restore();
}

QFont labelFont(int pixelSize) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    return f;
}

} // namespace

std::array<int, 7> picturesFor(Vehicle vehicle) {
    switch (vehicle) {
    case Vehicle::Aeronautical:
        return {pic::kSpeedFaceAero,     pic::kCourseFace,   pic::kYawPitchFaceAero,
                pic::kVerticalSpeedFace, pic::kAltitudeFace, pic::kHorizonFace,
                pic::kRoseAero};
    case Vehicle::Nautical:
        return {pic::kSpeedFaceNautical, pic::kCourseFace,   pic::kYawPitchFaceNautical,
                pic::kVerticalSpeedFace, pic::kAltitudeFace, pic::kHorizonFace,
                pic::kRoseNautical};
    default:
        return {pic::kSpeedFaceAuto,     pic::kCourseFace,   pic::kYawPitchFaceAuto,
                pic::kVerticalSpeedFace, pic::kAltitudeFace, pic::kHorizonFace,
                pic::kRoseAuto};
    }
}

int horizonOffset(double pitch) {
    if (!std::isfinite(pitch))
        return 0;
    const double o = std::trunc(pitch * 0.9);
    return static_cast<int>(std::clamp(o, -55.0, 55.0));
}

std::vector<QLineF> horizonLines(QPoint centre, double pitch, double roll, bool rotate) {
    std::vector<QLineF> dial;
    dial.emplace_back(-80, -110, 0, 0);
    dial.emplace_back(80, -110, 0, 0);
    dial.emplace_back(0, 110, 0, -110);
    for (int k = 1; k <= 12; ++k)
        dial.emplace_back(-10, k * 9, 10, k * 9);
    for (int k = 0; k <= 12; ++k)
        dial.emplace_back(-110, -k * 9, 110, -k * 9);
    const int offset = horizonOffset(pitch);
    const double a = rotate && std::isfinite(roll) ? -roll * kDegree : 0.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    auto place = [&](QPointF q) {
        const double x = q.x();
        const double y = q.y() - offset;
        const double xr = x * c - y * s;
        const double yr = x * s + y * c;
        return QPointF(centre.x() + xr, centre.y() - yr);
    };
    std::vector<QLineF> lines;
    lines.reserve(dial.size());
    for (const QLineF& l : dial)
        lines.emplace_back(place(l.p1()), place(l.p2()));
    return lines;
}

QImage rotatedRose(const QImage& rose, double headingDegrees) {
    QImage src = rose.convertToFormat(QImage::Format_RGB32);
    QImage out = src;
    if (!std::isfinite(headingDegrees))
        return out;
    const double a = headingDegrees * kDegree;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const int centre = src.width() / 2;
    const int inner = kRoseInnerRadius * kRoseInnerRadius;
    const int outer = kRoseOuterRadius * kRoseOuterRadius;
    for (int y = 0; y < src.height(); ++y) {
        const int dy = y - centre;
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int dx = x - centre;
            const int d2 = dx * dx + dy * dy;
            if (d2 < inner || d2 > outer)
                continue;
            // The pixel shown here is the one the rotation brings here.
            const int sx = centre + static_cast<int>(std::lround(dx * c - dy * s));
            const int sy = centre + static_cast<int>(std::lround(dx * s + dy * c));
            if (sx >= 0 && sy >= 0 && sx < src.width() && sy < src.height())
                row[x] = reinterpret_cast<const QRgb*>(src.constScanLine(sy))[sx];
        }
    }
    return out;
}

double yawOf(double heading, double course) {
    double yaw = heading - course;
    if (!std::isfinite(yaw))
        return 0.0;
    yaw = std::fmod(yaw, 360.0);
    if (yaw > 180.0)
        yaw -= 360.0;
    else if (yaw < -180.0)
        yaw += 360.0;
    return yaw;
}

DialReading yawPitchReading(double value) {
    DialReading r;
    if (!std::isfinite(value))
        return r;
    r.shown = std::clamp(value, -kYawPitchLimit, kYawPitchLimit);
    r.offScale = std::abs(value) > kYawPitchLimit;
    r.direction = r.offScale ? (value > 0 ? 1 : -1) : 0;
    return r;
}

double yawNeedleAngle(double shownYaw) {
    return kPi - shownYaw * kPi / 60;
}

double pitchNeedleAngle(double shownPitch) {
    return shownPitch * kPi / 60;
}

QPolygonF offScaleFlag(QPoint centre, double stopAngle, bool towardLargerAngle) {
    const double step = towardLargerAngle ? 0.16 : -0.16;
    const auto point = [&](double radius, double angle) {
        return QPointF(centre.x() + radius * std::cos(angle),
                       centre.y() - radius * std::sin(angle));
    };
    return QPolygonF({point(kYawPitchNeedleLength - 5.0, stopAngle + step * 0.25),
                      point(kYawPitchNeedleLength + 5.0, stopAngle + step * 0.25),
                      point(kYawPitchNeedleLength, stopAngle + step)});
}

namespace {

// A yaw or pitch needle: solid on the scale; at the stop, dashed and flagged when the value lies
// beyond it, so that a needle resting at the stop is never read as exactly 30°.
void yawPitchNeedle(QPainter& p, QPoint c, const DialReading& r, double angle,
                    bool largerAngleIsLarger, const QColor& colour) {
    if (!r.offScale) {
        needle(p, c, kYawPitchNeedleLength, angle, QPen(colour, 1.0));
        needle(p, c, kYawPitchNeedleLength, angle, QPen(colour, 3.0));
        return;
    }
    needle(p, c, kYawPitchNeedleLength, angle, QPen(colour, 2.0, Qt::DashLine, Qt::FlatCap));
    const bool towardLarger = (r.direction > 0) == largerAngleIsLarger;
    p.setPen(QPen(colour, 1.0));
    p.setBrush(colour);
    p.drawPolygon(offScaleFlag(c, angle, towardLarger));
    p.setBrush(Qt::NoBrush);
}

} // namespace

void drawInstruments(QPainter& p, const InstrumentPictures& pictures, const PanelView& view,
                     const ScaleState& scales) {
    // 1. The faces.
    for (int i = 0; i < 6; ++i)
        if (!pictures.faces[i].isNull())
            p.drawImage(kFaceOrigins[i], pictures.faces[i]);

    const EpochDecoder* d = view.decoder;
    const PositionRecord pos = d ? d->pos : PositionRecord{};
    const AttitudeRecord at2 = d ? d->at2 : AttitudeRecord{};
    const bool attitudeReceiver = view.modelIndex == kModelAttitude;
    const bool attitudeValid = at2.resetFlag == 0;
    const bool attitude = attitudeReceiver && attitudeValid;
    const int vehicle = static_cast<int>(view.vehicle);

    // 2. The horizon.
    {
        p.save();
        QPainterPath clip;
        clip.addEllipse(QRectF(at(kHorizonSlot, kHorizonWindow)));
        p.setClipPath(clip);
        if (!attitudeValid) {
            boxText(p, at(kHorizonSlot, kNotComputedRect), QString::fromUtf8(str::kNotComputed),
                    QColor(kValueYellow), 12);
        } else {
            p.setPen(QPen(QColor(235, 235, 235), 1.0));
            for (const QLineF& l :
                 horizonLines(centreOf(kHorizonSlot), at2.pitch, at2.roll, attitudeReceiver))
                p.drawLine(l);
            const QPoint c = centreOf(kHorizonSlot);
            p.fillRect(QRect(c.x() - 30, c.y() - 1, 20, 3), QColor(kAircraftGreen));
            p.fillRect(QRect(c.x() + 11, c.y() - 1, 20, 3), QColor(kAircraftGreen));
            p.fillRect(QRect(c.x() - 2, c.y() - 2, 5, 5), QColor(kAircraftGreen));
        }
        p.restore();
    }

    // 3. The compass rose, turned for "Head/ COG Up".
    const double h = attitude ? at2.heading : pos.course;
    if (!pictures.rose.isNull()) {
        p.save();
        QPainterPath clip;
        clip.addEllipse(QRectF(at(kCourseSlot, kRoseWindow)));
        p.setClipPath(clip);
        const QPoint origin = at(kCourseSlot, kRoseOrigin);
        if (view.headUp && d)
            p.drawImage(origin, rotatedRose(pictures.rose, h));
        else
            p.drawImage(origin, pictures.rose);
        p.restore();
    }

    // 4. The vehicle outline of the attitude receiver.
    if (attitude) {
        const double turn = view.headUp ? 0.0 : at2.heading * kDegree;
        const double c = std::cos(-turn);
        const double s = std::sin(-turn);
        const QPoint centre = centreOf(kCourseSlot);
        QPolygonF outline;
        for (const QPointF& q : outlineOf(view.vehicle)) {
            const double x = q.x() * 1.4;
            const double y = q.y() * 1.4;
            outline << QPointF(centre.x() + x * c - y * s, centre.y() - (x * s + y * c));
        }
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(120, 230, 255), 1.2));
        p.drawPolyline(outline);
        p.restore();
    }

    // 5. Values in the value boxes, or the grey hatch.
    const Unit& speedU = speedUnit(view.units.speed);
    const Unit& vsU = verticalSpeedUnit(view.units.verticalSpeed);
    const Unit& altU = altitudeUnit(view.units.altitude);
    const QColor yellow(kValueYellow);
    const bool noVertical = isNmeaModel(view.modelIndex);
    if (d) {
        boxText(p, at(kSpeedSlot, kValueBox), qstr(cformat("%.1f %s", pos.speed, speedU.name)),
                yellow, 10);
        boxText(p, at(kCourseSlot, kValueBoxLeft), qstr(cformat("%.1f\u00b0", pos.course)), yellow,
                10);
        if (!noVertical)
            boxText(p, at(kVerticalSlot, kValueBox),
                    qstr(cformat("%.1f %s", pos.verticalVelocity, vsU.name)), yellow, 10);
        boxText(p, at(kAltitudeSlot, kValueBox), qstr(cformat("%.2f %s", pos.altitude, altU.name)),
                yellow, 10);
    }
    if (noVertical)
        hatch(p, QRect(kFaceOrigins[kVerticalSlot], kFaceSize));
    if (attitude && d) {
        const double yaw = yawOf(at2.heading, pos.course);
        boxText(p, at(kCourseSlot, kValueBoxRight), qstr(cformat("%.2f\u00b0", at2.heading)),
                yellow, 10);
        boxText(p, at(kYawPitchSlot, kValueBoxLeft), qstr(cformat("%.2f\u00b0", yaw)), yellow, 10);
        boxText(p, at(kYawPitchSlot, kValueBoxRight), qstr(cformat("%.2f\u00b0", at2.pitch)),
                yellow, 10);
        boxText(p, at(kHorizonSlot, kValueBoxLeft), qstr(cformat("%.2f\u00b0", at2.pitch)), yellow,
                10);
        boxText(p, at(kHorizonSlot, kValueBoxRight), qstr(cformat("%.2f\u00b0", at2.roll)), yellow,
                10);
    } else {
        hatch(p, at(kCourseSlot, kValueBoxRight));
        hatch(p, at(kYawPitchSlot, kValueBoxLeft));
        hatch(p, at(kYawPitchSlot, kValueBoxRight));
        hatch(p, at(kHorizonSlot, kValueBoxLeft));
        hatch(p, at(kHorizonSlot, kValueBoxRight));
    }

    // 6. Dial labels.
    {
        const SpeedDial dial = speedDial(vehicle);
        const auto rects = speedLabelRects(vehicle);
        const int full = scales.speed.full;
        p.setFont(labelFont(dial.labels > 8 ? 7 : 8));
        p.setPen(QColor(235, 235, 230));
        for (int k = 0; k < dial.labels; ++k)
            p.drawText(at(kSpeedSlot, rects[static_cast<std::size_t>(k)]), Qt::AlignCenter,
                       QString::number(static_cast<long long>(k) * full / dial.divisions));
        const int q = scales.vertical.full / 4;
        const auto vrects = verticalLabelRects();
        const int values[] = {0, q, 2 * q, 3 * q, q, 2 * q, 3 * q, 4 * q};
        p.setFont(labelFont(8));
        for (std::size_t k = 0; k < vrects.size(); ++k)
            p.drawText(at(kVerticalSlot, vrects[k]), Qt::AlignCenter, QString::number(values[k]));
    }

    // 7. Needles.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPen white(QColor(245, 245, 240), 2.0, Qt::SolidLine, Qt::RoundCap);
    if (d) {
        const SpeedDial dial = speedDial(vehicle);
        needle(p, centreOf(kSpeedSlot), dial.needleLength,
               speedAngle(vehicle, pos.speed, scales.speed.full), white);
        needle(p, centreOf(kVerticalSlot), kVerticalNeedleLength,
               verticalSpeedAngle(pos.verticalVelocity, scales.vertical.full), white);
        const Altimeter& a = scales.altimeter;
        needle(p, centreOf(kAltitudeSlot), kAltimeterLongHand,
               kPi / 2 - (a.remainder * 2 * kPi / a.decade) * 10, white);
        needle(p, centreOf(kAltitudeSlot), kAltimeterShortHand,
               kPi / 2 - a.absolute * 2 * kPi / a.decade,
               QPen(QColor(245, 245, 240), 4.0, Qt::SolidLine, Qt::RoundCap));
        const QRect marker = at(kAltitudeSlot, pos.altitude < 0 ? kSignMarkerDown : kSignMarkerUp);
        const QPolygon triangle = pos.altitude < 0
                                      ? QPolygon({marker.topLeft(), marker.topRight(),
                                                  QPoint(marker.center().x(), marker.bottom())})
                                      : QPolygon({QPoint(marker.center().x(), marker.top()),
                                                  marker.bottomLeft(), marker.bottomRight()});
        p.setPen(QPen(QColor(245, 245, 240), 1.0));
        p.setBrush(QColor(245, 245, 240));
        p.drawPolygon(triangle);
        p.setBrush(Qt::NoBrush);
    }
    hubCap(p, centreOf(kSpeedSlot));
    hubCap(p, centreOf(kVerticalSlot));
    hubCap(p, centreOf(kAltitudeSlot));

    // 8. Course pointer.
    if (d) {
        double c = 0.0;
        if (!view.headUp)
            c = pos.course;
        else if (attitude)
            c = pos.course - at2.heading;
        coursePointer(p, view.vehicle, centreOf(kCourseSlot), (90.0 - c) * kDegree);
        hubCap(p, centreOf(kCourseSlot));
    }

    // 9. Yaw and pitch.
    if (attitude && d) {
        const QPoint c = centreOf(kYawPitchSlot);
        const DialReading pitch = yawPitchReading(at2.pitch);
        const DialReading yaw = yawPitchReading(yawOf(at2.heading, pos.course));
        // Pitch grows with the angle (counter-clockwise), yaw against it.
        yawPitchNeedle(p, c, pitch, pitchNeedleAngle(pitch.shown), true, QColor(kPitchRed));
        yawPitchNeedle(p, c, yaw, yawNeedleAngle(yaw.shown), false, QColor(kAircraftGreen));
        hubCap(p, c);
    }
    p.restore();
}

} // namespace trix::views
