#include "views/instruments/pos_vw1.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace trix::views {

CPosVw1::CPosVw1(PanelSource source, MessageSink& messages, QWidget* parent)
    : QAbstractScrollArea(parent), source_(std::move(source)), messages_(messages) {
    setFocusPolicy(Qt::StrongFocus);
    updateScrollRange();
}

CPosVw1::~CPosVw1() = default;

bool CPosVw1::showsStatistics() const {
    const PanelView v = source_();
    return v.analysisActive && v.statistics != nullptr;
}

void CPosVw1::epoch(int) {
    const PanelView v = source_();
    if (v.decoder && !(v.viewingLog && v.analysisActive))
        adaptScales(scales_, static_cast<int>(v.vehicle), v.decoder->pos.speed,
                    v.decoder->pos.verticalVelocity, v.decoder->pos.altitude);
    viewport()->update();
}

void CPosVw1::optionsChanged() {
    const PanelView v = source_();
    scales_.speed = firstScale(speedTable(static_cast<int>(v.vehicle)));
    viewport()->update();
}

void CPosVw1::analysisChanged() {
    updateScrollRange();
    viewport()->update();
}

bool CPosVw1::scrollKey(int) {
    return false;
}

QSize CPosVw1::pageSize() const {
    return {kWidth, kPageHeight};
}

void CPosVw1::printPage(QPainter& painter, const QRect& target) {
    painter.drawImage(target, renderInstruments());
}

QImage CPosVw1::renderInstruments() const {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(palette().color(QPalette::Button));
    return img;
}

QImage CPosVw1::renderStatistics() const {
    return renderInstruments();
}

QPoint CPosVw1::scrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CPosVw1::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.drawImage(0, 0, renderInstruments());
}

void CPosVw1::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void CPosVw1::keyPressEvent(QKeyEvent* event) {
    if (!scrollKey(event->key()))
        QAbstractScrollArea::keyPressEvent(event);
}

void CPosVw1::loadPictures() {}

void CPosVw1::drawInstruments(QPainter&, const PanelView&) const {}

void CPosVw1::updateScrollRange() {
    const QSize page = pageSize();
    horizontalScrollBar()->setRange(0, std::max(0, page.width() - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, page.height() - viewport()->height()));
}

} // namespace trix::views
