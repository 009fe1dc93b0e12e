#include "panel_support.h"

#include "trixres/face_layout.h"
#include "trixres/loader.h"
#include "views/instruments/instrument_drawing.h"
#include "views/instruments/instrument_view.h"
#include "views/instruments/scales.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace trix;
using namespace trix::views;
using namespace panel_test;
using res::kPi;

namespace {

QPoint faceCentre(FaceSlot slot) {
    return kFaceOrigins[slot] + res::kDialCentre;
}

// The brightest of the 3 × 3 pixels around a point (needles are antialiased).
bool brightNear(const QImage& img, QPoint p) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (isBright(img.pixel(p + QPoint(dx, dy))))
                return true;
    return false;
}

bool colourNear(const QImage& img, QPoint p, int r, int g, int b) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (isColour(img.pixel(p + QPoint(dx, dy)), r, g, b, 60))
                return true;
    return false;
}

QImage renderAfterEpoch(World&, InstrumentView& pane) {
    pane.epoch(0);
    return pane.renderInstruments();
}

} // namespace

TEST(Scales, SpeedScaleStepsThroughTheTableAndDoublesBeyondIt) {
    ScaleState s;
    adaptScales(s, 0, 12.3, 0, 0);
    EXPECT_EQ(s.speed.full, 50);
    adaptScales(s, 0, 3.0, 0, 0);
    EXPECT_EQ(s.speed.full, 10);
    EXPECT_EQ(s.speed.position, 0);
    adaptScales(s, 0, 2000.0, 0, 0);
    EXPECT_EQ(s.speed.full, 4000);
    EXPECT_EQ(s.speed.position, 6);
    // Down again: halving beyond the table, the entries within it.
    adaptScales(s, 0, 150.0, 0, 0); // v = 151: 4000 → 2000 → 1000, not below 1000 / 10
    EXPECT_EQ(s.speed.full, 1000);
    EXPECT_EQ(s.speed.position, 4);
    adaptScales(s, 0, 0.0, 0, 0);
    EXPECT_EQ(s.speed.full, 10);

    ScaleState n;
    n.speed = firstScale(kNauticalSpeedScales);
    adaptScales(n, 2, 8.0, 0, 0); // v = 9 > 8
    EXPECT_EQ(n.speed.full, 40);
    adaptScales(n, 2, 3.5, 0, 0); // v = 4 < 40 / 8
    EXPECT_EQ(n.speed.full, 8);
}

TEST(Scales, VerticalScaleUsesTheMagnitudeAndAQuarterForStepDown) {
    ScaleState s;
    adaptScales(s, 0, 0, -12.0, 0);
    EXPECT_EQ(s.vertical.full, 40);
    adaptScales(s, 0, 0, 9.0, 0); // v = 10, not below 40 / 4
    EXPECT_EQ(s.vertical.full, 40);
    adaptScales(s, 0, 0, 8.9, 0); // v = 9 < 10: down to 8, then 9 > 8 takes it up again
    EXPECT_EQ(s.vertical.full, 40);
    adaptScales(s, 0, 0, -1.5, 0); // v = 2
    EXPECT_EQ(s.vertical.full, 8);
    adaptScales(s, 0, 0, 1e30, 0); // absurd values end on a finite scale
    EXPECT_GT(s.vertical.full, 0);
    adaptScales(s, 0, 0, std::nan(""), 0);
    EXPECT_EQ(s.vertical.full, 8);
}

TEST(Scales, AltimeterDecadeIsTheSmallestPowerOfTenAbove) {
    Altimeter a = altimeterFor(1234.7);
    EXPECT_EQ(a.absolute, 1234);
    EXPECT_EQ(a.decade, 10000);
    EXPECT_EQ(a.remainder, 234);
    a = altimeterFor(5.0);
    EXPECT_EQ(a.decade, 10);
    EXPECT_EQ(a.remainder, 5 % 1);
    a = altimeterFor(-250.3);
    EXPECT_EQ(a.absolute, 250);
    EXPECT_EQ(a.decade, 1000);
    EXPECT_EQ(a.remainder, 50);
    a = altimeterFor(10.0);
    EXPECT_EQ(a.decade, 100);
    EXPECT_EQ(altimeterFor(1e20).decade, 1'000'000'000);
}

TEST(Instruments, SpeedNeedleAndLabelsFollowTheAdaptedScale) {
    World w(8);
    InstrumentView pane(w.source(), w.sink);
    w.decoder.pos.speed = 25.0f; // full scale 50: 25 is straight up on the 300° arc
    const QImage img = renderAfterEpoch(w, pane);
    EXPECT_EQ(pane.scales().speed.full, 50);
    const QPoint c = faceCentre(kSpeedSlot);
    EXPECT_TRUE(brightNear(img, c + QPoint(0, -18)));
    EXPECT_TRUE(brightNear(img, c + QPoint(0, -26)));
    EXPECT_FALSE(brightNear(img, c + QPoint(0, 18)));
    EXPECT_FALSE(brightNear(img, c + QPoint(-18, 0)));
    // Every label rectangle carries its text.
    for (const QRect& r : res::speedLabelRects(0))
        EXPECT_GT(countPixels(img, r.translated(kFaceOrigins[kSpeedSlot]), isBright), 3);
    // The value box shows the speed in yellow.
    EXPECT_GT(countPixels(img, res::kValueBox.translated(kFaceOrigins[kSpeedSlot]), isYellow), 10);
    EXPECT_TRUE(w.sink.texts.empty());
}

TEST(Instruments, AltimeterHandsShowTheDecadeDivisions) {
    World w(8);
    InstrumentView pane(w.source(), w.sink);
    w.decoder.pos.altitude = 1234.0f;
    const QImage img = renderAfterEpoch(w, pane);
    const QPoint c = faceCentre(kAltitudeSlot);
    const double longHand = kPi / 2 - 2.34 * 2 * kPi / 10;
    const double shortHand = kPi / 2 - 1.234 * 2 * kPi / 10;
    EXPECT_TRUE(brightNear(img, res::polarPoint(c, 24, longHand)));
    EXPECT_TRUE(brightNear(img, res::polarPoint(c, 14, shortHand)));
    // Nothing where a hand would point for a wrong decade.
    EXPECT_FALSE(brightNear(img, res::polarPoint(c, 24, kPi / 2 - 2.34 * 2 * kPi / 100 * 10 + 1)));
    // The positive sign marker is filled, the negative one is not.
    EXPECT_TRUE(isBright(
        img.pixel(res::kSignMarkerUp.center() + kFaceOrigins[kAltitudeSlot] + QPoint(0, 2))));
    EXPECT_FALSE(isBright(
        img.pixel(res::kSignMarkerDown.center() + kFaceOrigins[kAltitudeSlot] + QPoint(0, -2))));
}

TEST(Instruments, VerticalSpeedFaceIsHatchedForPlainNmeaReceivers) {
    auto hatched = [](int model) {
        World w(model);
        InstrumentView pane(w.source(), w.sink);
        const QImage img = renderAfterEpoch(w, pane);
        const QRect box = res::kValueBox.translated(kFaceOrigins[kVerticalSlot]);
        return countPixels(img, box, [](QRgb c) { return isColour(c, 128, 128, 128, 2); });
    };
    EXPECT_GT(hatched(kModelUnknown), 100);
    EXPECT_GT(hatched(19), 100);
    EXPECT_EQ(hatched(8), 0);
    EXPECT_EQ(hatched(kModelAttitude), 0);
}

TEST(Instruments, HorizonLinesMoveWithPitchAndAttitudeFailureSaysNotComputed) {
    World w(kModelAttitude);
    InstrumentView pane(w.source(), w.sink);
    const QPoint c = faceCentre(kHorizonSlot);
    QImage img = renderAfterEpoch(w, pane);
    EXPECT_TRUE(brightNear(img, c + QPoint(40, 0)));
    EXPECT_TRUE(colourNear(img, c + QPoint(-20, 0), 0, 255, 0)); // the aircraft's wing
    w.decoder.at2.pitch = 20.0f;                                 // offset trunc(18) = 18
    img = renderAfterEpoch(w, pane);
    EXPECT_TRUE(brightNear(img, c + QPoint(40, 18)));
    EXPECT_FALSE(brightNear(img, c + QPoint(40, 0)) && brightNear(img, c + QPoint(45, 0)));
    w.decoder.at2.resetFlag = 1;
    img = renderAfterEpoch(w, pane);
    EXPECT_GT(
        countPixels(img, res::kNotComputedRect.translated(kFaceOrigins[kHorizonSlot]), isYellow),
        20);
}

TEST(Instruments, HorizonLinesTurnWithRollOnlyForTheAttitudeReceiver) {
    const QPoint c(100, 100);
    const auto level = horizonLines(c, 0, 30, false);
    const auto rolled = horizonLines(c, 0, 30, true);
    ASSERT_EQ(level.size(), 28u);
    ASSERT_EQ(rolled.size(), 28u);
    // Line 3 + 12 = 15 is the horizon itself (k = 0).
    EXPECT_DOUBLE_EQ(level[15].p1().y(), 100.0);
    EXPECT_DOUBLE_EQ(level[15].p2().y(), 100.0);
    EXPECT_NEAR(rolled[15].angle(), 330.0, 1e-6); // −30° about the centre
    EXPECT_EQ(horizonOffset(100.0), 55);
    EXPECT_EQ(horizonOffset(-100.0), -55);
    EXPECT_EQ(horizonOffset(-10.0), -9);
}

TEST(Instruments, CompassRoseTurnsOnlyItsRing) {
    RecordingSink sink;
    const QImage rose =
        res::loadPicture(res::pic::kRoseAuto, sink).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(rose.isNull());
    const QImage turned = rotatedRose(rose, 90.0);
    // East comes to the top; the centre and the corners stay.
    EXPECT_EQ(turned.pixel(52, 52 - 40), rose.pixel(52 + 40, 52));
    EXPECT_EQ(turned.pixel(52 - 40, 52), rose.pixel(52, 52 - 40));
    EXPECT_EQ(turned.pixel(52, 60), rose.pixel(52, 60));
    EXPECT_EQ(turned.pixel(2, 2), rose.pixel(2, 2));
    EXPECT_EQ(rotatedRose(rose, 0.0), rose);
}

TEST(Instruments, HeadUpTurnsTheRoseByTheCourse) {
    World w(8);
    InstrumentView pane(w.source(), w.sink);
    w.decoder.pos.course = 90.0f;
    auto redNear = [](const QImage& img, QPoint p) {
        return countPixels(img, QRect(p - QPoint(6, 6), QSize(13, 13)),
                           [](QRgb c) { return isColour(c, 220, 40, 30, 40); }) > 3;
    };
    const QPoint rc = kFaceOrigins[kCourseSlot] + res::kRoseOrigin + QPoint(52, 52);
    QImage img = renderAfterEpoch(w, pane);
    EXPECT_TRUE(redNear(img, rc + QPoint(0, -36))); // North Up: N at the top
    w.view.headUp = true;
    img = renderAfterEpoch(w, pane);
    EXPECT_FALSE(redNear(img, rc + QPoint(0, -36)));
    EXPECT_TRUE(redNear(img, rc + QPoint(-36, 0))); // heading east: N to the left
}

TEST(Instruments, YawAndPitchNeedlesForAValidAttitude) {
    World w(kModelAttitude);
    InstrumentView pane(w.source(), w.sink);
    w.decoder.at2.pitch = 15.0f;    // red at 45°
    w.decoder.at2.heading = 100.0f; // yaw 10: green at 150°
    w.decoder.pos.course = 90.0f;
    const QImage img = renderAfterEpoch(w, pane);
    const QPoint c = faceCentre(kYawPitchSlot);
    EXPECT_TRUE(colourNear(img, res::polarPoint(c, 30, kPi / 4), 255, 0, 0));
    EXPECT_TRUE(colourNear(img, res::polarPoint(c, 30, kPi - 10 * kPi / 60), 0, 255, 0));
    // Attitude values replace the hatch.
    const QRect heading = res::kValueBoxRight.translated(kFaceOrigins[kCourseSlot]);
    EXPECT_GT(countPixels(img, heading, isYellow), 10);
    EXPECT_DOUBLE_EQ(yawOf(350.0, 10.0), -20.0);
    EXPECT_DOUBLE_EQ(yawOf(10.0, 350.0), 20.0);
}

TEST(Instruments, OptionsReloadTheVehicleFacesAndResetTheSpeedScale) {
    World w(8);
    InstrumentView pane(w.source(), w.sink);
    w.decoder.pos.speed = 300.0f;
    const QImage automobile = renderAfterEpoch(w, pane);
    EXPECT_EQ(pane.scales().speed.full, 500);
    w.view.vehicle = Vehicle::Nautical;
    pane.optionsChanged();
    EXPECT_EQ(pane.scales().speed.full, 8);
    EXPECT_EQ(pane.scales().speed.position, 0);
    const QImage nautical = pane.renderInstruments();
    EXPECT_NE(automobile.copy(0, 0, 120, 140), nautical.copy(0, 0, 120, 140));
}

TEST(Instruments, AMissingPictureLibraryLeavesTheFacesEmptyWithOneMessage) {
    res::setLibraryOverride(QStringLiteral("/nonexistent/libtrixres"));
    World w(8);
    InstrumentView pane(w.source(), w.sink);
    res::setLibraryOverride({});
    ASSERT_EQ(w.sink.texts.size(), 1u);
    const QImage img = renderAfterEpoch(w, pane);
    EXPECT_EQ(QColor(img.pixel(2, 2)), pane.palette().color(QPalette::Button));
}

TEST(Instruments, GrabsOfEveryVehicleAndReceiverKind) {
    struct Case {
        const char* name;
        int model;
        Vehicle vehicle;
        bool headUp;
    };
    const Case cases[] = {{"automobile", 8, Vehicle::Automobile, false},
                          {"aeronautical", 8, Vehicle::Aeronautical, false},
                          {"nautical", 8, Vehicle::Nautical, false},
                          {"rx04_north_up", kModelAttitude, Vehicle::Aeronautical, false},
                          {"rx04_head_up", kModelAttitude, Vehicle::Nautical, true},
                          {"nmea", kModelUnknown, Vehicle::Automobile, false}};
    for (const Case& c : cases) {
        World w(c.model);
        w.view.vehicle = c.vehicle;
        w.view.headUp = c.headUp;
        InstrumentView pane(w.source(), w.sink);
        pane.resize(InstrumentView::kWidth, InstrumentView::kHeight);
        w.decoder.pos.speed = 63.4f;
        w.decoder.pos.course = 57.0f;
        w.decoder.pos.verticalVelocity = -3.2f;
        w.decoder.pos.altitude = 1234.0f;
        w.decoder.at2.heading = 71.0f;
        w.decoder.at2.pitch = 6.5f;
        w.decoder.at2.roll = -12.0f;
        pane.epoch(0);
        const QImage grab = pane.grab().toImage();
        EXPECT_EQ(grab.size(), QSize(InstrumentView::kWidth, InstrumentView::kHeight));
        EXPECT_TRUE(grab.save(artefact(QStringLiteral("pos_vw1_%1.png").arg(c.name))));
    }
}
