#include "views/terminal/ticket_controller.h"

#include "base/strings.h"
#include "decode/models.h"

namespace trix::views {

TicketController::TicketController(link::Link& link, MessageSink& messages, FileFinder findFile,
                                   std::function<std::string()> logDir, QWidget* parent)
    : QObject(parent), link_(link), messages_(messages), findFile_(std::move(findFile)),
      logDir_(std::move(logDir)), parent_(parent), port_(link), timers_([this](int id) {
          if (id == ticket::kSeriesTimer)
              series_.seriesTick();
          else if (id == ticket::kSeriesEndTimer)
              series_.endTick();
      }),
      series_(*this, timers_, messages) {}

TicketController::~TicketController() {
    if (window_) {
        link_.listeners.remove(window_);
        delete window_;
    }
}

bool TicketController::enabled() const {
    return ticket::ticketCommandEnabled(window_ != nullptr, link_.port() != nullptr,
                                        link_.state.hostMode, link_.state.modelIndex);
}

bool TicketController::linkReady() const {
    return link_.port() != nullptr && !link_.state.hostMode;
}

void TicketController::command() {
    if (series_.running()) {
        if (messages_.show(str::kStopSeriesQuestion, Buttons::YesNo, Icon::Question) == Answer::Yes)
            series_.stop();
        return;
    }
    if (!enabled())
        return;
    TicketModeDialog dialog(mode_, messages_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    mode_ = dialog.mode();
    series_.start(mode_);
}

void TicketController::startTicket() {
    if (window_ || !linkReady())
        return;
    const int model = link_.state.modelIndex;
    const std::string script = std::string(modelInfo(model).code) + ".spt";
    ticket::TicketSetup setup;
    setup.modelIndex = model;
    setup.portLetter = link_.state.receiverPort;
    setup.baud = link_.state.portSettings.baudRate();
    setup.scriptPath = findFile_ ? findFile_(script) : std::string();
    if (setup.scriptPath.empty())
        setup.scriptPath = script; // named in the message when it cannot be opened
    setup.directory = logDir_ ? logDir_() : std::string();
    setup.seriesRunning = series_.running();
    auto* window = new TicketWindow(setup, port_, messages_, parent_);
    window_ = window;
    link_.listeners.set(link::Slot::Ticket, window);
    connect(window, &TicketWindow::ended, this, [this, window](bool) {
        link_.listeners.remove(window);
        window_ = nullptr;
        series_.ticketEnded();
    });
    if (!window->start()) {
        link_.listeners.remove(window);
        window_ = nullptr;
        window->deleteLater();
        series_.ticketEnded();
        return;
    }
    window->show();
}

void TicketController::disconnected() {
    // The series ends first: the cancelled ticket's message boxes run an event loop, and a
    // series timer firing in there must not start a turn or report the series a success.
    series_.disconnected();
    if (window_)
        window_->disconnected();
}

} // namespace trix::views
