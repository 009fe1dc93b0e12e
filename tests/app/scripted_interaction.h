#pragma once
// What the user answers, for window tests: each question is answered by its script when one is
// given, and cancelled otherwise; the clock is a fixed time unless scripted.

#include "user_interaction.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace trix::app::test {

class ScriptedInteraction : public UserInteraction {
public:
    std::string askLogFile(const std::string&) override { return logFile ? logFile() : ""; }
    bool askStaticPosition(logs::AnalysisSettings& settings, const UnitSelection&,
                           const EpochDecoder*) override {
        return staticPosition && staticPosition(settings);
    }
    void openErrorList(const std::string& path) override { errorLists.push_back(path); }
    ClockTime clock() override { return time ? time() : ClockTime{12, 0, 0}; }
    std::optional<ConnectionChoices> askConnection(const GpsDlgInput& input) override {
        offered = input;
        return connection ? connection() : std::nullopt;
    }
    link::NotRespondingChoice askNotResponding() override {
        return notResponding ? notResponding() : link::NotRespondingChoice::Cancel;
    }

    std::function<std::string()> logFile;
    std::function<bool(logs::AnalysisSettings&)> staticPosition;
    std::function<ClockTime()> time;
    std::function<std::optional<ConnectionChoices>()> connection;
    std::function<link::NotRespondingChoice()> notResponding;
    std::vector<std::string> errorLists; // the error lists opened
    GpsDlgInput offered;                 // what the last connection dialog was given
};

} // namespace trix::app::test
