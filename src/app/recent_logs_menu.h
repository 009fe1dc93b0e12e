#pragma once
// GPS ▸ Recent Log Files: the log files viewed last, newest first, with &1 to 1&0, and "Clear
// list". A file that is gone is said so and leaves the list. The submenu is enabled exactly
// when "View log file..." is, and views a file the way that command does.

#include "recent_logs.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;

namespace trix {
class MessageSink;
}

namespace trix::app {

class RecentLogsMenu : public QObject {
    Q_OBJECT
public:
    using Viewer = std::function<bool(const QString& path)>;

    // Inserts the submenu into `menu` right after `viewLogFile`, follows that action's
    // enabling, and views a chosen file with `view`.
    RecentLogsMenu(IniProfile& profile, QMenu& menu, QAction& viewLogFile, MessageSink& messages,
                   Viewer view, QObject* parent = nullptr);

    // A log file has been viewed: it goes first.
    void add(const QString& path);
    QStringList files() const;
    // Views the file at `index` (0 first); a file that no longer exists is said so and
    // removed. False when nothing was viewed.
    bool open(int index);
    void clear();

    QMenu* menu() const { return menu_; }
    // Builds the entries again (the menu does so each time it opens).
    void rebuild();

private:
    RecentLogs logs_;
    MessageSink& messages_;
    Viewer view_;
    QAction& viewLogFile_;
    QMenu* menu_ = nullptr;
};

} // namespace trix::app
