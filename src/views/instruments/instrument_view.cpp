#include "views/instruments/instrument_view.h"

#include "base/strings.h"
#include "trixres/face_layout.h"
#include "trixres/loader.h"
#include "views/copy_menu.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QToolTip>

namespace trix::views {

InstrumentView::InstrumentView(PanelSource source, MessageSink& messages, QWidget* parent)
    : QAbstractScrollArea(parent), source_(std::move(source)), messages_(messages) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    const PanelView v = source_();
    scales_.speed = firstScale(speedTable(static_cast<int>(v.vehicle)));
    loadPictures(v.vehicle);
    updateScrollRange();
}

InstrumentView::~InstrumentView() = default;

void InstrumentView::loadPictures(Vehicle vehicle) {
    const std::array<int, 7> numbers = picturesFor(vehicle);
    const std::vector<QImage> images = res::loadPictures(numbers, messages_);
    for (std::size_t i = 0; i < pictures_.faces.size(); ++i)
        pictures_.faces[i] = images[i];
    pictures_.rose = images[6];
}

bool InstrumentView::showsStatistics() const {
    return source_().analysisActive;
}

void InstrumentView::epoch(int) {
    const PanelView v = source_();
    // A viewed log file under analysis is shown as a table; the scales stay as they are.
    if (v.decoder && !(v.viewingLog && v.analysisActive))
        adaptScales(scales_, static_cast<int>(v.vehicle), v.decoder->pos.speed,
                    v.decoder->pos.verticalVelocity, v.decoder->pos.altitude);
    if (v.analysisActive)
        updateScrollRange(); // the table grows by the outlier lines once the first arrive
    viewport()->update();
}

void InstrumentView::optionsChanged() {
    const PanelView v = source_();
    loadPictures(v.vehicle);
    scales_.speed = firstScale(speedTable(static_cast<int>(v.vehicle)));
    viewport()->update();
}

void InstrumentView::analysisChanged() {
    updateScrollRange();
    viewport()->update();
}

bool InstrumentView::scrollKey(int key) {
    if (!showsStatistics())
        return false;
    QScrollBar* bar = verticalScrollBar();
    switch (key) {
    case Qt::Key_PageUp:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Up:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        return false;
    }
    viewport()->update();
    return true;
}

QSize InstrumentView::pageSize() const {
    const PanelView v = source_();
    if (v.analysisActive)
        return table_.extent(v);
    return {kWidth, kPageHeight};
}

void InstrumentView::printPage(QPainter& painter, const QRect& target) {
    const PanelView v = source_();
    if (v.analysisActive) {
        const QSize extent = table_.extent(v);
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(static_cast<double>(target.width()) / extent.width(),
                      static_cast<double>(target.height()) / extent.height());
        table_.draw(painter, v);
        painter.restore();
        return;
    }
    // The instruments go to the printer as one bitmap.
    const QPixmap bitmap = QPixmap::fromImage(renderInstruments());
    res::printBitmap(painter, target, bitmap, messages_);
}

QImage InstrumentView::renderInstruments() const {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(palette().color(QPalette::Button));
    QPainter p(&img);
    drawInstruments(p, pictures_, source_(), scales_);
    return img;
}

QImage InstrumentView::renderStatistics() const {
    const PanelView v = source_();
    const QSize extent = table_.extent(v);
    QImage img(extent, QImage::Format_RGB32);
    img.fill(palette().color(QPalette::Button));
    QPainter p(&img);
    table_.draw(p, v);
    return img;
}

QPoint InstrumentView::scrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void InstrumentView::paintEvent(QPaintEvent*) {
    const PanelView v = source_();
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().color(QPalette::Button));
    p.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    if (v.analysisActive)
        table_.draw(p, v);
    else
        drawInstruments(p, pictures_, v, scales_);
}

void InstrumentView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void InstrumentView::keyPressEvent(QKeyEvent* event) {
    if (!scrollKey(event->key()))
        QAbstractScrollArea::keyPressEvent(event);
}

QString InstrumentView::toolTipAt(QPoint viewportPos) const {
    if (showsStatistics())
        return {};
    const QPoint at = viewportPos + scrollPosition();
    static constexpr const char* tips[] = {str::kTipSpeedDial,    str::kTipCourseDial,
                                           str::kTipYawPitchDial, str::kTipVerticalDial,
                                           str::kTipAltitudeDial, str::kTipHorizonDial};
    for (std::size_t slot = 0; slot < kFaceOrigins.size(); ++slot)
        if (QRect(kFaceOrigins[slot], res::kFaceSize).contains(at))
            return QString::fromUtf8(tips[slot]);
    return {};
}

QString InstrumentView::statisticsText() const {
    const PanelView v = source_();
    if (!v.analysisActive)
        return {};
    QStringList rows{statisticsTitle(v)};
    for (const TableLine& line : statisticsLines(v))
        rows << tabRow({line.label, line.value});
    return textLines(rows);
}

bool InstrumentView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void InstrumentView::contextMenuEvent(QContextMenuEvent* event) {
    execCopyMenu(this, event->globalPos(), showsStatistics(), [this] { return statisticsText(); });
}

void InstrumentView::updateScrollRange() {
    const QSize page = pageSize();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, page.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, page.height() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setSingleStep(table_.lineHeight());
    verticalScrollBar()->setSingleStep(table_.lineHeight());
}

} // namespace trix::views
