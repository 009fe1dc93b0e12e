#include "logs/playback.h"

#include "base/strings.h"
#include "base/text.h"
#include "logs/log_indexer.h"

namespace trix::logs {

Playback::Playback(EpochDecoder& decoder, LogIndexer& indexer, MessageSink& messages,
                   TimerHost& timers, PlaybackListener* listener)
    : decoder_(decoder), indexer_(indexer), messages_(messages), timers_(timers),
      listener_(listener) {}

void Playback::show(int position, bool fullRedraw, bool movie) {
    decoder_.history.writePosition = position;
    onScreen_ = position;
    indexer_.loadEpoch();
    // The file's last epochs may have come faster than the display follows; an epoch the user
    // asked to see is always shown.
    decoder_.displayUpdate = true;
    decoder_.reportEpoch(fullRedraw);
    if (listener_)
        listener_->epochShown(position, fullRedraw, movie);
}

bool Playback::stepTo(int target) {
    if (epochs() <= 0)
        return false;
    if (target < 0)
        target = oldest();
    if (target > last())
        target = last();
    const int from = current();
    if (target == from)
        return false;
    show(target, target != from + 1, false);
    return true;
}

bool Playback::scroll(ScrollAction action, int thumb) {
    if (movieRunning())
        return false;
    const int c = current();
    switch (action) {
    case ScrollAction::LineLeft:
        return stepTo(c - 1);
    case ScrollAction::LineRight:
        return stepTo(c + 1);
    case ScrollAction::PageLeft:
        return stepTo(c - 10);
    case ScrollAction::PageRight:
        return stepTo(c + 10);
    case ScrollAction::Thumb:
        return stepTo(thumb);
    case ScrollAction::Top:
        return stepTo(oldest());
    case ScrollAction::Bottom:
        return stepTo(last());
    }
    return false;
}

bool Playback::key(PlaybackKey k) {
    if (!decoder_.viewing())
        return false;
    if (movieRunning())
        return k != PlaybackKey::Other;
    switch (k) {
    case PlaybackKey::Left:
        stepTo(current() - 1);
        return true;
    case PlaybackKey::Right:
        stepTo(current() + 1);
        return true;
    case PlaybackKey::PageUp:
        stepTo(current() + 10);
        return true;
    case PlaybackKey::PageDown:
        stepTo(current() - 10);
        return true;
    case PlaybackKey::Up:
    case PlaybackKey::End:
        stepTo(last());
        return true;
    case PlaybackKey::Down:
    case PlaybackKey::Home:
        stepTo(oldest());
        return true;
    case PlaybackKey::Other:
        break;
    }
    return false;
}

bool Playback::enterNumber(std::string_view text) {
    long n = parseInteger(text);
    if (n < 1 || n > epochs()) {
        messages_.beep();
        messages_.show(cformat(str::kEnterEpochRange, epochs()));
        return false;
    }
    stepTo(static_cast<int>(n - 1));
    return true;
}

void Playback::toggleMovie() {
    if (movieRunning())
        stopMovie();
    else
        startMovie();
}

void Playback::startMovie() {
    if (movieRunning() || epochs() <= 0)
        return;
    if (current() >= last())
        decoder_.history.writePosition = oldest();
    decoder_.movieRunning = true;
    if (listener_)
        listener_->movieStateChanged(true);
    timers_.start(kTimerMovie, kMoviePeriodMs);
    movieTick();
}

void Playback::stopMovie() {
    if (!movieRunning())
        return;
    decoder_.movieRunning = false;
    // The movie has already advanced to the next epoch; the one on screen stays current.
    if (current() > onScreen_ && onScreen_ != last()) {
        decoder_.history.writePosition = current() - 1;
        if (decoder_.history.writePosition < 0)
            decoder_.history.writePosition = oldest();
    }
    timers_.kill(kTimerMovie);
    decoder_.reportEpoch(false);
    if (listener_)
        listener_->movieStateChanged(false);
}

void Playback::movieTick() {
    if (inTick_ || !movieRunning())
        return;
    inTick_ = true;
    show(current(), false, true);
    decoder_.history.writePosition = current() + 1;
    if (current() > last()) {
        decoder_.history.writePosition = last();
        messages_.beep();
        if (messages_.show(str::kMovieEnd, Buttons::YesNo, Icon::Question) == Answer::Yes)
            decoder_.history.writePosition = oldest();
        else
            stopMovie();
    }
    inTick_ = false;
}

} // namespace trix::logs
