#include "views/rtcm/rtcm_texts.h"

#include "base/strings.h"
#include "base/text.h"

namespace trix::rtcm {
namespace {

const std::string kNa = str::kCellNotArrived;

template <class T, class F> std::string cell(const std::optional<T>& v, F f) {
    return v ? f(*v) : kNa;
}

std::string integer(int v) {
    return cformat("%d", v);
}

} // namespace

Cells queriedCells(const QueriedState& q) {
    return {q.mode ? *q.mode : kNa, cell(q.sync, [](char c) { return cformat("%c", c); }),
            cell(q.age, [](double v) { return cformat("%+7.2f", v); }),
            cell(q.quality, [](double v) { return cformat("%7.2f%%", v); }),
            cell(q.offset, integer)};
}

Cells baseCells(const QueriedState& q) {
    return {cell(q.stationId, integer), q.baseLatitude ? *q.baseLatitude : kNa,
            q.baseLongitude ? *q.baseLongitude : kNa, q.baseAltitude ? *q.baseAltitude : kNa};
}

std::vector<Cells> headerRows(const MessageState& m) {
    std::vector<Cells> rows;
    for (const auto& h : m.headers) {
        if (!h)
            continue;
        rows.push_back({integer(h->type), integer(h->stationId), integer(h->stationHealth),
                        integer(h->sequence), cformat("%c", h->mark), cformat("%7.2f", h->zCount)});
    }
    return rows;
}

Cells messageTypeCells(const MessageState& m) {
    Cells cells;
    for (std::size_t i = 0; i < kMessageTypes.size(); ++i) {
        if (m.headers[i])
            cells.push_back(cformat("MSG,%02d", kMessageTypes[i]));
    }
    if (cells.empty())
        cells.push_back(str::kNoMessage);
    return cells;
}

std::vector<Cells> basePositionRows(const MessageState& m) {
    std::vector<Cells> rows;
    for (std::size_t i = 0; i < m.bases.size(); ++i) {
        const auto& b = m.bases[i];
        if (!b)
            continue;
        rows.push_back({integer(b->stationId), cformat("%.3f", b->x), cformat("%.3f", b->y),
                        cformat("%.3f", b->z), kSystemNames[i]});
    }
    return rows;
}

std::vector<Cells> correctionRows(const CorrectionTable& table, int rtcMode) {
    const char* correction = rtcMode == 1 ? "%7.2f" : "%.3f";
    auto corr = [&](double v) { return cformat(correction, v); };
    auto delta = [](double v) { return cformat("%5.1f", v); };
    std::vector<Cells> rows;
    for (const Correction& c : table.entries()) {
        rows.push_back({cformat("%2d", c.sv),
                        cell(c.scaleUre, [](int v) { return cformat("%4d", v); }),
                        cell(c.prc, corr), cell(c.rrc, corr), cell(c.iod, integer),
                        cell(c.deltaPrc, delta), cell(c.deltaRrc, delta),
                        cell(c.rangeResidual, [](double v) { return cformat("%.1f", v); }),
                        cell(c.snr, [](double v) { return cformat("%.0f", v); })});
    }
    return rows;
}

std::string statusLine(const QueriedState& q, const MessageState& m) {
    const MessageHeader* last = nullptr;
    for (const auto& h : m.headers) {
        if (h)
            last = &*h;
    }
    return cformat(str::kRtcmStatusLine, q.type.value_or(0), q.stationId.value_or(0),
                   q.stationHealth.value_or(0), last ? last->sequence : 0, q.age.value_or(0.0),
                   q.quality.value_or(0.0), q.offset.value_or(0), last ? last->zCount : 0.0);
}

} // namespace trix::rtcm
