#pragma once
// The chart pane of the sky chart: elevation rings, the satellites of the current epoch at
// their azimuth and elevation, and the tracks they drew over the stored epochs.

#include "views/sky/satellite_view.h"
#include "views/sky/sky_geometry.h"

namespace trix::views {

class DisplaySource;

class SkyChartView : public SatelliteView {
    Q_OBJECT
public:
    explicit SkyChartView(DisplaySource& source, QWidget* parent = nullptr);

    // Half the smaller client dimension: the chart is centred on (radius, radius).
    int radius() const { return r_; }
    // Where the horizon lies: inset from the view's edge so that a satellite drawn on it keeps
    // its whole symbol inside the view.
    const SkyLayout& layout() const { return layout_; }
    // Half-size of a satellite circle.
    int circleHalfSize() const { return halfSize_; }
    // What the symbol of satellite `number` centred on `c` covers: its circle and its number.
    QRect symbolRect(SkyPixel c, int number) const;
    void colorsChanged();

protected:
    void draw(QPainter& p, DrawTarget target) override;
    void viewResized() override;
    QSize printExtent() const override;

private:
    DisplaySource& source_;
    int r_ = 0;
    int halfSize_ = 0;
    int inset_ = 0;
    SkyLayout layout_;
};

} // namespace trix::views
