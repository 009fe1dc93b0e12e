#include "window_menu.h"

#include "app/core/ini_profile.h"
#include "app/core/placement.h"
#include "base/strings.h"
#include "base/text.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace trix::app {

namespace {
QString u8(const char* text) {
    return QString::fromUtf8(text);
}
// The main window keeps its own placement; the menu resets only the windows inside it.
constexpr const char* kMainWindowKey = "MainWin";
} // namespace

WindowMenu::WindowMenu(QMdiArea& area, IniProfile& profile, QMenu& menu, QObject* parent)
    : QObject(parent), area_(area), profile_(profile), menu_(menu) {
    // Children a small main window cuts off stay reachable through the area's scroll bars.
    area_.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QAction* a = menu_.addAction(u8(str::kWindowCascade), &area_, &QMdiArea::cascadeSubWindows);
    a->setStatusTip(u8(str::kTipWindowCascade));
    a = menu_.addAction(u8(str::kWindowTile), &area_, &QMdiArea::tileSubWindows);
    a->setStatusTip(u8(str::kTipWindowTile));
    a = menu_.addAction(u8(str::kWindowNext), &area_, &QMdiArea::activateNextSubWindow);
    a->setShortcut(QKeySequence::NextChild);
    a->setStatusTip(u8(str::kTipWindowNext));
    a = menu_.addAction(u8(str::kWindowPrevious), &area_, &QMdiArea::activatePreviousSubWindow);
    a->setShortcut(QKeySequence::PreviousChild);
    a->setStatusTip(u8(str::kTipWindowPrevious));
    menu_.addSeparator();
    a = menu_.addAction(u8(str::kResetWindowLayout), this, &WindowMenu::resetLayout);
    a->setStatusTip(u8(str::kTipResetWindowLayout));
    listStart_ = menu_.addSeparator();
    connect(&menu_, &QMenu::aboutToShow, this, &WindowMenu::listWindows);
}

void WindowMenu::resetLayout() {
    for (const std::string& key : profile_.keys("Windows"))
        if (key != kMainWindowKey && readPlacement(profile_, key).stored())
            writePlacement(profile_, key, WindowPlacement{});
    for (QMdiSubWindow* sub : area_.subWindowList())
        if (sub->isMaximized() || sub->isMinimized())
            sub->showNormal();
    area_.tileSubWindows();
}

void WindowMenu::listWindows() {
    // The entries after the separator are those of the last time.
    const QList<QAction*> all = menu_.actions();
    bool after = false;
    for (QAction* a : all) {
        if (after) {
            menu_.removeAction(a);
            a->deleteLater();
        }
        after = after || a == listStart_;
    }
    const QList<QMdiSubWindow*> windows = area_.subWindowList();
    listStart_->setVisible(!windows.isEmpty());
    int n = 0;
    for (QMdiSubWindow* sub : windows) {
        ++n;
        const QString title = sub->windowTitle().isEmpty() && sub->widget()
                                  ? sub->widget()->windowTitle()
                                  : sub->windowTitle();
        const QString text = n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(title)
                                    : QStringLiteral("%1 %2").arg(n).arg(title);
        QAction* a = menu_.addAction(text);
        a->setCheckable(true);
        a->setChecked(sub == area_.activeSubWindow());
        a->setStatusTip(
            QString::fromStdString(cformat(str::kTipWindowEntry, title.toStdString().c_str())));
        QMdiArea* area = &area_;
        connect(a, &QAction::triggered, sub, [area, sub] { area->setActiveSubWindow(sub); });
    }
}

} // namespace trix::app
