#pragma once
// The Window menu of the MDI area: cascade, tile, next and previous window, the open windows
// by name (the active one checked), and "Reset window layout", which forgets the stored
// placements of the windows and tiles the open ones inside the area.

#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

namespace trix::app {

class IniProfile;

class WindowMenu : public QObject {
    Q_OBJECT
public:
    // Fills `menu`; the list of open windows follows the area each time the menu opens.
    WindowMenu(QMdiArea& area, IniProfile& profile, QMenu& menu, QObject* parent = nullptr);

    // Every stored child placement is forgotten (the windows open where they first would);
    // the open windows return to normal size and are tiled.
    void resetLayout();
    // Lists the open windows below the fixed commands (called when the menu opens).
    void listWindows();

private:
    QMdiArea& area_;
    IniProfile& profile_;
    QMenu& menu_;
    QAction* listStart_ = nullptr; // the separator after which the windows are listed
};

} // namespace trix::app
