// Drawing faults of the panels, each at 1× and 1.75×: the position lines of the indicator panel
// clear of the title and aligned with their captions, the off-scale yaw and pitch needles, the
// instruments' tooltips, and the statistics table copied to the clipboard.

#include "../context_menu_probe.h"
#include "panel_support.h"

#include "base/strings.h"
#include "decode/models.h"
#include "trixres/face_layout.h"
#include "views/instruments/instrument_drawing.h"
#include "views/instruments/instrument_view.h"
#include "views/panel/indicator_panel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace trix;
using namespace trix::views;
using namespace panel_test;

namespace {

QImage atScale(QWidget& w, qreal scale) {
    QPixmap pm(w.size() * scale);
    pm.setDevicePixelRatio(scale);
    w.render(&pm);
    return pm.toImage();
}

// Lit pixels on the dark screen of the panel: the green of captions and figures, not the grey
// of the title.
bool lit(QRgb c) {
    return qGreen(c) > 90 && qGreen(c) > qRed(c) + 25;
}

// The lowest row of a rectangle holding a lit pixel; -1 when none does.
int lowestLitRow(const QImage& img, const QRect& r) {
    for (int y = r.bottom(); y >= r.top(); --y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (lit(img.pixel(x, y)))
                return y;
    return -1;
}

struct PanelWorld {
    PanelWorld() : decoder(8) {
        view.decoder = &decoder;
        view.modelIndex = 8;
        decoder.pos.latitude = 48.1173;
        decoder.pos.latHemisphere = 'N';
        decoder.pos.longitude = 11.5167;
        decoder.pos.lonHemisphere = 'E';
        decoder.pos.altitude = 545.42f;
        decoder.pos.fixMode = 4;
    }
    FiguresSource source() {
        return [this] { return view; };
    }
    RecordingSink sink;
    EpochDecoder decoder;
    FiguresView view;
};

} // namespace

TEST(PanelDrawing, PositionLinesClearTheTitleAndShareTheirCaptionsBaseline) {
    PanelWorld p;
    IndicatorPanel w(p.source(), p.sink);
    w.epoch(0);
    const QImage img = w.render();
    const QFontMetrics fm(w.valueFont());
    const QRect screen = res::kPositionScreen;
    // Every line's cell lies inside the screen, below its top edge and the title above it.
    for (int i = 0; i < 3; ++i) {
        const int baseline = res::kPanelFirstBaseline + i * res::kPanelLineStep;
        EXPECT_GT(baseline - fm.ascent(), screen.top()) << i;
        EXPECT_LT(baseline + fm.descent(), screen.bottom()) << i;
    }
    // Nothing lit on the title row or on the screen's top edge.
    EXPECT_EQ(countPixels(img, QRect(res::kPanelTextLeft, 0, 200, screen.top() + 1), lit), 0);
    // Caption and figures of each line end on the same row (none of them has a descender).
    for (int i = 0; i < 3; ++i) {
        const int top = screen.top() + 1 + i * res::kPanelLineStep;
        const QRect band(0, top, res::kPanelWidth, res::kPanelLineStep);
        const int caption = lowestLitRow(img, QRect(res::kPanelCaptionLeft, band.top(),
                                                    res::kPanelTextLeft - 12, band.height()));
        const int figures =
            lowestLitRow(img, QRect(res::kPanelTextLeft, band.top(), 200, band.height()));
        ASSERT_GE(caption, 0) << i;
        ASSERT_GE(figures, 0) << i;
        EXPECT_LE(std::abs(caption - figures), 1) << "line " << i;
    }
    img.save(artefact(QStringLiteral("indicator_position_lines.png")));
    atScale(w, 1.75).save(artefact(QStringLiteral("indicator_position_lines@1.75.png")));
}

namespace {

// Green pixels of the yaw needle colour within a polygon's bounds.
int colourIn(const QImage& img, const QRectF& r, int red, int green, int blue) {
    return countPixels(img, r.toAlignedRect(),
                       [&](QRgb c) { return isColour(c, red, green, blue, 70); });
}

} // namespace

TEST(PanelDrawing, YawAndPitchBeyondTheDialAreShownOffScale) {
    World w(kModelAttitude);
    InstrumentView pane(w.source(), w.sink);
    const QPoint c = kFaceOrigins[kYawPitchSlot] + res::kDialCentre;
    w.decoder.pos.course = 90.0f;

    // On the scale: solid needles, no flags.
    w.decoder.at2.heading = 115.0f; // yaw 25
    w.decoder.at2.pitch = 20.0f;
    pane.epoch(0);
    QImage img = pane.renderInstruments();
    const QRectF yawFlag = offScaleFlag(c, yawNeedleAngle(30), false).boundingRect();
    const QRectF pitchFlag = offScaleFlag(c, pitchNeedleAngle(-30), false).boundingRect();
    EXPECT_EQ(colourIn(img, yawFlag, 0, 255, 0), 0);
    EXPECT_EQ(colourIn(img, pitchFlag, 255, 0, 0), 0);
    EXPECT_FALSE(yawPitchReading(25).offScale);
    EXPECT_FALSE(yawPitchReading(30).offScale);

    // Yaw 50 and pitch -45: the needles rest at their stops, dashed, with flags that point on.
    w.decoder.at2.heading = 140.0f;
    w.decoder.at2.pitch = -45.0f;
    pane.epoch(0);
    img = pane.renderInstruments();
    EXPECT_GT(colourIn(img, yawFlag, 0, 255, 0), 8);
    EXPECT_GT(colourIn(img, pitchFlag, 255, 0, 0), 8);
    const DialReading yaw = yawPitchReading(50);
    EXPECT_TRUE(yaw.offScale);
    EXPECT_EQ(yaw.shown, 30);
    EXPECT_EQ(yaw.direction, 1);
    EXPECT_EQ(yawPitchReading(-45).direction, -1);
    EXPECT_FALSE(yawPitchReading(std::nan("")).offScale);
    // The yaw flag lies clockwise of the top (into the right half, the way yaw grows).
    EXPECT_GT(yawFlag.center().x(), c.x());
    // The dashed needle leaves gaps along its length.
    int gaps = 0;
    for (int k = 8; k < res::kYawPitchNeedleLength - 2; ++k) {
        const QPoint q = res::polarPoint(c, k, yawNeedleAngle(30));
        gaps += isColour(img.pixel(q), 0, 255, 0, 90) ? 0 : 1;
    }
    EXPECT_GT(gaps, 5);
    img.save(artefact(QStringLiteral("yaw_pitch_off_scale.png")));
    pane.resize(InstrumentView::kWidth, InstrumentView::kHeight);
    atScale(pane, 1.75).save(artefact(QStringLiteral("yaw_pitch_off_scale@1.75.png")));
}

TEST(PanelDrawing, EveryDialNamesItselfInATooltip) {
    World w(kModelAttitude);
    InstrumentView pane(w.source(), w.sink);
    pane.resize(InstrumentView::kWidth, InstrumentView::kHeight);
    pane.show();
    QApplication::processEvents();
    const char* tips[] = {str::kTipSpeedDial,    str::kTipCourseDial,   str::kTipYawPitchDial,
                          str::kTipVerticalDial, str::kTipAltitudeDial, str::kTipHorizonDial};
    for (int slot = 0; slot < 6; ++slot) {
        const QPoint centre = kFaceOrigins[static_cast<std::size_t>(slot)] + res::kDialCentre;
        EXPECT_EQ(pane.toolTipAt(centre), QString::fromUtf8(tips[slot])) << slot;
    }
    EXPECT_TRUE(pane.toolTipAt(QPoint(500, 10)).isEmpty());
    // A real tooltip event over the altimeter.
    const QPoint at = kFaceOrigins[kAltitudeSlot] + res::kDialCentre;
    QHelpEvent event(QEvent::ToolTip, at, pane.viewport()->mapToGlobal(at));
    QApplication::sendEvent(pane.viewport(), &event);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QString::fromUtf8(str::kTipAltitudeDial));
    QToolTip::hideText();
    // The statistics table has no dials.
    w.view.analysisActive = true;
    EXPECT_TRUE(pane.toolTipAt(at).isEmpty());
}

TEST(PanelDrawing, TheStatisticsTableIsCopiedAsTabSeparatedLines) {
    World w(8);
    InstrumentView pane(w.source(), w.sink);
    pane.resize(InstrumentView::kWidth, InstrumentView::kHeight);
    pane.show();
    QApplication::processEvents();
    // The instruments have nothing to copy.
    test::MenuProbe probe = test::chooseFromContextMenu(pane, QStringLiteral("Copy"));
    EXPECT_TRUE(probe.shown);
    EXPECT_FALSE(probe.enabled);
    EXPECT_EQ(probe.clipboard, QStringLiteral("<untouched>"));

    logs::AnalysisSettings s;
    s.mode = logs::ReferenceMode::VsTruth;
    s.outlierLimit = 0.5;
    w.statistics.setSettings(s);
    w.statistics.setActive(true);
    w.view.analysisActive = true;
    w.view.referenceMode = s.mode;
    w.view.outlierLimit = 0.5;
    for (int i = 0; i < 20; ++i) {
        const double e = 0.1 * (i % 10);
        w.decoder.departure.dep = DeparturePoint{static_cast<float>(e), 0.0f, 0.5f};
        w.decoder.departure.horizontalSquared = e * e;
        w.decoder.position = GeoPoint{48.1, 11.5, 500.5};
        w.statistics.accumulate(w.decoder, false);
    }
    pane.analysisChanged();
    probe = test::chooseFromContextMenu(pane, QStringLiteral("Copy"));
    EXPECT_TRUE(probe.enabled);
    const QStringList rows = probe.clipboard.split('\n', Qt::SkipEmptyParts);
    const auto lines = statisticsLines(w.view);
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(lines.size()) + 1);
    EXPECT_EQ(rows[0], QString::fromUtf8(str::kPositionAccuracyMeasures));
    EXPECT_EQ(rows[1], QString::fromUtf8(str::kUsedPoints) + QStringLiteral("\t20"));
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(rows[static_cast<qsizetype>(i) + 1], lines[i].label + '\t' + lines[i].value);
    EXPECT_TRUE(probe.clipboard.endsWith('\n'));
}
