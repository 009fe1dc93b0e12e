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

    // UM_EPOCH: adapt the scales and repaint.
    void epoch(int hint);
    // UM_OPTIONS_CHANGED: reload the faces of the vehicle type, reset the speed scale.
    void optionsChanged();
    // UM_ANALYSIS_CHANGED: new scroll size, repaint.
    void analysisChanged();
    // UM_SCROLL_KEY: Qt::Key_PageUp, Key_PageDown, Key_Up, Key_Down; only during an analysis.
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

    const ScaleState& scales() const { return scales_; }
    bool showsStatistics() const;
    QPoint scrollPosition() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

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
