#pragma once
// Colours of the display colour tables as Qt colours.

#include "app/core/colors.h"
#include "app/core/settings.h"

#include <QColor>

namespace trix::views {

inline QColor toQColor(app::ColorValue c) {
    return QColor(app::red(c), app::green(c), app::blue(c));
}

// The current colour of item `index` of a table; black for an index the table lacks.
inline QColor tableColor(const app::Settings& s, app::ColorTableId table, int index) {
    const app::ColorTable& t = s.colorTable(table);
    if (index < 0 || static_cast<std::size_t>(index) >= t.size())
        return Qt::black;
    return toQColor(t[static_cast<std::size_t>(index)].current);
}

} // namespace trix::views
