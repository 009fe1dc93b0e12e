#include "decode/epoch_decoder.h"

#include "base/strings.h"
#include "base/text.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace trix {

std::uint8_t nmeaTypeBit(SentenceCode code) {
    switch (code) {
    case kGSA:
        return nmeabit::kGSA;
    case kGSV:
        return nmeabit::kGSV;
    case kGGA:
        return nmeabit::kGGA;
    case kVTG:
        return nmeabit::kVTG;
    default:
        return 0;
    }
}

void EpochHistory::clear() {
    departures.clear();
    skyPlots.clear();
    positions.clear();
    satellites.clear();
    for (auto& a : antennas)
        a.clear();
    attitudes.clear();
    writePosition = -1;
    oldestPosition = 0;
}

EpochDecoder::EpochDecoder(int modelIndex, Hooks hooks) : hooks_(hooks), model_(modelIndex) {
    resetEpochState();
    setupHandlers(false);
}

void EpochDecoder::showMessage(const char* text) {
    if (hooks_.messages)
        hooks_.messages->show(text, Buttons::Ok, Icon::Warning);
}

void EpochDecoder::report(int mask) {
    if (!hooks_.changes)
        return;
    if (!displayUpdate)
        mask |= change::kHeld;
    if (viewing_)
        mask |= change::kViewing;
    hooks_.changes->changed(mask);
}

void EpochDecoder::changeUnits(int altitude, int speed, int verticalSpeed) {
    pos.altitude = static_cast<float>(pos.altitude * altitudeUnit(altitude).factor /
                                      altitudeUnit(units_.altitude).factor);
    pos.speed =
        static_cast<float>(pos.speed * speedUnit(speed).factor / speedUnit(units_.speed).factor);
    pos.verticalVelocity =
        static_cast<float>(pos.verticalVelocity * verticalSpeedUnit(verticalSpeed).factor /
                           verticalSpeedUnit(units_.verticalSpeed).factor);
    units_.altitude = altitude;
    units_.speed = speed;
    units_.verticalSpeed = verticalSpeed;
    report(change::kUnits);
}

// ---------------------------------------------------------------------------------------
// Handler table

SentenceCode EpochDecoder::handlerCode(int position) const {
    if (position < 0 || position >= handlerCount_)
        return 0;
    return table_[static_cast<std::size_t>(position)];
}

void EpochDecoder::appendHandler(SentenceCode code) {
    if (handlerCount_ < static_cast<int>(table_.size()))
        table_[static_cast<std::size_t>(handlerCount_++)] = code;
}

EpochDecoder::Handler EpochDecoder::handlerFor(SentenceCode code) const {
    switch (code) {
    case kGGA:
        return &EpochDecoder::handleGGA;
    case kGSA:
        return &EpochDecoder::handleGSA;
    case kGSV:
        return &EpochDecoder::handleGSV;
    case kVTG:
        return &EpochDecoder::handleVTG;
    case kPOS:
        return &EpochDecoder::handlePOS;
    case kSAT:
        return &EpochDecoder::handleSAT;
    case kAT2:
        return &EpochDecoder::handleAT2;
    case kSA4:
        return &EpochDecoder::handleSA4;
    case kCSN:
        return &EpochDecoder::handleCSN;
    default:
        return nullptr;
    }
}

bool EpochDecoder::runHandler(SentenceCode code, std::string_view sentence) {
    Handler h = handlerFor(code);
    if (!h)
        return false;
    // The sentence ends at its first zero byte, as a C string would.
    std::size_t nul = sentence.find('\0');
    if (nul != std::string_view::npos)
        sentence = sentence.substr(0, nul);
    return (this->*h)(sentence);
}

void EpochDecoder::setupHandlers(bool forceDefault) {
    table_.fill(0);
    handlerCount_ = 0;
    received_ = 0;

    auto defaultTable = [this] {
        appendHandler(kPOS);
        appendHandler(kSAT);
        perEpoch_ = 2;
        learning_ = false;
    };

    if (forceDefault || model_ >= 20) {
        defaultTable();
        return;
    }
    if (model_ <= kModelNone) {
        perEpoch_ = 0;
        learning_ = false;
        expectedMask = 0;
        seenMask = 0;
        previousSeenMask = 255;
        return;
    }
    if (isNmeaModel(model_)) {
        expectedMask = 0;
        seenMask = 0;
        previousSeenMask = 255;
        cycleCompleted_ = false;
        if (learned_.empty()) {
            learning_ = true;
            perEpoch_ = 0;
        } else {
            learning_ = false;
            // The receiver's own order, rotated so that the position sentence comes first: the
            // indexing pass matches lines by table position.
            auto gga = std::find(learned_.begin(), learned_.end(), kGGA);
            std::size_t start =
                gga == learned_.end() ? 0 : static_cast<std::size_t>(gga - learned_.begin());
            for (std::size_t k = 0; k < learned_.size(); ++k) {
                SentenceCode c = learned_[(start + k) % learned_.size()];
                appendHandler(c);
                expectedMask |= nmeaTypeBit(c);
            }
            perEpoch_ = static_cast<int>(learned_.size());
        }
        pos.usedSats = 0;
        sat.inView = 0;
        if (std::find(learned_.begin(), learned_.end(), kGGA) == learned_.end())
            resetEpochState();
        return;
    }
    if (hasCsn(model_)) {
        appendHandler(kPOS);
        appendHandler(kSAT);
        appendHandler(kCSN);
        perEpoch_ = 2;
        learning_ = false;
        return;
    }
    if (model_ == kModelAttitude) {
        appendHandler(kAT2);
        appendHandler(kPOS);
        appendHandler(kSAT);
        appendHandler(kSA4);
        perEpoch_ = 4;
        learning_ = false;
        return;
    }
    defaultTable();
}

void EpochDecoder::forgetLearnedCodes() {
    learned_.clear();
    perEpoch_ = 0;
}

EpochDecoder::LearnResult EpochDecoder::learn(SentenceCode code, bool counted) {
    if (!learning_ || nmeaTypeBit(code) == 0)
        return LearnResult::Ignored;
    if (std::find(learned_.begin(), learned_.end(), code) == learned_.end()) {
        if (learned_.size() < table_.size())
            learned_.push_back(code);
        perEpoch_ = static_cast<int>(learned_.size());
        return LearnResult::Appended;
    }
    // A cycle is bounded by the position sentence: receivers that send a type several times
    // a second (one GSA per constellation, GSV of several talkers) have not yet come round.
    if (!counted || code != kGGA)
        return LearnResult::Continue;
    setupHandlers(false);
    return LearnResult::Finished;
}

void EpochDecoder::setScalesForFirmware(std::string_view firmware) {
    scales_ = scalesFor(model_, firmware);
}

// ---------------------------------------------------------------------------------------
// Entry and assembly

void EpochDecoder::handleSentence(std::string_view sentence) {
    if (model_ <= kModelNone || viewing_)
        return;
    std::size_t nul = sentence.find('\0');
    if (nul != std::string_view::npos)
        sentence = sentence.substr(0, nul);
    SentenceCode code = sentenceCode(sentence);
    if (isNmeaModel(model_))
        nmeaAssembly(sentence, code);
    else
        proprietaryAssembly(sentence, code);
    if (hooks_.analysis)
        hooks_.analysis->afterSentence(sentence, true);
}

void EpochDecoder::proprietaryAssembly(std::string_view s, SentenceCode code) {
    if (hasCsn(model_)) {
        if (s.find("NME,TAG") != std::string_view::npos) {
            handleTag(s);
            return;
        }
        if (code == kPOS && hooks_.port && hooks_.port->portOpen())
            hooks_.port->writeQuery("$PXKTQ,CSN");
        if (code == kCSN) {
            if (handleCSN(s))
                report(change::kSignals);
            return;
        }
    }
    if (handlerCount_ == 0)
        return;
    SentenceCode expected = handlerCode(received_);
    if (code == expected) {
        if (!runHandler(code, s)) {
            received_ = 0;
            return;
        }
        if (code == kPOS)
            displayThrottle(pos.utcTime);
        if (received_ >= perEpoch_)
            epochComplete(false);
    } else if (code == handlerCode(0)) {
        // A new epoch begins while the earlier one is unfinished.
        if (++incompleteEpochs >= 10) {
            incompleteEpochs = 0;
            showMessage(str::kTooManyIncomplete);
        }
    }
}

void EpochDecoder::relearn() {
    forgetLearnedCodes();
    setupHandlers(false);
    // The position sentence that revealed the change opens the first cycle to learn.
    learned_.push_back(kGGA);
    perEpoch_ = 1;
}

void EpochDecoder::nmeaAssembly(std::string_view s, SentenceCode code) {
    std::uint8_t bit = nmeaTypeBit(code);
    if (bit == 0)
        return;
    int before = received_;
    bool ok = runHandler(code, s);
    if (!ok) {
        ++received_;
        // The type was sent even though it did not decode: the set is unchanged.
        if (!learning_)
            seenMask |= bit;
        return;
    }
    bool counted = received_ > before;
    if (code == kGGA && !lastWasRepeat_) {
        displayThrottle(pos.utcTime);
        storeEpoch();
    }
    if (counted) {
        // A satellite sentence, or the part of the position its sentence carries.
        if (code == kGSV)
            report(change::kSatellites);
        else if (code == kGGA)
            report(change::kPosition | hint::kPlot | hint::kPanel | hint::kText);
        else if (code == kVTG)
            report(change::kPosition | hint::kPanel);
        else
            report(change::kPosition | hint::kText);
    }
    if (learning_) {
        if (learn(code, counted) == LearnResult::Finished) {
            received_ = 1; // the repeated sentence opens the next epoch
            seenMask = nmeabit::kGGA;
            previousSeenMask = seenMask;
            cycleCompleted_ = false;
            report(change::kSentenceSet);
        }
        return;
    }
    if (!counted)
        return;
    if (code == kGGA && (seenMask & nmeabit::kGGA)) {
        // The position sentence closes the cycle: the types seen since the last one must be the
        // learned set, however often each came.
        if (seenMask != expectedMask) {
            relearn();
            return;
        }
        seenMask = nmeabit::kGGA;
        received_ = 1;
        cycleCompleted_ = false;
    } else {
        seenMask |= bit;
    }
    previousSeenMask = seenMask;
    if (!cycleCompleted_ && seenMask == expectedMask) {
        cycleCompleted_ = true;
        epochComplete(true);
    }
}

void EpochDecoder::epochComplete(bool nmea) {
    received_ = 0;
    ++epochsCompleted;
    if (!nmea)
        storeEpoch();
    logSplitCheck(nmea);
    reportEpoch(false);
}

void EpochDecoder::logSplitCheck(bool nmea) {
    LogSessionHook* session = hooks_.logSession;
    if (!session || !session->active())
        return;
    ++epochsInLogFile;
    int n = session->autoSaveEpochs();
    bool split = epochsInLogFile >= 65536;
    if (n > 0)
        split = split || (nmea ? epochsInLogFile > n : epochsInLogFile + 1 > n);
    if (split) {
        session->splitFile();
        epochsInLogFile = 0;
    }
}

void EpochDecoder::displayThrottle(double newTime) {
    double dt = timeDifference(newTime, previousPositionTime);
    epochInterval = dt;
    accumulatedInterval = static_cast<float>(accumulatedInterval + dt);
    previousPositionTime = newTime;
    if (accumulatedInterval > 0.0f && accumulatedInterval < 0.19f) {
        displayUpdate = false;
    } else {
        displayUpdate = true;
        accumulatedInterval = 0.0f;
    }
}

void EpochDecoder::reportEpoch(bool first) {
    report(change::kEpoch | (first ? hint::kFullRepaint : hint::kEverything));
}

// ---------------------------------------------------------------------------------------
// State

void EpochDecoder::resetEpochState() {
    if (hooks_.analysis)
        hooks_.analysis->epochStateReset();
    bool truthReference =
        hooks_.analysis && hooks_.analysis->active() && hooks_.analysis->truthIsReference();
    if (!truthReference)
        reference.lat = kReferenceNotSet;
    history.writePosition = -1;
    history.oldestPosition = 0;
    largestHorizontalSquared = 0.0;
    displayUpdate = true;
    pos = PositionRecord{};
    sat.inView = 0;
    sat.constellations = 0;
    position = GeoPoint{};
    departure = Departure{};
    noPosition = true;
    epochOpen_ = false;
    reportEpoch(true);
}

void EpochDecoder::recomputeDeparture() {
    departure = computeDeparture(reference, position);
}

namespace {
template <typename T> void growTo(std::vector<T>& v, int index) {
    auto need = static_cast<std::size_t>(index) + 1;
    if (v.size() < need)
        v.resize((need + kGrowStep - 1) / kGrowStep * kGrowStep);
}
} // namespace

void EpochDecoder::storeEpoch() {
    if (noPosition)
        return;
    EpochHistory& h = history;
    int cap = capacity();
    if (h.writePosition == -1 && !(hooks_.analysis && hooks_.analysis->truthIsReference())) {
        reference = position;
        recomputeDeparture();
        largestHorizontalSquared = 0.0;
    }
    largestHorizontalSquared = std::max(largestHorizontalSquared, departure.horizontalSquared);

    int previousWrite = h.writePosition;
    int previousOldest = h.oldestPosition;
    if (h.writePosition >= cap - 1) {
        h.writePosition = 0;
        h.oldestPosition = 1;
    } else if (h.writePosition == -1 || h.oldestPosition <= h.writePosition) {
        ++h.writePosition;
    } else {
        ++h.writePosition;
        if (++h.oldestPosition >= cap)
            h.oldestPosition = 0;
    }
    if (hooks_.logSession && hooks_.logSession->active()) {
        int n = hooks_.logSession->autoSaveEpochs();
        if (n > 0 && h.writePosition >= n) {
            h.writePosition = 0;
            h.oldestPosition = 0;
        }
    }
    int w = h.writePosition;
    try {
        if (viewing_) {
            growTo(h.positions, w);
            growTo(h.satellites, w);
            h.positions[static_cast<std::size_t>(w)] = pos;
            h.satellites[static_cast<std::size_t>(w)] = sat;
            if (model_ == kModelAttitude) {
                for (std::size_t a = 0; a < 4; ++a) {
                    growTo(h.antennas[a], w);
                    h.antennas[a][static_cast<std::size_t>(w)] = sa4[a];
                }
                growTo(h.attitudes, w);
                h.attitudes[static_cast<std::size_t>(w)] = at2;
            }
        }
        growTo(h.departures, w);
        growTo(h.skyPlots, w);
        h.departures[static_cast<std::size_t>(w)] = departure.dep;
        h.skyPlots[static_cast<std::size_t>(w)] = skyPlotFrom(sat);
    } catch (const std::bad_alloc&) {
        h.writePosition = previousWrite;
        h.oldestPosition = previousOldest;
        showMessage(str::kNotEnoughMemory);
    }
}

} // namespace trix
