#include "recent_logs_menu.h"

#include "base/strings.h"
#include "base/text.h"
#include "base/ui.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>

namespace trix::app {

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// "&1".."&9", then "1&0": the tenth keeps a key of its own.
QString accelerator(int index) {
    return index < 9 ? QStringLiteral("&%1").arg(index + 1) : QStringLiteral("1&0");
}

} // namespace

RecentLogsMenu::RecentLogsMenu(IniProfile& profile, QMenu& menu, QAction& viewLogFile,
                               MessageSink& messages, Viewer view, QObject* parent)
    : QObject(parent), logs_(profile), messages_(messages), view_(std::move(view)),
      viewLogFile_(viewLogFile) {
    menu_ = new QMenu(u8(str::kRecentLogsMenu), &menu);
    menu_->menuAction()->setStatusTip(u8(str::kTipRecentLogsMenu));
    const QList<QAction*> actions = menu.actions();
    const qsizetype at = actions.indexOf(&viewLogFile);
    QAction* before = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
    menu.insertMenu(before, menu_);
    auto follow = [this] { menu_->menuAction()->setEnabled(viewLogFile_.isEnabled()); };
    connect(&viewLogFile_, &QAction::changed, this, follow);
    follow();
    connect(menu_, &QMenu::aboutToShow, this, &RecentLogsMenu::rebuild);
    rebuild();
}

void RecentLogsMenu::add(const QString& path) {
    logs_.add(path.toStdString());
    rebuild();
}

QStringList RecentLogsMenu::files() const {
    QStringList out;
    for (const std::string& f : logs_.files())
        out << QString::fromStdString(f);
    return out;
}

bool RecentLogsMenu::open(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= logs_.files().size())
        return false;
    const std::string path = logs_.files()[static_cast<std::size_t>(index)];
    if (!QFileInfo(QString::fromStdString(path)).isFile()) {
        messages_.show(cformat(str::kRecentLogMissing, path.c_str()), Buttons::Ok, Icon::Warning);
        logs_.remove(path);
        rebuild();
        return false;
    }
    return view_ && view_(QString::fromStdString(path));
}

void RecentLogsMenu::clear() {
    logs_.clear();
    rebuild();
}

void RecentLogsMenu::rebuild() {
    menu_->clear();
    const QFontMetrics metrics(menu_->font());
    const int width = metrics.averageCharWidth() * 60;
    int index = 0;
    for (const std::string& f : logs_.files()) {
        const QString path = QDir::toNativeSeparators(QString::fromStdString(f));
        // A long path keeps its start and its file name; '&' is shown, not an accelerator.
        QString shown = metrics.elidedText(path, Qt::ElideMiddle, width);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = menu_->addAction(accelerator(index) + QLatin1Char(' ') + shown);
        a->setStatusTip(QString::fromStdString(cformat(str::kTipRecentLogEntry, f.c_str())));
        a->setData(index);
        // Viewing rebuilds this menu, so it starts once the menu has let go of the action.
        connect(a, &QAction::triggered, this, [this, index] {
            QMetaObject::invokeMethod(
                this, [this, index] { open(index); }, Qt::QueuedConnection);
        });
        ++index;
    }
    if (index > 0)
        menu_->addSeparator();
    QAction* clearAll = menu_->addAction(u8(str::kRecentLogsClear), this, [this] {
        QMetaObject::invokeMethod(this, &RecentLogsMenu::clear, Qt::QueuedConnection);
    });
    clearAll->setStatusTip(u8(str::kTipRecentLogsClear));
    clearAll->setEnabled(index > 0);
}

} // namespace trix::app
