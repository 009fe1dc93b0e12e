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

} // namespace

SkyChartView::SkyChartView(DisplaySource& source, QWidget* parent)
    : SatelliteView(QFont(), QColor(), parent), source_(source) {
    setBackground(skyColor(source_, sky::kBackground));
    halfSize_ = QFontMetrics(viewFont()).height() / 2 + 3;
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void SkyChartView::colorsChanged() {
    setBackground(skyColor(source_, sky::kBackground));
}

void SkyChartView::viewResized() {
    const QSize s = viewport()->size();
    r_ = std::min(s.width(), s.height()) / 2;
}

QSize SkyChartView::printExtent() const {
    return {2 * r_ + 1, 2 * r_ + 1};
}

void SkyChartView::draw(QPainter& p, DrawTarget) {
    const int r = r_;
    if (r < 20)
        return;
    p.setRenderHint(QPainter::Antialiasing, false);

    // Elevation rings at 0°, 30° and 60°, outer first, and the line to the north.
    const int q = r / 3;
    p.setPen(QPen(skyColor(source_, sky::kElevationRings), 0));
    p.setBrush(skyColor(source_, sky::kSky));
    for (int radius : {r, r - q, r - 2 * q})
        drawBoxEllipse(p, r - radius, r - radius, r + radius, r + radius);
    p.drawLine(r, r, r, 0);

    const EpochDecoder* d = source_.decoder();
    if (d == nullptr)
        return;
    const SkyHistory h = skyHistoryOf(*d);
    if (!h.drawable())
        return;

    const SkyTracks tracks = skyTracks(h, r);
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
        marks.push_back({skyPixel(point, r), skyColor(source_, skyRingItem(point.svNumber, model)),
                         d->sat.sats[static_cast<std::size_t>(j)].usedFlag == 'U', point.svNumber});
    }
    // Satellites near each other overlap: the used ones come last so that none of them is
    // covered by one that is not used, and every number is written after all the circles, on
    // a patch of its own fill, so that no circle covers a number.
    std::stable_partition(marks.begin(), marks.end(), [](const Mark& m) { return !m.used; });
    for (const Mark& m : marks) {
        p.setPen(QPen(m.ring, 0));
        p.setBrush(m.used ? fill : unusedFill);
        drawBoxEllipse(p, m.c.x - s, m.c.y - s, m.c.x + s, m.c.y + s);
    }
    p.setBrush(Qt::NoBrush);
    const QFontMetrics fm(p.font());
    for (const Mark& m : marks) {
        const QString text = QString::number(m.number);
        // Centred on the satellite as a line of text is centred in its circle.
        const QPoint origin(m.c.x - fm.horizontalAdvance(text) / 2,
                            m.c.y - fm.height() / 2 + fm.ascent());
        p.fillRect(fm.tightBoundingRect(text).translated(origin), m.used ? fill : unusedFill);
        p.setPen(m.used ? prn : m.ring);
        p.drawText(origin, text);
    }
}

} // namespace trix::views
