#pragma once
// The grid beside the strips: one row per built series with its shown flag, the value at the
// replay position and the statistics. A double click or Enter on a row asks to toggle the
// plot; the window answers by setting the flag explicitly.

#include "views/plot/series.h"

#include <QTableWidget>

#include <array>

namespace trix::plot {

class ParameterGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit ParameterGrid(QWidget* parent = nullptr);

    void fill(const SeriesSet& set, const std::array<bool, kSeriesCount>& shown, int epoch);
    void setShown(int index, bool on);
    void showEpoch(int epoch);
    // The row of parameter `index`, or -1 when its series does not exist.
    int rowOf(int index) const;

signals:
    void toggleRequested(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitColumns();
    const SeriesSet* set_ = nullptr;
    std::array<int, kSeriesCount> rows_{};
};

} // namespace trix::plot
