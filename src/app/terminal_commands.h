#pragma once
// The main window's commands that talk to the receiver through the command sender: the
// terminal ("&Terminal...", Ctrl+T, one instance), the "Menu of commands for GPS" behind
// "Send command...", and "Support Ticket..."; and the receivers information book of the Help
// menu and the start-up menu. The windows themselves are the views' own; this class creates
// them, feeds the terminal from the link and follows the receiver and the port.

#include "app/core/command_state.h"
#include "views/book/book_window.h"
#include "views/terminal/send_command_dialog.h"
#include "views/terminal/terminal_view.h"

#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>

#include <memory>

class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;
class QWidget;

namespace trix::views {
class BookWindow;
class LinkTerminalHost;
class SendCommandDialog;
class TerminalView;
class TicketController;
} // namespace trix::views

namespace trix::app {

class Session;
class StatusBar;

class TerminalCommands : public QObject {
public:
    // `gps` receives "&Terminal..."; "Send command..." and "Support Ticket..." are the main
    // window's actions, handed in. The book goes into a Help menu of `menuBar`.
    TerminalCommands(Session& session, QMdiArea& mdi, QMenu& gps, QMenuBar& menuBar,
                     QAction& sendCommand, QAction& supportTicket, StatusBar& status,
                     QWidget& frame);
    ~TerminalCommands() override;

    // "&Terminal...": opens the terminal, or brings the open one forward.
    void openTerminal();
    void closeTerminal();
    // "Send command...": the model's command menu.
    void sendCommand();
    // "Support Ticket...".
    void supportTicket();
    // "Info about GPS Receivers": the book, one at a time.
    void openBook();

    // The port or the receiver changed: the menus follow the model; a closed port closes the
    // terminal and cancels the ticket.
    void portChanged();
    // What the main window's enabling reads: the command list and the ticket writer.
    void fillState(CommandState& s) const;
    bool ticketEnabled() const;

    views::TerminalView* terminal() const { return terminal_; }
    QMdiSubWindow* terminalWindow() const { return terminalSub_; }
    views::SendCommandDialog* sendDialog() const { return sendDialog_; }
    views::TicketController& ticket() { return *ticket_; }
    views::BookWindow* book() const { return book_; }
    QAction* terminalAction() const { return terminalAction_; }
    QAction* bookAction() const { return bookAction_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void terminalGone();
    void savePlacement();

    Session& session_;
    QMdiArea& mdi_;
    QWidget& frame_;
    std::unique_ptr<views::LinkTerminalHost> host_;
    std::unique_ptr<views::TicketController> ticket_;
    QAction* terminalAction_ = nullptr;
    QAction* bookAction_ = nullptr;
    QPointer<views::TerminalView> terminal_;
    QPointer<QMdiSubWindow> terminalSub_;
    QPointer<views::SendCommandDialog> sendDialog_;
    QPointer<views::BookWindow> book_;
    int model_ = -1; // the model the menus were loaded for
};

} // namespace trix::app
