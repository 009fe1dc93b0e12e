#pragma once
// The "&Almanac" menu of the main window: Download from the connected receiver, Open a file,
// and the two Save as commands for the active almanac window. It owns the one download that
// may run at a time and the link port the download writes through.

#include "views/almanac/download_window.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;
class QWidget;

namespace trix {
class MessageSink;
namespace almanac {
class LinkDownloadPort;
class AlmanacDocument;
} // namespace almanac
namespace views {
class AlmanacWindow;
class DownloadWindow;
} // namespace views
} // namespace trix

namespace trix::app {

class Session;
struct LinkState;

// Whether "&Download" may start: a receiver that answers the proprietary commands is
// connected (a model of the table identified), the link is not in host mode nor busy, no log
// file is viewed and no download runs.
bool almanacDownloadEnabled(const LinkState& link, bool downloadRunning);

class AlmanacCommands : public QObject {
public:
    // Adds the menu to `menuBar`; the windows open in `mdi`.
    AlmanacCommands(Session& session, QMdiArea& mdi, QMenuBar& menuBar, QWidget& frame);
    ~AlmanacCommands() override;

    void download();
    void open();
    // "Tennar Binary" (binary true) or "Yuma ASCII" for the active almanac window.
    void saveAs(bool binary);
    void print();
    // The commands follow the link and the active window.
    void update();

    views::DownloadWindow* downloadWindow() const { return download_; }
    // The active MDI child when it is an almanac window.
    views::AlmanacWindow* activeAlmanac() const;
    QMenu* menu() const { return menu_; }
    QAction* downloadAction() const { return download_a_; }
    QAction* openAction() const { return open_a_; }
    QAction* binaryAction() const { return binary_a_; }
    QAction* yumaAction() const { return yuma_a_; }
    QAction* printAction() const { return print_a_; }
    // An almanac shown in its own window inside the main window.
    views::AlmanacWindow* show(std::unique_ptr<views::AlmanacWindow> window);

    // Ends a running download (the receiver is left as it was) while the link still exists.
    void endDownload();

private:
    void finished(std::unique_ptr<almanac::AlmanacDocument> doc);
    QString folder() const;

    Session& session_;
    QMdiArea& mdi_;
    QWidget& frame_;
    QMenu* menu_ = nullptr;
    QAction* download_a_ = nullptr;
    QAction* open_a_ = nullptr;
    QAction* binary_a_ = nullptr;
    QAction* yuma_a_ = nullptr;
    QAction* print_a_ = nullptr;
    QPointer<views::DownloadWindow> download_;
};

} // namespace trix::app
