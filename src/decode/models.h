#pragma once
// The receiver model table and the model- and firmware-dependent scales.

#include <array>
#include <string>
#include <string_view>

namespace trix {

enum class EpochKind { None, Nmea, PosSat, PosSatCsn, Attitude };

// What a receiver model can do and how it talks; the code asks these, never model numbers.
struct ModelCapabilities {
    bool nmea = false;        // plain NMEA sentences (GGA, GSV, GSA, VTG) instead of POS/SAT
    bool yqn = false;         // the $PYQN protocol with its own query set
    bool csn = false;         // signal-to-noise answers (TAG query) and the L2 column
    bool attitude = false;    // antenna and attitude outputs (SA4, AT2)
    bool baseline = false;    // answers the baseline query (CBN)
    bool vector = false;      // the VEC output
    bool noMsgOutput = false; // has neither the MSG nor the GSN output
    bool noGrsOutput = false; // has neither the GRS nor the GSN output
    bool fewBauds = false;    // the restricted baud-rate list
    bool resetTo4800 = false; // comes back from a reset at 4800 baud (9600 otherwise)
    bool wideGlonass = false; // GLONASS numbered 33 to 99 and SBAS from 100 (SBAS 33 to 64)
    bool noRtk = false;       // no RTK data window
};

struct ModelInfo {
    const char* code;        // names log and summary files, matched against log file names
    const char* displayName; // shown in titles and messages
    EpochKind epoch;
    ModelCapabilities can;
};

inline constexpr int kModelCount = 22;
inline constexpr int kModelNone = 0;
inline constexpr int kModelUnknown = 1;
inline constexpr int kModelAttitude = 17;

extern const std::array<ModelInfo, kModelCount> kModels;

// Out-of-range indices give the row of index 0.
const ModelInfo& modelInfo(int index);

// The capabilities of a model index (none for an index out of range).
inline const ModelCapabilities& modelCan(int index) {
    return modelInfo(index).can;
}
inline bool isNmeaModel(int index) {
    return modelCan(index).nmea;
}
inline bool hasCsn(int index) {
    return modelCan(index).csn;
}

// Model index recognised from a log file path: the name without directory and extension,
// lower-cased, compared by its first four characters with the codes of indices 2 to 19.
// No match gives 1.
int modelFromFileName(std::string_view path);

struct Scales {
    float speed = 1.0f;
    float vertical = 0.0f; // 0: not known yet; the next position answer detects it
};

// Scales for a model and its four-character firmware version (compared bytewise, unsigned).
Scales scalesFor(int modelIndex, std::string_view firmware);

} // namespace trix
