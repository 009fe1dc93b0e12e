// trixlog series: the parameter series of the data plotting window of a log file, one CSV line
// each with the statistics the window's grid shows.

#include "command.h"
#include "options.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"
#include "logs/scratch_dir.h"
#include "logs/stream_sink.h"
#include "logs/viewed_log.h"
#include "views/plot/series.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kUsage = "usage: trixlog series LOG [--model N]\n";

constexpr const char* kHelp =
    "Indexes LOG as \"View log file\" does, builds the series of the data plotting\n"
    "window and prints one CSV line per built series:\n"
    "  parameter,unit,current,max,min,mean,rms\n"
    "\"current\" is the value at the last epoch; a value that cannot be computed\n"
    "is printed as nan. Departures are in metres from the first position.\n\n"
    "  --model N   decode as receiver model index N (1 to 21) instead of the model\n"
    "              recognised from the file name\n";

void appendValue(std::string& out, bool computed, double v) {
    out += ',';
    if (computed)
        trix::appendFixed(out, v, 4);
    else
        out += "nan";
}

int run(int argc, char** argv) {
    std::string path;
    long model = -1;
    trixlog::OptionParser options(kUsage, kHelp);
    options.number("--model", 1, trix::kModelCount - 1, model);
    options.positional({&path}, 1);
    if (int rc = options.parse(argc, argv); rc >= 0)
        return rc;
    if (!trixlog::named(path))
        return options.usageError();

    trix::logs::StreamSink sink(stderr);
    trix::UnitSelection units;
    units.distance = 4;
    units.verticalSpeed = 3;
    trix::logs::ScratchDirectory scratch;
    trix::logs::ViewedLog log(sink, units);
    log.indexer.setErrorListDirectory(scratch.path());
    if (!log.open(path, static_cast<int>(model))) {
        if (!sink.wasShown(trix::cformat(trix::str::kFileNotOpened, path.c_str())) &&
            !sink.wasShown(trix::str::kNoEpochs))
            std::fprintf(stderr, "%s\n", trix::str::kNoEpochs);
        return 1;
    }

    const trix::plot::SeriesSet set = trix::plot::buildSeries(log.decoder);
    std::string out = "parameter,unit,current,max,min,mean,rms\n";
    for (int i = 0; i < trix::plot::kSeriesCount; ++i) {
        if (!set.exists[static_cast<std::size_t>(i)])
            continue;
        const trix::plot::Series& s = set.series[static_cast<std::size_t>(i)];
        const int last = s.count - 1;
        out += s.name;
        out += ',';
        out += s.unit;
        appendValue(out, s.valid(last), last >= 0 ? s.values[static_cast<std::size_t>(last)] : 0.0);
        appendValue(out, s.computed(), s.maximum);
        appendValue(out, s.computed(), s.minimum);
        appendValue(out, s.computed(), s.mean);
        appendValue(out, s.computed(), s.spread);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const trixlog::Registration reg{
    {"series", "print the data plotting series of a log file with their statistics", run}};

} // namespace
