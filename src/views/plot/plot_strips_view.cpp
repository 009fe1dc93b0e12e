#include "views/plot/plot_strips_view.h"

#include "base/strings.h"
#include "base/text.h"
#include "views/plot/scale.h"

#include <QMouseEvent>
#include <QPainter>

namespace trix::plot {

PlotStripsView::PlotStripsView(PlotScene& scene, QWidget* parent) : QWidget(parent), scene_(scene) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(40, 10);
}

PlotLayout PlotStripsView::layout() const {
    return PlotLayout(scene_, rect(), fontMetrics(), false);
}

void PlotStripsView::moveCursor(int epoch) {
    if (epoch == scene_.cursor)
        return;
    const PlotLayout l = layout();
    QRegion dirty;
    dirty += l.cursorArea(scene_.cursor);
    scene_.cursor = epoch;
    dirty += l.cursorArea(epoch);
    lastCursorRepaint_ = dirty;
    if (!dirty.isEmpty())
        update(dirty);
}

void PlotStripsView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    paintPlots(p, scene_, rect(), false);
}

void PlotStripsView::mouseMoveEvent(QMouseEvent* event) {
    const PlotLayout l = layout();
    const int i = l.stripAt(event->position().toPoint());
    if (i < 0 || !scene_.set)
        return;
    const int epoch = l.epochAt(event->position().toPoint().x());
    const Series& s =
        scene_.set
            ->series[static_cast<std::size_t>(l.strips()[static_cast<std::size_t>(i)].series)];
    const std::string value =
        s.valid(epoch) ? cformat(str::kPlotReadoutValue,
                                 static_cast<double>(s.values[static_cast<std::size_t>(epoch)]),
                                 s.unit.c_str())
                       : std::string(str::kNotComputed);
    emit readout(QString::fromStdString(readoutTime(epochTime(*scene_.set, epoch))), epoch + 1,
                 QString::fromStdString(value));
}

void PlotStripsView::mouseDoubleClickEvent(QMouseEvent* event) {
    const PlotLayout l = layout();
    if (l.empty() || l.stripAt(event->position().toPoint()) < 0)
        return;
    const int epoch = l.epochAt(event->position().toPoint().x());
    if (event->button() == Qt::LeftButton)
        emit limitClicked(epoch, true);
    else if (event->button() == Qt::RightButton)
        emit limitClicked(epoch, false);
}

void PlotStripsView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

} // namespace trix::plot

namespace trix::plot {

void PlotStripsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit resized();
}

} // namespace trix::plot
