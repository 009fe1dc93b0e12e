#include "logs/viewed_log.h"

#include "decode/geo.h"

#include <algorithm>

namespace trix::logs {

ViewedLog::ViewedLog(MessageSink& messages, UnitSelection units)
    : decoder(kModelNone), statistics(decoder, messages), indexer(decoder, messages) {
    EpochDecoder::Hooks hooks;
    hooks.messages = &messages;
    hooks.analysis = &statistics;
    hooks.indexing = &indexer;
    decoder.setHooks(hooks);
    decoder.setUnits(units);
    indexer.setStatistics(&statistics);
    statistics.setLogFileQuery([this] { return indexer.logPath(); });
}

bool ViewedLog::open(const std::string& path, int modelIndex) {
    return indexer.viewLogFile(path, modelIndex);
}

void ViewedLog::startAnalysis(const AnalysisSettings& settings) {
    const GeoPoint oldReference = decoder.reference;
    statistics.setSettings(settings);
    if (settings.mode == ReferenceMode::VsTruth)
        decoder.reference = settings.known;
    statistics.setActive(true);
    statistics.resetAnalysis(settings.writeOutlierFile());
    if (decoder.viewing()) {
        indexer.analysisPass();
        if (settings.mode == ReferenceMode::VsTruth)
            shiftHistoryDepartures(decoder, oldReference);
    } else {
        decoder.resetEpochState();
    }
}

void ViewedLog::stopAnalysis() {
    statistics.setActive(false);
    statistics.epochStateReset();
}

void shiftHistoryDepartures(EpochDecoder& decoder, const GeoPoint& oldReference) {
    if (oldReference.lat > 90.0)
        return; // nothing was stored against a reference
    const Departure shift = computeDeparture(oldReference, decoder.reference);
    EpochHistory& h = decoder.history;
    double largest = 0.0;
    if (!h.empty()) {
        const int count = decoder.epochsCompleted < static_cast<int>(h.departures.size())
                              ? decoder.epochsCompleted
                              : static_cast<int>(h.departures.size());
        for (int i = 0; i < count; ++i) {
            DeparturePoint& d = h.departures[static_cast<std::size_t>(i)];
            d.east -= shift.dep.east;
            d.north -= shift.dep.north;
            largest = std::max(largest, static_cast<double>(d.east) * d.east +
                                            static_cast<double>(d.north) * d.north);
        }
    }
    decoder.largestHorizontalSquared = largest;
}

} // namespace trix::logs
