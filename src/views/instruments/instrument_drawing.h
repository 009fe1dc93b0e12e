#pragma once
// Drawing of the six instruments from the current epoch onto their face pictures, and the
// pieces of it that have rules of their own (horizon lines, compass rotation, value texts).

#include "views/instruments/panel_source.h"
#include "views/instruments/scales.h"

#include <QImage>
#include <QLineF>
#include <QPoint>
#include <QPolygonF>

#include <array>
#include <vector>

class QPainter;

namespace trix::views {

// Where each face sits in the pane, in the order of the pictures handed to drawInstruments.
enum FaceSlot {
    kSpeedSlot,
    kCourseSlot,
    kYawPitchSlot,
    kVerticalSlot,
    kAltitudeSlot,
    kHorizonSlot
};
inline constexpr std::array<QPoint, 6> kFaceOrigins{
    {{0, 0}, {120, 0}, {240, 0}, {0, 140}, {120, 140}, {240, 140}}};

// The picture numbers of a vehicle type: six faces in slot order, then the compass rose.
std::array<int, 7> picturesFor(Vehicle vehicle);

struct InstrumentPictures {
    std::array<QImage, 6> faces;
    QImage rose;
};

// The colours the instruments write with.
inline constexpr QRgb kValueYellow = 0xffffff00;
inline constexpr QRgb kHatchGrey = 0xff808080;
inline constexpr QRgb kAircraftGreen = 0xff00ff00;
inline constexpr QRgb kPitchRed = 0xffff0000;

// The 28 horizon segments in screen coordinates about `centre` for a pitch offset and, when
// `rotate` is set, turned by −roll.
std::vector<QLineF> horizonLines(QPoint centre, double pitch, double roll, bool rotate);
// trunc(pitch × 0.9) limited to ±55 pixels.
int horizonOffset(double pitch);

// The rose turned by −headingDegrees: only the ring between radius 31 and 52 is taken from the
// rotated picture, the rest keeps the unrotated picture.
QImage rotatedRose(const QImage& rose, double headingDegrees);

// Heading minus course brought into −180 … 180.
double yawOf(double heading, double course);

// A yaw or pitch value on its half of the dial: the needle stops at ±30°, and a value beyond
// the stop is off scale (a value that is not a number reads 0).
struct DialReading {
    double shown = 0.0;
    bool offScale = false;
    int direction = 0; // off scale: +1 beyond +30°, -1 beyond -30°
};
DialReading yawPitchReading(double value);
// Needle angles of the yaw (left half) and pitch (right half) readings.
double yawNeedleAngle(double shownYaw);
double pitchNeedleAngle(double shownPitch);
// The flag of an off-scale needle: an arrowhead on the rim beside the needle's stop that points
// on past it, the way the value went. `towardLargerAngle` is the sense of "on past the stop" in
// mathematical angles.
QPolygonF offScaleFlag(QPoint centre, double stopAngle, bool towardLargerAngle);

// Draws the whole pane (360 × 280) without erasing it first.
void drawInstruments(QPainter& p, const InstrumentPictures& pictures, const PanelView& view,
                     const ScaleState& scales);

} // namespace trix::views
