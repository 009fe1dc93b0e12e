// The model table's capabilities, checked row by row against the model sets the receivers'
// command and decoding rules were written for.

#include "decode/models.h"

#include <gtest/gtest.h>
#include <set>

using namespace trix;

namespace {
bool in(int m, std::set<int> models) {
    return models.count(m) != 0;
}
} // namespace

TEST(ModelCapabilities, EveryRowMatchesItsReceiverFamily) {
    for (int m = 0; m < kModelCount; ++m) {
        const ModelCapabilities& can = modelCan(m);
        SCOPED_TRACE(modelInfo(m).displayName);
        EXPECT_EQ(can.nmea, in(m, {1, 19}));
        EXPECT_EQ(can.yqn, in(m, {2}));
        EXPECT_EQ(can.csn, in(m, {4, 18}));
        EXPECT_EQ(can.attitude, m == kModelAttitude);
        EXPECT_EQ(can.baseline, in(m, {4, 18, 19}));
        EXPECT_EQ(can.vector, in(m, {16}));
        EXPECT_EQ(can.noMsgOutput, in(m, {5, 6, 7}));
        EXPECT_EQ(can.noGrsOutput, in(m, {12, 13}));
        EXPECT_EQ(can.fewBauds, in(m, {12, 13}));
        EXPECT_EQ(can.resetTo4800, in(m, {11, 12, 13}));
        EXPECT_EQ(can.wideGlonass, in(m, {15, 16}));
        EXPECT_EQ(can.noRtk, in(m, {3}));
        // The epoch kinds agree with the capabilities that decide them.
        const EpochKind kind = modelInfo(m).epoch;
        if (m != 0) {
            EXPECT_EQ(kind == EpochKind::Nmea, can.nmea);
        }
        EXPECT_EQ(kind == EpochKind::PosSatCsn, can.csn);
        EXPECT_EQ(kind == EpochKind::Attitude, can.attitude);
        EXPECT_EQ(isNmeaModel(m), can.nmea);
        EXPECT_EQ(hasCsn(m), can.csn);
    }
}

TEST(ModelCapabilities, IndicesOutOfRangeCanNothing) {
    for (int m : {-1, kModelCount, 1000}) {
        const ModelCapabilities& can = modelCan(m);
        EXPECT_FALSE(can.nmea || can.yqn || can.csn || can.attitude || can.baseline || can.vector ||
                     can.noMsgOutput || can.noGrsOutput || can.fewBauds || can.resetTo4800 ||
                     can.wideGlonass || can.noRtk);
    }
}
