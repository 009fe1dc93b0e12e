#pragma once
// The small interfaces through which the decoder reaches the rest of the program: the
// windows, the accuracy statistics, the log session, the port and the log-file indexer.
// Each is optional; a decoder with none of them decodes into its own state only.

#include <string_view>

namespace trix {

class EpochDecoder;

enum class DataWindow { SkyChart, Position, Panel, EpochCounter, Rtcm, Rtk, Plot };

// Position-window hints ("what changed") carried with an epoch notification.
namespace hint {
inline constexpr int kEverything = 0;
inline constexpr int kFullRepaint = 1;
inline constexpr int kPlot = 0x2;
inline constexpr int kPanel = 0x4;
inline constexpr int kText = 0x8;
} // namespace hint

class WindowSink {
public:
    virtual ~WindowSink() = default;
    // A new epoch (or a part of one) for one window, with the hint for the position window.
    virtual void epoch(DataWindow window, int hint) = 0;
    // The window must be redrawn completely (the sentence set of an NMEA receiver was learned).
    virtual void redrawAll(DataWindow window) = 0;
};

class AnalysisHook {
public:
    virtual ~AnalysisHook() = default;
    virtual bool active() const = 0;
    // Active and in "vs Truth" mode: the known position is the reference.
    virtual bool truthIsReference() const = 0;
    virtual int analysedEpochs() const = 0;
    // Position finishing during an analysis: one more analysed epoch from the decoder's current
    // epoch and departure; with `attitude` (position answer of the attitude receiver) the
    // attitude step runs too.
    virtual void accumulate(const EpochDecoder& decoder, bool attitude) = 0;
    // Called after every sentence the decoder handled (live or from a log file).
    virtual void afterSentence(std::string_view sentence, bool live) = 0;
    // The epoch state was reset: an open summary file is finished when no analysis runs.
    virtual void epochStateReset() = 0;
};

class LogSessionHook {
public:
    virtual ~LogSessionHook() = default;
    virtual bool active() const = 0;
    // N when the session is in single recording with auto-save counted in epochs, else 0.
    virtual int autoSaveEpochs() const = 0;
    // Close the current log file and go on in the next one.
    virtual void splitFile() = 0;
};

class PortHook {
public:
    virtual ~PortHook() = default;
    virtual bool portOpen() const = 0;
    // A query written straight to the port, with CR LF, no checksum and no echo.
    virtual void writeQuery(std::string_view text) = 0;
};

class IndexingHook {
public:
    virtual ~IndexingHook() = default;
    // A sentence of the log file being read failed its checksum.
    virtual void checksumFailed() = 0;
};

} // namespace trix
