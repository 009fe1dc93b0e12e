#pragma once
// The accuracy statistics table of the panel pane during an analysis: the title, one label and
// value per line, and in "vs Truth" mode the horizontal and vertical error histograms.

#include "views/instruments/panel_source.h"

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

namespace trix::views {

struct TableLine {
    QString label;
    QString value;
    bool grey = false; // attitude lines of a receiver other than RX-04
};

// The lines of the table in their order, with their values formatted.
std::vector<TableLine> statisticsLines(const PanelView& view);
QString statisticsTitle(const PanelView& view);

// The histogram bars of one 1000-bin histogram laid out for a drawing width and height.
struct HistogramLayout {
    int binsPerBar = 1;
    double pixelsPerBar = 1.0;
    std::vector<double> shares; // per bar: count / (used points + 0.1)
    double scale = 0.01;        // the top of the vertical axis
    double axisSpan = 0.0;      // the axis length in the distance unit, before the multiplier
    double multiplier = 1.0;    // the axis values are divided by it
};

HistogramLayout layoutHistogram(const logs::Histogram& h, int usedPoints, int width,
                                double unitFactor);

inline constexpr QSize kHistogramSize{160, 170};

class StatisticsTable {
public:
    StatisticsTable();
    // The table's extent, which is the pane's scroll size during an analysis.
    QSize extent(const PanelView& view) const;
    int lineHeight() const { return lineHeight_; }
    int valueColumn() const { return valueX_; }
    // Draws at the painter's origin.
    void draw(QPainter& p, const PanelView& view) const;
    // Where the two histograms are drawn (horizontal, vertical), below the table.
    QPoint histogramOrigin(const PanelView& view, int which) const;

private:
    void drawHistogram(QPainter& p, QPoint origin, const logs::Histogram& h, int used,
                       const PanelView& view, bool horizontal) const;

    QFont titleFont_;
    QFont font_;
    int lineHeight_ = 16;
    int charWidth_ = 7;
    int valueX_ = 0;
};

} // namespace trix::views
