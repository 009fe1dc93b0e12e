#pragma once
// The simulated receiver's differential side: the RTCM messages it repeats ($GPMSG), GSA, GRS
// and GSN for the RTCM window, VEC for the baseline model, and the answers to the RTC, CPD,
// CPD,DLK, CPD,INF and CBN queries.

#include "sentences.h"

#include <set>
#include <string>

namespace rxsim {

struct DgpsConfig {
    std::string cpdMode = "ROV"; // ROV, BAS or "RVP ROV"
    bool fixed = true;           // ambiguities fixed, else float
    bool rtcmOn = true;          // the RTCM link is on
};

// Reads one rxsim option of the differential side at argv[i] (advancing i past its value);
// false when argv[i] is not one of them or its value is wrong.
bool parseDgpsOption(int argc, char** argv, int& i, DgpsConfig& config);
// The usage lines of those options.
const char* dgpsUsage();

class RtkAnswers {
public:
    RtkAnswers(DgpsConfig config, int model, char port);

    // Answers a query ("$PXKTQ,..." without its checksum); false when it is not one of ours.
    bool answer(const std::string& body, const EpochClock& clock, std::string& out);
    // The differential sentences of one epoch, after the position and satellite sentences,
    // for the outputs switched on in `on`. `standardGsa` when GPGSA is already in the
    // standard set of this epoch.
    std::string epoch(const std::set<std::string>& on, const EpochClock& clock, bool standardGsa);

private:
    std::string messages(const EpochClock& clock);
    std::string message(int type, const std::string& time, const std::string& tail);

    DgpsConfig config_;
    int model_;
    char port_;
    int sequence_ = 0;
};

} // namespace rxsim
