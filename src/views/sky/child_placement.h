#pragma once
// Placements of display windows in the profile section "Windows": the frame rectangle of the
// window's MDI child (or of the window itself when it stands alone) and the show state.

#include "app/core/ini_profile.h"
#include "app/core/placement.h"

#include <QRect>

class QWidget;

namespace trix::views {

// The widget that carries the window's frame: its MDI sub-window, or the window itself.
QWidget* placementWidget(QWidget* window);

// Applies the placement stored under `key` (nothing when none is stored); true when applied.
bool restoreChildPlacement(QWidget* window, const app::IniProfile* profile, const char* key);
void saveChildPlacement(QWidget* window, app::IniProfile* profile, const char* key);

// A pane's rectangle as a placement (left, top, right, bottom, normal show state).
app::WindowPlacement placementOf(const QRect& r);

} // namespace trix::views
