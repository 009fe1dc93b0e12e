#pragma once
// The support ticket's windows: the parameter dialog (once or a series) and the modeless window
// that makes one ticket, showing the progress in its title.

#include "base/ui.h"
#include "link/listeners.h"
#include "logs/timer_host.h"
#include "ticket/ticket_run.h"
#include "ticket/ticket_series.h"

#include <QDialog>
#include <QTimer>

#include <map>
#include <memory>

class QDoubleSpinBox;
class QRadioButton;

namespace trix::views {

// Window timers by id on QTimer.
class WidgetTimers : public QObject, public logs::TimerHost {
public:
    explicit WidgetTimers(std::function<void(int)> fired, QObject* parent = nullptr)
        : QObject(parent), fired_(std::move(fired)) {}
    bool start(int id, long long ms) override;
    void kill(int id) override;
    bool running(int id) const { return timers_.count(id) != 0; }

private:
    std::function<void(int)> fired_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

// "Support Ticket Parameters".
class TicketModeDialog : public QDialog {
    Q_OBJECT
public:
    TicketModeDialog(const ticket::TicketMode& start, MessageSink& messages,
                     QWidget* parent = nullptr);
    const ticket::TicketMode& mode() const { return mode_; }
    void accept() override;

    QRadioButton* onceButton() const { return once_; }
    QRadioButton* seriesButton() const { return series_; }
    QDoubleSpinBox* hoursBox() const { return hours_; }
    QDoubleSpinBox* minutesBox() const { return minutes_; }

private:
    void enableFields();
    MessageSink& messages_;
    ticket::TicketMode mode_;
    QRadioButton* once_;
    QRadioButton* series_;
    QDoubleSpinBox* hours_;
    QDoubleSpinBox* minutes_;
};

// "Creating Support Ticket...": makes one ticket. The program passes it every received line
// (the ticket slot of the link) and tells it when the link goes away; it closes itself when
// the ticket ends.
class TicketWindow : public QDialog, public ticket::TicketEvents, public link::LinkListener {
    Q_OBJECT
public:
    TicketWindow(ticket::TicketSetup setup, ticket::TicketPort& port, MessageSink& messages,
                 QWidget* parent = nullptr);
    ~TicketWindow() override;

    // Starts the ticket; false (the window then closes) when it cannot be made.
    bool start();
    void disconnected() { run_.disconnected(); }
    ticket::TicketRun& run() { return run_; }
    WidgetTimers& timers() { return timers_; }

    // LinkListener
    void ticketLine(std::string_view text) override { run_.line(text); }
    // TicketEvents
    void progress(int percent) override;
    void finished(bool complete) override;

signals:
    // The ticket ended (complete or not); the window is about to close.
    void ended(bool complete);

protected:
    void reject() override;
    void paintEvent(QPaintEvent* event) override;

private:
    WidgetTimers timers_;
    ticket::TicketRun run_;
    QTimer* animation_;
    int frame_ = 0;
};

} // namespace trix::views
