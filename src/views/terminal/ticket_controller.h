#pragma once
// "Support Ticket...": the mode dialog, the series and its timers, and the ticket window of
// each ticket, over the program's link. The main window keeps one and forwards the command,
// its enabling and check mark, and the disconnect.

#include "base/ui.h"
#include "link/link.h"
#include "ticket/command_sender.h"
#include "ticket/ticket_series.h"
#include "views/terminal/ticket_windows.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

namespace trix::views {

class TicketController : public QObject, public ticket::SeriesHost {
    Q_OBJECT
public:
    using FileFinder = std::function<std::string(const std::string&)>;
    // `findFile` gives a receiver file's path (user folder first, "" when missing), `logDir`
    // the logging folder where tickets go.
    TicketController(link::Link& link, MessageSink& messages, FileFinder findFile,
                     std::function<std::string()> logDir, QWidget* parent);
    ~TicketController() override;

    // The "Support Ticket..." command: asks to stop a running series, else asks for the mode
    // and starts.
    void command();
    bool enabled() const;
    bool checked() const { return series_.running(); }
    // The link was closed: the ticket is cancelled and the series ends.
    void disconnected();
    // Pane 2 of the status bar (0 while tickets are made, -1 when they end).
    std::function<void(int)> onTicketPane;

    TicketWindow* window() const { return window_; }
    ticket::TicketSeries& series() { return series_; }
    const ticket::TicketMode& mode() const { return mode_; }

    // SeriesHost
    bool ticketRunning() const override { return window_ != nullptr; }
    bool linkReady() const override;
    void startTicket() override;
    void ticketPane(int value) override {
        if (onTicketPane)
            onTicketPane(value);
    }

private:
    link::Link& link_;
    MessageSink& messages_;
    FileFinder findFile_;
    std::function<std::string()> logDir_;
    QWidget* parent_;
    ticket::LinkTicketPort port_;
    WidgetTimers timers_;
    ticket::TicketSeries series_;
    ticket::TicketMode mode_;
    QPointer<TicketWindow> window_;
};

} // namespace trix::views
