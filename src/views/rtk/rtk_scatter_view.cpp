#include "views/rtk/rtk_scatter_view.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/units.h"
#include "views/position/plot_scale.h"
#include "views/rtk/rtk_parser.h"
#include "views/rtk/scatter_geometry.h"
#include "views/sky/display_source.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace trix::views {
namespace {

// A colour item of the position plot, by name.
QColor plotColor(const app::Settings& s, const char* name) {
    for (const app::ColorItem& item : s.colorTable(app::ColorTableId::PositionPlot)) {
        if (item.name == name)
            return QColor(app::red(item.current), app::green(item.current),
                          app::blue(item.current));
    }
    return Qt::white;
}

void textAt(QPainter& p, int x, int y, const QString& s) {
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), s);
}

std::optional<GeoPoint> referenceOf(const DisplaySource& s) {
    const EpochDecoder* d = s.decoder();
    if (d == nullptr || !d->referenceSet())
        return std::nullopt;
    return d->reference;
}

} // namespace

RtkScatterView::RtkScatterView(const rtk::RtkParser& parser, DisplaySource& source, QWidget* parent)
    : QWidget(parent), parser_(parser), source_(source) {
    setAutoFillBackground(false);
}

double RtkScatterView::scale() const {
    return rtk::scatterScale(rtk::scatterDepartures(parser_.scatter(), referenceOf(source_)),
                             zoom_);
}

void RtkScatterView::draw(QPainter& p, int r, bool printing) const {
    const app::Settings& settings = source_.settings();
    // A page is drawn top-down like the screen, so the plot keeps its orientation on paper:
    // north up, the titles below the disc.
    constexpr int d = 1;
    if (printing && r < 50)
        return;
    // The titles' colour is chosen against the plot's background, which paper lacks: the page
    // gets the pane's background as the screen has it.
    if (printing)
        p.fillRect(QRect(0, 0, 2 * r + 1, 2 * r + kPrintTitles),
                   plotColor(settings, "Background of Plot"));
    const QColor axes = plotColor(settings, "Axes");
    p.setPen(axes);
    p.setBrush(plotColor(settings, "Plot"));
    if (!printing)
        p.setBackgroundMode(Qt::TransparentMode);
    p.drawEllipse(QPoint(r, r), r, r);
    p.drawEllipse(QPoint(r, r), r / 2, r / 2);
    p.drawLine(r, 0, r, 2 * r);
    p.drawLine(0, r, 2 * r, r);
    const QPoint north[] = {{r, 15 * d}, {r, 0}, {r + 5, 15 * d}};
    p.drawPolygon(north, 3);
    textAt(p, r - 10, 5 * d, QStringLiteral("N"));

    const std::optional<GeoPoint> reference = referenceOf(source_);
    const std::vector<rtk::PlanePoint> points =
        rtk::scatterDepartures(parser_.scatter(), reference);
    const double s = rtk::scatterScale(points, zoom_);
    const Unit& unit = distanceUnit(source_.units().distance);
    if (s > 0.0)
        textAt(p, 5, r + 5 * d, QString::fromStdString(formatScale(s * unit.factor)));

    p.setPen(plotColor(settings, "Titles"));
    const bool baseline = rtk::reportsBaseline(source_.modelIndex());
    textAt(p, 5, 2 * r + 5 * d,
           QString::fromUtf8(baseline ? str::kScatterFromBaseLine : str::kDeparturePlot));
    textAt(p, 5, 2 * r + 25 * d,
           QString::fromUtf8(str::kUnitsPrefix) + QString::fromUtf8(unit.name));
    const QString count = QString::fromStdString(
        cformat(str::kPointsNumber, static_cast<int>(parser_.scatter().size())));
    if (r < 100)
        textAt(p, 5, 2 * r + 50 * d, count);
    else
        textAt(p, 100, 2 * r + 25 * d, count);

    p.save();
    if (!printing) {
        QPainterPath circle;
        circle.addEllipse(QPoint(r, r), r, r);
        p.setClipPath(circle);
    }
    const QColor trace = plotColor(settings, "Trace");
    p.setPen(trace);
    p.setBrush(trace);
    for (const rtk::PlanePoint& pt : points) {
        const rtk::Pixel px = rtk::scatterPixel(pt, r, s);
        p.drawRect(px.x - 1, px.y - 1, 2, 2);
    }
    const rtk::RtkData& data = parser_.data();
    if (auto current = rtk::currentDeparture(data, parser_.scatter(), reference)) {
        const double ambiguity = data.values[rtk::Ambiguity].value;
        QColor cross(255, 0, 0);
        if (ambiguity == 0.0)
            cross = QColor(255, 255, 0);
        else if (ambiguity == 1.0)
            cross = QColor(0, 255, 255);
        const rtk::Pixel c = s > 0.0 ? rtk::scatterPixel(*current, r, s) : rtk::Pixel{r, r};
        p.setPen(QPen(cross, 2));
        p.drawLine(c.x - 10, c.y, c.x + 10, c.y);
        p.drawLine(c.x, c.y - 10, c.x, c.y + 10);
    }
    p.restore();
}

void RtkScatterView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The titles are drawn in the "Titles" colour, which is chosen against this background.
    p.fillRect(rect(), plotColor(source_.settings(), "Background of Plot"));
    p.setRenderHint(QPainter::Antialiasing, false);
    const int r = std::max(10, std::min(width() - 2, height() - 70) / 2);
    draw(p, r, false);
}

} // namespace trix::views
