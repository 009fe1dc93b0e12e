#include "views/sky/satellite_view.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace trix::views {

void drawBoxEllipse(QPainter& p, int left, int top, int right, int bottom) {
    p.drawEllipse(QRect(left, top, std::max(0, right - left - 1), std::max(0, bottom - top - 1)));
}

SatelliteView::SatelliteView(const QFont& font, const QColor& background, QWidget* parent)
    : QAbstractScrollArea(parent), font_(font), background_(background) {
    setFont(font_);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // The whole client area is painted each time; no system erase is needed.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
}

void SatelliteView::setScrollSize(const QSize& size) {
    if (size == scrollSize_)
        return;
    scrollSize_ = size;
    updateScrollBars();
}

QPoint SatelliteView::scrollOffset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void SatelliteView::setBackground(const QColor& c) {
    background_ = c;
    viewport()->update();
}

int SatelliteView::lineStep() const {
    return QFontMetrics(font_).height() + 2;
}

void SatelliteView::scrollLines(int lines) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + lines * lineStep());
}

void SatelliteView::scrollPages(int pages) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + pages * bar->pageStep());
}

QSize SatelliteView::printExtent() const {
    return scrollSize_.isEmpty() ? viewport()->size() : scrollSize_;
}

QSize SatelliteView::printPage(QPainter& p) {
    const QSize extent = printExtent();
    p.save();
    p.setFont(font_);
    p.setClipRect(QRect(QPoint(0, 0), extent));
    p.fillRect(QRect(QPoint(0, 0), extent), background_);
    draw(p, DrawTarget::Printer);
    p.restore();
    return extent;
}

void SatelliteView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.setFont(font_);
    p.fillRect(event->rect(), background_);
    p.translate(-scrollOffset());
    draw(p, DrawTarget::Screen);
}

void SatelliteView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    viewResized();
}

void SatelliteView::scrollContentsBy(int, int) {
    viewport()->update();
}

void SatelliteView::updateScrollBars() {
    const QSize page = viewport()->size();
    const auto setBar = [](QScrollBar* bar, int extent, int visible, int line) {
        bar->setRange(0, std::max(0, extent - visible));
        bar->setPageStep(std::max(1, visible));
        bar->setSingleStep(std::max(1, line));
    };
    setBar(horizontalScrollBar(), scrollSize_.width(), page.width(), lineStep());
    setBar(verticalScrollBar(), scrollSize_.height(), page.height(), lineStep());
    viewport()->update();
}

} // namespace trix::views
