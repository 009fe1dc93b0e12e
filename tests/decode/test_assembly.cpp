#include "support.h"

#include <gtest/gtest.h>

using namespace trix;
using namespace trixtest;

namespace {
struct Assembly : ::testing::Test {
    RecordingChanges changes;
    RecordingMessages messages;
    FakeSession session;
    EpochDecoder::Hooks hooks() {
        return {&messages, &changes, nullptr, nullptr, nullptr, nullptr};
    }
};
} // namespace

TEST_F(Assembly, NothingHappensWithoutModelOrWhileViewing) {
    EpochDecoder none{kModelNone, hooks()};
    none.handleSentence(gga(1));
    EXPECT_EQ(none.pos.utcTime, 0.0);
    EpochDecoder viewing{3, hooks()};
    viewing.setViewing(true);
    viewing.handleSentence(pos(1));
    viewing.handleSentence(sat3());
    EXPECT_EQ(viewing.epochsCompleted, 0);
}

TEST_F(Assembly, ProprietaryEpochCompletesWithItsLastSentence) {
    EpochDecoder d{3, hooks()};
    d.handleSentence(pos(1));
    EXPECT_EQ(d.epochsCompleted, 0);
    d.handleSentence(sat3());
    EXPECT_EQ(d.epochsCompleted, 1);
    EXPECT_EQ(d.history.writePosition, 0);
    EXPECT_EQ(changes.count(change::kEpoch), 2) << "reset notification + epoch";
    EXPECT_EQ(changes.count(change::kEpoch | hint::kFullRepaint), 1) << "the reset draws afresh";
}

TEST_F(Assembly, RepeatedFirstSentenceCountsAsIncomplete) {
    EpochDecoder d{3, hooks()};
    d.handleSentence(pos(1, '0', "-00.3", "4807.038"));
    d.handleSentence(pos(2, '0', "-00.3", "1000.000"));
    EXPECT_EQ(d.incompleteEpochs, 1);
    d.handleSentence(sat3());
    ASSERT_EQ(d.epochsCompleted, 1);
    EXPECT_NEAR(d.pos.latitude, 48.1173, 1e-9) << "the first position is kept";
}

TEST_F(Assembly, TenIncompleteEpochsGiveTheMessage) {
    EpochDecoder d{3, hooks()};
    for (int i = 0; i < 11; ++i)
        d.handleSentence(pos(i + 1));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0].rfind("Too many Epochs are incomplete!", 0), 0u);
    EXPECT_EQ(d.incompleteEpochs, 0);
}

TEST_F(Assembly, FailedFirstSentenceAbandonsTheEpoch) {
    EpochDecoder d{3, hooks()};
    std::string bad = pos(1);
    bad[bad.size() - 1] ^= 1;
    d.handleSentence(bad);
    d.handleSentence(sat3());
    EXPECT_EQ(d.epochsCompleted, 0);
    EXPECT_EQ(d.sentencesReceived(), 0);
}

TEST_F(Assembly, AttitudeReceiverNeedsAllFourAntennas) {
    EpochDecoder d{kModelAttitude, hooks()};
    d.handleSentence(at2(1));
    d.handleSentence(pos(1));
    d.handleSentence(sat3());
    for (int a = 1; a <= 3; ++a) {
        d.handleSentence(sa4(a));
        EXPECT_EQ(d.epochsCompleted, 0) << a;
    }
    d.handleSentence(sa4(4));
    EXPECT_EQ(d.epochsCompleted, 1);
}

TEST_F(Assembly, NoEpochIsStoredWithoutAPosition) {
    EpochDecoder d{3, hooks()};
    d.handleSentence(sentence("PXKTR,POS,0,00,000010.00,,,,,0,M,0,0,0,0,0,0,0,QF30"));
    d.handleSentence(sat3());
    EXPECT_EQ(d.epochsCompleted, 1);
    EXPECT_TRUE(d.history.empty());
}

TEST_F(Assembly, NmeaEpochWithoutPositionSentenceHasNoPosition) {
    EpochDecoder d{kModelUnknown, hooks()};
    EXPECT_TRUE(d.noPosition) << "a new decoder holds no position";
    d.handleSentence(gsa());
    d.storeEpoch();
    EXPECT_TRUE(d.history.empty()) << "no made-up (0, 0, 0) epoch";
}

TEST_F(Assembly, NmeaLearningEndsAtTheSecondGgaInTheReceiversOrder) {
    EpochDecoder d{kModelUnknown, hooks()};
    ASSERT_TRUE(d.learning());
    auto cycle = [&](int t) {
        d.handleSentence(gga(t));
        d.handleSentence(gsa());
        for (auto& g : gsvGroup(3))
            d.handleSentence(g);
        d.handleSentence(vtg());
    };
    cycle(1);
    EXPECT_TRUE(d.learning());
    d.handleSentence(gga(2));
    ASSERT_FALSE(d.learning());
    ASSERT_EQ(d.handlerCount(), 4);
    EXPECT_EQ(d.handlerCode(0), kGGA);
    EXPECT_EQ(d.handlerCode(1), kGSA);
    EXPECT_EQ(d.handlerCode(2), kGSV);
    EXPECT_EQ(d.handlerCode(3), kVTG);
    EXPECT_EQ(d.sentencesPerEpoch(), 4);
    EXPECT_EQ(changes.count(change::kSentenceSet), 1) << "learning the set redraws once";
    int completed = d.epochsCompleted;
    d.handleSentence(gsa());
    for (auto& g : gsvGroup(3))
        d.handleSentence(g);
    d.handleSentence(vtg());
    EXPECT_EQ(d.epochsCompleted, completed + 1);
    EXPECT_EQ(d.history.writePosition, 1) << "two GGA epochs stored";
}

TEST_F(Assembly, LearningStartedMidCycleIsRotatedToTheGga) {
    EpochDecoder d{kModelUnknown, hooks()};
    d.handleSentence(vtg());
    d.handleSentence(gga(1));
    d.handleSentence(gsa());
    d.handleSentence(vtg());
    d.handleSentence(gga(2));
    ASSERT_FALSE(d.learning());
    EXPECT_EQ(d.handlerCode(0), kGGA);
    EXPECT_EQ(d.handlerCode(1), kGSA);
    EXPECT_EQ(d.handlerCode(2), kVTG);
}

TEST_F(Assembly, RepeatedTypesInsideACycleAreNotAChangedSet) {
    // One GSA per constellation and GSV groups of two talkers.
    EpochDecoder d{kModelUnknown, hooks()};
    auto cycle = [&](int t) {
        d.handleSentence(gga(t));
        d.handleSentence(gsa());
        d.handleSentence(gsa());
        for (auto& g : gsvGroup(2))
            d.handleSentence(g);
        for (auto& g : gsvGroup(2, "GA"))
            d.handleSentence(g);
        d.handleSentence(vtg());
    };
    for (int t = 1; t <= 5; ++t)
        cycle(t);
    EXPECT_FALSE(d.learning());
    EXPECT_EQ(d.handlerCount(), 4);
    EXPECT_EQ(d.epochsCompleted, 4) << "one epoch per cycle once learned";
    EXPECT_EQ(d.history.writePosition, 4);
}

TEST_F(Assembly, ChangedSentenceSetIsLearnedAgain) {
    EpochDecoder d{kModelUnknown, hooks()};
    for (int t = 1; t <= 3; ++t) {
        d.handleSentence(gga(t));
        d.handleSentence(gsa());
        d.handleSentence(vtg());
    }
    ASSERT_FALSE(d.learning());
    ASSERT_EQ(d.handlerCount(), 3);
    // The receiver stops sending VTG.
    d.handleSentence(gga(4));
    d.handleSentence(gsa());
    d.handleSentence(gga(5));
    EXPECT_TRUE(d.learning());
    d.handleSentence(gsa());
    d.handleSentence(gga(6));
    ASSERT_FALSE(d.learning());
    EXPECT_EQ(d.handlerCount(), 2);
    int completed = d.epochsCompleted;
    d.handleSentence(gsa());
    EXPECT_EQ(d.epochsCompleted, completed + 1);
}

TEST_F(Assembly, NmeaPerSentenceHints) {
    EpochDecoder d{kModelUnknown, hooks()};
    changes.masks.clear();
    d.handleSentence(gga(1));
    d.handleSentence(vtg());
    d.handleSentence(gsa());
    for (auto& g : gsvGroup(1))
        d.handleSentence(g);
    ASSERT_EQ(changes.masks.size(), 4u);
    EXPECT_EQ(changes.masks[0], change::kPosition | 14);
    EXPECT_EQ(changes.masks[1], change::kPosition | 4);
    EXPECT_EQ(changes.masks[2], change::kPosition | 8);
    EXPECT_EQ(changes.masks[3], change::kSatellites);
}

TEST_F(Assembly, DisplayThrottleAllowsFiveRedrawsASecond) {
    EpochDecoder d{3, hooks()};
    d.handleSentence(pos(hms(10)));
    d.handleSentence(sat3());
    EXPECT_TRUE(d.displayUpdate);
    changes.masks.clear();
    d.handleSentence(pos(hms(10, 10)));
    d.handleSentence(sat3());
    EXPECT_FALSE(d.displayUpdate) << "0.1 s later";
    ASSERT_EQ(changes.masks.size(), 1u) << "the epoch is still reported";
    EXPECT_EQ(changes.masks[0], change::kEpoch | change::kHeld);
    d.handleSentence(pos(hms(10, 20)));
    d.handleSentence(sat3());
    EXPECT_TRUE(d.displayUpdate) << "0.2 s accumulated";
    EXPECT_EQ(changes.count(change::kEpoch, change::kHeld), 1);
    EXPECT_NEAR(d.epochInterval, 0.1, 1e-6);
}

TEST_F(Assembly, LiveHistoryWrapsAfter8192Epochs) {
    EpochDecoder d{3};
    for (int i = 0; i < kLiveCapacity + 1; ++i) {
        d.handleSentence(pos(hms(i)));
        d.handleSentence(sat3());
    }
    EXPECT_EQ(d.history.writePosition, 0);
    EXPECT_EQ(d.history.oldestPosition, 1);
    EXPECT_EQ(d.history.departures.size(), static_cast<std::size_t>(kLiveCapacity));
    EXPECT_TRUE(d.history.positions.empty()) << "positions are kept only while viewing";
    d.handleSentence(pos(hms(kLiveCapacity + 1)));
    d.handleSentence(sat3());
    EXPECT_EQ(d.history.writePosition, 1);
    EXPECT_EQ(d.history.oldestPosition, 2);
}

TEST_F(Assembly, FirstStoredEpochBecomesTheReference) {
    EpochDecoder d{3};
    d.handleSentence(pos(1, '0', "-00.3", "4807.000"));
    d.handleSentence(sat3());
    d.handleSentence(pos(2, '0', "-00.3", "4807.001"));
    d.handleSentence(sat3());
    EXPECT_NEAR(d.reference.lat, 48.116666666, 1e-6);
    EXPECT_NEAR(d.history.departures[1].north, 0.001 / 60 * 111194.9, 0.05);
    EXPECT_GT(d.largestHorizontalSquared, 3.0);
    d.resetEpochState();
    EXPECT_FALSE(d.referenceSet());
    EXPECT_TRUE(d.history.empty());
}

TEST_F(Assembly, AutoSaveSplitsProprietaryAfterNAndNmeaAfterNPlusOne) {
    session.autoSave = 100;
    EpochDecoder p{3, {nullptr, nullptr, nullptr, &session, nullptr, nullptr}};
    for (int i = 0; i < 100; ++i) {
        p.handleSentence(pos(hms(i)));
        p.handleSentence(sat3());
    }
    EXPECT_EQ(session.splits, 1);

    FakeSession nmeaSession;
    nmeaSession.autoSave = 100;
    EpochDecoder n{kModelUnknown, {nullptr, nullptr, nullptr, &nmeaSession, nullptr, nullptr}};
    // Learn first, then count epochs of the file from zero.
    n.handleSentence(gga(1));
    n.handleSentence(gsa());
    n.handleSentence(gga(2));
    ASSERT_FALSE(n.learning());
    n.epochsInLogFile = 0;
    n.handleSentence(gsa());
    for (int i = 0; i < 99; ++i) {
        n.handleSentence(gga(10 + i));
        n.handleSentence(gsa());
    }
    EXPECT_EQ(nmeaSession.splits, 0) << "after 101 epochs, not 100";
    n.handleSentence(gga(200));
    n.handleSentence(gsa());
    EXPECT_EQ(nmeaSession.splits, 1);
}

TEST_F(Assembly, AutoSaveRestartsTheHistoryRing) {
    session.autoSave = 5;
    EpochDecoder d{3, {nullptr, nullptr, nullptr, &session, nullptr, nullptr}};
    for (int i = 0; i < 6; ++i) {
        d.handleSentence(pos(hms(i)));
        d.handleSentence(sat3());
    }
    EXPECT_LT(d.history.writePosition, 5);
    EXPECT_EQ(d.history.oldestPosition, 0);
}

TEST_F(Assembly, ViewingKeepsFullRecordsIncludingAttitude) {
    EpochDecoder d{kModelAttitude};
    d.setViewing(true);
    EXPECT_EQ(d.capacity(), kViewCapacity);
    // Viewing ignores live sentences: drive the handlers as the indexer does.
    for (const std::string& s : {at2(1), pos(1), sat3(), sa4(1), sa4(2), sa4(3), sa4(4)})
        ASSERT_TRUE(d.runHandler(sentenceCode(s), s)) << s;
    d.storeEpoch();
    ASSERT_EQ(d.history.writePosition, 0);
    EXPECT_EQ(d.history.positions[0].usedSats, 7);
    EXPECT_EQ(d.history.satellites[0].inView, 3);
    EXPECT_FLOAT_EQ(d.history.attitudes[0].heading, 123.5f);
    EXPECT_EQ(d.history.antennas[3][0].count, 2);
}
