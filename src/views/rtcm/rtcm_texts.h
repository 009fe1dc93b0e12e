#pragma once
// The texts of the RTCM window's grids, from the parser's state; "n/a" in every cell whose
// value has not arrived.

#include "views/rtcm/rtcm_data.h"

#include <string>
#include <vector>

namespace trix::rtcm {

using Cells = std::vector<std::string>;

// RTCM, SYNC, AGE, QA, OFFSET.
Cells queriedCells(const QueriedState& q);
// Base ID, Base Latitude, Base Longitude, Base Altitude.
Cells baseCells(const QueriedState& q);
// Type, STID, STHE, SQNU, SYNC, ZCNT: one row per slot that holds a header.
std::vector<Cells> headerRows(const MessageState& m);
// "MSG,01" ... "MSG,36" for the types received, or one "No Message".
Cells messageTypeCells(const MessageState& m);
// Base ID, Base X, Base Y, Base Z, System: one row per system received.
std::vector<Cells> basePositionRows(const MessageState& m);
// SV#, S/UD, PRC, RRC, IODE, dPRC, dRRC, RRV, SNR. `rtcMode` 0 shows the corrections with
// three decimals, 1 as "%7.2f".
std::vector<Cells> correctionRows(const CorrectionTable& table, int rtcMode);
// The answer as one status line, for printing.
std::string statusLine(const QueriedState& q, const MessageState& m);

} // namespace trix::rtcm
