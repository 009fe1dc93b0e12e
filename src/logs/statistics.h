#pragma once
// The accuracy statistics of an analysis: running means and deviations of the departures,
// adaptive histograms with CEP and 95 % figures, outliers, the attitude figures of the
// four-antenna receiver, and the summary/outlier file.

#include "base/ui.h"
#include "decode/epoch_decoder.h"
#include "decode/hooks.h"
#include "decode/records.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace trix::logs {

class DiskSpace;

enum class ReferenceMode { AverageOverTime = 0, VsTruth = 1 };

// The values of the "Static Position Data" dialog.
struct AnalysisSettings {
    ReferenceMode mode = ReferenceMode::AverageOverTime;
    GeoPoint known{};          // signed degrees and metres
    double ring1 = 1.0;        // metres
    double ring2 = 2.0;        // metres
    double outlierLimit = 0.0; // metres; 0 counts no outliers
    bool writeOutlierBox = false;

    // The outlier file is written only in "vs Truth" mode with a limit to compare against.
    bool writeOutlierFile() const {
        return writeOutlierBox && mode == ReferenceMode::VsTruth && outlierLimit != 0.0;
    }
};

struct RunningStat {
    double mean = 0.0;
    double meanSquare = 0.0;
    double sigma = 0.0;
};

inline constexpr int kHistogramBins = 1000;
inline constexpr double kInitialBinWidth = 1e-8;

struct Histogram {
    double width = kInitialBinWidth;
    std::array<std::uint32_t, kHistogramBins> counts{};

    // Counts a value, first widening the bins when it lies beyond the last one.
    void add(double value);
    void rescale(double newWidth);
    // The value below which the fraction p of `n` values lies, in bins (1000 when the counts
    // never pass the target).
    double percentileBins(double p, int n) const;
};

struct StatisticsBlock {
    double cep = 0.0;
    double horizontal95 = 0.0;
    double vertical95 = 0.0;
    double meanLatitude = 0.0;
    double meanLongitude = 0.0;
    double meanAltitude = 0.0;
    RunningStat up, east, north;
    Histogram horizontal;
    Histogram vertical;
    // Attitude (four-antenna receiver).
    double meanHeading = 0.0; // 0 to 360
    RunningStat heading, pitch, roll;
    double meanBrms = 0.0;
    double meanMrms = 0.0;
    int badAttitude = 0;
    int goodAttitude = 0; // divisor of the attitude means
    // Counts.
    int analysed = 0; // n
    int outliers = 0;
    int lastOutlier = -1;
};

// The accuracy figures against the truth position, in metres, with their labels, in the order
// the summary file and the statistics table list them.
struct AccuracyFigure {
    const char* label;
    double metres;
};
std::array<AccuracyFigure, 10> accuracyFigures(const StatisticsBlock& b);

// Running mean with n the count after its increase.
double runningMean(double mean, double x, int n);
// One more value for a mean / mean-of-squares / deviation triple of n values.
void updateRunningStat(RunningStat& s, double x, int n);

class Statistics : public AnalysisHook {
public:
    Statistics(EpochDecoder& decoder, MessageSink& messages);
    ~Statistics() override;
    Statistics(const Statistics&) = delete;
    Statistics& operator=(const Statistics&) = delete;

    // --- settings -------------------------------------------------------------------------------
    const AnalysisSettings& settings() const { return settings_; }
    void setSettings(const AnalysisSettings& s) { settings_ = s; }
    bool isActive() const { return active_; }
    void setActive(bool on) { active_ = on; }
    // The folder of numbered summary files (the "Logging directory").
    void setDirectory(std::string directory) { directory_ = std::move(directory); }
    // The current log file (viewed or being recorded); empty when there is none.
    void setLogFileQuery(std::function<std::string()> query) { logFile_ = std::move(query); }
    // Told when a summary has been written (the epoch counter shows the file's state).
    void setSummaryWritten(std::function<void()> done) { summaryWritten_ = std::move(done); }
    // Lines written are taken off this free-space count.
    void setDiskSpace(DiskSpace* disk) { disk_ = disk; }

    // --- the analysis ---------------------------------------------------------------------------
    const StatisticsBlock& block() const { return block_; }
    // Clears the block; an open summary file is closed without summary; with `openOutlierFile`
    // a new summary/outlier file is opened and its header written.
    void resetAnalysis(bool openOutlierFile);
    void accumulate(const EpochDecoder& decoder, bool attitude) override;
    void setLastOutlier(int index) { block_.lastOutlier = index; }

    // --- the summary/outlier file ---------------------------------------------------------------
    bool summaryOpen() const { return file_ != nullptr; }
    // The last summary file could not be opened, written, closed or put in place (the user
    // has been told why).
    bool summaryFailed() const { return summaryFailed_; }
    const std::string& summaryPath() const { return summaryPath_; }
    // The name a new summary file gets now.
    std::string summaryFileName() const;
    bool openSummaryFile();
    // The summary lines as the file receives them (each line without its line feed).
    std::vector<std::string> summaryLines() const;
    // Appends the summary to the open file and closes it. The lines are kept (lastSummary())
    // whether a file was open or not.
    void writeSummaryAndClose();
    const std::vector<std::string>& lastSummary() const { return lastSummary_; }
    void closeSummary();
    // One line through the line writer (line feed added, free space lowered); false once a
    // write has failed.
    bool writeLine(const std::string& line);

    // --- AnalysisHook ---------------------------------------------------------------------------
    bool active() const override { return active_; }
    bool truthIsReference() const override {
        return active_ && settings_.mode == ReferenceMode::VsTruth;
    }
    int analysedEpochs() const override { return block_.analysed; }
    void afterSentence(std::string_view sentence, bool live) override;
    void epochStateReset() override;

private:
    void writeHeader();
    bool refuseSummary(const std::string& name, const char* reason);
    std::FILE* openReplacingSummary(const std::string& name, const std::string& log);
    void attitudeStep(const AttitudeRecord& at2, int n);

    EpochDecoder& decoder_;
    MessageSink& messages_;
    AnalysisSettings settings_;
    bool active_ = false;
    std::string directory_;
    std::function<std::string()> logFile_;
    std::function<void()> summaryWritten_;
    DiskSpace* disk_ = nullptr;
    StatisticsBlock block_;

    std::FILE* file_ = nullptr;
    std::string summaryPath_;
    bool writeFailed_ = false;
    bool summaryFailed_ = false;
    std::string pendingPath_; // the summary being written, renamed to summaryPath_ when closed
    std::vector<std::string> lastSummary_;
};

} // namespace trix::logs
