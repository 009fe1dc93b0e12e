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

#include <algorithm>

#include <vector>

namespace trix::views {

namespace {

const QColor kRingColor(255, 255, 0);
// Space between the disc and the first title, and the least space between two labels.
constexpr int kTitleGap = 4;
constexpr int kLabelGap = 6;

QColor plotColor(const DisplaySource& s, int item) {
    return tableColor(s.settings(), app::ColorTableId::PositionPlot, item);
}

void textAt(QPainter& p, int x, int y, const QString& s) {
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), s);
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

int DeparturePlotView::titleLines() const {
    if (!source_.analysisActive())
        return 1;
    return source_.analysis().mode == logs::ReferenceMode::VsTruth ? 3 : 2;
}

int DeparturePlotView::textReserve() const {
    // Room for the title, and during an analysis for the ring lines, as on the printed page;
    // a taller font (or a larger scale factor) gets the lines it needs.
    const int needed = kTitleGap + titleLines() * QFontMetrics(viewFont()).height() + 2;
    return std::max(source_.analysisActive() ? 50 : 30, needed);
}

std::vector<PlotLabel> DeparturePlotView::labels() const {
    std::vector<PlotLabel> out;
    const int r = r_;
    if (r < 20)
        return out;
    const QFontMetrics fm(viewFont());
    const int width = std::max(viewport()->width(), 2 * r);
    const Unit& unit = distanceUnit(source_.settings().distanceUnits);
    const auto text = [&](double metres) {
        return QString::fromStdString(formatScale(metres * unit.factor));
    };
    const auto box = [&](int x, int y, const QString& t) {
        return QRect(x, y, fm.horizontalAdvance(t), fm.height());
    };
    const bool analysis = source_.analysisActive();
    const logs::AnalysisSettings a = source_.analysis();

    // The scale of the outer circle at its west end, below the diameter.
    const double outer = analysis ? visibleRadius() : scale_.range() / scale_.zoom();
    PlotLabel west{text(outer), {}};
    west.rect = box(5, r + 5, west.text);
    if (!analysis || outer != 0.0)
        out.push_back(west);
    if (!analysis) {
        // The half circle's scale at its own crossing; where that would run into the outer
        // label it moves above the diameter, and where it would cross the north line it is left
        // out: the half circle then reads as half the outer one.
        PlotLabel half{text(outer / 2), {}};
        half.rect = box(r / 2 + 5, r + 5, half.text);
        if (half.rect.left() < west.rect.right() + kLabelGap)
            half.rect.moveBottom(r - 3);
        // Above the diameter it must stay below the north letter at the top.
        if (half.rect.right() < r - 2 && half.rect.top() > fm.height() + 5)
            out.push_back(half);
    }

    // The titles, centred under the disc and kept inside the pane.
    std::vector<QString> titles;
    if (!analysis) {
        titles.push_back(QString::fromStdString(cformat(str::kDeparturePlotTitle, unit.name)));
    } else {
        titles.push_back(QString::fromStdString(cformat(str::kScatterPlotTitle, unit.name)));
        titles.push_back(QString::fromStdString(
            cformat(str::kRingsLabel, formatScale(a.ring1 * unit.factor).c_str(),
                    formatScale(a.ring2 * unit.factor).c_str())));
        if (a.mode == logs::ReferenceMode::VsTruth)
            titles.push_back(QString::fromStdString(
                cformat(str::kOutlierRingLabel, a.outlierLimit * unit.factor)));
    }
    // A line wider than the pane ends in an ellipsis rather than being cut off.
    int y = 2 * r + kTitleGap;
    for (const QString& full : titles) {
        const QString t = fm.elidedText(full, Qt::ElideRight, width);
        const int w = fm.horizontalAdvance(t);
        const int x = std::clamp(r - w / 2, 0, std::max(0, width - w));
        out.push_back({t, box(x, y, t)});
        y += fm.height();
    }
    return out;
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
    p.setPen(plotColor(source_, plotcolor::kTitles));
    for (const PlotLabel& l : labels())
        textAt(p, l.rect.left(), l.rect.top(), l.text);

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
