// trixlog analyze: index a log file, run the accuracy analysis over it as "Activate analysis"
// does for a viewed file, and print the statistical summary.

#include "command.h"
#include "options.h"
#include "output.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"
#include "logs/log_naming.h"
#include "logs/scratch_dir.h"
#include "logs/static_position.h"
#include "logs/stream_sink.h"
#include "logs/viewed_log.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage = "usage: trixlog analyze LOG [--truth LAT,LON,ALT] "
                               "[--outlier-limit M] [--write-outliers] [--model N]\n";

void help() {
    std::printf(
        "%s\n"
        "Indexes LOG, analyses every position in it and prints the statistical summary that the\n"
        "summary file receives (distances in metres, coordinates as degrees and minutes).\n"
        "Without --truth (\"Average over time\") CEP and the 95 %% figures are not computed\n"
        "and print as 0; the file keeps its layout so that its readers find every line.\n\n"
        "  --truth LAT,LON,ALT  reference \"vs Truth\": signed degrees and metres (without it\n"
        "                       the reference is the first position: \"Average over time\")\n"
        "  --outlier-limit M    horizontal error in metres above which an epoch is an outlier\n"
        "                       (0 to 10000; 0, the default, counts none)\n"
        "  --write-outliers     write the summary/outlier file beside the log: the log's name\n"
        "                       with its .log extension replaced by .sum (LOG.sum for a name\n"
        "                       without it), the case kept; only with --truth and a limit\n"
        "                       above 0\n"
        "  --model N            decode as receiver model index N (1 to 21)\n",
        kUsage);
}

bool readTruth(std::string_view t, trix::GeoPoint& known) {
    auto c1 = t.find(',');
    auto c2 = c1 == std::string_view::npos ? c1 : t.find(',', c1 + 1);
    if (c2 == std::string_view::npos || t.find(',', c2 + 1) != std::string_view::npos)
        return false;
    return trixlog::readReal(t.substr(0, c1), known.lat) &&
           trixlog::readReal(t.substr(c1 + 1, c2 - c1 - 1), known.lon) &&
           trixlog::readReal(t.substr(c2 + 1), known.alt) && trix::inRange(known.lat, -90, 90) &&
           trix::inRange(known.lon, -180, 180);
}

int run(int argc, char** argv) {
    std::string path;
    long model = -1;
    bool truth = false;
    bool writeOutliers = false;
    trix::GeoPoint known{};
    double limit = 0.0;
    trixlog::OptionParser options(kUsage, help);
    options.number("--model", 1, trix::kModelCount - 1, model);
    options.value("--truth", [&](std::string_view v) { return truth = readTruth(v, known); });
    options.real("--outlier-limit", limit);
    options.flag("--write-outliers", writeOutliers);
    options.positional({&path}, 1);
    if (int rc = options.parse(argc, argv); rc >= 0)
        return rc;

    trix::logs::StaticPositionInput input;
    input.mode =
        truth ? trix::logs::ReferenceMode::VsTruth : trix::logs::ReferenceMode::AverageOverTime;
    input.outlierLimit = limit;
    input.altitude = known.alt;
    if (const char* refused = trix::logs::validateStaticPosition(input)) {
        std::fprintf(stderr, "%s\n", refused);
        return options.usageError();
    }

    trix::logs::StreamSink sink(stderr);
    trix::UnitSelection units;
    units.distance = 4;
    units.altitude = 0;
    units.coordinateFormat = 1;
    trix::logs::ScratchDirectory scratch;
    trix::logs::ViewedLog log(sink, units);
    log.indexer.setErrorListDirectory(scratch.path());
    if (!log.open(path, static_cast<int>(model))) {
        if (!log.indexer.openFailed() && !sink.wasShown(trix::str::kNoEpochs))
            std::fprintf(stderr, "%s\n", trix::str::kNoEpochs);
        trixlog::reportIndexingErrors(log.indexer);
        return 1;
    }

    trix::logs::AnalysisSettings settings;
    settings.mode = input.mode;
    settings.known = known;
    settings.outlierLimit = limit;
    settings.writeOutlierBox = writeOutliers;
    log.startAnalysis(settings);

    std::string out;
    for (const auto& line : log.statistics.lastSummary())
        out += line + '\n';
    trixlog::writeOut(out);
    int rc = 0;
    if (settings.writeOutlierFile()) {
        if (log.statistics.summaryFailed() || log.statistics.summaryPath().empty())
            rc = 1;
        else
            std::fprintf(stderr, "trixlog: summary file %s\n",
                         log.statistics.summaryPath().c_str());
    } else if (writeOutliers) {
        std::fprintf(stderr, "trixlog: no outlier file: it needs --truth and an outlier limit "
                             "above 0\n");
    }
    trixlog::reportIndexingErrors(log.indexer);
    return trixlog::finishOutput(rc);
}

const trixlog::Registration reg{
    {"analyze", "index a log file and print its accuracy statistics", run}};

} // namespace
