#include "logs/playback.h"
#include "logs/viewed_log.h"

#include "base/strings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace trix::logs {
namespace {

class PlaybackTest : public ::testing::Test {
protected:
    PlaybackTest() : log(sink), play(log.decoder, log.indexer, sink, timers) {
        log.indexer.setErrorListDirectory(dir.path);
        std::string content;
        for (int s = 0; s < 25; ++s)
            content += test::posEpoch(s);
        dir.write("r18__001.log", content);
        EXPECT_TRUE(log.open(dir.file("r18__001.log")));
    }
    double shownTime() const { return log.decoder.pos.utcTime; }

    test::TempDir dir;
    test::RecordingSink sink;
    test::FakeTimers timers;
    ViewedLog log;
    Playback play;
};

TEST_F(PlaybackTest, StepsAreClampedAndLoadTheEpoch) {
    EXPECT_EQ(play.current(), 0);
    EXPECT_FALSE(play.scroll(ScrollAction::LineLeft)); // clamped at the oldest
    EXPECT_TRUE(play.scroll(ScrollAction::PageRight));
    EXPECT_EQ(play.current(), 10);
    EXPECT_DOUBLE_EQ(shownTime(), 120010.0);
    EXPECT_TRUE(play.scroll(ScrollAction::Thumb, 99));
    EXPECT_EQ(play.current(), 24);
    EXPECT_TRUE(play.key(PlaybackKey::PageDown));
    EXPECT_EQ(play.current(), 14);
    EXPECT_TRUE(play.key(PlaybackKey::PageUp));
    EXPECT_EQ(play.current(), 24);
    play.key(PlaybackKey::Home);
    EXPECT_EQ(play.current(), 0);
    play.key(PlaybackKey::Up);
    EXPECT_EQ(play.current(), 24);
    play.key(PlaybackKey::Left);
    EXPECT_EQ(play.current(), 23);
    EXPECT_FALSE(play.key(PlaybackKey::Other));
}

TEST_F(PlaybackTest, EnteredNumbersAreCheckedAgainstTheRange) {
    EXPECT_FALSE(play.enterNumber("0"));
    EXPECT_EQ(sink.texts.back(), "Enter the number of epoch from 1 to 25 !");
    EXPECT_EQ(sink.beeps, 1);
    EXPECT_FALSE(play.enterNumber("26"));
    EXPECT_TRUE(play.enterNumber("25"));
    EXPECT_EQ(play.current(), 24);
    EXPECT_TRUE(play.enterNumber("3"));
    EXPECT_DOUBLE_EQ(shownTime(), 120002.0);
}

TEST_F(PlaybackTest, MovieRestartsOrStopsAtItsEnd) {
    play.stepTo(22);
    play.startMovie(); // shows 22 at once
    EXPECT_TRUE(play.movieRunning());
    EXPECT_EQ(timers.running.at(kTimerMovie), 200);
    EXPECT_DOUBLE_EQ(shownTime(), 120022.0);
    play.movieTick(); // 23
    sink.answers = {Answer::Yes};
    play.movieTick(); // 24, the last: asked, Yes goes on from the oldest
    EXPECT_EQ(sink.texts.back(), str::kMovieEnd);
    EXPECT_EQ(play.current(), 0);
    EXPECT_TRUE(play.movieRunning());
    play.movieTick();
    EXPECT_DOUBLE_EQ(shownTime(), 120000.0);
    play.stopMovie(); // the epoch on screen stays the current one
    EXPECT_EQ(play.current(), 0);
    EXPECT_FALSE(timers.running.count(kTimerMovie));

    // Started at the last epoch, the movie begins at the oldest; No stops it at the end.
    play.stepTo(24);
    play.startMovie();
    EXPECT_DOUBLE_EQ(shownTime(), 120000.0);
    sink.answers = {Answer::No};
    for (int i = 0; i < 30 && play.movieRunning(); ++i)
        play.movieTick();
    EXPECT_FALSE(play.movieRunning());
    EXPECT_EQ(play.current(), 24);
}

} // namespace
} // namespace trix::logs
