#include "views/plot/parameter_grid.h"

#include "base/strings.h"
#include "base/text.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace trix::plot {

namespace {
QString number(double v) {
    return QString::fromStdString(cformat(str::kPlotGridNumber, v));
}
} // namespace

ParameterGrid::ParameterGrid(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(7);
    QStringList headers;
    for (const char* h : str::kPlotGridColumns)
        headers << QString::fromUtf8(h);
    setHorizontalHeaderLabels(headers);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    rows_.fill(-1);
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        for (int i = 0; i < kSeriesCount; ++i)
            if (rows_[static_cast<std::size_t>(i)] == row)
                emit toggleRequested(i);
    });
}

int ParameterGrid::rowOf(int index) const {
    return index >= 0 && index < kSeriesCount ? rows_[static_cast<std::size_t>(index)] : -1;
}

void ParameterGrid::fill(const SeriesSet& set, const std::array<bool, kSeriesCount>& shown,
                         int epoch) {
    set_ = &set;
    rows_.fill(-1);
    int rows = 0;
    for (int i = 0; i < kSeriesCount; ++i)
        if (set.exists[static_cast<std::size_t>(i)])
            rows_[static_cast<std::size_t>(i)] = rows++;
    setRowCount(rows);
    for (int i = 0; i < kSeriesCount; ++i) {
        const int row = rows_[static_cast<std::size_t>(i)];
        if (row < 0)
            continue;
        const Series& s = set.series[static_cast<std::size_t>(i)];
        setItem(row, 0, new QTableWidgetItem(QString::fromStdString(s.name)));
        setItem(row, 1,
                new QTableWidgetItem(QString::fromUtf8(
                    shown[static_cast<std::size_t>(i)] ? str::kPlotOn : str::kPlotOff)));
        const bool computed = s.computed();
        const QString none = QString::fromUtf8(str::kNotComputed);
        setItem(row, 3, new QTableWidgetItem(computed ? number(s.maximum) : none));
        setItem(row, 4, new QTableWidgetItem(computed ? number(s.minimum) : none));
        setItem(row, 5, new QTableWidgetItem(computed ? number(s.mean) : none));
        setItem(row, 6, new QTableWidgetItem(computed ? number(s.spread) : none));
    }
    showEpoch(epoch);
}

void ParameterGrid::setShown(int index, bool on) {
    const int row = rowOf(index);
    if (row >= 0 && item(row, 1))
        item(row, 1)->setText(QString::fromUtf8(on ? str::kPlotOn : str::kPlotOff));
}

void ParameterGrid::showEpoch(int epoch) {
    if (!set_)
        return;
    for (int i = 0; i < kSeriesCount; ++i) {
        const int row = rows_[static_cast<std::size_t>(i)];
        if (row < 0)
            continue;
        const Series& s = set_->series[static_cast<std::size_t>(i)];
        const QString text = s.valid(epoch) ? number(s.values[static_cast<std::size_t>(epoch)])
                                            : QString::fromUtf8(str::kNotComputed);
        if (QTableWidgetItem* it = item(row, 2))
            it->setText(text);
        else
            setItem(row, 2, new QTableWidgetItem(text));
    }
    fitColumns();
}

void ParameterGrid::fitColumns() {
    resizeColumnsToContents();
}

void ParameterGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        for (int i = 0; i < kSeriesCount; ++i)
            if (rows_[static_cast<std::size_t>(i)] == currentRow())
                emit toggleRequested(i);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace trix::plot
