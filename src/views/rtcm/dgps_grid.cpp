#include "views/rtcm/dgps_grid.h"

#include <QHeaderView>
#include <QTableWidget>

namespace trix::views {

QTableWidget* makeGrid(const QStringList& columns, QWidget* parent) {
    auto* g = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    g->setHorizontalHeaderLabels(columns);
    g->verticalHeader()->setVisible(false);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionMode(QAbstractItemView::NoSelection);
    g->setFocusPolicy(Qt::NoFocus);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
    return g;
}

void fillGrid(QTableWidget* grid, const std::vector<std::vector<std::string>>& rows) {
    grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& cells = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QString text = c < static_cast<int>(cells.size())
                                     ? QString::fromUtf8(cells[static_cast<std::size_t>(c)])
                                     : QString();
            QTableWidgetItem* item = grid->item(r, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                grid->setItem(r, c, item);
            }
            if (item->text() != text)
                item->setText(text);
        }
    }
}

void fitRows(QTableWidget* grid, int rows) {
    const int header =
        grid->horizontalHeader()->isHidden() ? 0 : grid->horizontalHeader()->sizeHint().height();
    const int h =
        header + rows * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth();
    grid->setFixedHeight(h);
}

} // namespace trix::views
