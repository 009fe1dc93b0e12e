#pragma once
// The plot pane of the position window: the departure plot of the recent positions about the
// reference, or the scatter plot with its range rings while an analysis runs.

#include "views/position/plot_scale.h"
#include "views/sky/satellite_view.h"

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

class DeparturePlotView : public SatelliteView {
    Q_OBJECT
public:
    explicit DeparturePlotView(DisplaySource& source, QWidget* parent = nullptr);

    // UM_EPOCH: the range follows the history (not while a log file is viewed); repaint.
    void epoch();
    // Invalidate and repaint completely.
    void redraw();
    // UM_ANALYSIS_CHANGED (and a newly read log file): the scale starts again.
    void resetScale();
    // ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_ALL; a zoom beyond its limits beeps.
    void zoomIn();
    void zoomOut();
    void zoomAll();
    // UM_ZOOM_KEY: '+' zooms in, '-' out, any other key only invalidates.
    void zoomKey(int key);
    void colorsChanged();

    int radius() const { return r_; }
    const PlotScale& scale() const { return scale_; }
    // Visible radius S in metres.
    double visibleRadius() const;
    // Height kept below the disc for the titles.
    int textReserve() const;

protected:
    void draw(QPainter& p, DrawTarget target) override;
    void viewResized() override;
    QSize printExtent() const override;

private:
    ScaleInputs scaleInputs() const;
    void drawTexts(QPainter& p, double s, bool analysis, bool vsTruth);
    void drawTrace(QPainter& p, double s, bool analysis);

    DisplaySource& source_;
    PlotScale scale_;
    int r_ = 0;
};

} // namespace trix::views
