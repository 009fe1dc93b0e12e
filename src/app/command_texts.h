#pragma once
// The main window's commands as the user reads them: menu text, shortcut, whether they are
// checked, the status tip of the menu item and the tooltip of the toolbar button.

#include "app/core/command_state.h"

#include <span>

class QAction;
class QObject;

namespace trix::app {

struct CommandText {
    Command command;
    const char* text;
    const char* shortcut; // empty: none
    bool checkable;
    const char* statusTip;
    const char* toolTip; // only for commands on the toolbar; null otherwise
};

// One entry per Command, in the enum's order.
std::span<const CommandText> commandTexts();
// The action of one command: text, shortcut, checkability, status tip, and the toolbar tooltip
// with the shortcut after it.
QAction* createAction(const CommandText& command, QObject* parent);

} // namespace trix::app
