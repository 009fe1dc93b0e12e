#pragma once
// What the RTCM corrections window shows: the receiver's answer to the RTC query, the headers
// of the RTCM messages it repeats, the base positions and texts, and the correction tables.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace trix::rtcm {

// The RTCM message types the window reads, in slot order.
inline constexpr std::array<int, 7> kMessageTypes{1, 2, 3, 16, 31, 32, 36};
// Slot of a message type; -1 for a type the window does not read.
int slotOfType(long type);

// A correction table holds every satellite of its system.
inline constexpr std::size_t kTableCapacity = 32;
// Replay arrays hold at most this many entries each.
inline constexpr std::size_t kReplayCapacity = 65536;

// The fields of the answer to the RTC query, and the base texts; each empty until received.
struct QueriedState {
    std::optional<std::string> mode;
    std::optional<char> sync;
    std::optional<int> type;
    std::optional<int> stationId;
    std::optional<int> stationHealth;
    std::optional<double> age;
    std::optional<double> quality;
    std::optional<int> offset;
    std::optional<std::string> baseLatitude;
    std::optional<std::string> baseLongitude;
    std::optional<std::string> baseAltitude;
    std::optional<std::string> messageGps;
    std::optional<std::string> messageGlonass;
};

struct MessageHeader {
    int type = 0;
    int stationId = 0;
    double zCount = 0.0;
    int stationHealth = 0;
    int sequence = 0;
    char mark = ' '; // '*' when the sequence continues the previous message's
};

struct BasePosition {
    int stationId = 0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline constexpr std::array<const char*, 2> kSystemNames{"WGS-84", "PZ-90"};

struct Correction {
    int sv = 0;
    std::optional<int> scaleUre; // scale and user range error, the group's first field
    std::optional<double> prc;
    std::optional<double> rrc;
    std::optional<int> iod;
    std::optional<double> deltaPrc; // type 2
    std::optional<double> deltaRrc;
    std::optional<double> rangeResidual; // GRS
    std::optional<double> snr;           // GSN
};

class CorrectionTable {
public:
    // The entry of satellite `sv`, entered in the first free place; nullptr when the table is
    // full.
    Correction* enter(int sv);
    Correction* find(int sv);
    const std::vector<Correction>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

private:
    std::vector<Correction> entries_;
};

enum class System { Gps = 0, Glonass = 1 };

// Everything the message sentences give for one message epoch.
struct MessageState {
    std::array<std::optional<MessageHeader>, kMessageTypes.size()> headers;
    std::array<std::optional<BasePosition>, 2> bases; // WGS-84, PZ-90
    std::array<CorrectionTable, 2> tables;            // GPS, GLONASS
    void clearEpoch() {
        headers = {};
        bases = {};
        tables[0].clear();
        tables[1].clear();
    }
};

// One completed answer, kept for replay.
struct AnswerSnapshot {
    int line = 0;                  // the STATUS line (or the one-line answer)
    std::optional<double> time;    // hhmmss.ss of the position sentence it belongs to
    std::optional<double> running; // the same on the running clock
    QueriedState state;
};

// One message epoch, frozen when the next begins or the file has been read.
struct MessageEpochRecord {
    int line = 0; // the epoch's first message
    double time = 0.0;
    double running = 0.0;
    MessageState messages;
    std::optional<std::string> messageGps;
    std::optional<std::string> messageGlonass;
};

} // namespace trix::rtcm
