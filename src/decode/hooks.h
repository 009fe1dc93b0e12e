#pragma once
// The small interfaces through which the decoder reaches the rest of the program: the
// change sink, the accuracy statistics, the log session, the port and the log-file indexer.
// Each is optional; a decoder with none of them decodes into its own state only.

#include <string_view>

namespace trix {

class EpochDecoder;

// Position-window hints ("what changed") carried with an epoch notification.
namespace hint {
inline constexpr int kEverything = 0;
inline constexpr int kFullRepaint = 1;
inline constexpr int kPlot = 0x2;
inline constexpr int kPanel = 0x4;
inline constexpr int kText = 0x8;
} // namespace hint

// What the decoder reports when its state changed: one mask of these bits. The low bits are the
// position hints above; the application decides which windows hear of which change.
namespace change {
// The position hints a position window is given with the change.
inline constexpr int kHintBits = 0xF;
// An epoch was completed or shown, or the epoch state was reset (then with
// hint::kFullRepaint).
inline constexpr int kEpoch = 0x10;
// A position sentence of an NMEA epoch was decoded; the hint bits say which part changed.
inline constexpr int kPosition = 0x20;
// A satellite sentence of an NMEA epoch was decoded.
inline constexpr int kSatellites = 0x40;
// The signal-to-noise answer was decoded.
inline constexpr int kSignals = 0x80;
// The sentence set of an NMEA receiver was learned: what shows it must be redrawn completely.
inline constexpr int kSentenceSet = 0x100;
// The current epoch was converted to new units: what shows it must be redrawn completely.
inline constexpr int kUnits = 0x200;
// The display update is held back: the epochs come faster than five a second.
inline constexpr int kHeld = 0x1000;
// The epochs come from a log file being viewed.
inline constexpr int kViewing = 0x2000;
} // namespace change

// Where the decoder reports its changes.
class ChangeSink {
public:
    virtual ~ChangeSink() = default;
    // `mask` is a combination of change:: bits.
    virtual void changed(int mask) = 0;
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
