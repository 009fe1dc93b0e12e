// Steps shared by the NMEA and the proprietary position sentences, and the checksum rule.

#include "decode/epoch_decoder.h"
#include "base/text.h"

#include <cmath>

namespace trix {

bool EpochDecoder::checksum(std::string_view s, bool proprietary) {
    if (checksumPasses(s, proprietary, limits_.checksum))
        return true;
    if (hooks_.indexing)
        hooks_.indexing->checksumFailed();
    return false;
}

bool EpochDecoder::repeatsEpoch(double time) {
    // A zeroed record (after a reset) holds time 0 but no epoch: a first sentence at
    // 000000.00 begins an epoch instead of repeating a made-up one.
    lastWasRepeat_ = epochOpen_ && time == pos.utcTime;
    return lastWasRepeat_;
}

void EpochDecoder::beginEpoch(double time, bool proprietary) {
    position = GeoPoint{};
    // The epoch has no position until a position sentence has decoded one.
    noPosition = true;
    pos = PositionRecord{};
    pos.utcTime = time;
    epochOpen_ = true;
    if (proprietary) {
        if (!hooks_.analysis || hooks_.analysis->analysedEpochs() == 0)
            analysisStartTime = time;
    } else if (history.empty()) {
        analysisStartTime = time;
    }
}

EpochDecoder::LatLon EpochDecoder::readLatLon(FieldScanner& f) {
    auto lat = f.real();
    if (!lat || !inRange(*lat, 0.0, 9000.0))
        return LatLon::Bad;
    auto ns = f.next();
    if (!ns)
        return LatLon::Bad;
    if (ns->size() == 1 && ((*ns)[0] == 'N' || (*ns)[0] == 'S')) {
        pos.latHemisphere = (*ns)[0];
        pos.latitude = ddmmToDegrees(*lat);
    } else if (ns->empty()) {
        auto lonField = f.next();
        if (lonField && lonField->empty()) {
            // No fix: the sentence still counts for the epoch.
            noPosition = true;
            count();
            return LatLon::NoPosition;
        }
        return LatLon::Bad;
    } else {
        return LatLon::Bad;
    }
    auto lon = f.real();
    if (!lon || !inRange(*lon, 0.0, 18000.0))
        return LatLon::Bad;
    auto ew = f.next();
    if (!ew || ew->size() != 1 || ((*ew)[0] != 'E' && (*ew)[0] != 'W'))
        return LatLon::Bad;
    pos.lonHemisphere = (*ew)[0];
    pos.longitude = ddmmToDegrees(*lon);
    return LatLon::Position;
}

void EpochDecoder::finishPosition(double metres, bool attitudeStep) {
    position.lat = pos.latHemisphere == 'S' ? -pos.latitude : pos.latitude;
    position.lon = pos.lonHemisphere == 'W' ? -pos.longitude : pos.longitude;
    position.alt = metres;
    pos.altitude = static_cast<float>(metres * altitudeUnit(units_.altitude).factor);
    noPosition = false;
    if (!referenceSet())
        reference = position;
    recomputeDeparture();
    if (hooks_.analysis && hooks_.analysis->active())
        hooks_.analysis->accumulate(*this, attitudeStep);
}

} // namespace trix
