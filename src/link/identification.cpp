#include "link/identification.h"

#include <array>

namespace trix::link {
namespace {

struct IdRow {
    const char* code;
    bool prefix; // compare the whole beginning (else the first two characters)
    int model;
};

// "Y6" is decided separately: its fourth and fifth characters tell RX-10 from RX-09.
constexpr std::array kIdentification{
    IdRow{"R09_", true, 12}, IdRow{"RX08", true, 13}, IdRow{"GNSS", true, 5},
    IdRow{"K7", false, 7},   IdRow{"M4", false, 5},   IdRow{"V2", false, 19},
    IdRow{"W5", false, 6},   IdRow{"T8", false, 8},   IdRow{"J3", false, 8},
    IdRow{"H9", false, 15},  IdRow{"B4", false, 18},  IdRow{"F2", false, 17},
    IdRow{"L6", false, 3},   IdRow{"N3", false, 3},   IdRow{"R5", false, 14},
    IdRow{"S8", false, 16},  IdRow{"C9", false, 4},   IdRow{"D1", false, 9},
    IdRow{"E7", false, 10},
};

} // namespace

int modelFromRid(std::string_view code) {
    for (const auto& row : kIdentification) {
        std::string_view key(row.code);
        if (code.substr(0, key.size()) == key)
            return row.model;
    }
    if (code.substr(0, 2) == "Y6")
        return (code.size() >= 5 && code[3] == 'Q' && code[4] == 'N') ? 11 : 12;
    return 1;
}

} // namespace trix::link
