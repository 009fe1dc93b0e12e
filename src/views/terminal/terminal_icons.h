#pragma once
// The terminal's small pictures, drawn by the program: the traffic kinds, the menu rows and
// the buttons.

#include "ticket/terminal_core.h"

#include <QColor>
#include <QIcon>

namespace trix::views {

enum class TerminalIcon { Received, Sent, Status, Heading, WithForm, Plain, Pause, Checksum, Mode };

QIcon terminalIcon(TerminalIcon which);

// A traffic line's text colour and icon, on screen and on paper.
QColor trafficColour(ticket::TrafficKind kind);
QIcon trafficIcon(ticket::TrafficKind kind);

} // namespace trix::views
