#pragma once
// Texts of the receiver link: ports, commands, detection, sources and the connection dialogs.
// Texts that are format strings take their arguments through cformat().

namespace trix::str {

// Receiver link: port, commands, detection and initialization files.
inline constexpr const char* kSpeedChangeQuestion = // with its question
    "Communication between Trialix and GPS receiver lost due to port speed change.\nDo you "
    "wish to restore communication?";
inline constexpr const char* kErrorClosingCom = "Error on closing Com%d: %s";
inline constexpr const char* kErrorWritingPort =
    "Error on writing to port.\nPlease ensure that receiver is connected and turned on.";
inline constexpr const char* kNoCommandsInFile = "No commands in the %s file!";
inline constexpr const char* kInitializationFrom = "Initialization from %s";
inline constexpr const char* kNoAckContinue =
    "There is no 'ACK' response!\nContinue with next command?";
inline constexpr const char* kInitializationComplete = "Initialization complete";
inline constexpr const char* kInitializationCanceled = "Initialization canceled !";
inline constexpr const char* kComSettingDescription =
    "Com setting: Baud rate = %ld, StopBits = %d, Parity = %s, Byte size = %d, Handshaking - "
    "%s.";
inline constexpr const char* kReceiverNotDetected = "GPS receiver is not detected!";
inline constexpr const char* kInitializationSuspended = "Initialization suspended";
inline constexpr const char* kRemainingModes = "Remaining mode to detection %d";
inline constexpr const char* kWaitingForResponse = "Waiting for response from GPS ";
inline constexpr const char* kReceiverAnswersAt = "GPS receiver answers at ";
inline constexpr const char* kReceiverNotResponding = "GPS Receiver not responding";
inline constexpr const char* kParityNo = "No";
inline constexpr const char* kParityOdd = "Odd";
inline constexpr const char* kParityEven = "Even";
inline constexpr const char* kParityMark = "Mark";
inline constexpr const char* kParitySpace = "Space";
inline constexpr const char* kHandshakeRtsCts = "RTS/CTS";
inline constexpr const char* kHandshakeDtrDsr = "DTR/DSR";
inline constexpr const char* kHandshakeXonXoff = "XON/XOFF";
inline constexpr const char* kHandshakeNone = "Not used";
inline constexpr const char* kEchoCrLf = "<CR><LF>";
inline constexpr const char* kBinaryNote = "-bin:";
inline constexpr const char* kErrorReadingBufferBlock = "ERROR READING BUFFER";
inline constexpr const char* kPortLost = "The connection to %s was lost: %s";

// Connecting a receiver: connection, port settings, port activity and initialization dialogs.
inline constexpr const char* kUpdateAllData = "Would you like update all data?";
inline constexpr const char* kPortSettingsTitle = "Com%d Port Settings";
inline constexpr const char* kActivityReceiver = "GPS Receiver";
inline constexpr const char* kActivityPort = "Port";
inline constexpr const char* kActivityR = "R";
inline constexpr const char* kActivityW = "W";
inline constexpr const char* kComName = "COM%d";
inline constexpr const char* kPortActivityTitle = "Port Activity";
inline constexpr const char* kConnectionParameters = "Connection Parameters";
inline constexpr const char* kInitDialogTitle = "GPS Receiver Initialization";
inline constexpr const char* kDeviceGone = "the device is gone";
inline constexpr const char* kLabelPort = "Port";
inline constexpr const char* kPortSetup = "Port Setup";
inline constexpr const char* kDefaultComSetting = "Default Com setting";
inline constexpr const char* kInitializeFromFile = "Initialize from file:";
inline constexpr const char* kTurnOffAllOnDetach = "Turn off ALL messages on detach";
inline constexpr const char* kManualConnectLine1 = "Manual Connect ( requires NMEA messages";
inline constexpr const char* kManualConnectLine2 = " GGA, VTG, GSA and GSV  )";
inline constexpr const char* kButtonConnect = "Connect";
inline constexpr const char* kButtonReconnect = "Reconnect";
inline constexpr const char* kButtonDisconnect = "Disconnect";
inline constexpr const char* kButtonCancel = "Cancel";
inline constexpr const char* kButtonOk = "OK";
inline constexpr const char* kButtonStop = "Stop";
inline constexpr const char* kButtonBack = "<<";
inline constexpr const char* kButtonForward = ">>";
inline constexpr const char* kButtonAutoSelect = "AutoSelect";
inline constexpr const char* kButtonManualConnect = "Manual Connect";
inline constexpr const char* kLabelBaudRate = "Baud rate";
inline constexpr const char* kLabelDataBits = "Data Bits";
inline constexpr const char* kLabelParity = "Parity";
inline constexpr const char* kLabelStopBits = "Stop Bits";
inline constexpr const char* kLabelHandshaking = "Handshaking";
inline constexpr const char* kUseDtrDsr = "Use DTR/DSR";
inline constexpr const char* kUseRtsCts = "Use RTS/CTS";
inline constexpr const char* kUseXonXoff = "Use XON/XOFF";
inline constexpr const char* kParityNone = "None";
inline constexpr const char* kNotRespondingText =
    "The receiver does not answer at the port's settings.\nAutoSelect tries every baud rate "
    "with and without RTS/CTS; Manual Connect takes it as a plain NMEA receiver.";

// Input sources: a serial device or a receiver behind a TCP listener.
inline constexpr const char* kSourceEmpty = "no source given (a device path or tcp://HOST:PORT)";
inline constexpr const char* kSourceUnknownKind =
    "%s: not a source (a device path or tcp://HOST:PORT)";
inline constexpr const char* kSourceNoHost = "%s: the host is missing (tcp://HOST:PORT)";
inline constexpr const char* kSourceBadHost = "%s: the host is malformed";
inline constexpr const char* kSourceNoPort = "%s: the port is missing (tcp://HOST:PORT)";
inline constexpr const char* kSourceBadPort = "%s: the port must be a number from 1 to 65535";
inline constexpr const char* kSourceHostNotFound = "%s: the host is not found: %s";
inline constexpr const char* kSourceConnectFailed = "%s: cannot connect: %s";
inline constexpr const char* kSourceConnectTimeout = "%s: no answer within %d ms";
inline constexpr const char* kSourceConnectionClosed = "the connection was closed";
inline constexpr const char* kSourceLabel = "Source:";
inline constexpr const char* kSourceHint = "A device path or tcp://HOST:PORT; empty: the COM port";
inline constexpr const char* kSpeedNotApplicable =
    "The speed and the handshaking do not apply to a TCP source.";

} // namespace trix::str
