#pragma once
// The log session: everything the receiver sends is written, byte for byte, into log files
// named from the model code and a running number, cut into several files by the auto-save,
// multiple-recording and 65536-epoch rules.

#include "base/ui.h"
#include "decode/hooks.h"
#include "logs/disk_space.h"
#include "logs/log_settings.h"
#include "logs/timer_host.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trix {
class EpochDecoder;
}

namespace trix::logs {

// Timer ids of the main frame used by log sessions.
inline constexpr int kTimerRecording = 12; // auto-save by minutes, or end of one recording
inline constexpr int kTimerPeriod = 13;    // multiple recording: start of the next recording
inline constexpr int kMaxEpochsPerFile = 65536;

// What the recorder tells the program around it. Every method has a default, so a caller
// overrides only what it shows.
class RecorderEvents {
public:
    virtual ~RecorderEvents() = default;
    // The session must stop: carry out "Perform log session" later, outside the current call.
    // Without an events object the recorder stops the session itself once the call ends.
    virtual void postPerformLogSession() {}
    // The file name, byte count or session state changed (the epoch counter window refreshes;
    // `show` asks it to be shown when it is not open).
    virtual void logFileChanged(bool /*show*/) {}
    // The session began or ended (status bar, RTCM and RTK windows).
    virtual void sessionStarted() {}
    virtual void sessionEnded() {}
};

class LogRecorder : public LogSessionHook {
public:
    LogRecorder(MessageSink& messages, TimerHost& timers, RecorderEvents* events = nullptr);
    ~LogRecorder() override;
    LogRecorder(const LogRecorder&) = delete;
    LogRecorder& operator=(const LogRecorder&) = delete;

    // --- settings and collaborators --------------------------------------------------------
    const LogSettings& settings() const { return settings_; }
    // Takes the settings; a changed directory re-reads the disk space.
    void setSettings(const LogSettings& settings);
    // The decoder whose model code names the files and whose epochs-in-file count is kept.
    void setDecoder(EpochDecoder* decoder) { decoder_ = decoder; }
    // Model index used when no decoder is set.
    void setModelIndex(int index) { modelIndex_ = index; }
    int modelIndex() const;
    // Asked whether a summary file is open (then the byte count is not reset per file).
    void setSummaryOpenQuery(std::function<bool()> query) { summaryOpen_ = std::move(query); }
    DiskSpace& disk() { return disk_; }
    const DiskSpace& disk() const { return disk_; }

    // --- the session ---------------------------------------------------------------------------
    // "Perform log session": starts a session when none runs, else stops it.
    void performLogSession();
    // Starts the timers of the mode and opens the first file; false when it did not start.
    bool startSession();
    void stopSession();
    bool sessionRunning() const { return sessionRunning_; }

    // Flips the active flag, then nextLogFile(true).
    void toggleLogging();
    // Closes the current file and, while the session is active, opens the next one.
    void nextLogFile(bool toggle);
    // One received byte, before framing.
    void writeLogByte(std::uint8_t byte);
    void writeLogBytes(std::string_view bytes);
    // Pushes buffered bytes to the disk (they are also pushed at every line end); false on a
    // write error, which is handled as for writeLogByte.
    bool flush();
    // A timer of kTimerRecording or kTimerPeriod expired.
    void timerFired(int id);

    // --- state for the windows ---------------------------------------------------------------
    const std::string& fileName() const { return fileName_; } // empty while no file is open
    double bytesWritten() const { return bytesWritten_; }
    bool fileOpen() const { return fd_ >= 0; }
    // Files closed without one byte in them, and therefore removed.
    int emptyFilesRemoved() const { return emptyFilesRemoved_; }

    // --- LogSessionHook ------------------------------------------------------------------------
    bool active() const override { return active_; }
    int autoSaveEpochs() const override;
    void splitFile() override;

private:
    bool openNext();
    bool closeFile(); // false when the file could not be written out or closed
    bool writePending();
    void dropIfEmpty();
    void postStop();
    void finishCall();

    MessageSink& messages_;
    TimerHost& timers_;
    RecorderEvents* events_;
    EpochDecoder* decoder_ = nullptr;
    int modelIndex_ = 0;
    std::function<bool()> summaryOpen_;
    LogSettings settings_;
    DiskSpace disk_;

    bool sessionRunning_ = false;
    bool active_ = false;
    bool periodTimer_ = false; // timer 13 runs (multiple recording)
    int fd_ = -1;
    std::string fileName_;
    double bytesWritten_ = 0.0;
    std::vector<char> pending_; // bytes taken but not yet on the disk
    bool fileHasData_ = false;  // a byte of the current file reached the disk
    bool inWriteError_ = false;
    int emptyFilesRemoved_ = 0;
    int callDepth_ = 0;
    bool stopPosted_ = false;
};

} // namespace trix::logs
