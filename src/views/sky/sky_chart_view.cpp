#include "views/sky/sky_chart_view.h"

#include "views/sky/display_source.h"
#include "views/sky/sky_colors.h"
#include "views/sky/sky_geometry.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace trix::views {

namespace {

QColor skyColor(const DisplaySource& s, int item) {
    return tableColor(s.settings(), app::ColorTableId::SkyChart, item);
}

void drawSegments(QPainter& p, const std::vector<SkySegment>& segments, const QColor& color) {
    if (segments.empty())
        return;
    std::vector<QLine> lines;
    lines.reserve(segments.size());
    for (const auto& s : segments)
        lines.emplace_back(s.from.x, s.from.y, s.to.x, s.to.y);
    p.setPen(QPen(color, 0));
    p.drawLines(lines.data(), static_cast<int>(lines.size()));
}

// Where a satellite's number is written: centred on the satellite as a line of text is
// centred in its circle.
QPoint numberOrigin(const QFontMetrics& fm, SkyPixel c, const QString& text) {
    return {c.x - fm.horizontalAdvance(text) / 2, c.y - fm.height() / 2 + fm.ascent()};
}

QRect numberRect(const QFontMetrics& fm, SkyPixel c, const QString& text) {
    return fm.tightBoundingRect(text).translated(numberOrigin(fm, c, text));
}

// The circle's box: the outline's pixels run from c − s to c + s − 1.
QRect circleRect(SkyPixel c, int s) {
    return {c.x - s, c.y - s, 2 * s, 2 * s};
}

} // namespace

SkyChartView::SkyChartView(DisplaySource& source, QWidget* parent)
    : SatelliteView(QFont(), QColor(), parent), source_(source) {
    setBackground(skyColor(source_, sky::kBackground));
    const QFontMetrics fm(viewFont());
    halfSize_ = fm.height() / 2 + 3;
    // The horizon keeps the largest symbol's reach from the view's edge. Satellite numbers
    // are bytes; a number wider than its circle reaches further than the circle.
    for (int n = 1; n < 256; ++n) {
        const QRect box = symbolRect({}, n);
        inset_ = std::max({inset_, -box.left(), box.right() + 1, -box.top(), box.bottom() + 1});
    }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void SkyChartView::colorsChanged() {
    setBackground(skyColor(source_, sky::kBackground));
}

QRect SkyChartView::symbolRect(SkyPixel c, int number) const {
    return circleRect(c, halfSize_)
        .united(numberRect(QFontMetrics(viewFont()), c, QString::number(number)));
}

void SkyChartView::viewResized() {
    const QSize s = viewport()->size();
    r_ = std::min(s.width(), s.height()) / 2;
    layout_ = SkyLayout::inView(s.width(), s.height(), inset_);
}

QSize SkyChartView::printExtent() const {
    return {2 * r_ + 1, 2 * r_ + 1};
}

void SkyChartView::draw(QPainter& p, DrawTarget) {
    if (r_ < 20 || layout_.radius <= 0)
        return;
    p.setRenderHint(QPainter::Antialiasing, false);

    // Elevation rings at 0°, 30° and 60°, outer first, and the line to the north.
    const int r = layout_.radius;
    const SkyPixel o = layout_.centre();
    const int q = r / 3;
    p.setPen(QPen(skyColor(source_, sky::kElevationRings), 0));
    p.setBrush(skyColor(source_, sky::kSky));
    for (int radius : {r, r - q, r - 2 * q})
        drawBoxEllipse(p, o.x - radius, o.y - radius, o.x + radius, o.y + radius);
    p.drawLine(o.x, o.y, o.x, o.y - r);

    const EpochDecoder* d = source_.decoder();
    if (d == nullptr)
        return;
    const SkyHistory h = skyHistoryOf(*d);
    if (!h.drawable())
        return;

    const SkyTracks tracks = skyTracks(h, layout_);
    drawSegments(p, tracks.backward, skyColor(source_, sky::kBackwardTrack));
    drawSegments(p, tracks.forward, skyColor(source_, sky::kForwardTrack));

    // Satellites of the current snapshot.
    const int model = source_.modelIndex();
    const int s = halfSize_;
    const QColor fill = skyColor(source_, sky::kSatellites);
    const QColor prn = skyColor(source_, sky::kSatellitesPrn);
    const QColor unusedFill = toQColor(unusedSatelliteFill(
        source_.settings().colorTable(app::ColorTableId::SkyChart)[sky::kSatellites].current));
    const SkyPlotRecord& snap = (*h.snapshots)[static_cast<std::size_t>(h.current)];
    struct Mark {
        SkyPixel c;
        QColor ring;
        bool used;
        int number;
    };
    std::vector<Mark> marks;
    for (int j = 0; j < kMaxSats; ++j) {
        const auto& point = snap.points[static_cast<std::size_t>(j)];
        if (point.svNumber == 0)
            continue;
        marks.push_back({layout_.pixel(point),
                         skyColor(source_, skyRingItem(point.svNumber, model)),
                         d->sat.sats[static_cast<std::size_t>(j)].usedFlag == 'U', point.svNumber});
    }
    // Satellites near each other overlap: the used ones come last so that none of them is
    // covered by one that is not used, and every number is written after all the circles, on
    // a patch of its own fill, so that no circle covers a number.
    std::stable_partition(marks.begin(), marks.end(), [](const Mark& m) { return !m.used; });
    for (const Mark& m : marks) {
        p.setPen(QPen(m.ring, 0));
        p.setBrush(m.used ? fill : unusedFill);
        const QRect box = circleRect(m.c, s);
        drawBoxEllipse(p, box.left(), box.top(), box.right() + 1, box.bottom() + 1);
    }
    p.setBrush(Qt::NoBrush);
    const QFontMetrics fm(p.font());
    for (const Mark& m : marks) {
        const QString text = QString::number(m.number);
        p.fillRect(numberRect(fm, m.c, text), m.used ? fill : unusedFill);
        p.setPen(m.used ? prn : m.ring);
        p.drawText(numberOrigin(fm, m.c, text), text);
    }
}

} // namespace trix::views
