#pragma once
// "Menu of commands for GPS": the model's command menu without the terminal, behind "Send...".

#include "base/ui.h"
#include "views/terminal/terminal_host.h"

#include <QDialog>

namespace trix::views {

class CommandMenuBox;

class SendCommandDialog : public QDialog {
    Q_OBJECT
public:
    SendCommandDialog(TerminalHost& host, MessageSink& messages, QWidget* parent = nullptr);
    // The receiver model changed: the menu is loaded again.
    void receiverChanged();
    // Sends the chosen entry with a checksum; false when nothing went out.
    bool sendSelected();
    CommandMenuBox* menuBox() const { return menuBox_; }

private:
    TerminalHost& host_;
    MessageSink& messages_;
    CommandMenuBox* menuBox_;
};

} // namespace trix::views
