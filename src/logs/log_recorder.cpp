#include "logs/log_recorder.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "decode/models.h"
#include "logs/log_naming.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace trix::logs {

namespace {
// Bytes are pushed to the disk at every line end and at least every this many bytes, so a
// crash loses at most an unfinished line.
constexpr std::size_t kFlushThreshold = 4096;
constexpr long long kMinute = 60000;
} // namespace

// Posting "Perform log session" from inside a call must not tear the session down under the
// caller; without an events object the stop is carried out when the outermost call returns.
class CallScope {
public:
    explicit CallScope(LogRecorder& r, int& depth, bool& posted, RecorderEvents* events)
        : r_(r), depth_(depth), posted_(posted), events_(events) {
        ++depth_;
    }
    ~CallScope() {
        if (--depth_ == 0 && posted_ && !events_) {
            posted_ = false;
            if (r_.sessionRunning())
                r_.stopSession();
        }
    }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    LogRecorder& r_;
    int& depth_;
    bool& posted_;
    RecorderEvents* events_;
};

LogRecorder::LogRecorder(MessageSink& messages, TimerHost& timers, RecorderEvents* events)
    : messages_(messages), timers_(timers), events_(events) {}

LogRecorder::~LogRecorder() {
    if (fd_ >= 0) {
        writePending();
        ::close(fd_);
        dropIfEmpty();
    }
}

void LogRecorder::setSettings(const LogSettings& settings) {
    bool dirChanged = settings.directory != settings_.directory;
    settings_ = settings;
    if (!settings_.directory.empty() && settings_.directory.back() != '/')
        settings_.directory += '/';
    if (dirChanged)
        disk_.refresh(settings_.directory);
}

int LogRecorder::modelIndex() const {
    return decoder_ ? decoder_->modelIndex() : modelIndex_;
}

int LogRecorder::autoSaveEpochs() const {
    if (sessionRunning_ && settings_.mode == RecordMode::Single &&
        settings_.autoSaveUnit == AutoSaveUnit::Epochs)
        return settings_.autoSaveCount;
    return 0;
}

void LogRecorder::splitFile() {
    CallScope scope(*this, callDepth_, stopPosted_, events_);
    nextLogFile(false);
}

void LogRecorder::performLogSession() {
    CallScope scope(*this, callDepth_, stopPosted_, events_);
    if (sessionRunning_)
        stopSession();
    else
        startSession();
}

bool LogRecorder::startSession() {
    CallScope scope(*this, callDepth_, stopPosted_, events_);
    if (sessionRunning_)
        return active_;
    periodTimer_ = false;
    if (settings_.mode == RecordMode::Multiple) {
        if (settings_.durationMinutes > 0 &&
            !timers_.start(kTimerRecording, settings_.durationMinutes * kMinute)) {
            messages_.show(str::kOutOfTimers, Buttons::Ok, Icon::Stop);
            return false;
        }
        if (settings_.periodMinutes > 0) {
            if (!timers_.start(kTimerPeriod, settings_.periodMinutes * kMinute)) {
                timers_.kill(kTimerRecording);
                messages_.show(str::kOutOfTimers, Buttons::Ok, Icon::Stop);
                return false;
            }
            periodTimer_ = true;
        }
    } else if (settings_.autoSaveUnit == AutoSaveUnit::Minutes && settings_.autoSaveCount > 0) {
        if (!timers_.start(kTimerRecording, settings_.autoSaveCount * kMinute)) {
            messages_.show(str::kOutOfTimers, Buttons::Ok, Icon::Stop);
            return false;
        }
    }
    sessionRunning_ = true;
    stopPosted_ = false;
    if (!active_)
        toggleLogging();
    if (events_)
        events_->sessionStarted();
    return active_ && fileOpen();
}

void LogRecorder::stopSession() {
    CallScope scope(*this, callDepth_, stopPosted_, events_);
    timers_.kill(kTimerRecording);
    timers_.kill(kTimerPeriod);
    periodTimer_ = false;
    if (active_)
        toggleLogging();
    bool wasRunning = sessionRunning_;
    sessionRunning_ = false;
    stopPosted_ = false;
    if (wasRunning && events_)
        events_->sessionEnded();
}

void LogRecorder::toggleLogging() {
    CallScope scope(*this, callDepth_, stopPosted_, events_);
    active_ = !active_;
    nextLogFile(true);
}

void LogRecorder::postStop() {
    stopPosted_ = true;
    if (events_)
        events_->postPerformLogSession();
}

void LogRecorder::nextLogFile(bool toggle) {
    CallScope scope(*this, callDepth_, stopPosted_, events_);
    if (fd_ >= 0) {
        bool closed = closeFile();
        fileName_.clear();
        if (events_)
            events_->logFileChanged(false);
        if (!closed) {
            if (!toggle)
                postStop();
            messages_.show(str::kDiskFull, Buttons::Ok, Icon::Stop);
            // After a split or a write error the session ends; a recording that goes on (a new
            // period) needs its next file at once, or every byte until the next period is lost.
            if (!toggle)
                return;
        }
    }
    if (!active_)
        return;
    if (modelIndex() == kModelNone) {
        postStop();
        return;
    }
    openNext();
}

bool LogRecorder::openNext() {
    if (decoder_)
        decoder_->epochsInLogFile = 0;
    if (!(summaryOpen_ && summaryOpen_()))
        bytesWritten_ = 0.0;
    std::string name =
        nextNumberedFileName(settings_.directory, modelInfo(modelIndex()).code, ".log");
    // O_EXCL: a file that appeared since the directory was listed is never emptied.
    int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        messages_.show(cformat(str::kFileNotOpened, name.c_str()), Buttons::Ok, Icon::Stop);
        postStop();
        return false;
    }
    fd_ = fd;
    fileName_ = name;
    fileHasData_ = false;
    if (events_)
        events_->logFileChanged(true);
    return true;
}

bool LogRecorder::writePending() {
    std::size_t done = 0;
    bool ok = true;
    while (done < pending_.size()) {
        ssize_t n = ::write(fd_, pending_.data() + done, pending_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
        fileHasData_ = true;
    }
    // Bytes that did not reach the disk stay pending and go to the next file.
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(done));
    return ok;
}

bool LogRecorder::closeFile() {
    bool ok = writePending();
    if (::close(fd_) != 0)
        ok = false;
    fd_ = -1;
    dropIfEmpty();
    return ok;
}

// A file that never received a byte (a silent receiver, a full disk) is no recording: it is
// removed rather than left behind as an empty log.
void LogRecorder::dropIfEmpty() {
    if (fileHasData_ || fileName_.empty())
        return;
    ::unlink(fileName_.c_str());
    ++emptyFilesRemoved_;
}

void LogRecorder::writeLogByte(std::uint8_t byte) {
    // Between two recordings (or after a file could not be opened) nothing is recorded.
    if (!active_ || fd_ < 0)
        return;
    CallScope scope(*this, callDepth_, stopPosted_, events_);
    bytesWritten_ += 1.0;
    disk_.consume(1.0);
    pending_.push_back(static_cast<char>(byte));
    if (byte == '\n' || pending_.size() >= kFlushThreshold)
        flush();
}

void LogRecorder::writeLogBytes(std::string_view bytes) {
    for (char c : bytes)
        writeLogByte(static_cast<std::uint8_t>(c));
}

bool LogRecorder::flush() {
    CallScope scope(*this, callDepth_, stopPosted_, events_);
    if (fd_ < 0 || pending_.empty())
        return true;
    bool freshFile = !fileHasData_;
    if (writePending())
        return true;
    messages_.show(str::kErrorWritingLog, Buttons::Ok, Icon::Stop);
    // The failing file keeps every byte that reached it; the rest stays pending.
    ::close(fd_);
    fd_ = -1;
    dropIfEmpty();
    fileName_.clear();
    if (events_)
        events_->logFileChanged(false);
    if (freshFile) {
        // Not one byte reached a brand-new file: the disk is full. Opening file after empty
        // file would only litter the directory, so the session ends here.
        messages_.show(str::kDiskFull, Buttons::Ok, Icon::Stop);
        postStop();
        return false;
    }
    nextLogFile(false);
    if (fd_ >= 0 && !pending_.empty())
        flush();
    return false;
}

void LogRecorder::timerFired(int id) {
    CallScope scope(*this, callDepth_, stopPosted_, events_);
    if (!sessionRunning_)
        return;
    if (id == kTimerRecording) {
        if (periodTimer_) {
            // The recording duration is over; the next period starts the next recording.
            timers_.kill(kTimerRecording);
            if (active_)
                toggleLogging();
        } else if (active_) {
            toggleLogging();
            toggleLogging();
        }
    } else if (id == kTimerPeriod) {
        if (active_)
            nextLogFile(true);
        else
            toggleLogging();
        if (settings_.durationMinutes > 0)
            timers_.start(kTimerRecording, settings_.durationMinutes * kMinute);
    }
}

} // namespace trix::logs
