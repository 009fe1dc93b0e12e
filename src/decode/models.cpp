#include "decode/models.h"

#include "base/text.h"

#include <cstring>

namespace trix {

const std::array<ModelInfo, kModelCount> kModels{{
    {"none", "None", EpochKind::None, {}},
    {"unkn", "Unknown", EpochKind::Nmea, {.nmea = true}},
    {"r19_", "ZELP Reciever", EpochKind::PosSat, {.yqn = true}},
    {"r18_", "RX-18", EpochKind::PosSat, {.noRtk = true}},
    {"rx17", "RX-17", EpochKind::PosSatCsn, {.csn = true, .baseline = true}},
    {"rx16a", "RX-16", EpochKind::PosSat, {.noMsgOutput = true}},
    {"rx15a", "RX-15", EpochKind::PosSat, {.noMsgOutput = true}},
    {"rx14a", "RX-14", EpochKind::PosSat, {.noMsgOutput = true}},
    {"rx13", "RX-13", EpochKind::PosSat, {}},
    {"r12_", "RX-12", EpochKind::PosSat, {}},
    {"rx11", "RX-11", EpochKind::PosSat, {}},
    {"r10_", "RX-10", EpochKind::PosSat, {.resetTo4800 = true}},
    {"r09_",
     "RX-09",
     EpochKind::PosSat,
     {.noGrsOutput = true, .fewBauds = true, .resetTo4800 = true}},
    {"rx08",
     "RX08",
     EpochKind::PosSat,
     {.noGrsOutput = true, .fewBauds = true, .resetTo4800 = true}},
    {"r07_", "RX-07", EpochKind::PosSat, {}},
    {"rx06", "RX-06", EpochKind::PosSat, {.wideGlonass = true}},
    {"rx05", "RX-05", EpochKind::PosSat, {.vector = true, .wideGlonass = true}},
    {"r04_", "RX-04", EpochKind::Attitude, {.attitude = true}},
    {"r03_", "RX-03", EpochKind::PosSatCsn, {.csn = true, .baseline = true}},
    {"r02_", "RX-02", EpochKind::Nmea, {.nmea = true, .baseline = true}},
    {"rx01Pls", "RX-01", EpochKind::PosSat, {}},
    {"Rx00Plus", "RX-00 Antenna", EpochKind::PosSat, {}},
}};

const ModelInfo& modelInfo(int index) {
    if (index < 0 || index >= kModelCount)
        index = 0;
    return kModels[static_cast<std::size_t>(index)];
}

int modelFromFileName(std::string_view path) {
    std::size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    std::string lower = asciiLower(name);
    if (lower.size() < 4)
        return kModelUnknown;
    for (int i = 2; i <= 19; ++i) {
        if (std::strncmp(lower.c_str(), kModels[static_cast<std::size_t>(i)].code, 4) == 0)
            return i;
    }
    return kModelUnknown;
}

namespace {

// Compares two firmware versions as four unsigned bytes, left to right; a shorter text
// is padded with zero bytes.
int compareFirmware(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < 4; ++i) {
        unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
        unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

} // namespace

Scales scalesFor(int model, std::string_view fw) {
    Scales s;
    switch (model) {
    case 3:
    case 10:
        s.vertical = 10.0f;
        break;
    case 11:
        s.vertical = 10.0f;
        s.speed = 0.53996f;
        break;
    case 9:
        s.vertical = 1.0f;
        break;
    case 14:
        if (compareFirmware(fw, "QF30") >= 0 && compareFirmware(fw, "QH30") <= 0)
            s.vertical = 10.0f;
        break;
    case 16:
        if (compareFirmware(fw, "QF30") == 0)
            s.vertical = 1.0f;
        break;
    case 17:
        s.vertical =
            (compareFirmware(fw, "VR50") >= 0 && compareFirmware(fw, "VR64") < 0) ? 1.0f : 10.0f;
        break;
    default:
        break;
    }
    return s;
}

} // namespace trix
