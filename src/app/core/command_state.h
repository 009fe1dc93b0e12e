#pragma once
// The main window's state as the command enabling and the title read it, and the two rules
// themselves, kept free of the GUI so every state can be checked directly.

#include <string>

namespace trix::app {

enum class Command {
    Connect,
    Disconnect,
    SendCommand,
    Position,
    SkyChart,
    IndicatorPanel,
    DgpsRtc,
    DgpsRtk,
    DataPlotting,
    Logging,
    ViewLogFile,
    EpochCounter,
    Analysis,
    Emulation,
    SupportTicket,
    PortActivity,
    CloseLogFile,
    EndEmulation,
};
inline constexpr int kCommandCount = 18;

struct CommandState {
    bool busy = false;
    bool hostMode = false;
    bool portOpen = false;
    int comNumber = 0;
    int modelIndex = 0;
    bool emulationActive = false;
    bool viewFileMode = false;
    bool analysisActive = false;
    bool decoderExists = false;
    bool recording = false;
    bool commandListLoaded = false;
    bool ticketRunning = false;
    bool ticketSeries = false; // a series of support tickets runs (the command's check mark)
    bool fileHasRtcm = false;
    bool fileHasRtk = false;
    int viewedEpochs = 0;
    std::string viewedFileName;      // shown in the title while a file is viewed
    std::string receiverDescription; // replaces the title while model 2 is connected
    // Open windows (checked states).
    bool positionOpen = false, skyOpen = false, panelOpen = false, rtcOpen = false, rtkOpen = false,
         plotOpen = false, counterOpen = false, portActivityOpen = false;
};

struct CommandStatus {
    bool enabled = false;
    bool checked = false;
};

CommandStatus commandStatus(Command c, const CommandState& s);

// Whether the empty MDI area tells the user which window shows the data: something delivers
// epochs (an identified or manual receiver, the emulation, a viewed file) and no data window
// is open to show them.
bool wantsDataWindowHint(const CommandState& s);

// "Orvane Trialix" with the analysis, emulation, viewed file or receiver model parts.
std::string frameTitle(const CommandState& s);

} // namespace trix::app
