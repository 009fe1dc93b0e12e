#pragma once
// The position window: the plot pane under its zoom toolbar (upper left), the panel pane with
// the instruments or the statistics (upper right) and the text pane (bottom). It routes the
// frame's notifications and the keyboard to the panes that they concern.

#include <QSize>
#include <QWidget>

class QPainter;
class QSplitter;
class QToolBar;
class QAction;

namespace trix::views {

class DisplaySource;
class DeparturePlotView;
class InstrumentView;
class PositionTextView;

class PositionWindow : public QWidget {
    Q_OBJECT
public:
    explicit PositionWindow(DisplaySource& source, QWidget* parent = nullptr);
    ~PositionWindow() override;

    static constexpr const char* kPlacementKey = "PositionWin";
    static constexpr const char* kPlotPlacementKey = "PositionWin00";
    static constexpr int kTopRowHeight = 280;
    static constexpr int kPanelWidth = 360;

    // A new epoch or part of one, with its hint: 0 everything, 1 full repaint of the plot, else
    // bits 0x2 plot, 0x4 panel, 0x8 text.
    void epoch(int hint);
    // The NMEA sentence set was learned: every pane is drawn anew.
    void redrawAll();
    void optionsChanged();
    void unitsChanged();
    void colorsChanged();
    void analysisChanged();
    // The viewed log file has been read: the plot scale starts from the whole file.
    void dataLoaded();
    // Activation of the window: the status text for its keys; empty on deactivation.
    void activated(bool active);
    // The keys the frame handles before normal translation; true when taken.
    bool routeKey(int key, Qt::KeyboardModifiers modifiers);

    void restorePlacement();
    void savePlacement();
    // Page layout for printing: the plot, the panel 10 units to its right, the text below both.
    QSize printPage(QPainter& p);

    DeparturePlotView* plot() const { return plot_; }
    InstrumentView* panel() const { return panel_; }
    PositionTextView* text() const { return text_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* zoomInAction() const { return zoomIn_; }
    QAction* zoomOutAction() const { return zoomOut_; }
    QAction* zoomAllAction() const { return zoomAll_; }
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildToolBar();
    void watchKeys(QWidget* w);

    DisplaySource& source_;
    QSplitter* outer_;
    QSplitter* inner_;
    QWidget* plotColumn_;
    QToolBar* toolBar_;
    QAction* zoomIn_;
    QAction* zoomOut_;
    QAction* zoomAll_;
    DeparturePlotView* plot_;
    InstrumentView* panel_;
    PositionTextView* text_;
    bool closed_ = false;
    bool activationHooked_ = false;
};

} // namespace trix::views
