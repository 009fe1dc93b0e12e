#pragma once
// The single object that decodes sentences into the current epoch, assembles epochs by
// receiver model and keeps the epoch history.

#include "base/ui.h"
#include "decode/fields.h"
#include "decode/framing.h"
#include "decode/geo.h"
#include "decode/hooks.h"
#include "decode/models.h"
#include "decode/records.h"
#include "decode/units.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trix {

// The three limit controls of the decoders; all on when the program starts.
struct LimitSettings {
    bool checksum = true;
    bool altitude = true;
    bool velocity = true;
};

// NMEA sentence type bits of the seen/expected masks.
namespace nmeabit {
inline constexpr std::uint8_t kGSA = 1;
inline constexpr std::uint8_t kGSV = 2;
inline constexpr std::uint8_t kGGA = 4;
inline constexpr std::uint8_t kVTG = 8;
} // namespace nmeabit

std::uint8_t nmeaTypeBit(SentenceCode code); // 0 for other codes

inline constexpr int kLiveCapacity = 8192;
inline constexpr int kViewCapacity = 65536;
inline constexpr int kGrowStep = 8192;
inline constexpr double kReferenceNotSet = 100.0;

// The past epochs, indexed by one ring position.
struct EpochHistory {
    std::vector<DeparturePoint> departures;
    std::vector<SkyPlotRecord> skyPlots;
    // Only while a log file is viewed:
    std::vector<PositionRecord> positions;
    std::vector<SatelliteRecord> satellites;
    std::array<std::vector<AntennaRecord>, 4> antennas; // attitude receiver only
    std::vector<AttitudeRecord> attitudes;              // attitude receiver only
    int writePosition = -1;                             // -1: empty
    int oldestPosition = 0;

    bool empty() const { return writePosition < 0; }
    void clear();
};

// Where the decoder reaches the rest of the program; any of them may be absent.
struct DecoderHooks {
    MessageSink* messages = nullptr;
    ChangeSink* changes = nullptr;
    AnalysisHook* analysis = nullptr;
    LogSessionHook* logSession = nullptr;
    PortHook* port = nullptr;
    IndexingHook* indexing = nullptr;
};

class EpochDecoder {
public:
    using Hooks = DecoderHooks;

    // A new decoder: empty history, reference not set, display updates on; it resets its epoch
    // state and builds its handler table for the model index given.
    explicit EpochDecoder(int modelIndex = kModelNone, Hooks hooks = {});

    // --- settings in force -------------------------------------------------------------
    void setHooks(const Hooks& hooks) { hooks_ = hooks; }
    Hooks& hooks() { return hooks_; }
    int modelIndex() const { return model_; }
    // The handler table is not rebuilt here; call setupHandlers() when it must follow.
    void setModelIndex(int index) { model_ = index; }
    // A recorded log file open for viewing: live sentences are ignored, the ring holds 65536.
    bool viewing() const { return viewing_; }
    void setViewing(bool on) { viewing_ = on; }
    LimitSettings& limits() { return limits_; }
    const LimitSettings& limits() const { return limits_; }
    const UnitSelection& units() const { return units_; }
    // Sets the unit indices without converting anything (settings loaded at start).
    void setUnits(const UnitSelection& u) { units_ = u; }
    // Changes the altitude, speed and vertical-speed units: the current epoch is converted in
    // place; history records keep the units they were decoded in.
    void changeUnits(int altitude, int speed, int verticalSpeed);

    // --- entries --------------------------------------------------------------------------
    // A live framed sentence (without CR LF). Ignored while the model index is 0 or a log file
    // is viewed.
    void handleSentence(std::string_view sentence);
    // Builds the handler table for the current model (forceDefault: POS, SAT whatever it is).
    void setupHandlers(bool forceDefault);
    void resetEpochState();
    void storeEpoch();
    // Reports a completed or shown epoch (`first`: the epoch state was reset, draw afresh).
    void reportEpoch(bool first);

    // --- for the log-file indexer, which assembles by table position -----------------------
    int handlerCount() const { return handlerCount_; }
    SentenceCode handlerCode(int position) const;
    // Runs the handler of `code` on the sentence; false when it fails or there is none.
    bool runHandler(SentenceCode code, std::string_view sentence);
    bool learning() const { return learning_; }
    enum class LearnResult { Ignored, Appended, Continue, Finished };
    // One step of NMEA learning for a sentence whose handler has run (`counted`: it counted
    // itself). Finished: the table has been built from the learned codes.
    LearnResult learn(SentenceCode code, bool counted);
    const std::vector<SentenceCode>& learnedCodes() const { return learned_; }
    void forgetLearnedCodes();
    int sentencesReceived() const { return received_; }
    void setSentencesReceived(int n) { received_ = n; }
    int sentencesPerEpoch() const { return perEpoch_; }
    // Sets the scales from an identification or from a log file's first position answer.
    void setScalesForFirmware(std::string_view firmware);
    void setVerticalScaleUnknown() { scales_.vertical = 0.0f; }
    const Scales& scales() const { return scales_; }
    // The log-file split check of the proprietary (nmea false) or NMEA assembly.
    void logSplitCheck(bool nmea);
    void displayThrottle(double newTime);
    int capacity() const { return viewing_ ? kViewCapacity : kLiveCapacity; }

    // --- the current epoch and its derived values --------------------------------------------
    PositionRecord pos;
    SatelliteRecord sat;
    std::array<AntennaRecord, 4> sa4{};
    AttitudeRecord at2;
    GeoPoint position; // signed, metres
    GeoPoint reference{kReferenceNotSet, 0.0, 0.0};
    Departure departure;
    double largestHorizontalSquared = 0.0;
    bool noPosition = false;

    bool referenceSet() const { return reference.lat <= 90.0; }
    // The departure of the current position from the reference, recomputed.
    void recomputeDeparture();

    EpochHistory history;

    // Counters and flags other layers read and keep.
    int epochsCompleted = 0;
    int epochsInLogFile = 0;
    int incompleteEpochs = 0;
    double analysisStartTime = 0.0;
    double epochInterval = 0.0;
    double previousPositionTime = 0.0;
    float accumulatedInterval = 1.0f;
    bool displayUpdate = true;
    bool movieRunning = false;
    bool nmeaTag = true;
    bool logIndexed = false;
    bool logHasRtcm = false;
    bool logHasRtk = false;
    std::uint8_t expectedMask = 0;
    std::uint8_t seenMask = 0;
    std::uint8_t previousSeenMask = 255;

private:
    using Handler = bool (EpochDecoder::*)(std::string_view);
    Handler handlerFor(SentenceCode code) const;
    void appendHandler(SentenceCode code);
    void beginEpoch(double time, bool proprietary);
    bool repeatsEpoch(double time);
    // NoPosition: the empty-position case, already counted.
    enum class LatLon { Position, NoPosition, Bad };
    LatLon readLatLon(FieldScanner& f);
    void finishPosition(double metres, bool attitudeStep);
    void count() { ++received_; }
    void relearn();
    bool checksum(std::string_view s, bool proprietary);
    void proprietaryAssembly(std::string_view s, SentenceCode code);
    void nmeaAssembly(std::string_view s, SentenceCode code);
    void epochComplete(bool nmea);
    // Reports `mask`, with the display state (held back, viewing) added.
    void report(int mask);
    void showMessage(const char* text);

    bool handleGGA(std::string_view s);
    bool handleGSA(std::string_view s);
    bool handleGSV(std::string_view s);
    bool handleVTG(std::string_view s);
    bool handlePOS(std::string_view s);
    bool handleSAT(std::string_view s);
    bool handleAT2(std::string_view s);
    bool handleSA4(std::string_view s);
    bool handleCSN(std::string_view s);
    void handleTag(std::string_view s);

    Hooks hooks_;
    int model_ = kModelNone;
    bool viewing_ = false;
    LimitSettings limits_;
    UnitSelection units_;
    Scales scales_;

    std::array<SentenceCode, 4> table_{};
    int handlerCount_ = 0;
    int received_ = 0;
    int perEpoch_ = 0;
    bool learning_ = false;
    std::vector<SentenceCode> learned_;
    // A time has been set in the current epoch: a zeroed record is never a repeat.
    bool epochOpen_ = false;
    // The last position sentence repeated the epoch's time.
    bool lastWasRepeat_ = false;
    // The NMEA epoch of the current cycle has been completed.
    bool cycleCompleted_ = false;
};

} // namespace trix
