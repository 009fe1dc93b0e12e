#pragma once
// Viewing a recorded log file: the indexing pass that decodes every line into the epoch
// history, the analysis pass that feeds the position sentences to the statistics, and
// "Load epoch".

#include "base/ui.h"
#include "decode/epoch_decoder.h"
#include "decode/hooks.h"
#include "logs/line_reader.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace trix::logs {

class Statistics;

inline constexpr int kMaxIndexedEpochs = 65536;
inline constexpr const char* kErrorListName = "~err.txt";

// The progress window: a title, then percentages 0 to 100.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void begin(std::string_view /*title*/) {}
    virtual void progress(int /*percent*/) {}
    virtual void end() {}
};

// Receives every line of the file during the first indexing attempt (CR LF cut off); the
// RTCM and RTK windows listen.
class LineListener {
public:
    virtual ~LineListener() = default;
    virtual void indexedLine(std::string_view sentence) = 0;
};

// The data windows learn whether the file gave them anything.
class IndexEvents {
public:
    virtual ~IndexEvents() = default;
    virtual void noData() {}
    virtual void dataLoaded() {}
};

class LogIndexer : public IndexingHook {
public:
    LogIndexer(EpochDecoder& decoder, MessageSink& messages);
    ~LogIndexer() override;
    LogIndexer(const LogIndexer&) = delete;
    LogIndexer& operator=(const LogIndexer&) = delete;

    void setProgress(ProgressSink* progress) { progress_ = progress; }
    void setEvents(IndexEvents* events) { events_ = events; }
    void setStatistics(Statistics* statistics) { statistics_ = statistics; }
    void addLineListener(LineListener* listener);
    void removeLineListener(LineListener* listener);
    // The folder of the error list (the "Logging directory", ending with '/').
    void setErrorListDirectory(std::string directory);
    std::string errorListPath() const { return errorDir_ + kErrorListName; }

    // Prepares the decoder for viewing `path` (viewing capacities, model from the file name or
    // `modelIndex` when it is not negative) and runs the indexing pass. Returns success.
    bool viewLogFile(const std::string& path, int modelIndex = -1);
    // "Index log file": the indexing pass while no epoch is indexed, else the analysis pass.
    bool indexLogFile(const std::string& path);
    bool indexingPass(const std::string& path);
    bool analysisPass();
    // Copies the history entry at the write position into the current epoch.
    void loadEpoch();

    const std::string& logPath() const { return path_; }
    // The user asked to see the error list (the caller opens it).
    bool errorListRequested() const { return showErrors_; }
    int lineNumber() const { return lineNumber_; }
    // The file holds more epochs than the history: indexing (and the analysis after it)
    // stopped at epoch kMaxIndexedEpochs. cappedText() is the warning the user was given.
    bool capped() const { return capped_; }
    // The last pass could not open or read its file (the user has been told why).
    bool openFailed() const { return openFailed_; }
    std::string cappedText() const;

    // IndexingHook
    void checksumFailed() override;

private:
    enum class LineResult { Skipped, Handled };
    bool runAttempt(int attempt);
    void handleLine(std::string_view sentence, SentenceCode code);
    bool learnLine(std::string_view sentence, SentenceCode code, bool& rewindNeeded);
    void relearn(std::string_view sentence);
    void completeEpoch();
    void writeError(const std::string& text);
    void reportProgress();
    void reserveHistory();
    void notOpened(const std::string& path, int error);
    bool moreEpochsFollow();

    EpochDecoder& decoder_;
    MessageSink& messages_;
    ProgressSink* progress_ = nullptr;
    IndexEvents* events_ = nullptr;
    Statistics* statistics_ = nullptr;
    std::vector<LineListener*> listeners_;
    std::string errorDir_;
    std::string path_;
    LineReader reader_;

    std::FILE* errors_ = nullptr;
    bool errorsWritten_ = false;
    bool showErrors_ = false;
    bool listErrors_ = false; // checksum failures are listed (not while learning)
    int lineNumber_ = 0;
    bool capped_ = false;
    bool openFailed_ = false;
    std::uint64_t indexedBytes_ = 0; // how far a capped file was indexed
    int lastPercent_ = -1;
    std::uint64_t listenedUpTo_ = 0; // bytes already passed to the line listeners
    bool firmwareTaken_ = false;
    bool relearning_ = false;     // learning again in the middle of the file: no rewind
    std::uint8_t cycleTypes_ = 0; // NMEA types seen since the last position sentence
};

} // namespace trix::logs
