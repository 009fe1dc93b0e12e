#pragma once
// One recorded log file open for viewing: the decoder with viewing capacities, its statistics
// and its indexer, wired together as "View log file" wires them.

#include "decode/epoch_decoder.h"
#include "base/ui.h"
#include "logs/log_indexer.h"
#include "logs/statistics.h"

#include <string>

namespace trix::logs {

class ViewedLog {
public:
    explicit ViewedLog(MessageSink& messages, UnitSelection units = {});

    // Indexes the file (model from its name unless `modelIndex` is not negative).
    bool open(const std::string& path, int modelIndex = -1);
    // "Activate analysis" on the viewed file, after the "Static Position Data" dialog: the
    // statistics are reset, the file is analysed and, in "vs Truth" mode, the stored
    // departures are moved to the known position.
    void startAnalysis(const AnalysisSettings& settings);
    // Ends the analysis: a summary file still open receives its summary.
    void stopAnalysis();

    EpochDecoder decoder;
    Statistics statistics;
    LogIndexer indexer;
};

// Moves every stored departure by the shift of the reference from `oldReference` to the
// decoder's reference (east and north) and recomputes the largest horizontal departure.
void shiftHistoryDepartures(EpochDecoder& decoder, const GeoPoint& oldReference);

} // namespace trix::logs
