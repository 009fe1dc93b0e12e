#pragma once
// The line parser of the RTCM corrections window: the multi-line answer to the RTC query,
// the $GPMSG repetitions of RTCM messages, GSA, GRS, GSN and the position sentences that
// drive its clock. Live it keeps the current state; while a log file is read it also keeps
// the replay arrays that the epoch movie selects from.

#include "decode/fields.h"
#include "views/rtcm/rtcm_data.h"
#include "views/rtcm/running_clock.h"

#include <string_view>
#include <vector>

namespace trix::rtcm {

class RtcmParser {
public:
    // Replay arrays are kept while a log file is read (and by the headless dump).
    void setKeepReplay(bool keep) { keepReplay_ = keep; }
    // The checksum switch of the Limit Control options.
    void setChecksum(bool checked) { checksum_ = checked; }

    // One received or indexed line (CR LF cut off). Returns true when something shown changed.
    bool line(std::string_view text);
    // The file has been read: an answer still open completes and the message epoch freezes.
    void dataLoaded();

    // Shows the replay entries for the epoch at running time `u` (each the first not before
    // `u`, or the last one past the end): false when nothing changed.
    bool follow(double u);
    // The first replay entries not before `u` (-1 when there is none).
    int answerFor(double u) const;
    int messageEpochFor(double u) const;

    // The stored epochs of the viewed log (times of day, oldest first), put on the running
    // clock from the first position sentence. Following by epoch then lands on the same entries
    // whichever epoch was shown before; dataLoaded() forgets them.
    void setEpochTimes(const std::vector<double>& utcTimes);
    // The running time of stored epoch `k`; nullopt when there is none.
    std::optional<double> epochTime(int k) const { return timeline_.at(k); }
    // Shows the entries for stored epoch `k` as follow() does; false when nothing changed or
    // there is no such epoch.
    bool followEpoch(int k);
    // Shows the entries for the epoch `decoder` has on screen, taking its stored epochs when
    // their number changed.
    bool followShownEpoch(const EpochDecoder& decoder);

    // The state shown now.
    const QueriedState& queried() const { return queried_; }
    const MessageState& messages() const { return messages_; }
    bool arrived() const { return arrived_; }
    bool answerOpen() const { return answerOpen_; }
    // A failed allocation of a replay array ("Not enough memory." and the window closes).
    bool outOfMemory() const { return outOfMemory_; }

    const std::vector<AnswerSnapshot>& answers() const { return answers_; }
    const std::vector<MessageEpochRecord>& messageEpochs() const { return epochs_; }
    const dgps::RunningClock& clock() const { return clock_; }
    int lineCount() const { return lineNumber_; }
    // The log gave the window something to show.
    bool hasData() const { return !answers_.empty() || !epochs_.empty(); }

    // The answer parser alone: true when the line belongs to an answer. `first` is the line
    // right after STATUS (the only one whose TYPE is read).
    static bool parseAnswerLine(std::string_view text, bool first, QueriedState& state);

private:
    void dispatchSentence(std::string_view text);
    void completeAnswer();
    void messageSentence(std::string_view text);
    void corrections(FieldScanner& f, int type);
    void usedSatellites(std::string_view text, int system);
    void residuals(std::string_view text, int system);
    void signalToNoise(std::string_view text, int system);
    void freezeEpoch();
    template <class T> void append(std::vector<T>& v, T&& item);

    bool keepReplay_ = false;
    bool checksum_ = true;
    int lineNumber_ = 0;
    dgps::RunningClock clock_;
    std::optional<double> lastPositionTime_;

    QueriedState queried_;
    bool arrived_ = false;
    bool answerOpen_ = false;
    bool expectSync_ = false;
    bool changed_ = false;
    int answerLine_ = 0;
    std::vector<std::size_t> untimedAnswers_; // completed before any position sentence

    MessageState messages_;
    bool epochOpen_ = false;
    MessageEpochRecord current_; // the open message epoch (headers and time)
    std::optional<int> previousSequence_;
    std::array<std::array<int, 12>, 2> gsaOrder_{};

    std::vector<AnswerSnapshot> answers_;
    std::vector<MessageEpochRecord> epochs_;
    bool outOfMemory_ = false;
    int shownAnswer_ = -2;
    int shownEpoch_ = -2;
    dgps::EpochTimeline timeline_;
};

} // namespace trix::rtcm
