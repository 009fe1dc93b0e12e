#pragma once
// The scatter pane of the RTK window: the reported positions as departures from the reference
// on a disc whose outer circle is the largest distance, and the current solution as a cross
// coloured by its ambiguity state.

#include <QWidget>

class QPainter;

namespace trix::rtk {
class RtkParser;
}

namespace trix::views {

class DisplaySource;

class RtkScatterView : public QWidget {
    Q_OBJECT
public:
    RtkScatterView(const rtk::RtkParser& parser, DisplaySource& source, QWidget* parent = nullptr);

    // Below the disc, the titles take this height on paper.
    static constexpr int kPrintTitles = 70;

    // Draws the plot with radius `radius`; when printing, nothing below a radius of 50 and the
    // points are not clipped to the disc.
    void draw(QPainter& p, int radius, bool printing) const;
    // The largest distance shown at the outer circle, in metres (0 while there is none).
    double scale() const;
    QSize sizeHint() const override { return {320, 400}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const rtk::RtkParser& parser_;
    DisplaySource& source_;
    double zoom_ = 1.0;
};

} // namespace trix::views
