#pragma once
// Texts of the terminal, the command menus, support tickets and the receivers information book.
// Texts that are format strings take their arguments through cformat().

namespace trix::str {

// Terminal, command menus, support tickets and the receivers information book.
inline constexpr const char* kMenuCompileError = "Error on compiling\n%s\nat the line # %d";
inline constexpr const char* kEnterValueBetween = "Enter value between %s and %s";
inline constexpr const char* kAddCommandQuestion = "Add command %s to the %s?";
inline constexpr const char* kNoSelection = "There is no selection !";
inline constexpr const char* kTextNotAllowed =
    "The text may not contain '*', '$' or control characters.";
inline constexpr const char* kCommandTooLong =
    "The command is longer than %d characters and is not sent.";
inline constexpr const char* kNothingToSend = "There is no command to send.";
inline constexpr const char* kNoReceiverConnected = "The receiver is not connected.";
inline constexpr const char* kPseudoOutsideHostMode =
    "This command is taken only while the receiver is in host mode.";
inline constexpr const char* kScriptTooLong =
    "The %s file holds more than %d commands or answer marks; the rest is not used.";
inline constexpr const char* kTicketWriteError = "Error on writing the ticket file\n%s\n%s";
inline constexpr const char* kTicketProgressTitle = "Creating Support Ticket:% 3d %% done";
inline constexpr const char* kStopSeriesQuestion =
    "Support Ticket is beeing created now!\nWould you like to stop creating Support Ticket?";
inline constexpr const char* kTicketCancelled = "Creating Support Ticket is cancelled.";
inline constexpr const char* kTicketCreated = "Ticket:'%s' was created successfully.";
inline constexpr const char* kTicketNoLink =
    "The receiver was disconnected or went into host mode; the ticket cannot be completed.";
inline constexpr const char* kSeriesTurnSkipped =
    "No support ticket this turn: the receiver is not connected or is in host mode.";
inline constexpr const char* kSeriesEndedNoLink =
    "The series of support tickets ended: the receiver was disconnected.";
inline constexpr const char* kTicketParamTitle = "Support Ticket Parameters";
inline constexpr const char* kCreatingTicket = "Creating Support Ticket...";
inline constexpr const char* kTicketOnce = "Once";
inline constexpr const char* kTicketSeries = "As file series";
inline constexpr const char* kTicketDuring = "during";
inline constexpr const char* kTicketHours = "hours";
inline constexpr const char* kTicketEvery = "every";
inline constexpr const char* kTicketMinutes = "minutes";
inline constexpr const char* kTicketRequestText =
    "You have requested that a diagnostic support file be generated. For best results, ensure "
    "that receiver is tracking satellites and any incoming correction signals are being "
    "received before continuning.";
inline constexpr const char* kTerminalTitle = "GPS Receiver Terminal";
inline constexpr const char* kSendMenuTitle = "Menu of commands for GPS";
inline constexpr const char* kTipPause = "Pause output";
inline constexpr const char* kTipChecksum = "Add Checksum";
inline constexpr const char* kCreateGps = "Create *.gps";
inline constexpr const char* kTipCreateGps = "Create .gps file";
inline constexpr const char* kAddButton = "Add";
inline constexpr const char* kTipAdd = "Add command to the .gps file";
inline constexpr const char* kSendButton = "Send";
inline constexpr const char* kTipSend = "Send command";
inline constexpr const char* kMenuLabel = "Menu";
inline constexpr const char* kTipMenu = "Select the command";
inline constexpr const char* kTypeLabel = "Type";
inline constexpr const char* kTipType = "Type the command";
inline constexpr const char* kTipMode = "Switch Select<->Type command mode";
inline constexpr const char* kTerminalClear = "Clear";
inline constexpr const char* kTerminalCopy = "Copy";
inline constexpr const char* kTerminalPage = "Page %u";
inline constexpr const char* kDescriptionAbsent = "Information about %s receiver is absent.";

} // namespace trix::str
