#pragma once
// Log files dropped on the main window are viewed as "View log file..." views them, and only
// when that command could run: the drag is refused otherwise, with the reason in the status
// bar. Of several log files the first is viewed, and the status bar says so. Anything else
// (remote URLs, folders, other files) is not taken.

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

namespace trix::app {

// The dropped URLs that name a local, existing file called *.log, in drop order.
QStringList droppedLogFiles(const QList<QUrl>& urls);

class LogFileDrop : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<bool()> canView;            // "View log file..." is enabled
        std::function<bool(const QString&)> view; // views a file as that command does
        std::function<void(const QString&)> say;  // a text for the status bar
    };

    // Makes `target` accept drops and handles them there.
    LogFileDrop(QWidget& target, Hooks hooks);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Hooks hooks_;
};

} // namespace trix::app
