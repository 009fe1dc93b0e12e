// Switching the DGPS outputs off leaves on what another open window or the standard set reads.

#include "views/rtcm/dgps_outputs.h"

#include <gtest/gtest.h>

using namespace trix::dgps;
using Names = std::vector<std::string>;

TEST(DgpsOutputs, ClosingRtcmKeepsGsaOfAnNmeaStandardSet) { // X2
    EXPECT_EQ(outputsToSwitchOff(OutputSet::Rtcm, {}, 19), (Names{"GRS", "GSN", "MSG"}));
    EXPECT_EQ(outputsToSwitchOff(OutputSet::Rtcm, {}, 4), (Names{"GSA", "GRS", "GSN", "MSG"}));
}

TEST(DgpsOutputs, ClosingOneWindowKeepsMsgOfTheOther) { // X2
    OpenSets open;
    open.rtk = true;
    EXPECT_EQ(outputsToSwitchOff(OutputSet::Rtcm, open, 18), (Names{"GSA", "GRS", "GSN"}));
    open.rtk = false;
    open.rtcm = true;
    EXPECT_EQ(outputsToSwitchOff(OutputSet::Rtk, open, 16), (Names{"VEC"}));
    open.rtcm = false;
    EXPECT_EQ(outputsToSwitchOff(OutputSet::Rtk, open, 16), (Names{"MSG", "VEC"}));
}

TEST(DgpsOutputs, ModelsWithoutSomeOutputs) {
    EXPECT_EQ(setOutputs(OutputSet::Rtcm, 12), (Names{"GSA", "MSG"}));
    EXPECT_EQ(setOutputs(OutputSet::Rtcm, 6), (Names{"GSA", "GRS"}));
    EXPECT_TRUE(setOutputs(OutputSet::Rtk, 5).empty());
}
