// trixlog analyze: index a log file, run the accuracy analysis over it as "Activate analysis"
// does for a viewed file, and print the statistical summary.

#include "command.h"

#include "decode/models.h"
#include "base/strings.h"
#include "base/text.h"
#include "logs/log_naming.h"
#include "logs/scratch_dir.h"
#include "logs/static_position.h"
#include "logs/stream_sink.h"
#include "logs/viewed_log.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage = "usage: trixlog analyze LOG [--truth LAT,LON,ALT] "
                               "[--outlier-limit M] [--write-outliers] [--model N]\n";

void help() {
    std::printf(
        "%s\n"
        "Indexes LOG, analyses every position in it and prints the statistical summary that the\n"
        "summary file receives (distances in metres, coordinates as degrees and minutes).\n\n"
        "  --truth LAT,LON,ALT  reference \"vs Truth\": signed degrees and metres (without it\n"
        "                       the reference is the first position: \"Average over time\")\n"
        "  --outlier-limit M    horizontal error in metres above which an epoch is an outlier\n"
        "                       (0 to 10000; 0, the default, counts none)\n"
        "  --write-outliers     write the summary/outlier file LOG.sum beside the log (only\n"
        "                       with --truth and a limit above 0)\n"
        "  --model N            decode as receiver model index N (1 to 21)\n",
        kUsage);
}

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

// A number and nothing else: digits with an optional sign, point and exponent.
bool strictReal(std::string_view text, double& v) {
    bool digit = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        char c = text[k];
        if (c >= '0' && c <= '9')
            digit = true;
        else if ((c == '-' || c == '+') && (k == 0 || text[k - 1] == 'e' || text[k - 1] == 'E'))
            continue;
        else if (c != '.' && c != 'e' && c != 'E')
            return false;
    }
    v = trix::parseReal(text);
    return digit && std::isfinite(v);
}

int run(int argc, char** argv) {
    std::string path;
    int model = -1;
    bool truth = false;
    bool writeOutliers = false;
    trix::GeoPoint known{};
    double limit = 0.0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            help();
            return 0;
        }
        if (a == "--model") {
            double v = 0;
            if (++i >= argc || !strictReal(argv[i], v) || v != std::floor(v) || v < 1 ||
                v >= trix::kModelCount)
                return usage();
            model = static_cast<int>(v);
        } else if (a == "--truth") {
            if (++i >= argc)
                return usage();
            std::string_view t = argv[i];
            auto c1 = t.find(',');
            auto c2 = c1 == std::string_view::npos ? c1 : t.find(',', c1 + 1);
            if (c2 == std::string_view::npos || t.find(',', c2 + 1) != std::string_view::npos)
                return usage();
            if (!strictReal(t.substr(0, c1), known.lat) ||
                !strictReal(t.substr(c1 + 1, c2 - c1 - 1), known.lon) ||
                !strictReal(t.substr(c2 + 1), known.alt) || !trix::inRange(known.lat, -90, 90) ||
                !trix::inRange(known.lon, -180, 180))
                return usage();
            truth = true;
        } else if (a == "--outlier-limit") {
            if (++i >= argc || !strictReal(argv[i], limit))
                return usage();
        } else if (a == "--write-outliers") {
            writeOutliers = true;
        } else if (!a.empty() && a[0] == '-') {
            return usage();
        } else if (path.empty()) {
            path = a;
        } else {
            return usage();
        }
    }
    if (path.empty())
        return usage();

    trix::logs::StaticPositionInput input;
    input.mode =
        truth ? trix::logs::ReferenceMode::VsTruth : trix::logs::ReferenceMode::AverageOverTime;
    input.outlierLimit = limit;
    input.altitude = known.alt;
    if (const char* refused = trix::logs::validateStaticPosition(input)) {
        std::fprintf(stderr, "%s\n", refused);
        return usage();
    }

    trix::logs::StreamSink sink(stderr);
    trix::UnitSelection units;
    units.distance = 4;
    units.altitude = 0;
    units.coordinateFormat = 1;
    trix::logs::ScratchDirectory scratch;
    trix::logs::ViewedLog log(sink, units);
    log.indexer.setErrorListDirectory(scratch.path());
    if (!log.open(path, model)) {
        if (!sink.wasShown(trix::cformat(trix::str::kFileNotOpened, path.c_str())) &&
            !sink.wasShown(trix::str::kNoEpochs))
            std::fprintf(stderr, "%s\n", trix::str::kNoEpochs);
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
    std::fwrite(out.data(), 1, out.size(), stdout);
    int rc = 0;
    if (settings.writeOutlierFile()) {
        if (log.statistics.summaryPath().empty() || sink.wasShown(trix::str::kErrorWritingLog) ||
            sink.wasShown(
                trix::cformat(trix::str::kFileNotOpened, log.statistics.summaryFileName().c_str())))
            rc = 1;
        else
            std::fprintf(stderr, "trixlog: summary file %s\n",
                         log.statistics.summaryPath().c_str());
    } else if (writeOutliers) {
        std::fprintf(stderr, "trixlog: no outlier file: it needs --truth and an outlier limit "
                             "above 0\n");
    }
    if (trix::logs::fileExists(log.indexer.errorListPath()))
        std::fprintf(stderr, "trixlog: errors found while indexing are listed in %s\n",
                     log.indexer.errorListPath().c_str());
    return std::fflush(stdout) == 0 ? rc : 1;
}

const trixlog::Registration reg{
    {"analyze", "index a log file and print its accuracy statistics", run}};

} // namespace
