#pragma once
// The plot pane of the position window: the departure plot of the recent positions about the
// reference, or the scatter plot with its range rings while an analysis runs.

#include "views/position/plot_scale.h"
#include "views/sky/satellite_view.h"

#include <QRect>
#include <QString>

#include <vector>

namespace trix::views {

class DisplaySource;

// Indices of the position-plot colour table.
namespace plotcolor {
inline constexpr int kBackground = 0;
inline constexpr int kPlot = 1;
inline constexpr int kAxes = 2;
inline constexpr int kTitles = 3;
inline constexpr int kOutlierRing = 4;
inline constexpr int kTrace = 5;
inline constexpr int kCurrentPosition = 6;
} // namespace plotcolor

// A text of the plot and the rectangle it is written in (top left, advance × line height).
struct PlotLabel {
    QString text;
    QRect rect;
};

class DeparturePlotView : public SatelliteView {
    Q_OBJECT
public:
    explicit DeparturePlotView(DisplaySource& source, QWidget* parent = nullptr);

    // A new epoch: the range follows the history (not while a log file is viewed); repaint.
    void epoch();
    // Invalidate and repaint completely.
    void redraw();
    // The analysis changed (or a log file was read): the scale starts again.
    void resetScale();
    // The zoom buttons (in, out, all); a zoom beyond its limits beeps.
    void zoomIn();
    void zoomOut();
    void zoomAll();
    // A zoom key: '+' zooms in, '-' out, any other key only invalidates.
    void zoomKey(int key);
    void colorsChanged();

    int radius() const { return r_; }
    const PlotScale& scale() const { return scale_; }
    // Visible radius S in metres.
    double visibleRadius() const;
    // Height kept below the disc for the titles: the room the specified layout gives them, or
    // more when the font needs it.
    int textReserve() const;
    // The scale labels on the east diameter and the titles below the disc, laid out for the
    // current size and font: inside the pane and clear of each other. A label that cannot be
    // placed so is left out.
    std::vector<PlotLabel> labels() const;

protected:
    void draw(QPainter& p, DrawTarget target) override;
    void viewResized() override;
    QSize printExtent() const override;

private:
    ScaleInputs scaleInputs() const;
    int titleLines() const;
    void drawTrace(QPainter& p, double s, bool analysis);

    DisplaySource& source_;
    PlotScale scale_;
    int r_ = 0;
};

} // namespace trix::views
