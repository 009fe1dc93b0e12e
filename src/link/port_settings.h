#pragma once
// The port settings record passed around the link layer, the tables that turn its indices
// into line settings, the baud lists of the settings dialog and the "Com Set" text form.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace trix::link {

class SerialPort;

inline constexpr std::array<long, 10> kBaudRates{300,  600,   1200,  2400,  4800,
                                                 9600, 19200, 38400, 57600, 115200};
inline constexpr std::array<char, 5> kParityLetters{'N', 'O', 'E', 'M', 'S'};
inline constexpr std::array<int, 3> kDataBits{8, 7, 6};
inline constexpr std::array<int, 2> kStopBits{1, 2};

struct PortSettings {
    int baud = 5;     // index into kBaudRates
    int parity = 0;   // index into kParityLetters
    int dataBits = 0; // index into kDataBits
    int stopBits = 0; // index into kStopBits
    int dtrDsr = 0;
    int rtsCts = 1;
    int xonXoff = 0;

    long baudRate() const;
    char parityLetter() const;
    int dataBitCount() const;
    int stopBitCount() const;
    bool valid() const;
    friend bool operator==(const PortSettings&, const PortSettings&) = default;
};

// The profile's default: 9600 baud, 8N1, RTS/CTS only.
inline constexpr PortSettings kDefaultPortSettings{5, 0, 0, 0, 0, 1, 0};
// "Default Com setting" of the connection dialog: the same without any handshaking.
inline constexpr PortSettings kPlainPortSettings{5, 0, 0, 0, 0, 0, 0};

// Baud lists of the settings dialog: baud indices ending with -1.
inline constexpr std::array<int, 11> kFullBaudList{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1};
inline constexpr std::array<int, 7> kRestrictedBaudList{2, 4, 5, 6, 8, 9, -1};
// The list offered for a receiver model: the restricted one for "RX-09" and "RX08".
const int* baudListFor(int modelIndex);
// The list position the dialog selects for a baud index: its entry, else the last one.
int baudListSelection(const int* list, int baudIndex);

// "Com Set" text: the seven integers in record order, comma-separated.
std::string formatComSet(const PortSettings& s);
// Reads the text form; nothing when a value is missing, not a number or out of its range.
std::optional<PortSettings> parseComSet(std::string_view text);

// Applies the line settings and the three handshaking modes to an open port; the first
// failure's status, else 0. Handshaking modes are all applied even when one fails.
int applySettings(SerialPort& port, const PortSettings& s);

// The index of a baud rate in kBaudRates, or -1.
int baudIndexOf(long baud);

} // namespace trix::link
