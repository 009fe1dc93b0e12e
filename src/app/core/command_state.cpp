#include "app/core/command_state.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"

namespace trix::app {

CommandStatus commandStatus(Command c, const CommandState& s) {
    const bool modelSet = s.modelIndex != 0;
    switch (c) {
    case Command::Connect:
        return {!s.emulationActive && !s.viewFileMode && !s.busy, false};
    case Command::Disconnect:
        return {s.comNumber != 0 && !s.busy, false};
    case Command::SendCommand:
        return {s.comNumber > 0 && s.commandListLoaded && !s.busy, false};
    case Command::Position:
        return {modelSet && !s.hostMode && !s.busy, s.positionOpen};
    case Command::SkyChart:
        return {modelSet && !s.hostMode && !s.busy, s.skyOpen};
    case Command::IndicatorPanel:
        return {modelSet && !s.hostMode, s.panelOpen};
    case Command::DgpsRtc:
        return {s.viewFileMode ? s.fileHasRtcm : (modelSet && !s.hostMode && !s.busy), s.rtcOpen};
    case Command::DgpsRtk:
        return {s.viewFileMode
                    ? s.fileHasRtk
                    : (modelSet && !modelCan(s.modelIndex).noRtk && !s.hostMode && !s.busy),
                s.rtkOpen};
    case Command::DataPlotting:
        return {s.viewFileMode && s.viewedEpochs > 1 && !s.hostMode && !s.busy, s.plotOpen};
    case Command::Logging:
        // The emulated receiver can be recorded like a real one.
        return {(s.portOpen || s.emulationActive) && !s.busy && !s.hostMode, s.recording};
    case Command::ViewLogFile:
        return {!s.emulationActive && !s.portOpen && !s.busy, false};
    case Command::EpochCounter:
        return {s.decoderExists && !s.busy, s.counterOpen};
    case Command::Analysis:
        return {!s.busy && !s.hostMode, s.analysisActive};
    case Command::Emulation:
        return {!s.viewFileMode && !s.portOpen, s.emulationActive};
    case Command::SupportTicket:
        return {!s.ticketRunning && s.portOpen && !s.hostMode && s.modelIndex >= 2 &&
                    s.modelIndex <= 19,
                s.ticketSeries};
    case Command::PortActivity:
        return {true, s.portActivityOpen};
    case Command::CloseLogFile:
        return {s.viewFileMode && !s.busy, false};
    case Command::EndEmulation:
        return {s.emulationActive, false};
    }
    return {};
}

bool wantsDataWindowHint(const CommandState& s) {
    const bool delivering =
        s.emulationActive || s.viewFileMode || (s.portOpen && s.modelIndex != 0 && !s.hostMode);
    const bool dataWindowOpen =
        s.positionOpen || s.skyOpen || s.panelOpen || s.rtcOpen || s.rtkOpen || s.plotOpen;
    return delivering && !dataWindowOpen && !s.busy;
}

std::string frameTitle(const CommandState& s) {
    if (modelCan(s.modelIndex).yqn && !s.receiverDescription.empty() && !s.emulationActive &&
        !s.viewFileMode)
        return s.receiverDescription;
    std::string t = str::kAppTitle;
    if (s.analysisActive)
        t += str::kTitleAnalysisActive;
    if (s.emulationActive)
        t += str::kTitleEmulation;
    else if (s.viewFileMode)
        t += cformat(str::kTitleViewFile, s.viewedFileName.c_str());
    else if (s.modelIndex != 0)
        t += str::kTitleReceiverType;
    if (s.modelIndex != 0)
        t += modelInfo(s.modelIndex).displayName;
    return t;
}

} // namespace trix::app
