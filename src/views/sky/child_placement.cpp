#include "views/sky/child_placement.h"

#include <QMdiSubWindow>
#include <QWidget>

namespace trix::views {

QWidget* placementWidget(QWidget* window) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        return sub;
    return window;
}

bool restoreChildPlacement(QWidget* window, const app::IniProfile* profile, const char* key) {
    if (profile == nullptr)
        return false;
    const app::WindowPlacement stored = app::readPlacement(*profile, key);
    QWidget* frame = placementWidget(window);
    const QWidget* area = frame->parentWidget();
    const QSize screen = area != nullptr ? area->size() : QSize(1920, 1080);
    const app::RestoredPlacement r =
        app::restorePlacement(stored, screen.width(), screen.height(), true);
    if (!r.move)
        return false;
    const app::PlacedRect fit = app::fitPlacement(stored, screen.width(), screen.height());
    frame->setGeometry(fit.left, fit.top, fit.width, fit.height);
    if (r.showState == app::kShowMaximized)
        frame->showMaximized();
    return true;
}

app::WindowPlacement placementOf(const QRect& r) {
    app::WindowPlacement p;
    p.left = r.left();
    p.top = r.top();
    p.right = r.left() + r.width();
    p.bottom = r.top() + r.height();
    p.showState = app::kShowNormal;
    return p;
}

void saveChildPlacement(QWidget* window, app::IniProfile* profile, const char* key) {
    if (profile == nullptr)
        return;
    QWidget* frame = placementWidget(window);
    app::WindowPlacement p = placementOf(frame->geometry());
    if (frame->isMaximized())
        p.showState = app::kShowMaximized;
    else if (frame->isMinimized())
        p.showState = app::kShowMinimized;
    app::writePlacement(*profile, key, p);
}

} // namespace trix::views
