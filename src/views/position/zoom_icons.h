#pragma once
// Icons of the zoom toolbar, drawn in code: a magnifier with a plus, a minus or a frame.

#include <QIcon>

namespace trix::views {

enum class ZoomIcon { In, Out, All };

QIcon zoomIcon(ZoomIcon kind);

} // namespace trix::views
