#pragma once
// The drawing of the strips, shared by the window, the printed page and the off-screen
// export: backgrounds, marked region, mean and spread lines, the curve with its missing-point
// crosses, epoch lines, value ticks and labels, vertical titles and the time labels.

#include "app/core/settings.h"
#include "views/plot/plot_ranges.h"
#include "views/plot/series.h"

#include <QColor>
#include <QRect>

#include <array>
#include <vector>

class QFontMetrics;
class QPainter;

namespace trix::plot {

struct PlotColors {
    std::array<QColor, kSeriesCount> curves;
    QColor even{255, 255, 255};
    QColor odd{192, 254, 220};
    QColor mark{253, 254, 205};
    QColor axes{0, 0, 0};
    QColor titles{0, 0, 0};
    QColor mean{255, 0, 255};
    QColor spread{0, 0, 255};

    static PlotColors from(const app::Settings& settings);
};

inline const QColor kMissingCross{255, 0, 0};

// Everything the strips show.
struct PlotScene {
    const SeriesSet* set = nullptr;
    std::array<bool, kSeriesCount> shown{};
    PlotRanges ranges;
    bool hideSelection = false;
    int cursor = -1; // epoch of the replay cursor, or -1
    PlotColors colors;

    // Shown and existing, in index order.
    std::vector<int> shownSeries() const;
};

struct Strip {
    int series; // parameter index
    QRect rect; // the plotting area, without the title margin
};

// Where every strip lies in `area`. Nothing is laid out with no strip shown or fewer than
// two epochs shown.
class PlotLayout {
public:
    PlotLayout(const PlotScene& scene, const QRect& area, const QFontMetrics& metrics,
               bool printing);

    bool empty() const { return strips_.empty(); }
    const std::vector<Strip>& strips() const { return strips_; }
    int titleHeight() const { return titleHeight_; }
    double pixelsPerEpoch() const { return pixelsPerEpoch_; }
    double xOf(int epoch) const;
    // The shown epoch nearest to x (clamped to the shown range).
    int epochAt(int x) const;
    // The strip under `p`, or -1.
    int stripAt(const QPoint& p) const;
    // The screen area a cursor at `epoch` covers (for repainting only it).
    QRect cursorArea(int epoch) const;
    int first() const { return first_; }
    int last() const { return last_; }

private:
    std::vector<Strip> strips_;
    int titleHeight_ = 0;
    int first_ = 0;
    int last_ = 0;
    int left_ = 0;
    int top_ = 0;
    int bottom_ = 0;
    double pixelsPerEpoch_ = 0.0;
};

// Paints the strips of `scene` into `area`.
void paintPlots(QPainter& painter, const PlotScene& scene, const QRect& area, bool printing);

} // namespace trix::plot
