#pragma once
// The panel pane of the position window: six instrument faces drawn from the current epoch
// while no analysis runs, the accuracy statistics table with its two histograms while one runs.
// The position window embeds it and forwards its epoch, options, analysis and scroll-key
// notifications; it reads everything else through a PanelSource when it draws.

#include "base/ui.h"
#include "views/instruments/instrument_drawing.h"
#include "views/instruments/panel_source.h"
#include "views/instruments/scales.h"
#include "views/instruments/statistics_table.h"

#include <QAbstractScrollArea>
#include <QImage>

class QPainter;

namespace trix::views {

class InstrumentView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The pane's size without analysis: the six 120 × 140 faces.
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 280;
    // The scroll size (and printed size) without analysis.
    static constexpr int kPageHeight = 290;

    InstrumentView(PanelSource source, MessageSink& messages, QWidget* parent = nullptr);
    ~InstrumentView() override;

    // A new epoch: adapt the scales and repaint.
    void epoch(int hint);
    // The options changed: reload the faces of the vehicle type, reset the speed scale.
    void optionsChanged();
    // The analysis was switched on or off: new scroll size, repaint.
    void analysisChanged();
    // A scrolling key: Qt::Key_PageUp, Key_PageDown, Key_Up, Key_Down; only during an analysis.
    // True when the key was taken.
    bool scrollKey(int key);

    // Page layout for printing: the size the pane takes on the page, and the drawing itself
    // (instruments through an off-screen image printed stretched; the table drawn directly).
    QSize pageSize() const;
    void printPage(QPainter& painter, const QRect& target);

    // The instruments as they are drawn now, 360 × 280.
    QImage renderInstruments() const;
    // The statistics table and histograms at full extent.
    QImage renderStatistics() const;

    // What the instrument under a point of the viewport shows; "" between the
    // faces and while the statistics table is shown.
    QString toolTipAt(QPoint viewportPos) const;
    // The statistics table as plain text for the clipboard: the title, then one line per
    // figure with its label and value separated by TAB; "" while the instruments are shown.
    QString statisticsText() const;

    const ScaleState& scales() const { return scales_; }
    bool showsStatistics() const;
    QPoint scrollPosition() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void loadPictures(Vehicle vehicle);
    void updateScrollRange();

    PanelSource source_;
    MessageSink& messages_;
    ScaleState scales_;
    InstrumentPictures pictures_;
    StatisticsTable table_;
};

} // namespace trix::views
