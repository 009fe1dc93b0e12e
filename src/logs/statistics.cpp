#include "logs/statistics.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/geo.h"
#include "decode/models.h"
#include "decode/units.h"
#include "logs/disk_space.h"
#include "logs/log_naming.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>

namespace trix::logs {

double runningMean(double mean, double x, int n) {
    return n < 2 ? x : ((n - 1) * mean + x) / n;
}

void updateRunningStat(RunningStat& s, double x, int n) {
    s.mean = runningMean(s.mean, x, n);
    s.meanSquare = runningMean(s.meanSquare, x * x, n);
    // The difference of the two means can come out a hair below zero for a near-constant
    // series; its root would be NaN, so it is clamped at zero.
    double variance = s.meanSquare - s.mean * s.mean;
    s.sigma = n > 1 ? std::sqrt(variance > 0.0 ? variance : 0.0) * n / (n - 1) : 0.0;
}

void Histogram::rescale(double newWidth) {
    const auto old = counts;
    const double w = width;
    counts.fill(0);
    for (int i = 0; i < kHistogramBins; ++i) {
        std::uint32_t c = old[static_cast<std::size_t>(i)];
        if (c == 0)
            continue;
        double lo = i * w;
        auto a = static_cast<long>(lo / newWidth);
        auto b = static_cast<long>((lo + w) / newWidth);
        // The new bins are wider, so both indices lie inside; clamp all the same.
        a = std::min<long>(a, kHistogramBins - 1);
        b = std::min<long>(b, kHistogramBins - 1);
        if (a == b) {
            counts[static_cast<std::size_t>(a)] += c;
        } else {
            auto part = static_cast<std::uint32_t>((b * newWidth - lo) * c / w);
            if (part > c)
                part = c;
            counts[static_cast<std::size_t>(a)] += part;
            counts[static_cast<std::size_t>(b)] += c - part;
        }
    }
    width = newWidth;
}

void Histogram::add(double value) {
    if (value > kHistogramBins * width)
        rescale(value * 0.001 + kInitialBinWidth);
    double bin = value / width;
    int i = 0;
    if (bin >= kHistogramBins - 1)
        i = kHistogramBins - 1;
    else if (bin > 0.0)
        i = static_cast<int>(bin);
    ++counts[static_cast<std::size_t>(i)];
}

double Histogram::percentileBins(double p, int n) const {
    auto target = static_cast<long>(n * p);
    long sum = 0;
    for (int i = 0; i < kHistogramBins; ++i) {
        long c = counts[static_cast<std::size_t>(i)];
        sum += c;
        if (sum > target)
            return i + static_cast<double>(c - sum + target) / static_cast<double>(c);
    }
    return kHistogramBins;
}

Statistics::Statistics(EpochDecoder& decoder, MessageSink& messages)
    : decoder_(decoder), messages_(messages) {}

Statistics::~Statistics() {
    closeSummary();
}

void Statistics::resetAnalysis(bool openOutlierFile) {
    closeSummary();
    if (openOutlierFile && !file_)
        openSummaryFile();
    decoder_.position = GeoPoint{};
    decoder_.logIndexed = false;
    block_ = StatisticsBlock{};
}

void Statistics::accumulate(const EpochDecoder& decoder, bool attitude) {
    StatisticsBlock& b = block_;
    int n = ++b.analysed;
    b.meanLatitude = runningMean(b.meanLatitude, decoder.position.lat, n);
    b.meanLongitude = runningMean(b.meanLongitude, decoder.position.lon, n);
    b.meanAltitude = runningMean(b.meanAltitude, decoder.position.alt, n);
    const DeparturePoint& d = decoder.departure.dep;
    updateRunningStat(b.up, d.up, n);
    updateRunningStat(b.east, d.east, n);
    updateRunningStat(b.north, d.north, n);

    if (settings_.mode == ReferenceMode::VsTruth) {
        double h = std::sqrt(decoder.departure.horizontalSquared);
        if (settings_.outlierLimit > 0.0 && h > settings_.outlierLimit) {
            ++b.outliers;
            b.lastOutlier = n;
        }
        b.horizontal.add(h);
        b.cep = b.horizontal.percentileBins(0.5, n) * b.horizontal.width;
        b.horizontal95 = b.horizontal.percentileBins(0.95, n) * b.horizontal.width;
        double v = std::fabs(decoder.position.alt - settings_.known.alt);
        b.vertical.add(v);
        b.vertical95 = b.vertical.percentileBins(0.95, n) * b.vertical.width;
    }
    if (attitude && decoder.modelIndex() == kModelAttitude)
        attitudeStep(decoder.at2, n);
}

void Statistics::attitudeStep(const AttitudeRecord& at2, int /*n*/) {
    StatisticsBlock& b = block_;
    if (at2.resetFlag != 0) {
        ++b.badAttitude;
        return;
    }
    // The means are over the epochs whose attitude is valid; counting the bad ones in would
    // pull every mean towards zero.
    int g = ++b.goodAttitude;
    double heading = at2.heading >= 180.0f ? at2.heading - 360.0 : at2.heading;
    updateRunningStat(b.heading, heading, g);
    updateRunningStat(b.pitch, at2.pitch, g);
    updateRunningStat(b.roll, at2.roll, g);
    b.meanBrms = runningMean(b.meanBrms, at2.brms, g);
    b.meanMrms = runningMean(b.meanMrms, at2.mrms, g);
    b.meanHeading = b.heading.mean < 0.0 ? b.heading.mean + 360.0 : b.heading.mean;
}

std::string Statistics::summaryFileName() const {
    std::string log = logFile_ ? logFile_() : std::string();
    if (!log.empty())
        return summaryNameForLog(log);
    return nextNumberedFileName(directory_, modelInfo(decoder_.modelIndex()).code, ".sum");
}

namespace {

mode_t creationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool Statistics::refuseSummary(const std::string& name, const char* reason) {
    summaryFailed_ = true;
    messages_.show(cformat(str::kFileNotOpenedBecause, name.c_str(), reason), Buttons::Ok,
                   Icon::Stop);
    return false;
}

// The summary of a log replaces the earlier summary of the same log, but only once it is
// complete: it is written under a temporary name beside it and renamed at the end, so the
// file at the summary's name (which may be a link to the very log being read) is never opened,
// followed or cut.
std::FILE* Statistics::openReplacingSummary(const std::string& name, const std::string& log) {
    struct stat atName {};
    mode_t mode = creationMode();
    if (::lstat(name.c_str(), &atName) == 0) {
        struct stat logStat {};
        if (::stat(log.c_str(), &logStat) == 0 && logStat.st_dev == atName.st_dev &&
            logStat.st_ino == atName.st_ino) {
            refuseSummary(name, str::kSummaryIsTheLog);
            return nullptr;
        }
        if (!S_ISREG(atName.st_mode)) {
            refuseSummary(name, str::kSummaryNotRegular);
            return nullptr;
        }
        mode = atName.st_mode & 07777;
    }
    std::string pattern = name + ".XXXXXX";
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        refuseSummary(name, std::strerror(errno));
        return nullptr;
    }
    std::FILE* f = ::fchmod(fd, mode) == 0 ? ::fdopen(fd, "w+") : nullptr;
    if (!f) {
        const int reason = errno;
        ::close(fd);
        ::unlink(pattern.c_str());
        refuseSummary(name, std::strerror(reason));
        return nullptr;
    }
    pendingPath_ = pattern;
    return f;
}

bool Statistics::openSummaryFile() {
    if (file_)
        return true;
    summaryFailed_ = false;
    std::string log = logFile_ ? logFile_() : std::string();
    std::string name = summaryFileName();
    std::FILE* f = nullptr;
    if (!log.empty()) {
        if (!(f = openReplacingSummary(name, log)))
            return false;
    } else {
        // A numbered summary file never replaces an existing file.
        int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 && !(f = ::fdopen(fd, "w+")))
            ::close(fd);
        if (!f)
            return refuseSummary(name, std::strerror(errno));
    }
    file_ = f;
    summaryPath_ = name;
    writeFailed_ = false;
    writeHeader();
    return true;
}

bool Statistics::writeLine(const std::string& line) {
    if (!file_ || writeFailed_)
        return false;
    bool ok = std::fwrite(line.data(), 1, line.size(), file_) == line.size() &&
              std::fputc('\n', file_) != EOF && std::fflush(file_) == 0;
    if (disk_)
        disk_->consume(static_cast<double>(line.size() + 1));
    if (!ok) {
        writeFailed_ = true;
        summaryFailed_ = true;
        messages_.show(
            cformat(str::kErrorWritingSummary, summaryPath_.c_str(), std::strerror(errno)),
            Buttons::Ok, Icon::Stop);
    }
    return ok;
}

void Statistics::writeHeader() {
    const UnitSelection& u = decoder_.units();
    std::string log = logFile_ ? logFile_() : std::string();
    const GeoPoint& k = settings_.known;
    if (!writeLine(cformat(str::kOutlierFileFor, modelInfo(decoder_.modelIndex()).displayName)))
        return;
    if (!log.empty() && !writeLine(cformat(str::kAssociatedLogFile, log.c_str())))
        return;
    if (!writeLine(str::kTruthReference))
        return;
    if (!writeLine(cformat(str::kTruthLatitude, formatLatitude(k.lat, u.coordinateFormat).c_str())))
        return;
    if (!writeLine(
            cformat(str::kTruthLongitude, formatLongitude(k.lon, u.coordinateFormat).c_str())))
        return;
    if (!writeLine(cformat(str::kTruthAltitude, k.alt)))
        return;
    writeLine(cformat(str::kOutlierLimitHeader, settings_.outlierLimit));
}

std::array<AccuracyFigure, 10> accuracyFigures(const StatisticsBlock& b) {
    return {{{str::kCep, b.cep},
             {str::kHorizontalRms, std::sqrt(b.east.meanSquare + b.north.meanSquare)},
             {str::kEastRms, std::sqrt(b.east.meanSquare)},
             {str::kNorthRms, std::sqrt(b.north.meanSquare)},
             {str::kHorizontal95, b.horizontal95},
             {str::kVerticalRms, std::sqrt(b.up.meanSquare)},
             {str::kVertical95, b.vertical95},
             {str::kMeanEastError, b.east.mean},
             {str::kMeanNorthError, b.north.mean},
             {str::kMeanAltitudeError, b.up.mean}}};
}

std::vector<std::string> Statistics::summaryLines() const {
    const StatisticsBlock& b = block_;
    const UnitSelection& u = decoder_.units();
    const Unit& dist = distanceUnit(u.distance);
    const Unit& alt = altitudeUnit(u.altitude);
    std::vector<std::string> out;
    TimeParts start = splitTime(decoder_.analysisStartTime);
    TimeParts stop = splitTime(decoder_.pos.utcTime);
    out.push_back(cformat(str::kAnalysisStart, start.hours, start.minutes, start.seconds));
    out.push_back(cformat(str::kAnalysisStop, stop.hours, stop.minutes, stop.seconds));
    out.push_back(str::kStatisticalSummary);
    auto distance = [&](const char* label, double metres) {
        out.push_back(std::string(label) + cformat("  %.4lf %s", metres * dist.factor, dist.name));
    };
    for (const AccuracyFigure& f : accuracyFigures(b))
        distance(f.label, f.metres);
    out.push_back(std::string(str::kMeanLatitude) +
                  cformat("  %s", formatLatitude(b.meanLatitude, u.coordinateFormat).c_str()));
    out.push_back(std::string(str::kMeanLongitude) +
                  cformat("  %s", formatLongitude(b.meanLongitude, u.coordinateFormat).c_str()));
    out.push_back(std::string(str::kMeanAltitude) +
                  cformat("  %.4lf %s", b.meanAltitude * alt.factor, alt.name));
    distance(str::kOutlierLimit, settings_.outlierLimit);
    out.push_back(std::string(str::kOutliersNumber) +
                  cformat("  %ld points", static_cast<long>(b.outliers)));
    out.push_back(std::string(str::kOutliersPercent) +
                  cformat("  %.2lf%%", b.outliers * 100.0 / (b.analysed + 1e-5)));
    if (decoder_.modelIndex() == kModelAttitude) {
        auto line = [&](const char* label, const char* format, double v) {
            out.push_back(std::string(label) + cformat(format, v));
        };
        line(str::kHeadingSigma, "  %.4lf \u00b0", b.heading.sigma);
        line(str::kPitchSigma, "  %.4lf \u00b0", b.pitch.sigma);
        line(str::kRollSigma, "  %.4lf \u00b0", b.roll.sigma);
        line(str::kMeanHeading, "  %.3lf \u00b0", b.meanHeading);
        line(str::kMeanPitch, "  %.3lf \u00b0", b.pitch.mean);
        line(str::kMeanRoll, "  %.3lf \u00b0", b.roll.mean);
        line(str::kMeanBrms, "  %.2lf mm", b.meanBrms * 1000.0);
        line(str::kMeanMrms, "  %.2lf mm", b.meanMrms * 1000.0);
        out.push_back(std::string(str::kBadAttitude) +
                      cformat("  %ld", static_cast<long>(b.badAttitude)));
        line(str::kGoodAttitudePercent, "  %.2lf %%",
             100.0 - b.badAttitude * 100.0 / (b.analysed + 1e-5));
    }
    return out;
}

void Statistics::writeSummaryAndClose() {
    lastSummary_ = summaryLines();
    if (!file_)
        return;
    for (const auto& l : lastSummary_)
        if (!writeLine(l))
            break;
    closeSummary();
    if (summaryWritten_)
        summaryWritten_();
}

void Statistics::closeSummary() {
    if (!file_)
        return;
    bool closed = std::fclose(file_) == 0;
    const int reason = errno;
    file_ = nullptr;
    if (!closed) {
        summaryFailed_ = true;
        messages_.show(cformat(str::kErrorClosingFile, summaryPath_.c_str()) + " (" +
                           std::strerror(reason) + ")",
                       Buttons::Ok, Icon::Stop);
    }
    if (pendingPath_.empty())
        return;
    // A summary cut short by an error does not replace a good earlier one.
    if (writeFailed_ || !closed) {
        ::unlink(pendingPath_.c_str());
    } else if (::rename(pendingPath_.c_str(), summaryPath_.c_str()) != 0) {
        const int renameReason = errno;
        ::unlink(pendingPath_.c_str());
        summaryFailed_ = true;
        messages_.show(
            cformat(str::kErrorWritingSummary, summaryPath_.c_str(), std::strerror(renameReason)),
            Buttons::Ok, Icon::Stop);
    }
    pendingPath_.clear();
}

void Statistics::afterSentence(std::string_view sentence, bool live) {
    if (!file_)
        return;
    bool outlier = block_.lastOutlier >= 0 && block_.lastOutlier == block_.analysed;
    if (outlier || (live && sentence.find("R,RI") != std::string_view::npos))
        writeLine(std::string(sentence));
}

void Statistics::epochStateReset() {
    if (file_ && !active_)
        writeSummaryAndClose();
}

} // namespace trix::logs
