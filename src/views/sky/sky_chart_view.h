#pragma once
// The chart pane of the sky chart: elevation rings, the satellites of the current epoch at
// their azimuth and elevation, and the tracks they drew over the stored epochs.

#include "views/sky/satellite_view.h"

namespace trix::views {

class DisplaySource;

class SkyChartView : public SatelliteView {
    Q_OBJECT
public:
    explicit SkyChartView(DisplaySource& source, QWidget* parent = nullptr);

    // Radius of the chart: half the smaller client dimension.
    int radius() const { return r_; }
    // Half-size of a satellite circle.
    int circleHalfSize() const { return halfSize_; }
    void colorsChanged();

protected:
    void draw(QPainter& p, DrawTarget target) override;
    void viewResized() override;
    QSize printExtent() const override;

private:
    DisplaySource& source_;
    int r_ = 0;
    int halfSize_ = 0;
};

} // namespace trix::views
