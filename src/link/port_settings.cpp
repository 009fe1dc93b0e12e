#include "link/port_settings.h"

#include "base/text.h"
#include "decode/models.h"
#include "link/serial_port.h"

#include <algorithm>
#include <vector>

namespace trix::link {

namespace {
template <typename Table> bool indexIn(int i, const Table& t) {
    return i >= 0 && i < static_cast<int>(t.size());
}
} // namespace

long PortSettings::baudRate() const {
    return indexIn(baud, kBaudRates) ? kBaudRates[baud] : 0;
}
char PortSettings::parityLetter() const {
    return indexIn(parity, kParityLetters) ? kParityLetters[parity] : '?';
}
int PortSettings::dataBitCount() const {
    return indexIn(dataBits, kDataBits) ? kDataBits[dataBits] : 0;
}
int PortSettings::stopBitCount() const {
    return indexIn(stopBits, kStopBits) ? kStopBits[stopBits] : 0;
}

bool PortSettings::valid() const {
    auto flag = [](int v) { return v == 0 || v == 1; };
    return indexIn(baud, kBaudRates) && indexIn(parity, kParityLetters) &&
           indexIn(dataBits, kDataBits) && indexIn(stopBits, kStopBits) && flag(dtrDsr) &&
           flag(rtsCts) && flag(xonXoff);
}

const int* baudListFor(int modelIndex) {
    return modelCan(modelIndex).fewBauds ? kRestrictedBaudList.data() : kFullBaudList.data();
}

int baudListSelection(const int* list, int baudIndex) {
    int i = 0;
    for (; list[i] != -1; ++i) {
        if (list[i] == baudIndex)
            return i;
    }
    return i > 0 ? i - 1 : 0;
}

std::string formatComSet(const PortSettings& s) {
    return cformat("%d,%d,%d,%d,%d,%d,%d", s.baud, s.parity, s.dataBits, s.stopBits, s.dtrDsr,
                   s.rtsCts, s.xonXoff);
}

std::optional<PortSettings> parseComSet(std::string_view text) {
    std::vector<int> values;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        std::string_view field = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
            field.remove_prefix(1);
        while (!field.empty() && (field.back() == ' ' || field.back() == '\t' ||
                                  field.back() == '\r' || field.back() == '\n'))
            field.remove_suffix(1);
        std::string_view digits = field;
        if (!digits.empty() && digits.front() == '-')
            digits.remove_prefix(1);
        if (digits.empty() ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        values.push_back(static_cast<int>(parseInteger(field)));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (values.size() != 7)
        return std::nullopt;
    PortSettings s{values[0], values[1], values[2], values[3], values[4], values[5], values[6]};
    if (!s.valid())
        return std::nullopt;
    return s;
}

int applySettings(SerialPort& port, const PortSettings& s) {
    int rc = port.setLine(s.baudRate(), s.parityLetter(), s.dataBitCount(), s.stopBitCount());
    if (rc < 0)
        return rc;
    int first = 0;
    for (int r : {port.setRtsCts(s.rtsCts != 0), port.setDtrDsr(s.dtrDsr != 0),
                  port.setXonXoff(s.xonXoff != 0)}) {
        if (r < 0 && first == 0)
            first = r;
    }
    return first;
}

int baudIndexOf(long baud) {
    auto it = std::find(kBaudRates.begin(), kBaudRates.end(), baud);
    return it == kBaudRates.end() ? -1 : static_cast<int>(it - kBaudRates.begin());
}

} // namespace trix::link
