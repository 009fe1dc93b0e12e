#pragma once
// The terminal's small pictures, drawn by the program: the traffic kinds, the menu rows and
// the buttons.

#include <QIcon>

namespace trix::views {

enum class TerminalIcon { Received, Sent, Status, Heading, WithForm, Plain, Pause, Checksum, Mode };

QIcon terminalIcon(TerminalIcon which);

} // namespace trix::views
