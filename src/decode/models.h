#pragma once
// The receiver model table and the model- and firmware-dependent scales.

#include <array>
#include <string>
#include <string_view>

namespace trix {

enum class EpochKind { None, Nmea, PosSat, PosSatCsn, Attitude };

struct ModelInfo {
    const char* code;        // names log and summary files, matched against log file names
    const char* displayName; // shown in titles and messages
    EpochKind epoch;
};

inline constexpr int kModelCount = 22;
inline constexpr int kModelNone = 0;
inline constexpr int kModelUnknown = 1;
inline constexpr int kModelAttitude = 17;

extern const std::array<ModelInfo, kModelCount> kModels;

// Out-of-range indices give the row of index 0.
const ModelInfo& modelInfo(int index);

inline bool isNmeaModel(int index) {
    return index == 1 || index == 19;
}
inline bool hasCsn(int index) {
    return index == 4 || index == 18;
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
