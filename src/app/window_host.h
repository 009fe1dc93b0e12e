#pragma once
// The main window as the code that plugs into it sees it. Each piece takes only what it needs:
// a data window's factory a WindowHost, the commands that add themselves to the menus a
// CommandHost, the start-up menu a StartupHost. The main window implements all three; a test
// drives a factory or a command set over a small host of its own.

#include "app/core/command_state.h"
#include "app/core/data_window.h"
#include "decode/units.h"

#include <QMdiArea>
#include <QMdiSubWindow>

class QAction;
class QMenu;

namespace trix {
class EpochDecoder;
class MessageSink;
} // namespace trix

namespace trix::logs {
class Statistics;
struct AnalysisSettings;
} // namespace trix::logs

namespace trix::link {
class Link;
}

namespace trix::app {

class DataWindowClient;
class DgpsParsers;
class IniProfile;
class Interest;
struct Settings;

// What a data window of the View menu needs to open, show and read its data.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    // --- the window registry -----------------------------------------------------------------
    // A data window opened: it is registered with what it listens to (window_registry.h) and
    // the decoder it reads exists from now on. False, after telling the user, when the window
    // is refused; it is then not registered.
    virtual bool registerWindow(DataWindow kind, QWidget* window, DataWindowClient* client,
                                const Interest& interest) = 0;
    // A registered window is gone: it is unregistered.
    virtual void windowClosed(DataWindow kind) = 0;
    // The open window of `kind`, or none.
    virtual QWidget* window(DataWindow kind) const = 0;

    // --- where windows show ------------------------------------------------------------------
    virtual QMdiArea* mdiArea() const = 0;
    // The owner of the windows' dialogs and tool windows.
    virtual QWidget* dialogParent() = 0;

    // --- what windows read and keep ----------------------------------------------------------
    virtual Settings& settings() = 0;
    // Where windows keep their placements.
    virtual IniProfile& profile() = 0;
    virtual UnitSelection units() const = 0;
    // The analysis settings as chosen in the options, before an analysis runs with them.
    virtual logs::AnalysisSettings analysisSettings() const = 0;
    virtual MessageSink& messages() = 0;

    // --- the running data --------------------------------------------------------------------
    // The decoder, or none while nothing uses it.
    virtual EpochDecoder* decoder() const = 0;
    // The statistics of the running analysis, or none.
    virtual const logs::Statistics* statistics() const = 0;
    virtual bool analysisActive() const = 0;
    // A log file is viewed (rather than a receiver's data received).
    virtual bool viewingLog() const = 0;
    // The receiver model of the link (model table index).
    virtual int modelIndex() const = 0;

    // --- the DGPS windows --------------------------------------------------------------------
    // Their line parsers, filled while a log file is indexed.
    virtual DgpsParsers& dgps() = 0;
    // The receiver link their commands go through, and its state.
    virtual link::Link& connection() = 0;
};

// Registers `window` (its client `client`) as the data window `kind` and adds it to the host's
// MDI area, not shown yet, in a frame that goes when it closes, with the main window's icon and
// at the window's preferred size. None, with the window deleted, when the host refuses it.
inline QMdiSubWindow* addDataWindow(WindowHost& host, DataWindow kind, QWidget* window,
                                    DataWindowClient* client, const Interest& interest) {
    if (!host.registerWindow(kind, window, client, interest)) {
        delete window;
        return nullptr;
    }
    QMdiSubWindow* sub = host.mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(host.mdiArea()->window()->windowIcon());
    sub->resize(sub->sizeHint());
    return sub;
}

// What a set of commands that adds itself to the main window's menus needs: the menu it goes
// in, the window that holds its shortcuts and owns its dialogs, the windows it acts on.
class CommandHost {
public:
    virtual ~CommandHost() = default;
    // The File menu.
    virtual QMenu* fileMenu() = 0;
    virtual QWidget* dialogParent() = 0;
    virtual QMdiArea* mdiArea() const = 0;
    virtual Settings& settings() = 0;
    virtual MessageSink& messages() = 0;
};

// What the choices of the start-up menu run.
class StartupHost {
public:
    virtual ~StartupHost() = default;
    virtual Settings& settings() = 0;
    virtual QAction* action(Command c) const = 0;
    virtual void connectWithLastSettings() = 0;
    virtual void onViewLogFile() = 0;
    virtual void onAnalysis() = 0;
    virtual void onEmulation() = 0;
    // The receivers book, when the program has one.
    virtual void openReceiversBook() = 0;
    virtual void updateCommands() = 0;
};

} // namespace trix::app
