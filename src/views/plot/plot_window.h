#pragma once
// The data plotting window: the strips and the parameter grid in a splitter (strips above the
// grid in the Horizontal layout, beside it in the Vertical one) and a status bar with the
// time, epoch and value under the mouse and a prompt. It owns the thirteen series of the
// viewed file and builds them when it is created and on every new load.

#include "views/plot/plot_painter.h"
#include "views/plot/plot_source.h"

#include <QWidget>

class QLabel;
class QSplitter;
class QStatusBar;

namespace trix::plot {

class ParameterGrid;
class PlotStripsView;

class PlotWindow : public QWidget {
    Q_OBJECT
public:
    explicit PlotWindow(PlotSource& source, QWidget* parent = nullptr);
    ~PlotWindow() override;

    static constexpr const char* kPlacementKey = "GraphWin";
    static constexpr const char* kStripsPlacementKey = "GraphWin00";

    // The viewed file has been read: the series are built anew.
    void dataLoaded();
    // The epoch now shown: the cursor follows and the grid's current values change.
    void epochShown();
    void colorsChanged();
    // Toggles a plot (grid double click or Enter). Switching one on that no longer fits is
    // refused with the message; the flag is kept in the settings.
    void togglePlot(int index);
    // Ranges from the control panel (0-based); refusals are shown and leave all unchanged.
    bool showRange(int first, int last);
    bool selectRange(int first, int last);
    // The fit rule, run when the strips pane changes size.
    void fitPlots();

    void restorePlacement();
    void savePlacement();
    // Page layout for printing: the strips over the whole target.
    void printPage(QPainter& painter, const QRect& target);

    const SeriesSet& series() const { return set_; }
    const PlotScene& scene() const { return scene_; }
    const PlotRanges& ranges() const { return scene_.ranges; }
    bool horizontalLayout() const { return horizontal_; }
    PlotStripsView* strips() const { return strips_; }
    ParameterGrid* grid() const { return grid_; }
    QString statusText(int pane) const;
    QSize sizeHint() const override;

signals:
    // The shown or selected range changed (0-based): the control panel follows.
    void rangesChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void rebuild();
    void limitClicked(int epoch, bool left);
    void setPrompt(int code);
    bool refused(const RangeResult& r);

    PlotSource& source_;
    SeriesSet set_;
    PlotScene scene_;
    bool horizontal_;
    QSplitter* splitter_;
    PlotStripsView* strips_;
    ParameterGrid* grid_;
    QStatusBar* status_;
    std::array<QLabel*, 7> panes_{};
    int prompt_ = -1;
    bool closed_ = false;
};

} // namespace trix::plot
