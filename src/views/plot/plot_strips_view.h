#pragma once
// The strips pane of the data plotting window: paints the scene, reads out the value under the
// mouse, takes double clicks as selection limits and moves the replay cursor repainting only
// the two cursor areas.

#include "views/plot/plot_painter.h"

#include <QRegion>
#include <QWidget>

#include <string>

namespace trix::plot {

class PlotStripsView : public QWidget {
    Q_OBJECT
public:
    PlotStripsView(PlotScene& scene, QWidget* parent = nullptr);

    PlotLayout layout() const;
    // Moves the replay cursor; only the old and the new cursor areas are repainted.
    void moveCursor(int epoch);
    // The area asked to repaint by the last cursor move (for tests and the benchmark).
    QRegion lastCursorRepaint() const { return lastCursorRepaint_; }

signals:
    // The mouse is over `epoch` of a strip: the texts of the status bar panes.
    void readout(const QString& time, int epoch1, const QString& value);
    // A double click: the left (true) or right limit of the selection.
    void limitClicked(int epoch, bool left);
    // The pane changed size or was shown.
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    PlotScene& scene_;
    QRegion lastCursorRepaint_;
};

} // namespace trix::plot
