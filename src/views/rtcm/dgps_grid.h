#pragma once
// Grid helpers the DGPS windows share: read-only tables with column titles and the texts of
// one row per line.

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QTableWidget;
class QWidget;

namespace trix::views {

template <std::size_t N> QStringList titles(const char* const (&names)[N]) {
    QStringList l;
    for (const char* n : names)
        l << QString::fromUtf8(n);
    return l;
}

// A read-only grid with these column titles and no row titles.
QTableWidget* makeGrid(const QStringList& columns, QWidget* parent);
// Replaces the grid's rows with `rows` (cells as UTF-8 texts).
void fillGrid(QTableWidget* grid, const std::vector<std::vector<std::string>>& rows);
// The height that shows `rows` rows and the header without a scroll bar.
void fitRows(QTableWidget* grid, int rows);

} // namespace trix::views
