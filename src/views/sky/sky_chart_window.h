#pragma once
// The sky chart window: the chart pane and the table pane in a splitter, side by side in the
// Horizontal layout and one above the other in the Vertical layout.

#include <QSize>
#include <QWidget>

class QPainter;
class QSplitter;

namespace trix::views {

class DisplaySource;
class SkyChartView;
class SatelliteTableView;

class SkyChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit SkyChartWindow(DisplaySource& source, QWidget* parent = nullptr);
    ~SkyChartWindow() override;

    static constexpr const char* kPlacementKey = "SkyChartWin";
    static constexpr const char* kSplitterKey = "SkyChartWin00";

    // A new epoch: both panes redraw.
    void epoch();
    // The options changed: the splitter follows the "Sky Chart layout" setting.
    void optionsChanged();
    // The colours changed: they are taken again.
    void colorsChanged();
    // The stored placements, applied once the window sits in its MDI child.
    void restorePlacement();
    void savePlacement();
    // Page layout for printing: the chart, then the table beside or below it.
    QSize printPage(QPainter& p);

    bool verticalLayout() const { return vertical_; }
    SkyChartView* chart() const { return chart_; }
    SatelliteTableView* table() const { return table_; }
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyLayout();

    DisplaySource& source_;
    QSplitter* splitter_;
    SkyChartView* chart_;
    SatelliteTableView* table_;
    bool vertical_;
    bool closed_ = false;
};

} // namespace trix::views
