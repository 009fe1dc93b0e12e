#include "logs/log_indexer.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/framing.h"
#include "decode/models.h"
#include "logs/statistics.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace trix::logs {

LogIndexer::LogIndexer(EpochDecoder& decoder, MessageSink& messages)
    : decoder_(decoder), messages_(messages) {
    decoder_.hooks().indexing = this;
}

LogIndexer::~LogIndexer() {
    if (decoder_.hooks().indexing == this)
        decoder_.hooks().indexing = nullptr;
    if (errors_)
        std::fclose(errors_);
}

void LogIndexer::addLineListener(LineListener* listener) {
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void LogIndexer::removeLineListener(LineListener* listener) {
    std::erase(listeners_, listener);
}

void LogIndexer::setErrorListDirectory(std::string directory) {
    if (!directory.empty() && directory.back() != '/')
        directory += '/';
    errorDir_ = std::move(directory);
}

bool LogIndexer::viewLogFile(const std::string& path, int modelIndex) {
    decoder_.setViewing(true);
    decoder_.setModelIndex(modelIndex >= 0 ? modelIndex : modelFromFileName(path));
    decoder_.epochsCompleted = 0;
    decoder_.forgetLearnedCodes();
    decoder_.history.clear();
    decoder_.resetEpochState();
    return indexingPass(path);
}

bool LogIndexer::indexLogFile(const std::string& path) {
    if (decoder_.epochsCompleted == 0)
        return indexingPass(path);
    return analysisPass();
}

void LogIndexer::notOpened(const std::string& path, int error) {
    if (path == path_)
        openFailed_ = true;
    messages_.show(cformat(str::kFileNotOpenedBecause, path.c_str(), std::strerror(error)),
                   Buttons::Ok, Icon::Stop);
}

std::string LogIndexer::cappedText() const {
    return cformat(str::kIndexingCapped, kMaxIndexedEpochs, kMaxIndexedEpochs);
}

// After the last epoch the history can hold: does the file go on with another epoch?
bool LogIndexer::moreEpochsFollow() {
    const SentenceCode first = decoder_.handlerCode(0);
    std::string_view raw;
    while (reader_.next(raw)) {
        SentenceCode code = sentenceCode(logLineSentence(raw));
        if (code != 0 && (code == first || first == 0))
            return true;
    }
    return false;
}

void LogIndexer::checksumFailed() {
    // A damaged last line (the file ends inside it) is not an error of the receiver.
    if (errors_ && listErrors_ && !reader_.atEnd())
        writeError(cformat(str::kChecksumErrorLine, lineNumber_));
}

void LogIndexer::writeError(const std::string& text) {
    if (!errors_)
        return;
    if (std::fwrite(text.data(), 1, text.size(), errors_) == text.size())
        errorsWritten_ = true;
}

void LogIndexer::reportProgress() {
    if (!progress_ || reader_.size() == 0)
        return;
    int percent = static_cast<int>(reader_.consumed() * 100 / reader_.size());
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        progress_->progress(percent);
    }
}

// The history grows in steps while a file is indexed; room for as many epochs as the file can
// hold (no epoch takes fewer than about 50 bytes) spares the repeated moves of large arrays.
void LogIndexer::reserveHistory() {
    const std::uint64_t guess = reader_.size() / 50 + 1;
    const auto n = static_cast<std::size_t>(guess < kMaxIndexedEpochs ? guess : kMaxIndexedEpochs);
    EpochHistory& h = decoder_.history;
    try {
        h.positions.reserve(n);
        h.satellites.reserve(n);
        h.departures.reserve(n);
        h.skyPlots.reserve(n);
        if (decoder_.modelIndex() == kModelAttitude) {
            h.attitudes.reserve(n);
            for (auto& a : h.antennas)
                a.reserve(n);
        }
    } catch (const std::bad_alloc&) {
        // Only an optimisation: storing reports a real shortage itself.
    }
}

bool LogIndexer::indexingPass(const std::string& path) {
    path_ = path;
    showErrors_ = false;
    capped_ = false;
    openFailed_ = false;
    if (!reader_.open(path)) {
        notOpened(path, errno);
        if (events_)
            events_->noData();
        return false;
    }
    lastPercent_ = -1;
    reserveHistory();
    if (progress_)
        progress_->begin(str::kAnalyzingLogFile);
    if (statistics_ && statistics_->truthIsReference()) {
        decoder_.reference = statistics_->settings().known;
    }

    const std::string errPath = errorListPath();
    errors_ = std::fopen(errPath.c_str(), "w+");
    errorsWritten_ = false;
    if (!errors_)
        notOpened(errPath, errno);

    for (int attempt = 1; attempt <= 2; ++attempt) {
        if (attempt == 2) {
            bool secondAttempt = decoder_.epochsCompleted == 0 &&
                                 decoder_.sentencesPerEpoch() != 2 && !decoder_.learning();
            if (!secondAttempt)
                break;
        }
        if (!runAttempt(attempt))
            break;
    }

    if (errors_) {
        if (std::fclose(errors_) != 0)
            messages_.show(str::kErrorFileNotClosed);
        errors_ = nullptr;
    }
    bool found = decoder_.epochsCompleted > 0;
    if (capped_)
        messages_.show(cappedText(), Buttons::Ok, Icon::Warning);
    if (found) {
        decoder_.logIndexed = true;
        decoder_.history.writePosition = decoder_.history.oldestPosition;
        loadEpoch();
    }
    if (events_)
        events_->dataLoaded();
    if (progress_) {
        progress_->progress(100);
        progress_->end();
    }
    reader_.close();

    if (!errorsWritten_) {
        ::unlink(errPath.c_str());
        if (!found)
            messages_.show(str::kNoEpochs);
    } else if (messages_.show(cformat(str::kViewErrorsQuestion, path.c_str()), Buttons::YesNo,
                              Icon::Question) == Answer::Yes) {
        showErrors_ = true;
    }
    return found;
}

bool LogIndexer::runAttempt(int attempt) {
    if (!reader_.rewind())
        return false;
    lineNumber_ = 0;
    listenedUpTo_ = 0;
    firmwareTaken_ = false;
    relearning_ = false;
    cycleTypes_ = 0;
    decoder_.setSentencesReceived(0);
    if (attempt == 1 && isNmeaModel(decoder_.modelIndex()))
        decoder_.forgetLearnedCodes();
    decoder_.setupHandlers(attempt == 2);
    decoder_.setSentencesReceived(0);
    if (attempt == 2) {
        messages_.status(str::kSecondAttempt);
        if (errors_) {
            // Listed checksum errors belong to the first attempt; the file starts afresh.
            std::rewind(errors_);
            if (::ftruncate(fileno(errors_), 0) != 0)
                std::clearerr(errors_);
            writeError(cformat(str::kCantRecognize, path_.c_str(),
                               modelInfo(decoder_.modelIndex()).displayName));
        }
    }

    std::string_view raw;
    while (decoder_.epochsCompleted < kMaxIndexedEpochs && reader_.next(raw)) {
        std::string_view sentence = logLineSentence(raw);
        SentenceCode code = sentenceCode(sentence);
        // Lines read while learning are read again after the rewind; listeners get each once.
        if (attempt == 1 && reader_.consumed() > listenedUpTo_)
            for (LineListener* l : listeners_)
                l->indexedLine(sentence);
        if (decoder_.learning()) {
            bool rewindNeeded = false;
            if (relearning_) {
                // Learning again in the middle of the file: the lines still count.
                ++lineNumber_;
                reportProgress();
            }
            if (learnLine(sentence, code, rewindNeeded) && rewindNeeded) {
                listenedUpTo_ = std::max(listenedUpTo_, reader_.consumed());
                // The file is read again from its start: the epoch the learning pass left open
                // must not make the first position met again look like a repeat of itself
                // (which happened whenever the file's first position sentence was rejected).
                decoder_.resetEpochState();
                if (!reader_.rewind())
                    return false;
            }
            continue;
        }
        ++lineNumber_;
        reportProgress();
        handleLine(sentence, code);
    }
    if (reader_.failed()) {
        notOpened(path_, reader_.error());
    } else if (decoder_.epochsCompleted >= kMaxIndexedEpochs) {
        indexedBytes_ = reader_.consumed();
        capped_ = moreEpochsFollow();
    }
    return true;
}

// One learning step; true when learning has finished with this line.
bool LogIndexer::learnLine(std::string_view sentence, SentenceCode code, bool& rewindNeeded) {
    if (nmeaTypeBit(code) == 0)
        return false;
    int before = decoder_.sentencesReceived();
    listErrors_ = relearning_;
    bool ok = decoder_.runHandler(code, sentence);
    listErrors_ = true;
    bool counted = ok && decoder_.sentencesReceived() > before;
    if (decoder_.learn(code, counted) != EpochDecoder::LearnResult::Finished)
        return false;
    decoder_.setSentencesReceived(0);
    cycleTypes_ = 0;
    if (relearning_) {
        // The repeated position sentence opens the first epoch of the new set.
        relearning_ = false;
        handleLine(sentence, code);
        rewindNeeded = false;
    } else {
        rewindNeeded = true;
    }
    return true;
}

// The NMEA sentence set changed in the middle of the file (a receiver stopped sending a type):
// learn it again from here, as the live assembly does, instead of losing every later epoch.
void LogIndexer::relearn(std::string_view sentence) {
    EpochHistory& h = decoder_.history;
    const int write = h.writePosition;
    const int oldest = h.oldestPosition;
    const GeoPoint reference = decoder_.reference;
    const double largest = decoder_.largestHorizontalSquared;
    decoder_.forgetLearnedCodes();
    decoder_.setupHandlers(false); // resets the epoch state, which must not cost the history
    h.writePosition = write;
    h.oldestPosition = oldest;
    decoder_.reference = reference;
    decoder_.largestHorizontalSquared = largest;
    relearning_ = true;
    cycleTypes_ = 0;
    bool unused = false;
    learnLine(sentence, sentenceCode(sentence), unused);
}

void LogIndexer::completeEpoch() {
    decoder_.setSentencesReceived(0);
    if (decoder_.noPosition)
        return; // an epoch without a position is dropped
    ++decoder_.epochsCompleted;
    decoder_.storeEpoch();
    decoder_.sat.inView = 0;
    decoder_.sat.constellations = 0;
}

void LogIndexer::handleLine(std::string_view sentence, SentenceCode code) {
    if (!firmwareTaken_ && code == kPOS &&
        checksumPasses(sentence, true, decoder_.limits().checksum)) {
        firmwareTaken_ = true;
        std::string_view s = sentence;
        auto star = s.rfind('*');
        if (star != std::string_view::npos)
            s = s.substr(0, star);
        auto comma = s.rfind(',');
        decoder_.setScalesForFirmware(comma == std::string_view::npos ? std::string_view()
                                                                      : s.substr(comma + 1));
    }
    const bool nmea = isNmeaModel(decoder_.modelIndex()) && decoder_.handlerCount() > 0 &&
                      nmeaTypeBit(decoder_.handlerCode(0)) != 0;
    for (int pass = 0; pass < 2; ++pass) {
        int position = decoder_.sentencesReceived();
        SentenceCode expected =
            position < decoder_.handlerCount() ? decoder_.handlerCode(position) : 0;
        if (code != 0 && code == expected) {
            if (nmea && position == 0)
                cycleTypes_ = 0;
            if (nmea)
                cycleTypes_ |= nmeaTypeBit(code);
            if (!decoder_.runHandler(code, sentence)) {
                decoder_.setSentencesReceived(0);
                return;
            }
            if (decoder_.sentencesReceived() >= decoder_.sentencesPerEpoch())
                completeEpoch();
            return;
        }
        if (code == 0 || code != decoder_.handlerCode(0) || position == 0) {
            if (nmea)
                cycleTypes_ |= nmeaTypeBit(code);
            return;
        }
        // The first sentence of the table while an epoch is unfinished.
        if (nmea && (cycleTypes_ | nmeaTypeBit(code)) != decoder_.expectedMask) {
            relearn(sentence);
            return;
        }
        decoder_.setSentencesReceived(0); // handled again as the start of a new epoch
    }
}

void LogIndexer::loadEpoch() {
    const EpochHistory& h = decoder_.history;
    const int w = h.writePosition;
    if (w < 0 || static_cast<std::size_t>(w) >= h.positions.size())
        return;
    const auto i = static_cast<std::size_t>(w);
    decoder_.pos = h.positions[i];
    if (i < h.satellites.size())
        decoder_.sat = h.satellites[i];
    const PositionRecord& p = decoder_.pos;
    decoder_.position.lat = p.latHemisphere == 'S' ? -p.latitude : p.latitude;
    decoder_.position.lon = p.lonHemisphere == 'W' ? -p.longitude : p.longitude;
    decoder_.position.alt = p.altitude / altitudeUnit(decoder_.units().altitude).factor;
    if (i < h.departures.size())
        decoder_.departure.dep = h.departures[i];
    if (decoder_.modelIndex() == kModelAttitude) {
        if (i < h.attitudes.size())
            decoder_.at2 = h.attitudes[i];
        for (std::size_t a = 0; a < 4; ++a)
            if (i < h.antennas[a].size())
                decoder_.sa4[a] = h.antennas[a][i];
    }
}

bool LogIndexer::analysisPass() {
    decoder_.pos = PositionRecord{};
    if (statistics_) {
        if (statistics_->settings().writeOutlierFile() && !statistics_->summaryOpen())
            statistics_->openSummaryFile();
        statistics_->setLastOutlier(-1);
    }
    if (!reader_.open(path_)) {
        notOpened(path_, errno);
        return false;
    }
    lastPercent_ = -1;
    if (progress_)
        progress_->begin(str::kAnalyzingLogFile);
    listErrors_ = false;
    std::string_view raw;
    // A capped file is analysed as far as it was indexed, so the summary covers the epochs shown.
    while ((!capped_ || reader_.consumed() < indexedBytes_) && reader_.next(raw)) {
        std::string_view sentence = logLineSentence(raw);
        reportProgress();
        if (!decoder_.logIndexed) {
            SentenceCode code = sentenceCode(sentence);
            if (code == kAT2 || code == kPOS || code == kGGA)
                decoder_.runHandler(code, sentence);
        }
        if (statistics_) {
            std::size_t nul = sentence.find('\0');
            statistics_->afterSentence(
                nul == std::string_view::npos ? sentence : sentence.substr(0, nul), false);
        }
    }
    listErrors_ = true;
    reader_.close();
    decoder_.logIndexed = true;
    if (statistics_)
        statistics_->writeSummaryAndClose();
    if (progress_) {
        progress_->progress(100);
        progress_->end();
    }
    loadEpoch();
    return true;
}

} // namespace trix::logs
