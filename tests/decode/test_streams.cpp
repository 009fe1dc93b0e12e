// Whole streams, cut into lines by the live framer, as a receiver sends them.

#include "support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace trix;
using namespace trixtest;

namespace {

struct Track {
    double lat(int i) const { return 4807.0 + i * 0.001; } // ddmm.mmmm
    double lon(int i) const { return 1131.0 + i * 0.002; }
};

std::string crlf(const std::string& s) {
    return s + "\r\n";
}

void feed(EpochDecoder& d, const std::string& bytes) {
    LineFramer framer;
    for (char c : bytes) {
        if (framer.push(static_cast<std::uint8_t>(c)))
            d.handleSentence(framer.line());
    }
}

} // namespace

TEST(Streams, NmeaReceiverInTheCommonOrder) {
    Track track;
    std::string bytes = "garbage without end \x01\x02\xff\r\n";
    const int epochs = 50;
    for (int i = 0; i < epochs; ++i) {
        std::string lat = cformat("%.4f", track.lat(i)), lon = cformat("%09.4f", track.lon(i));
        bytes += crlf(gga(hms(43200 + i), lat.c_str(), "N", lon.c_str(), "E"));
        bytes += crlf(gsa());
        for (auto& g : gsvGroup(3))
            bytes += crlf(g);
        bytes += crlf(vtg());
    }
    EpochDecoder d{kModelUnknown};
    d.setUnits(UnitSelection{4, 0, 0, 3, 1});
    feed(d, bytes);
    EXPECT_EQ(d.history.writePosition, epochs - 1) << "every GGA is stored";
    EXPECT_EQ(d.epochsCompleted, epochs - 1) << "the first cycle is spent learning";
    EXPECT_EQ(d.handlerCode(1), kGSA);
    EXPECT_NEAR(d.pos.latitude, ddmmToDegrees(track.lat(epochs - 1)), 1e-9);
    EXPECT_EQ(d.sat.inView, 11);
    EXPECT_FLOAT_EQ(d.pos.pdop, 2.5f);
    EXPECT_FLOAT_EQ(d.pos.speed, 5.5f);
    // Departures grow north and east along the track.
    const DeparturePoint& last = d.history.departures[static_cast<std::size_t>(epochs - 1)];
    EXPECT_NEAR(last.north, (epochs - 1) * 0.001 / 60 * 111194.9, 0.2);
    EXPECT_GT(last.east, 0.0f);
}

TEST(Streams, ProprietaryReceiverWithCorruptLines) {
    std::string bytes;
    const int epochs = 40;
    for (int i = 0; i < epochs; ++i) {
        std::string p = pos(hms(i));
        if (i == 7)
            p[20] ^= 0x10; // one corrupted position answer
        bytes += crlf(p);
        bytes += crlf(sat3());
        if (i == 20)
            bytes += std::string(1500, 'z'); // an overlong run without a line end
    }
    EpochDecoder d{3};
    feed(d, bytes);
    // Epoch 7 is lost to its checksum; the rest of the junk run is no part of epoch 21's
    // position answer, which begins at its '$'.
    EXPECT_EQ(d.epochsCompleted, epochs - 1);
    EXPECT_EQ(d.history.writePosition, epochs - 2);
}

TEST(Streams, AttitudeReceiver) {
    std::string bytes;
    const int epochs = 30;
    for (int i = 0; i < epochs; ++i) {
        bytes += crlf(at2(hms(i), i < 5 ? '1' : '0'));
        bytes += crlf(pos(hms(i)));
        bytes += crlf(sat3());
        for (int a = 1; a <= 4; ++a)
            bytes += crlf(sa4(a));
    }
    EpochDecoder d{kModelAttitude};
    feed(d, bytes);
    EXPECT_EQ(d.epochsCompleted, epochs);
    EXPECT_FLOAT_EQ(d.at2.heading, 123.5f);
    EXPECT_EQ(d.sa4[2].count, 2);
}
