#include "terminal_commands.h"

#include "app/core/placement.h"
#include "base/strings.h"
#include "session.h"
#include "status_bar.h"
#include "trix_application.h"
#include "trixres/trixres.h"
#include "views/book/book_window.h"
#include "views/terminal/command_menu_box.h"
#include "views/terminal/send_command_dialog.h"
#include "views/terminal/terminal_view.h"
#include "views/terminal/ticket_controller.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include <algorithm>

namespace trix::app {

namespace {

constexpr const char* kTerminalPlacement = "Terminal";
constexpr int kTerminalHeight = 250;

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TerminalCommands::TerminalCommands(Session& session, QMdiArea& mdi, QMenu& gps, QMenuBar& menuBar,
                                   QAction& sendCommand, QAction& supportTicket, StatusBar& status,
                                   QWidget& frame)
    : QObject(&frame), session_(session), mdi_(mdi), frame_(frame) {
    Session* s = &session_;
    auto find = [s](const std::string& name) { return findReceiverFile(s->app().folders(), name); };
    host_ = std::make_unique<views::LinkTerminalHost>(session_.connection(), find,
                                                      session_.app().folders().receiverUser);
    ticket_ = std::make_unique<views::TicketController>(
        session_.connection(), session_.messages(), find,
        [s] { return s->app().folders().logging; }, &frame_);
    ticket_->onTicketPane = [&status](int value) {
        status.setIcon(value < 0 ? StatusBar::NoIcon : value);
    };

    terminalAction_ = new QAction(u8(str::kWireTerminalCommand), this);
    terminalAction_->setShortcut(QKeySequence("Ctrl+T"));
    terminalAction_->setStatusTip(u8(str::kTipTerminal));
    connect(terminalAction_, &QAction::triggered, this, [this] { openTerminal(); });
    // Beside "Send command..." in the GPS menu.
    gps.insertAction(&sendCommand, terminalAction_);
    frame_.addAction(terminalAction_); // the shortcut works with the menu closed
    connect(&sendCommand, &QAction::triggered, this, [this] { this->sendCommand(); });
    // Checked while a series runs.
    supportTicket.setCheckable(true);
    connect(&supportTicket, &QAction::triggered, this, [this, &supportTicket] {
        this->supportTicket();
        supportTicket.setChecked(ticket_->checked());
    });

    QMenu* help = menuBar.addMenu(u8(str::kWireHelpMenu));
    bookAction_ = help->addAction(u8(str::kWireBookCommand), this, [this] { openBook(); });
    bookAction_->setStatusTip(u8(str::kTipBook));
}

TerminalCommands::~TerminalCommands() {
    // The windows reach into the link and the host while they go, so they go first.
    closeTerminal();
    delete sendDialog_.data();
    delete book_.data();
    ticket_.reset();
}

void TerminalCommands::openTerminal() {
    if (terminalSub_) {
        mdi_.setActiveSubWindow(terminalSub_);
        return;
    }
    auto* view = new views::TerminalView(*host_, session_.messages(), &session_.app().profile());
    QMdiSubWindow* sub = mdi_.addSubWindow(view);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(view->windowIcon());
    const WindowPlacement p = readPlacement(session_.app().profile(), kTerminalPlacement);
    RestoredPlacement r = restorePlacement(p, mdi_.width() > 0 ? mdi_.width() : 1920,
                                           mdi_.height() > 0 ? mdi_.height() : 1080, false);
    if (r.move) {
        sub->setGeometry(std::max(0, r.left), std::max(0, r.top),
                         std::max(200, r.right - std::max(0, r.left)),
                         std::max(150, r.bottom - std::max(0, r.top)));
    } else {
        // The first time: along the bottom of the client area, its full width.
        const QRect area = mdi_.viewport()->rect();
        const int height = std::min(kTerminalHeight, std::max(150, area.height()));
        sub->setGeometry(0, std::max(0, area.height() - height), std::max(200, area.width()),
                         height);
    }
    terminal_ = view;
    terminalSub_ = sub;
    link::LinkListener* listener = view;
    session_.connection().listeners.set(link::Slot::Terminal, listener);
    connect(view, &QObject::destroyed, this, [this, listener] {
        session_.connection().listeners.remove(listener);
        terminalGone();
    });
    sub->installEventFilter(this);
    sub->show();
    view->setFocus();
}

void TerminalCommands::closeTerminal() {
    if (QMdiSubWindow* sub = terminalSub_) {
        savePlacement();
        terminalSub_ = nullptr;
        delete sub;
    }
}

void TerminalCommands::savePlacement() {
    if (QMdiSubWindow* sub = terminalSub_) {
        const QRect g = sub->geometry();
        writePlacement(session_.app().profile(), kTerminalPlacement,
                       WindowPlacement{g.left(), g.top(), g.right() + 1, g.bottom() + 1,
                                       sub->isMinimized() ? kShowMinimized : kShowNormal});
    }
}

bool TerminalCommands::eventFilter(QObject* watched, QEvent* event) {
    // Where the window stood, for the next time it opens. The event type is checked first: the
    // filter also sees the events of a window being destroyed, which must not be cast.
    if (event->type() == QEvent::Close && watched == terminalSub_)
        savePlacement();
    return QObject::eventFilter(watched, event);
}

void TerminalCommands::terminalGone() {
    terminal_ = nullptr;
}

void TerminalCommands::sendCommand() {
    if (!sendDialog_)
        return;
    sendDialog_->show();
    sendDialog_->raise();
    sendDialog_->activateWindow();
}

void TerminalCommands::supportTicket() {
    ticket_->command();
}

bool TerminalCommands::ticketEnabled() const {
    return ticket_->enabled();
}

void TerminalCommands::openBook() {
    if (book_) {
        book_->raise();
        book_->activateWindow();
        return;
    }
    Session* s = &session_;
    auto* book = new views::BookWindow(
        session_.messages(),
        [s](const std::string& name) { return findReceiverFile(s->app().folders(), name); },
        [](QPainter& p, int number, const QRect& r) { return DrawReceiver(&p, number, &r) != 0; },
        &frame_);
    book->setAttribute(Qt::WA_DeleteOnClose);
    book->move(frame_.geometry().center() - book->rect().center());
    book_ = book;
    book->show();
    book->setFocus();
}

void TerminalCommands::portChanged() {
    const LinkState& link = session_.link();
    if (!link.portOpen()) {
        // The link is gone: its windows go with it.
        closeTerminal();
        delete sendDialog_.data();
        ticket_->disconnected();
        model_ = -1;
        return;
    }
    if (link.modelIndex == model_)
        return;
    model_ = link.modelIndex;
    if (terminal_)
        terminal_->receiverChanged();
    if (!sendDialog_)
        sendDialog_ = new views::SendCommandDialog(*host_, session_.messages(), &frame_);
    else
        sendDialog_->receiverChanged();
}

void TerminalCommands::fillState(CommandState& s) const {
    s.commandListLoaded = sendDialog_ && sendDialog_->menuBox()->hasMenu();
    s.ticketRunning = ticket_->ticketRunning();
    s.ticketSeries = ticket_->checked();
}

} // namespace trix::app
