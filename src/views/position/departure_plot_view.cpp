#include "views/position/departure_plot_view.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/units.h"
#include "views/position/trace.h"
#include "views/sky/display_source.h"
#include "views/sky/sky_colors.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace trix::views {

namespace {

const QColor kRingColor(255, 255, 0);

QColor plotColor(const DisplaySource& s, int item) {
    return tableColor(s.settings(), app::ColorTableId::PositionPlot, item);
}

void textAt(QPainter& p, int x, int y, const QString& s) {
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), s);
}

void centredText(QPainter& p, int centreX, int y, const QString& s) {
    const int w = p.fontMetrics().horizontalAdvance(s);
    textAt(p, centreX - w / 2, y, s);
}

} // namespace

DeparturePlotView::DeparturePlotView(DisplaySource& source, QWidget* parent)
    : SatelliteView(QFont(), QColor(), parent), source_(source) {
    setBackground(plotColor(source_, plotcolor::kBackground));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scale_.reset(scaleInputs());
}

ScaleInputs DeparturePlotView::scaleInputs() const {
    ScaleInputs in;
    if (const EpochDecoder* d = source_.decoder())
        in.largestHorizontalSquared = d->largestHorizontalSquared;
    in.analysisActive = source_.analysisActive();
    const logs::AnalysisSettings a = source_.analysis();
    in.vsTruth = a.mode == logs::ReferenceMode::VsTruth;
    in.ring2 = a.ring2;
    in.outlierLimit = a.outlierLimit;
    return in;
}

int DeparturePlotView::textReserve() const {
    // Room for the title, and during an analysis for the ring lines, as on the printed page.
    return source_.analysisActive() ? 50 : 30;
}

void DeparturePlotView::viewResized() {
    const QSize s = viewport()->size();
    r_ = std::max(0, std::min(s.width(), s.height() - textReserve()) / 2);
}

QSize DeparturePlotView::printExtent() const {
    return {2 * r_, 2 * r_ + textReserve()};
}

double DeparturePlotView::visibleRadius() const {
    return scale_.visibleRadius(source_.analysis().ring2);
}

void DeparturePlotView::resetScale() {
    scale_.reset(scaleInputs());
    viewResized();
    redraw();
}

void DeparturePlotView::epoch() {
    if (r_ < 20)
        return;
    const EpochDecoder* d = source_.decoder();
    if (d != nullptr && !d->viewing())
        scale_.grow(d->largestHorizontalSquared);
    viewport()->update();
}

void DeparturePlotView::redraw() {
    viewport()->update();
}

void DeparturePlotView::zoomIn() {
    if (!scale_.zoomIn())
        source_.messages().beep();
    redraw();
}

void DeparturePlotView::zoomOut() {
    if (!scale_.zoomOut())
        source_.messages().beep();
    redraw();
}

void DeparturePlotView::zoomAll() {
    scale_.zoomAll();
    redraw();
}

void DeparturePlotView::zoomKey(int key) {
    if (key == Qt::Key_Plus)
        zoomIn();
    else if (key == Qt::Key_Minus)
        zoomOut();
    else
        redraw();
}

void DeparturePlotView::colorsChanged() {
    setBackground(plotColor(source_, plotcolor::kBackground));
}

void DeparturePlotView::draw(QPainter& p, DrawTarget) {
    const int r = r_;
    if (r < 20)
        return;
    p.setRenderHint(QPainter::Antialiasing, false);
    const bool analysis = source_.analysisActive();
    const bool vsTruth = analysis && source_.analysis().mode == logs::ReferenceMode::VsTruth;
    const double s = visibleRadius();
    const QColor axes = plotColor(source_, plotcolor::kAxes);

    // The disc.
    p.setPen(QPen(axes, 0));
    p.setBrush(plotColor(source_, plotcolor::kPlot));
    drawBoxEllipse(p, 0, 0, 2 * r, 2 * r);
    p.setBrush(Qt::NoBrush);

    if (!analysis) {
        drawBoxEllipse(p, r - r / 2, r - r / 2, r + r / 2, r + r / 2);
    } else {
        const logs::AnalysisSettings a = source_.analysis();
        p.setPen(QPen(kRingColor, 0));
        for (double ring : {a.ring1, a.ring2}) {
            const int px = ringRadius(r, ring, s);
            if (px <= r)
                drawBoxEllipse(p, r - px, r - px, r + px, r + px);
        }
        if (vsTruth) {
            const int px = ringRadius(r, a.outlierLimit, s);
            if (px <= r) {
                p.setPen(QPen(plotColor(source_, plotcolor::kOutlierRing), 0));
                drawBoxEllipse(p, r - px, r - px, r + px, r + px);
            }
        }
    }
    drawTexts(p, s, analysis, vsTruth);

    // Diameters and the north marker.
    p.setPen(QPen(axes, 0));
    p.drawLine(r, 0, r, 2 * r);
    p.drawLine(0, r, 2 * r, r);
    const QPoint marker[3] = {{r, 0}, {r, 15}, {r + 5, 15}};
    p.setBrush(axes);
    p.drawPolygon(marker, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(plotColor(source_, plotcolor::kTitles));
    textAt(p, r - 10, 5, QString::fromLatin1(str::kNorthLetter));

    drawTrace(p, s, analysis);
}

void DeparturePlotView::drawTexts(QPainter& p, double s, bool analysis, bool vsTruth) {
    const int r = r_;
    const Unit& unit = distanceUnit(source_.settings().distanceUnits);
    const auto inUnit = [&](double metres) { return metres * unit.factor; };
    const auto qs = [](const std::string& t) { return QString::fromStdString(t); };
    p.setPen(plotColor(source_, plotcolor::kTitles));
    const int line = QFontMetrics(p.font()).height();
    int y = 2 * r + 4;
    if (!analysis) {
        // The departure plot writes its own range: Ring2 stands in for a zero radius only to
        // scale the scatter plot, so a plot with nothing to show reads 0.
        const double shown = scale_.range() / scale_.zoom();
        textAt(p, 5, r + 5, qs(formatScale(inUnit(shown))));
        textAt(p, r / 2 + 5, r + 5, qs(formatScale(inUnit(shown / 2))));
        centredText(p, r, y, qs(cformat(str::kDeparturePlotTitle, unit.name)));
        return;
    }
    const logs::AnalysisSettings a = source_.analysis();
    if (s != 0.0)
        textAt(p, 5, r + 5, qs(formatScale(inUnit(s))));
    centredText(p, r, y, qs(cformat(str::kScatterPlotTitle, unit.name)));
    y += line;
    centredText(p, r, y,
                qs(cformat(str::kRingsLabel, formatScale(inUnit(a.ring1)).c_str(),
                           formatScale(inUnit(a.ring2)).c_str())));
    if (vsTruth) {
        y += line;
        centredText(p, r, y, qs(cformat(str::kOutlierRingLabel, inUnit(a.outlierLimit))));
    }
}

void DeparturePlotView::drawTrace(QPainter& p, double s, bool analysis) {
    const EpochDecoder* d = source_.decoder();
    if (d == nullptr)
        return;
    const int r = r_;
    p.save();
    QPainterPath disc;
    disc.addEllipse(QRectF(1, 1, 2 * r - 2, 2 * r - 2));
    p.setClipPath(disc, Qt::IntersectClip);

    const std::vector<PlotPixel> pixels = tracePixels(*d, r, s);
    p.setPen(QPen(plotColor(source_, plotcolor::kTrace), 0));
    if (!analysis) {
        std::vector<QPoint> points;
        points.reserve(pixels.size());
        for (const PlotPixel& px : pixels)
            points.emplace_back(px.x, px.y);
        if (points.size() > 1)
            p.drawPolyline(points.data(), static_cast<int>(points.size()));
        else if (points.size() == 1)
            p.drawPoint(points.front());
    } else {
        std::vector<QLine> crosses;
        crosses.reserve(pixels.size() * 2);
        for (const PlotPixel& px : pixels) {
            crosses.emplace_back(px.x, px.y + 4, px.x, px.y - 5);
            crosses.emplace_back(px.x - 4, px.y, px.x + 5, px.y);
        }
        p.drawLines(crosses.data(), static_cast<int>(crosses.size()));
    }

    const int newest = d->history.writePosition;
    if (!d->noPosition && newest >= 0 && newest < static_cast<int>(d->history.departures.size())) {
        const DeparturePoint& now = d->history.departures[static_cast<std::size_t>(newest)];
        const PlotPixel c = plotPixel(now.east, now.north, r, s);
        p.setPen(QPen(plotColor(source_, plotcolor::kCurrentPosition), 1));
        p.drawLine(c.x - 9, c.y, c.x + 9, c.y);
        p.drawLine(c.x, c.y - 9, c.x, c.y + 9);
    }
    p.restore();
}

} // namespace trix::views
