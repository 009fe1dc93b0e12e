#pragma once
// Stepping through a viewed log file and the epoch movie: the model the epoch counter window
// drives with its scroll bar, keys, number field and play/pause button.

#include "decode/epoch_decoder.h"
#include "base/ui.h"
#include "logs/timer_host.h"

#include <string_view>

namespace trix::logs {

class LogIndexer;

inline constexpr int kTimerMovie = 5;
inline constexpr int kMoviePeriodMs = 200;

enum class ScrollAction { LineLeft, LineRight, PageLeft, PageRight, Thumb, Top, Bottom };
enum class PlaybackKey { Left, Right, PageUp, PageDown, Up, End, Down, Home, Other };

class PlaybackListener {
public:
    virtual ~PlaybackListener() = default;
    // The epoch at `position` is now the current epoch: move the scroll bar and redraw
    // (completely when `fullRedraw`; during the movie the RTCM and RTK windows follow).
    virtual void epochShown(int /*position*/, bool /*fullRedraw*/, bool /*movie*/) {}
    virtual void movieStateChanged(bool /*running*/) {}
};

class Playback {
public:
    Playback(EpochDecoder& decoder, LogIndexer& indexer, MessageSink& messages, TimerHost& timers,
             PlaybackListener* listener = nullptr);

    int epochs() const { return decoder_.epochsCompleted; }
    int current() const { return decoder_.history.writePosition; }
    int oldest() const { return decoder_.history.oldestPosition; }
    int last() const { return epochs() - 1; }

    // Scroll bar; `thumb` is the position for ScrollAction::Thumb. True when the epoch changed.
    bool scroll(ScrollAction action, int thumb = 0);
    // A key while the number field does not have the focus; false when it is not a stepping
    // key (live data: the caller passes it on to the main frame).
    bool key(PlaybackKey k);
    // The number field was confirmed: 1 to epochs shows that epoch, anything else is refused
    // with a beep and the range message. True when accepted.
    bool enterNumber(std::string_view text);
    // Moves to `target` (clamped); true when it changed.
    bool stepTo(int target);

    bool movieRunning() const { return decoder_.movieRunning; }
    void toggleMovie();
    void startMovie();
    void stopMovie();
    // Timer kTimerMovie expired.
    void movieTick();

private:
    void show(int position, bool fullRedraw, bool movie);

    EpochDecoder& decoder_;
    LogIndexer& indexer_;
    MessageSink& messages_;
    TimerHost& timers_;
    PlaybackListener* listener_;
    bool inTick_ = false;
    int onScreen_ = -1;
};

} // namespace trix::logs
