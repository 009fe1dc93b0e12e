#pragma once
// The geometry the pictures and the windows that write on them share: picture numbers and
// sizes, the dial centre, the tick and label angles, the label rectangles and value boxes of
// the instrument faces, and the text lines of the indicator-panel pictures. The library draws
// its marks from these numbers and the windows place their texts by them, so both always agree.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>
#include <numbers>
#include <vector>

namespace trix::res {

// --- picture numbers --------------------------------------------------------------------------
namespace pic {
inline constexpr int kCourseFace = 151;
inline constexpr int kSpeedFaceAuto = 154;
inline constexpr int kVerticalSpeedFace = 155;
inline constexpr int kAltitudeFace = 156;
inline constexpr int kYawPitchFaceAero = 171;
inline constexpr int kHorizonFace = 172;
inline constexpr int kSpeedFaceAero = 173;
inline constexpr int kYawPitchFaceAuto = 176;
inline constexpr int kRoseNautical = 182;
inline constexpr int kSpeedFaceNautical = 183;
inline constexpr int kYawPitchFaceNautical = 184;
inline constexpr int kRoseAuto = 185;
inline constexpr int kRoseAero = 186;
inline constexpr int kSpriteVertical = 198;
inline constexpr int kSpriteHorizontal = 199;
inline constexpr int kSpriteRising = 200;
inline constexpr int kSpriteFalling = 201;
inline constexpr int kAlmanacReceiver = 202;
inline constexpr int kAlmanacComputer = 203;
inline constexpr int kPositionPanel = 322;
inline constexpr int kPrecisionPanel = 323;
inline constexpr int kDoubleDiffPanel = 324;
} // namespace pic

// --- instrument faces ---------------------------------------------------------------------------
inline constexpr QSize kFaceSize{120, 140};
inline constexpr QSize kRoseSize{105, 105};
// The centre of every dial inside its face.
inline constexpr QPoint kDialCentre{58, 70};
// The dial disc and the bezel around it.
inline constexpr int kDialRadius = 53;
// The compass rose is copied here inside the course face and clipped to this ellipse.
inline constexpr QPoint kRoseOrigin{7, 17};
inline constexpr QRect kRoseWindow{7, 17, 107, 107};
// The horizon region inside the pitch-and-roll face.
inline constexpr QRect kHorizonWindow{5, 17, 109, 107};
// The text "Not computed" of an invalid attitude.
inline constexpr QRect kNotComputedRect{4, 16, 110, 107};
// The rotating ring of the compass rose lies between these radii (squared: 961 and 2704).
inline constexpr int kRoseInnerRadius = 31;
inline constexpr int kRoseOuterRadius = 52;

// Value boxes at the foot of a face: one wide box, or two side by side.
inline constexpr QRect kValueBox{6, 125, 108, 13};
inline constexpr QRect kValueBoxLeft{2, 125, 57, 13};
inline constexpr QRect kValueBoxRight{61, 125, 57, 13};

// Radii of the tick marks and of the label centres.
inline constexpr int kTickOuter = 51;
inline constexpr int kTickMajorInner = 44;
inline constexpr int kTickMinorInner = 48;
inline constexpr int kLabelRadius = 36;
inline constexpr QSize kLabelSize{26, 11};

inline constexpr double kPi = std::numbers::pi;

// Angles are mathematical: counter-clockwise from the positive x axis, in radians.
inline QPoint polarPoint(QPoint centre, double radius, double angle) {
    return {centre.x() + static_cast<int>(radius * std::cos(angle)),
            centre.y() - static_cast<int>(radius * std::sin(angle))};
}

// A label rectangle centred on the label circle at an angle.
inline QRect labelRect(double angle, int radius = kLabelRadius) {
    const QPoint c = polarPoint(kDialCentre, radius, angle);
    return {c.x() - kLabelSize.width() / 2, c.y() - kLabelSize.height() / 2, kLabelSize.width(),
            kLabelSize.height()};
}

// Horizontal-speed dial of a vehicle type (0 automobile, 1 aeronautical, 2 nautical).
struct SpeedDial {
    int labels;       // labels 0, full/n, ... as many as this
    int divisions;    // the full scale is split into this many steps
    bool fullCircle;  // nautical: a full circle with 0 at the top, clockwise
    int needleLength; // pixels
    int labelRadius;
};

inline SpeedDial speedDial(int vehicle) {
    switch (vehicle) {
    case 1:
        return {11, 10, false, 28, 39};
    case 2:
        return {8, 8, true, 28, 38};
    default:
        return {6, 5, false, 35, 37};
    }
}

// The needle angle of a speed on the dial of a vehicle type.
inline double speedAngle(int vehicle, double speed, double full) {
    if (speedDial(vehicle).fullCircle)
        return kPi / 2 - speed * 2 * kPi / full;
    return 4 * kPi / 3 - speed * (5 * kPi / 3) / full;
}

// The label rectangles of the horizontal-speed dial, label k for the value k·full/divisions.
inline std::vector<QRect> speedLabelRects(int vehicle) {
    const SpeedDial d = speedDial(vehicle);
    std::vector<QRect> rects;
    for (int k = 0; k < d.labels; ++k)
        rects.push_back(labelRect(speedAngle(vehicle, k, d.divisions), d.labelRadius));
    return rects;
}

// Vertical speed: 0 at the left, q, 2q, 3q above and again below, 4q at the right.
inline double verticalSpeedAngle(double vs, double full) {
    return kPi - vs * kPi / full;
}
inline constexpr int kVerticalNeedleLength = 28;
inline constexpr int kVerticalLabelRadius = 37;

// The seven label rectangles in the order 0, q, 2q, 3q (above), q, 2q, 3q (below), 4q.
inline std::vector<QRect> verticalLabelRects() {
    std::vector<QRect> rects;
    rects.push_back(labelRect(kPi, kVerticalLabelRadius));
    for (int k = 1; k <= 3; ++k)
        rects.push_back(labelRect(kPi - k * kPi / 4, kVerticalLabelRadius));
    for (int k = 1; k <= 3; ++k)
        rects.push_back(labelRect(kPi + k * kPi / 4, kVerticalLabelRadius));
    rects.push_back(labelRect(0.0, kVerticalLabelRadius));
    return rects;
}

// Altimeter hands and the two sign markers beside the dial centre.
inline constexpr int kAltimeterLongHand = 40;
inline constexpr int kAltimeterShortHand = 26;
inline constexpr QRect kSignMarkerUp{72, 54, 10, 8};   // altitude at or above zero
inline constexpr QRect kSignMarkerDown{72, 78, 10, 8}; // below zero

// Yaw and pitch: the pitch needle swings about the right half, the yaw about the left half,
// 3° of dial per degree, limited to ±30°.
inline constexpr double kYawPitchLimit = 30.0;
inline constexpr int kYawPitchNeedleLength = 44;

// Course face pointer length.
inline constexpr int kCoursePointerLength = 30;

// --- indicator-panel pictures --------------------------------------------------------------------
inline constexpr int kPanelWidth = 281;
inline constexpr int kPositionPanelHeight = 116;
inline constexpr int kPrecisionPanelHeight = 89;
inline constexpr int kDoubleDiffPanelHeight = 174;

// The position panel: the title row, the screen with three lines (latitude, longitude,
// altitude), then the fix-mode box and the time box at the foot. A line's caption and value
// share its baseline, which leaves room for the ascent of an 18-pixel cell below the screen's
// top edge and for the descent above the next line.
inline constexpr QRect kPositionScreen{4, 13, kPanelWidth - 8, 73};
inline constexpr int kPanelCaptionLeft = 10;
inline constexpr int kPanelTextLeft = 46;
inline constexpr int kPanelLineStep = 23;
inline constexpr int kPanelFirstBaseline = kPositionScreen.top() + 17;
inline constexpr QRect kModeBox{4, 88, 170, 24};
inline constexpr QRect kTimeBox{178, 88, 99, 24};
// The precisions panel (two lines) and the double-difference panel (five lines) text origins,
// relative to their own picture.
inline constexpr QPoint kPrecisionText{14, 42};
inline constexpr QPoint kDoubleDiffText{14, 48};

// --- receiver pictures -----------------------------------------------------------------------
// Model values with a picture: 1 and 5 to 18.
inline bool hasReceiverPicture(int number) {
    return number == 1 || (number >= 5 && number <= 18);
}

} // namespace trix::res
