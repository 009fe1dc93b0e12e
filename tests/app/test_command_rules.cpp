// Command enabling, title and byte-count rules of the main frame, and the folders.

#include "app/core/command_state.h"
#include "app/core/folders.h"
#include "app/core/number_format.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace trix::app;

TEST(FrameTitle, EachState) {
    CommandState s;
    EXPECT_EQ(frameTitle(s), "Orvane Trialix");
    s.modelIndex = 1;
    EXPECT_EQ(frameTitle(s), "Orvane Trialix - GPS Receiver type:  Unknown");
    s.analysisActive = true;
    EXPECT_EQ(frameTitle(s), "Orvane Trialix - Analysis Active - GPS Receiver type:  Unknown");
    s.analysisActive = false;
    s.emulationActive = true;
    s.modelIndex = 17;
    EXPECT_EQ(frameTitle(s), "Orvane Trialix - Emulation mode for RX-04");
    s.emulationActive = false;
    s.viewFileMode = true;
    s.viewedFileName = "r04_001.log";
    EXPECT_EQ(frameTitle(s), "Orvane Trialix - View file 'r04_001.log' from RX-04");
    s.viewFileMode = false;
    s.modelIndex = 2;
    s.receiverDescription = "ZELP board 3.1";
    EXPECT_EQ(frameTitle(s), "ZELP board 3.1");
}

TEST(CommandEnabling, IdleConnectedEmulationAndViewing) {
    CommandState idle;
    EXPECT_TRUE(commandStatus(Command::Connect, idle).enabled);
    EXPECT_FALSE(commandStatus(Command::Disconnect, idle).enabled);
    EXPECT_TRUE(commandStatus(Command::ViewLogFile, idle).enabled);
    EXPECT_TRUE(commandStatus(Command::Emulation, idle).enabled);
    EXPECT_TRUE(commandStatus(Command::Analysis, idle).enabled);
    EXPECT_FALSE(commandStatus(Command::Position, idle).enabled);
    EXPECT_FALSE(commandStatus(Command::Logging, idle).enabled);
    EXPECT_FALSE(commandStatus(Command::EpochCounter, idle).enabled);
    EXPECT_TRUE(commandStatus(Command::PortActivity, idle).enabled);

    CommandState connected;
    connected.portOpen = true;
    connected.comNumber = 1;
    connected.modelIndex = 3;
    EXPECT_TRUE(commandStatus(Command::Disconnect, connected).enabled);
    EXPECT_FALSE(commandStatus(Command::Emulation, connected).enabled);
    EXPECT_FALSE(commandStatus(Command::ViewLogFile, connected).enabled);
    EXPECT_TRUE(commandStatus(Command::Logging, connected).enabled);
    EXPECT_TRUE(commandStatus(Command::DgpsRtc, connected).enabled);
    EXPECT_FALSE(commandStatus(Command::DgpsRtk, connected).enabled); // RX-18 has no RTK
    EXPECT_TRUE(commandStatus(Command::SupportTicket, connected).enabled);
    EXPECT_FALSE(commandStatus(Command::SendCommand, connected).enabled);
    connected.hostMode = true;
    EXPECT_FALSE(commandStatus(Command::Analysis, connected).enabled);
    EXPECT_FALSE(commandStatus(Command::Position, connected).enabled);
    connected.hostMode = false;
    connected.busy = true;
    EXPECT_FALSE(commandStatus(Command::Disconnect, connected).enabled);
    EXPECT_TRUE(commandStatus(Command::IndicatorPanel, connected).enabled);

    CommandState emu;
    emu.emulationActive = true;
    emu.modelIndex = 17;
    emu.decoderExists = true;
    emu.counterOpen = true;
    EXPECT_FALSE(commandStatus(Command::Connect, emu).enabled);
    EXPECT_FALSE(commandStatus(Command::ViewLogFile, emu).enabled);
    EXPECT_EQ(commandStatus(Command::Emulation, emu).checked, true);
    EXPECT_TRUE(commandStatus(Command::EpochCounter, emu).checked);

    CommandState view;
    view.viewFileMode = true;
    view.modelIndex = 17;
    view.viewedEpochs = 2;
    EXPECT_FALSE(commandStatus(Command::Connect, view).enabled);
    EXPECT_FALSE(commandStatus(Command::Emulation, view).enabled);
    EXPECT_TRUE(commandStatus(Command::DataPlotting, view).enabled);
    EXPECT_FALSE(commandStatus(Command::DgpsRtc, view).enabled);
    view.fileHasRtcm = true;
    EXPECT_TRUE(commandStatus(Command::DgpsRtc, view).enabled);
    view.viewedEpochs = 1;
    EXPECT_FALSE(commandStatus(Command::DataPlotting, view).enabled);
}

// "Close log file" and "End emulation" end exactly the state they name.
TEST(CommandEnabling, CloseLogFileAndEndEmulationOnlyInTheirState) {
    CommandState idle;
    EXPECT_FALSE(commandStatus(Command::CloseLogFile, idle).enabled);
    EXPECT_FALSE(commandStatus(Command::EndEmulation, idle).enabled);

    CommandState view;
    view.viewFileMode = true;
    view.modelIndex = 17;
    view.decoderExists = true;
    EXPECT_TRUE(commandStatus(Command::CloseLogFile, view).enabled);
    EXPECT_FALSE(commandStatus(Command::EndEmulation, view).enabled);
    EXPECT_FALSE(commandStatus(Command::CloseLogFile, view).checked);
    view.busy = true;
    EXPECT_FALSE(commandStatus(Command::CloseLogFile, view).enabled);

    CommandState emu;
    emu.emulationActive = true;
    emu.modelIndex = 17;
    EXPECT_TRUE(commandStatus(Command::EndEmulation, emu).enabled);
    EXPECT_FALSE(commandStatus(Command::CloseLogFile, emu).enabled);
    emu.recording = true; // a log session of the emulation does not keep it from ending
    EXPECT_TRUE(commandStatus(Command::EndEmulation, emu).enabled);

    CommandState connected;
    connected.portOpen = true;
    connected.comNumber = 1;
    connected.modelIndex = 3;
    EXPECT_FALSE(commandStatus(Command::CloseLogFile, connected).enabled);
    EXPECT_FALSE(commandStatus(Command::EndEmulation, connected).enabled);
}

TEST(DataWindowHint, ShownWhileDataArrivesAndNoDataWindowShowsIt) {
    CommandState s;
    EXPECT_FALSE(wantsDataWindowHint(s));
    // Connected, but the receiver is not identified yet: nothing to show.
    s.portOpen = true;
    s.comNumber = 1;
    EXPECT_FALSE(wantsDataWindowHint(s));
    s.modelIndex = 1;
    EXPECT_TRUE(wantsDataWindowHint(s));
    s.hostMode = true;
    EXPECT_FALSE(wantsDataWindowHint(s));
    s.hostMode = false;
    // Any one data window ends the hint; the epoch counter and port activity window do not.
    s.counterOpen = s.portActivityOpen = true;
    EXPECT_TRUE(wantsDataWindowHint(s));
    for (bool CommandState::*open :
         {&CommandState::positionOpen, &CommandState::skyOpen, &CommandState::panelOpen,
          &CommandState::rtcOpen, &CommandState::rtkOpen, &CommandState::plotOpen}) {
        CommandState t = s;
        t.*open = true;
        EXPECT_FALSE(wantsDataWindowHint(t));
    }
    CommandState emu;
    emu.emulationActive = true;
    EXPECT_TRUE(wantsDataWindowHint(emu));
    CommandState view;
    view.viewFileMode = true;
    EXPECT_TRUE(wantsDataWindowHint(view));
    view.busy = true;
    EXPECT_FALSE(wantsDataWindowHint(view));
}

TEST(ByteCount, UnitsSeparatorsAndTruncation) {
    NumberFormat en;
    EXPECT_EQ(formatByteCount(0, en), "0 B");
    EXPECT_EQ(formatByteCount(1023, en), "1,023 B");
    EXPECT_EQ(formatByteCount(1024, en), "1.00 KB");
    EXPECT_EQ(formatByteCount(1535.9, en), "1.49 KB");
    EXPECT_EQ(formatByteCount(1048575, en), "1,023.99 KB");
    EXPECT_EQ(formatByteCount(5.5 * 1048576, en), "5.50 MB");
    EXPECT_EQ(formatByteCount(1234.0 * 1073741824.0, en), "1,234.00 GB");
    NumberFormat de{",", ".", 3};
    EXPECT_EQ(formatByteCount(2047.5 * 1073741824.0, de), "2.047,50 GB");
    EXPECT_EQ(formatWhole(1234567, NumberFormat{".", " ", 3}), "1 234 567");
    EXPECT_EQ(formatByteCount(-5, en), "0 B");
}

TEST(Folders, FallbackLogFolderIsCreatedAndCaseKept) {
    namespace fs = std::filesystem;
    fs::path home = fs::temp_directory_path() / "trix_app_folders" / "Data Home";
    fs::remove_all(home.parent_path());
    Folders f = resolveFolders(home.string(), "/usr/share/trix32/RECEIVER", "/no/such/dir", "");
    EXPECT_TRUE(f.loggingFallback);
    EXPECT_EQ(f.logging, home.string() + "/Log/");
    EXPECT_TRUE(fs::is_directory(f.logging));
    EXPECT_TRUE(fs::is_directory(f.almanacs));
    EXPECT_EQ(f.fileDialog, f.logging);
    EXPECT_EQ(f.receiverShipped, "/usr/share/trix32/RECEIVER/");

    fs::create_directories(home / "My Logs");
    Folders g =
        resolveFolders(home.string(), "", (home / "My Logs").string(), (home / "My Logs").string());
    EXPECT_FALSE(g.loggingFallback);
    EXPECT_EQ(g.logging, (home / "My Logs").string() + "/");

    fs::create_directories(home / "RECEIVER");
    {
        std::FILE* fp = std::fopen((home / "RECEIVER" / "default.gps").c_str(), "w");
        std::fclose(fp);
    }
    EXPECT_EQ(findReceiverFile(g, "default.gps"), (home / "RECEIVER" / "default.gps").string());
    EXPECT_EQ(findReceiverFile(g, "none.gps"), "");
    fs::remove_all(home.parent_path());
}
