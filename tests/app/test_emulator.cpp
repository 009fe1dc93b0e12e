// The emulated attitude receiver: motion rules, random model, sentence formats, and that its
// epochs are accepted by the decoder as complete epochs of model 17.

#include "app/core/emulator.h"

#include "decode/epoch_decoder.h"
#include "decode/framing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

using namespace trix::app;

namespace {

RandomSource fixed(int r) {
    return [r] { return r; };
}

EmulationInputs noon() {
    EmulationInputs in;
    in.localTime = {12, 34, 56};
    return in;
}

} // namespace

TEST(Emulator, FirstTickOfAnAutomobile) {
    Emulator e(0, fixed(0));
    std::string at2 = e.attitudeSentence(noon());
    EXPECT_EQ(e.course(), 5);
    EXPECT_EQ(e.headingOffset(), 1);
    EXPECT_DOUBLE_EQ(e.heading(), 6.0);
    EXPECT_EQ(at2.substr(0, 50), "$PXKTR,AT2,121101.5,006.00,+001.00,+001.00,0.0027,");
    std::string pos = e.positionSentence(noon());
    EXPECT_EQ(e.speed(), 1);
    EXPECT_EQ(e.verticalSpeed(), 1);
    EXPECT_NE(pos.find(",123456,"), std::string::npos);
    EXPECT_NE(pos.find(",,5,1,1,1.2,1.3,1.2,0.3,C100*"), std::string::npos) << pos;
}

TEST(Emulator, SwingsTurnAtTheLimits) {
    Emulator e(0, fixed(0));
    int maxPitch = 0, minPitch = 0, maxSpeed = 0, minVs = 0, maxVs = 0;
    for (int i = 0; i < 200; ++i) {
        e.attitudeSentence(noon());
        e.positionSentence(noon());
        maxPitch = std::max(maxPitch, e.pitch());
        minPitch = std::min(minPitch, e.pitch());
        maxSpeed = std::max(maxSpeed, e.speed());
        maxVs = std::max(maxVs, e.verticalSpeed());
        minVs = std::min(minVs, e.verticalSpeed());
        ASSERT_GE(e.speed(), 0);
    }
    EXPECT_EQ(maxPitch, 15);
    EXPECT_EQ(minPitch, -15);
    EXPECT_EQ(maxSpeed, 90);
    EXPECT_EQ(maxVs, 4); // vertical speed turns only once its size exceeds the limit
    EXPECT_EQ(minVs, -4);

    e.resetMotion(1); // aeronautical: steps of 10 knots and 3 degrees of pitch
    e.attitudeSentence(noon());
    e.positionSentence(noon());
    EXPECT_EQ(e.speed(), 10);
    EXPECT_EQ(e.pitch(), 3);
    EXPECT_EQ(e.roll(), 5);
}

TEST(Emulator, ResetFlagOnceEveryTenTicks) {
    Emulator e(0, fixed(16383));
    int flagged = 0;
    for (int i = 1; i <= 10; ++i) {
        std::string at2 = e.attitudeSentence(noon());
        bool flag = at2.find(",0.0103,1,00,1.") != std::string::npos;
        flagged += flag ? 1 : 0;
        EXPECT_EQ(flag, i == 10) << at2;
    }
    EXPECT_EQ(flagged, 1);
}

TEST(Emulator, AnalysisScattersAroundTheBase) {
    int r = 0;
    Emulator e(0, [&r] { return (r = (r * 1103 + 12345) % 32768); });
    EmulationInputs in = noon();
    in.analysisActive = true;
    for (int i = 0; i < 50; ++i) {
        e.attitudeSentence(in);
        e.positionSentence(in);
        EXPECT_LE(std::abs(e.latitude() - kBaseLatitude), 0.000003 + 1e-12);
        EXPECT_LE(std::abs(e.longitude() - kBaseLongitude), 0.000003 + 1e-12);
        EXPECT_LE(std::abs(e.altitude() - kBaseAltitude), 10.0 + 1e-9);
        EXPECT_TRUE(e.heading() >= 0.0 && e.heading() < 360.0);
    }
    in.truthReference = true;
    in.knownLat = -33.5;
    in.knownLon = 151.25;
    in.knownAlt = 40.0;
    std::string pos = e.positionSentence(in);
    EXPECT_NEAR(e.latitude(), -33.5, 0.000004);
    EXPECT_NE(pos.find(",S,151"), std::string::npos) << pos;
    EXPECT_NE(pos.find(",E,"), std::string::npos) << pos;
}

TEST(Emulator, SatelliteSlotsTakeNewPrnsAndWrapAt200) {
    Emulator e(0, fixed(0));
    e.setSlot(0, {5, 10, 0}); // falls below the horizon on the next move
    e.setLastPrn(200);
    std::string sat = e.satellitesSentence();
    EXPECT_EQ(e.satelliteSlots()[0].prn, 1);
    EXPECT_EQ(e.satelliteSlots()[0].azimuth, 191);
    EXPECT_EQ(e.satelliteSlots()[0].elevation, 0);
    EXPECT_EQ(sat.rfind("$PXKTR,SAT,3,1,191,0,30,U,2,121,39,30,U,3,241,81,30,U*", 0), 0u) << sat;

    // PRNs held by the other slots are skipped.
    e.setSlot(0, {7, 10, 0});
    e.setLastPrn(1);
    e.satellitesSentence();
    EXPECT_EQ(e.satelliteSlots()[0].prn, 4);

    // Rising above 90 degrees turns the satellite back.
    e.setSlot(1, {9, 200, 90});
    e.satellitesSentence();
    EXPECT_EQ(e.satelliteSlots()[1].elevation, 90);
    EXPECT_EQ(e.satelliteSlots()[1].azimuth, 21);
}

TEST(Emulator, EverySentenceCarriesALowerCaseChecksum) {
    Emulator e(2, defaultRandomSource(7));
    std::vector<std::string> out;
    for (int i = 0; i < 30; ++i)
        e.tick(
            noon(), [&](std::string_view s) { out.emplace_back(s); },
            [] {
                return std::array<int, 3>{1, 2, 3};
            });
    ASSERT_EQ(out.size(), 30u * 7u);
    std::regex tail(R"(.*\*[0-9a-f]{2}$)");
    for (const auto& s : out) {
        EXPECT_TRUE(std::regex_match(s, tail)) << s;
        EXPECT_TRUE(trix::checksumPasses(s, true, true)) << s;
        EXPECT_EQ(s.find('\r'), std::string::npos);
    }
    EXPECT_EQ(out[3].rfind("$PXKTR,SA4,1,3,01,", 0), 0u) << out[3];
}

TEST(Emulator, DecoderAssemblesOneEpochPerTick) {
    trix::EpochDecoder decoder(trix::kModelAttitude);
    Emulator e(0, defaultRandomSource(3));
    for (int i = 0; i < 12; ++i) {
        EmulationInputs in = noon();
        in.localTime.seconds = i; // a new epoch time each second, as the clock gives
        e.tick(
            in, [&](std::string_view s) { decoder.handleSentence(s); },
            [&] {
                return std::array<int, 3>{decoder.sat.sats[0].svNumber,
                                          decoder.sat.sats[1].svNumber,
                                          decoder.sat.sats[2].svNumber};
            });
    }
    EXPECT_EQ(decoder.epochsCompleted, 12);
    EXPECT_EQ(decoder.incompleteEpochs, 0);
    EXPECT_NEAR(decoder.position.lat, e.latitude(), 1e-7);
    EXPECT_NEAR(decoder.position.lon, e.longitude(), 1e-7);
    EXPECT_EQ(decoder.sat.inView, 3);
}
