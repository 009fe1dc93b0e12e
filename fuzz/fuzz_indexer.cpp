// Indexes arbitrary bytes as a log file of several receiver models, then runs the analysis
// pass over it and steps through the epochs found.

#include "decode/models.h"
#include "base/ui.h"
#include "logs/playback.h"
#include "logs/scratch_dir.h"
#include "logs/viewed_log.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

struct NoTimers : trix::logs::TimerHost {
    bool start(int, long long) override { return true; }
    void kill(int) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static trix::logs::ScratchDirectory scratch;
    static const std::string path = scratch.path() + "fuzz.log";
    if (size == 0)
        return 0;
    static constexpr int kModels[] = {1, 3, 4, 17, 19, 21};
    const int model = kModels[data[0] % 6];
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);

    trix::SilentSink sink(trix::Answer::No);
    trix::logs::ViewedLog log(sink);
    log.indexer.setErrorListDirectory(scratch.path());
    if (log.open(path, model)) {
        trix::logs::AnalysisSettings settings;
        settings.mode = trix::logs::ReferenceMode::VsTruth;
        settings.known = {48.1, 11.5, 500.0};
        settings.outlierLimit = 1.0;
        log.startAnalysis(settings);
        NoTimers timers;
        trix::logs::Playback play(log.decoder, log.indexer, sink, timers);
        play.scroll(trix::logs::ScrollAction::Bottom);
        play.scroll(trix::logs::ScrollAction::PageLeft);
        play.startMovie();
        play.movieTick();
        play.stopMovie();
    }
    ::unlink((scratch.path() + "~err.txt").c_str());
    ::unlink(path.c_str());
    return 0;
}
