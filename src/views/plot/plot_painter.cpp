#include "views/plot/plot_painter.h"

#include "base/strings.h"
#include "base/text.h"
#include "views/plot/scale.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <climits>
#include <cmath>

namespace trix::plot {

namespace {

QColor qcolor(app::ColorValue c) {
    return QColor(app::red(c), app::green(c), app::blue(c));
}

QColor item(const app::ColorTable& t, std::size_t i, QColor fallback) {
    return i < t.size() ? qcolor(t[i].current) : fallback;
}

constexpr int kPrintGap = 20;
constexpr int kPrintFooter = 40;

} // namespace

PlotColors PlotColors::from(const app::Settings& s) {
    PlotColors c;
    const auto& curves = s.colorTable(app::ColorTableId::PlotCurves);
    for (std::size_t i = 0; i < c.curves.size(); ++i)
        c.curves[i] = item(curves, i, QColor(255, 0, 0));
    const auto& bg = s.colorTable(app::ColorTableId::PlotBackgrounds);
    c.even = item(bg, 0, c.even);
    c.odd = item(bg, 1, c.odd);
    c.mark = item(bg, 2, c.mark);
    const auto& extras = s.colorTable(app::ColorTableId::PlotExtras);
    c.axes = item(extras, 0, c.axes);
    c.titles = item(extras, 1, c.titles);
    c.mean = item(extras, 2, c.mean);
    c.spread = item(extras, 3, c.spread);
    return c;
}

std::vector<int> PlotScene::shownSeries() const {
    std::vector<int> out;
    if (!set)
        return out;
    for (int i = 0; i < kSeriesCount; ++i)
        if (shown[static_cast<std::size_t>(i)] && set->exists[static_cast<std::size_t>(i)])
            out.push_back(i);
    return out;
}

PlotLayout::PlotLayout(const PlotScene& scene, const QRect& area, const QFontMetrics& fm,
                       bool printing) {
    titleHeight_ = fm.height() + 3;
    first_ = scene.ranges.shownFirst();
    last_ = scene.ranges.shownLast();
    const std::vector<int> shown = scene.shownSeries();
    const int n = static_cast<int>(shown.size());
    if (n == 0 || last_ <= first_)
        return; // nothing to divide by
    const int margin = fm.height() + 6;
    left_ = area.left() + margin;
    const int right = area.right() - 4;
    const int width = right - left_;
    if (width <= 0)
        return;
    const int height = printing ? area.height() - titleHeight_ - kPrintFooter - kPrintGap * n
                                : area.height() - titleHeight_;
    const int stripHeight = height / n;
    if (stripHeight < 1)
        return;
    pixelsPerEpoch_ = static_cast<double>(width) / (last_ - first_);
    top_ = area.top();
    int y = area.top();
    for (int index : shown) {
        strips_.push_back({index, QRect(left_, y, width, stripHeight)});
        y += stripHeight + (printing ? kPrintGap : 0);
    }
    bottom_ = strips_.back().rect.bottom();
}

double PlotLayout::xOf(int epoch) const {
    return left_ + (epoch - first_) * pixelsPerEpoch_;
}

int PlotLayout::epochAt(int x) const {
    if (pixelsPerEpoch_ <= 0.0)
        return first_;
    const int e = first_ + static_cast<int>(std::lround((x - left_) / pixelsPerEpoch_));
    return std::clamp(e, first_, last_);
}

int PlotLayout::stripAt(const QPoint& p) const {
    for (std::size_t i = 0; i < strips_.size(); ++i) {
        const QRect& r = strips_[i].rect;
        if (p.y() >= r.top() && p.y() <= r.bottom() && p.x() >= r.left() - titleHeight_ &&
            p.x() <= r.right())
            return static_cast<int>(i);
    }
    return -1;
}

QRect PlotLayout::cursorArea(int epoch) const {
    if (empty() || epoch < first_ || epoch > last_)
        return {};
    const int x = static_cast<int>(std::lround(xOf(epoch)));
    return QRect(x - 2, top_, 5, bottom_ - top_ + 1);
}

namespace {

void drawTitle(QPainter& p, const Series& s, const QRect& strip, const PlotColors& c,
               bool printing) {
    const QString title = QString::fromStdString(
        s.unit.empty() ? s.name : cformat(str::kPlotTitle, s.name.c_str(), s.unit.c_str()));
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(c.titles);
    if (printing) {
        // One character per line, from the top of the strip.
        const int x = strip.left() - fm.height() - 2;
        int y = strip.top() + fm.ascent();
        for (QChar ch : title) {
            if (y > strip.bottom())
                break;
            p.drawText(x, y, QString(ch));
            y += fm.height() - 2;
        }
        return;
    }
    p.save();
    const int w = fm.horizontalAdvance(title);
    p.translate(strip.left() - 4, strip.center().y() + std::min(w, strip.height()) / 2);
    p.rotate(-90);
    p.setClipRect(QRect(0, -fm.height(), std::min(w, strip.height()), fm.height() + 2));
    p.drawText(0, -fm.descent(), title);
    p.restore();
}

void drawStrip(QPainter& p, const PlotScene& scene, const PlotLayout& layout, const Strip& strip,
               int order, bool printing) {
    const Series& s = scene.set->series[static_cast<std::size_t>(strip.series)];
    const PlotColors& c = scene.colors;
    const QRect& r = strip.rect;
    const PlotRanges& ranges = scene.ranges;
    const int first = layout.first();
    const int last = layout.last();

    // 1. Background and the marked region.
    p.fillRect(r, order % 2 == 0 ? c.even : c.odd);
    if (!scene.hideSelection && ranges.selectionMarked()) {
        const int a = std::max(ranges.selectedFirst(), first);
        const int b = std::min(ranges.selectedLast(), last);
        if (a < b) {
            const int x0 = static_cast<int>(std::lround(layout.xOf(a)));
            const int x1 = static_cast<int>(std::lround(layout.xOf(b)));
            p.fillRect(QRect(x0, r.top(), x1 - x0 + 1, r.height()), c.mark);
        }
    }

    const VerticalScale scale = verticalScale(s, r.height());
    const double middle = r.top() + r.height() / 2.0;
    auto yOf = [&](double v) { return middle - (v - scale.centre) * scale.pixelsPerUnit; };
    // Horizontal lines sit on whole pixels, so they are drawn where the rounding puts them.
    auto row = [&](double v) { return std::round(yOf(v)); };
    auto inside = [&](double y) { return y >= r.top() && y <= r.bottom(); };

    p.save();
    p.setClipRect(r);
    if (scale.drawable) {
        // 2. Mean line; 3. spread lines.
        const double ym = row(s.mean);
        if (inside(ym)) {
            p.setPen(QPen(c.mean, 0, Qt::DashLine));
            p.drawLine(QPointF(r.left(), ym), QPointF(r.right(), ym));
        }
        if (s.spread > 0.0) {
            p.setPen(QPen(c.spread, 0, Qt::DashDotLine));
            for (double v : {s.mean + s.spread, s.mean - s.spread}) {
                const double y = row(v);
                if (inside(y))
                    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
            }
        }
    }

    // 4. The curve and the crosses of missing values. Where several epochs share a pixel
    // column only the first, lowest, highest and last of them are kept: the line drawn is the
    // same and a long file costs no more than the strip is wide.
    QPolygonF curve;
    curve.reserve(std::min(last - first + 1, 4 * (r.width() + 2)));
    std::vector<QPointF> crosses;
    double previous = middle;
    const bool dense = layout.pixelsPerEpoch() < 0.5;
    int column = INT_MIN;
    QPointF low, high, latest;
    int lowAt = 0, highAt = 0;
    auto flush = [&]() {
        if (column == INT_MIN)
            return;
        if (lowAt < highAt) {
            curve.append(low);
            curve.append(high);
        } else if (highAt < lowAt) {
            curve.append(high);
            curve.append(low);
        }
        curve.append(latest);
    };
    for (int e = first; e <= last; ++e) {
        const double x = layout.xOf(e);
        double y = previous;
        if (scale.drawable && s.valid(e))
            y = yOf(s.values[static_cast<std::size_t>(e)]);
        else
            crosses.emplace_back(x, y);
        previous = y;
        const QPointF point(x, y);
        if (!dense) {
            curve.append(point);
            continue;
        }
        const int c = static_cast<int>(x);
        if (c != column) {
            flush();
            column = c;
            curve.append(point);
            low = high = latest = point;
            lowAt = highAt = e;
            continue;
        }
        if (y > low.y()) {
            low = point;
            lowAt = e;
        }
        if (y < high.y()) {
            high = point;
            highAt = e;
        }
        latest = point;
    }
    if (dense)
        flush();
    if (scale.drawable) {
        p.setPen(QPen(c.curves[static_cast<std::size_t>(strip.series)], 0));
        p.drawPolyline(curve);
    }
    if (!crosses.empty()) {
        p.setPen(QPen(kMissingCross, 0));
        for (const QPointF& q : crosses) {
            p.drawLine(q + QPointF(-4, -4), q + QPointF(4, 4));
            p.drawLine(q + QPointF(-4, 4), q + QPointF(4, -4));
        }
    }

    // 5. Epoch lines.
    p.setPen(QPen(c.axes, 0));
    const int k = epochTickStep(p.fontMetrics().averageCharWidth(), layout.pixelsPerEpoch());
    for (int e = first + k; e <= last; e += k) {
        const double x = layout.xOf(e);
        if (x >= r.right())
            break;
        if ((e - first) % (5 * k) == 0)
            p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        else
            p.drawLine(QPointF(x, r.bottom()), QPointF(x, r.bottom() - 4));
    }

    // 6. Value ticks and labels.
    const QFontMetrics fm = p.fontMetrics();
    if (scale.drawable && scale.tickStep > 0.0) {
        const double half = r.height() / 2.0 / scale.pixelsPerUnit;
        const bool labels = scale.tickStep * 5.0 * scale.pixelsPerUnit >= 4.5;
        for (const Tick& t : ticks(scale, scale.centre - half, scale.centre + half)) {
            const double y = yOf(t.value);
            if (!inside(y))
                continue;
            p.drawLine(QPointF(r.left(), y), QPointF(r.left() + (t.major ? 8 : 4), y));
            if (!t.major || !labels)
                continue;
            const QString text = QString::fromStdString(valueLabel(scale, t.value));
            double base = y + fm.ascent() / 2.0 - 1;
            base = std::clamp(base, static_cast<double>(r.top() + fm.ascent()),
                              static_cast<double>(r.bottom() - fm.descent()));
            p.drawText(QPointF(r.left() + 10, base), text);
        }
    } else if (scale.drawable) {
        // A constant series: one label, its value, in the middle.
        const QString text = QString::fromStdString(valueLabel(scale, scale.centre));
        p.drawLine(QPointF(r.left(), middle), QPointF(r.left() + 8, middle));
        p.drawText(QPointF(r.left() + 10, middle + fm.ascent() / 2.0 - 1), text);
    }
    p.setPen(QPen(c.axes, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();

    // 7. The title.
    drawTitle(p, s, r, c, printing);
}

void drawTimeLabels(QPainter& p, const PlotScene& scene, const PlotLayout& layout) {
    const Strip& lastStrip = layout.strips().back();
    const QRect& r = lastStrip.rect;
    const QFontMetrics fm = p.fontMetrics();
    const int first = layout.first();
    const int last = layout.last();
    const int k = epochTickStep(fm.averageCharWidth(), layout.pixelsPerEpoch());
    const int step = timeLabelStep(last - first + 1, k);
    const int baseline = r.bottom() + 2 + fm.ascent();
    TimeLabeler labeler;
    p.setPen(scene.colors.titles);
    double previousEnd = -1e9;
    for (int e = first; e <= last; e += step) {
        const ClockTime t = epochTime(*scene.set, e);
        const QString text = QString::fromStdString(t.set ? labeler.next(t) : readoutTime(t));
        double x = layout.xOf(e);
        const int w = fm.horizontalAdvance(text);
        if (x + w > r.right())
            x = r.right() - w;
        if (x < previousEnd)
            continue; // shifted onto the label before it
        p.drawText(QPointF(x, baseline), text);
        previousEnd = x + w;
    }
}

} // namespace

void paintPlots(QPainter& p, const PlotScene& scene, const QRect& area, bool printing) {
    PlotLayout layout(scene, area, p.fontMetrics(), printing);
    if (layout.empty())
        return;
    int order = 0;
    for (const Strip& strip : layout.strips())
        drawStrip(p, scene, layout, strip, order++, printing);
    drawTimeLabels(p, scene, layout);
    if (scene.cursor >= layout.first() && scene.cursor <= layout.last() && !printing) {
        const double x = layout.xOf(scene.cursor);
        p.setPen(QPen(scene.colors.axes, 2));
        p.drawLine(QPointF(x, layout.strips().front().rect.top()),
                   QPointF(x, layout.strips().back().rect.bottom()));
    }
}

} // namespace trix::plot
