#pragma once
// The terminal: the text traffic with the receiver, one line per sentence marked as sent,
// received or status, and the commands the user sends, typed or chosen from the model's menu.
// It listens to the link itself (the terminal slot) and keeps the typed-command history of
// each receiver model in the profile.

#include "app/core/ini_profile.h"
#include "base/ui.h"
#include "link/listeners.h"
#include "ticket/terminal_core.h"
#include "views/print/printable.h"
#include "views/terminal/terminal_host.h"

#include <QWidget>

#include <functional>
#include <string>

class QComboBox;
class QListWidget;
class QPushButton;
class QToolButton;

namespace trix::views {

class CommandMenuBox;

class TerminalView : public QWidget, public link::LinkListener, public print::PrintSource {
    Q_OBJECT
public:
    TerminalView(TerminalHost& host, MessageSink& messages, app::IniProfile* profile,
                 QWidget* parent = nullptr);
    ~TerminalView() override;

    // LinkListener: sent commands, received lines and notes.
    void traffic(link::Direction direction, std::string_view text) override;
    void addLine(ticket::TrafficKind kind, std::string_view text);

    // The receiver model was identified (or changed): its menu and history are loaded.
    void receiverChanged();
    // Writes the history of the current model to the profile.
    void saveHistory();

    // The print command's document: the lines page by page.
    std::unique_ptr<print::Printable> printDocument() override;
    // Output stops while the terminal prints, without touching the user's pause; every hold
    // is released once.
    void holdOutput() { ++holds_; }
    void releaseOutput() { holds_ = holds_ > 0 ? holds_ - 1 : 0; }
    bool outputHeld() const { return holds_ > 0; }

    void setPaused(bool on);
    void setAddChecksum(bool on);
    // Select mode is refused (with a beep) below model index 2.
    void setSelectMode(bool on);
    bool paused() const { return paused_; }
    bool addChecksum() const { return addChecksum_; }
    bool selectMode() const { return selectMode_; }

    // Sends the chosen entry (select mode) or the typed text (type mode).
    void sendCurrent();
    const std::string& lastCommand() const { return lastCommand_; }

    // "Create *.gps": `askFileName` replaces the save dialog (tests).
    void setFileNameAsker(std::function<std::string()> ask) { askFileName_ = std::move(ask); }
    void toggleCommandFile(bool on);
    void addToCommandFile();
    bool creatingFile() const { return !commandFile_.empty(); }

    void clearList();
    void copyList();

    const ticket::TrafficList& lines() const { return traffic_; }
    const ticket::CommandHistory& history() const { return history_; }
    QListWidget* list() const { return list_; }
    QComboBox* typeBox() const { return typeBox_; }
    CommandMenuBox* menuBox() const { return menuBox_; }
    QToolButton* modeButton() const { return modeButton_; }
    QPushButton* addButton() const { return addButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadHistory();
    void fillTypeBox();
    void pageList(int direction);
    void listMenu(const QPoint& at);

    TerminalHost& host_;
    MessageSink& messages_;
    app::IniProfile* profile_;
    int historyModel_ = -1;
    ticket::TrafficList traffic_;
    ticket::CommandHistory history_;
    bool paused_ = false;
    int holds_ = 0;
    bool addChecksum_ = true;
    bool selectMode_ = false;
    bool sending_ = false;
    std::string lastCommand_;
    std::string commandFile_;
    std::function<std::string()> askFileName_;

    QListWidget* list_;
    QToolButton* pauseButton_;
    QToolButton* checksumButton_;
    QPushButton* createButton_;
    QPushButton* addButton_;
    QToolButton* modeButton_;
    CommandMenuBox* menuBox_;
    QComboBox* typeBox_;
    QPushButton* sendButton_;
};

} // namespace trix::views
