#include "panel_support.h"

#include "decode/models.h"
#include "trixres/face_layout.h"
#include "views/panel/indicator_panel.h"

#include <gtest/gtest.h>

using namespace trix;
using namespace trix::views;
using namespace panel_test;

namespace {

struct Panel {
    explicit Panel(int model) : decoder(model) {
        view.decoder = &decoder;
        view.modelIndex = model;
    }
    FiguresSource source() {
        return [this] { return view; };
    }
    RecordingSink sink;
    EpochDecoder decoder;
    FiguresView view;
};

void fillEpoch(EpochDecoder& d) {
    d.pos.fixMode = 4;
    d.pos.utcTime = 123456.78;
    d.pos.latitude = 48.1173;
    d.pos.latHemisphere = 'N';
    d.pos.longitude = 11.5167;
    d.pos.lonHemisphere = 'E';
    d.pos.altitude = 545.42f;
    d.pos.pdop = 1.8f;
    d.pos.hdop = 0.9f;
    d.pos.vdop = 1.5f;
    d.pos.tdop = 0.7f;
    d.sat.constellations = kGps | kGlonass;
    d.at2.doubleDiff = {1, 0, 2};
    d.at2.brms = 0.0123f;
    d.at2.mrms = 0.0045f;
}

bool isText(QRgb c) {
    return qGreen(c) > 200 && qRed(c) < 180 && qBlue(c) < 200;
}

} // namespace

TEST(IndicatorPanel, ClientHeightFollowsTheModelAtCreation) {
    Panel plain(8);
    IndicatorPanel a(plain.source(), plain.sink);
    EXPECT_EQ(a.size(), QSize(281, 206));
    Panel attitude(kModelAttitude);
    IndicatorPanel b(attitude.source(), attitude.sink);
    EXPECT_EQ(b.size(), QSize(281, 380));
    EXPECT_TRUE(plain.sink.texts.empty());
}

TEST(IndicatorPanel, TextsOfTheCurrentEpoch) {
    Panel p(kModelAttitude);
    fillEpoch(p.decoder);
    p.view.units.coordinateFormat = 0;
    IndicatorPanel w(p.source(), p.sink);
    w.epoch(0);
    const FiguresText& t = w.text();
    EXPECT_EQ(t.mode, "Fixed RTK GPS+GLN");
    EXPECT_EQ(t.time, "12:34:56.78");
    EXPECT_EQ(t.altitude, "545.42 m");
    EXPECT_EQ(t.dop1, "PDOP:1.8  HDOP:0.9");
    EXPECT_EQ(t.dop2, "VDOP:1.5  TDOP:0.7");
    EXPECT_EQ(t.vector12, "Vector 1-2: 1");
    EXPECT_EQ(t.vector14, "Vector 1-4: 2");
    EXPECT_EQ(t.brms, "BRMS: 12.3 mm");
    EXPECT_EQ(t.mrms, "MRMS: 4.5 mm");
    EXPECT_EQ(t.latitude, " 48.1173000000\u00b0 N"); // "%14.10lf° %c"
    EXPECT_EQ(fixModeLine(0, kGps | kSbas), "Autonomous GPS+SBAS");
    EXPECT_EQ(fixModeLine(9, 0), "Raw ");
}

TEST(IndicatorPanel, ModeLineIsRebuiltOnlyWhenItChanges) {
    Panel p(8);
    fillEpoch(p.decoder);
    IndicatorPanel w(p.source(), p.sink);
    w.epoch(0);
    EXPECT_EQ(w.modeRebuilds(), 1);
    p.decoder.pos.utcTime = 123457.0;
    w.epoch(0);
    EXPECT_EQ(w.modeRebuilds(), 1);
    EXPECT_EQ(w.text().time, "12:34:57.00");
    p.decoder.pos.fixMode = 3;
    w.epoch(0);
    EXPECT_EQ(w.modeRebuilds(), 2);
    EXPECT_EQ(w.text().mode, "Float RTK GPS+GLN");
    p.decoder.sat.constellations = kGps;
    w.epoch(0);
    EXPECT_EQ(w.text().mode, "Float RTK GPS");
}

TEST(IndicatorPanel, PlainNmeaReceiverHasNoTdopAndNoDecoderMeansNoChange) {
    Panel p(kModelUnknown);
    fillEpoch(p.decoder);
    IndicatorPanel w(p.source(), p.sink);
    w.epoch(14);
    EXPECT_EQ(w.text().dop2, "VDOP:1.5  TDOP:N/A");
    p.view.decoder = nullptr;
    p.decoder.pos.pdop = 9.9f;
    w.epoch(0);
    EXPECT_EQ(w.text().dop1, "PDOP:1.8  HDOP:0.9");
}

TEST(IndicatorPanel, DrawsTheTextsIntoThePanelPictures) {
    for (int model : {8, kModelAttitude}) {
        Panel p(model);
        fillEpoch(p.decoder);
        IndicatorPanel w(p.source(), p.sink);
        const QImage blank = w.render();
        EXPECT_EQ(countPixels(blank, res::kModeBox, isText), 0);
        w.epoch(0);
        const QImage img = w.render();
        EXPECT_GT(countPixels(img, res::kModeBox, isText), 40);
        EXPECT_GT(countPixels(img, res::kTimeBox, isText), 40);
        EXPECT_GT(countPixels(img, QRect(0, 117, 281, 89), isText), 80);
        if (model == kModelAttitude) {
            EXPECT_GT(countPixels(img, QRect(0, 206, 281, 174), isText), 150);
        }
        EXPECT_TRUE(w.grab().toImage().save(
            artefact(QStringLiteral("indicator_panel_model_%1.png").arg(model))));
    }
}
