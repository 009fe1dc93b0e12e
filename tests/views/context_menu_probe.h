#pragma once
// Opens a widget's context menu as a right click does, chooses one of its commands and returns
// what the clipboard holds afterwards, so window tests can drive "Copy" as a user does.

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

namespace trix::views::test {

struct MenuProbe {
    bool shown = false;
    bool enabled = false;
    QString clipboard;
};

// `command` is the menu text without its '&'.
inline MenuProbe chooseFromContextMenu(QWidget& w, const QString& command,
                                       QPoint at = QPoint(5, 5)) {
    MenuProbe probe;
    QApplication::clipboard()->setText(QStringLiteral("<untouched>"));
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        probe.shown = true;
        for (QAction* a : menu->actions())
            if (a->text().remove(QLatin1Char('&')) == command) {
                probe.enabled = a->isEnabled();
                if (a->isEnabled())
                    a->trigger();
            }
        menu->close();
    });
    QWidget* target = &w;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(&w))
        target = area->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    QApplication::processEvents();
    probe.clipboard = QApplication::clipboard()->text();
    return probe;
}

} // namespace trix::views::test
