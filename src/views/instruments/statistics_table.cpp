#include "views/instruments/statistics_table.h"

#include "decode/geo.h"
#include "decode/models.h"
#include "base/strings.h"
#include "base/text.h"
#include "decode/units.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace trix::views {

namespace {

QString qstr(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

bool vsTruth(const PanelView& v) {
    return v.referenceMode == logs::ReferenceMode::VsTruth;
}

constexpr int kTitleX = 90;
constexpr int kLabelX = 5;
constexpr int kTopMargin = 4;
constexpr int kHistogramGap = 12;

const QColor kGrey(128, 128, 128);
const QColor kBarGreen(0, 128, 0);
const QColor kBarNavy(0, 0, 128);

} // namespace

QString statisticsTitle(const PanelView& view) {
    return QString::fromUtf8(vsTruth(view) ? str::kPositionAccuracyMeasures
                                           : str::kAnalysisInformation);
}

std::vector<TableLine> statisticsLines(const PanelView& view) {
    static const logs::StatisticsBlock empty{};
    const logs::StatisticsBlock& b = view.statistics ? view.statistics->block() : empty;
    const Unit& dist = distanceUnit(view.units.distance);
    const Unit& alt = altitudeUnit(view.units.altitude);
    const long n = b.analysed;
    std::vector<TableLine> lines;
    auto add = [&](const char* label, const std::string& value, bool grey = false) {
        lines.push_back({QString::fromUtf8(label), qstr(value), grey});
    };
    auto distance = [&](const char* label, double metres) {
        add(label, cformat("%.4lf %s", metres * dist.factor, dist.name));
    };
    add(str::kUsedPoints, cformat("%ld", n));
    if (vsTruth(view)) {
        for (const logs::AccuracyFigure& f : logs::accuracyFigures(b))
            distance(f.label, f.metres);
    } else {
        distance(str::kHorizontalSigma,
                 std::sqrt(b.east.sigma * b.east.sigma + b.north.sigma * b.north.sigma));
        distance(str::kEastSigma, b.east.sigma);
        distance(str::kNorthSigma, b.north.sigma);
        distance(str::kVerticalSigma, b.up.sigma);
    }
    add(str::kMeanLatitude, formatLatitude(b.meanLatitude, view.units.coordinateFormat));
    add(str::kMeanLongitude, formatLongitude(b.meanLongitude, view.units.coordinateFormat));
    add(str::kMeanAltitude, cformat("%.4lf %s", b.meanAltitude * alt.factor, alt.name));
    if (vsTruth(view) && view.outlierLimit > 0.0) {
        distance(str::kOutlierLimit, view.outlierLimit);
        add(str::kOutliersNumber, cformat("%ld points", static_cast<long>(b.outliers)));
        // No used points yet: 0 %, not a division by zero.
        add(str::kOutliersPercent, cformat("%.2lf %%", n > 0 ? b.outliers * 100.0 / n : 0.0));
    }
    const bool grey = view.modelIndex != kModelAttitude;
    add(str::kHeadingSigma, cformat("%.4lf", b.heading.sigma), grey);
    add(str::kPitchSigma, cformat("%.4lf", b.pitch.sigma), grey);
    add(str::kRollSigma, cformat("%.4lf", b.roll.sigma), grey);
    add(str::kMeanHeading, cformat("%.3lf", b.meanHeading), grey);
    add(str::kMeanPitch, cformat("%.3lf", b.pitch.mean), grey);
    add(str::kMeanRoll, cformat("%.3lf", b.roll.mean), grey);
    add(str::kMeanBrms, cformat("%.2lf mm", b.meanBrms * 1000.0), grey);
    add(str::kMeanMrms, cformat("%.2lf mm", b.meanMrms * 1000.0), grey);
    add(str::kBadAttitude, cformat("%ld", static_cast<long>(b.badAttitude)), grey);
    add(str::kGoodAttitudePercent,
        cformat("%.2lf %%", 100.0 - b.badAttitude * 100.0 / (n + 0.00001)), grey);
    return lines;
}

HistogramLayout layoutHistogram(const logs::Histogram& h, int usedPoints, int width,
                                double unitFactor) {
    HistogramLayout l;
    const int bins = logs::kHistogramBins;
    width = std::max(width, 1);
    if (width >= bins) {
        l.binsPerBar = 1;
        l.pixelsPerBar = static_cast<double>(width) / bins;
    } else {
        l.binsPerBar = bins / width + 1;
        l.pixelsPerBar = 1.0;
    }
    const double denominator = usedPoints + 0.1;
    double largest = 0.0;
    for (int first = 0; first < bins; first += l.binsPerBar) {
        double count = 0.0;
        for (int i = first; i < std::min(bins, first + l.binsPerBar); ++i)
            count += h.counts[static_cast<std::size_t>(i)];
        l.shares.push_back(count / denominator);
        largest = std::max(largest, l.shares.back());
    }
    while (l.scale < largest && l.scale < 1.0)
        l.scale *= 2;
    l.scale = std::min(l.scale, 1.0);
    l.axisSpan = bins * h.width * unitFactor;
    if (std::isfinite(l.axisSpan)) {
        double v = l.axisSpan;
        while (v >= 100.0) {
            v /= 10.0;
            l.multiplier *= 10.0;
        }
    }
    return l;
}

StatisticsTable::StatisticsTable()
    : titleFont_(QStringLiteral("DejaVu Sans")), font_(QStringLiteral("DejaVu Sans")) {
    font_.setPixelSize(11);
    titleFont_.setPixelSize(12);
    titleFont_.setBold(true);
    const QFontMetrics fm(font_);
    lineHeight_ = fm.height() + 2;
    charWidth_ = std::max(1, fm.averageCharWidth());
    valueX_ = kLabelX + static_cast<int>(std::strlen(str::kHorizontalSigma) + 5) * charWidth_;
    // With a proportional font the two longest attitude labels are wider than that; the values
    // move right so that no label runs into its value.
    for (const char* label : {str::kBadAttitude, str::kGoodAttitudePercent})
        valueX_ = std::max(valueX_, kLabelX + fm.horizontalAdvance(QString::fromUtf8(label)) +
                                        2 * charWidth_);
}

QSize StatisticsTable::extent(const PanelView& view) const {
    const auto lines = statisticsLines(view);
    const QFontMetrics fm(font_);
    int width = 360;
    for (const auto& l : lines)
        width = std::max(width, valueX_ + fm.horizontalAdvance(l.value) + 10);
    int height = kTopMargin + lineHeight_ * (static_cast<int>(lines.size()) + 2);
    if (vsTruth(view))
        height += kHistogramGap + kHistogramSize.height() + kHistogramGap;
    return {width, height};
}

QPoint StatisticsTable::histogramOrigin(const PanelView& view, int which) const {
    const int lines = static_cast<int>(statisticsLines(view).size());
    const int y = kTopMargin + lineHeight_ * (lines + 2) + kHistogramGap;
    return {10 + which * (kHistogramSize.width() + 20), y};
}

void StatisticsTable::draw(QPainter& p, const PanelView& view) const {
    const QFontMetrics fm(font_);
    p.setFont(titleFont_);
    p.setPen(Qt::black);
    p.drawText(kTitleX, kTopMargin + QFontMetrics(titleFont_).ascent(), statisticsTitle(view));
    p.setFont(font_);
    int y = kTopMargin + lineHeight_ * 2 + fm.ascent() - lineHeight_ / 2;
    for (const TableLine& l : statisticsLines(view)) {
        p.setPen(l.grey ? kGrey : QColor(Qt::black));
        p.drawText(kLabelX, y, l.label);
        p.drawText(valueX_, y, l.value);
        y += lineHeight_;
    }
    if (vsTruth(view) && view.statistics) {
        const auto& b = view.statistics->block();
        drawHistogram(p, histogramOrigin(view, 0), b.horizontal, b.analysed, view, true);
        drawHistogram(p, histogramOrigin(view, 1), b.vertical, b.analysed, view, false);
    }
}

void StatisticsTable::drawHistogram(QPainter& p, QPoint origin, const logs::Histogram& h, int used,
                                    const PanelView& view, bool horizontal) const {
    const int w = kHistogramSize.width() - 60;
    const int hgt = kHistogramSize.height() - 60;
    const Unit& dist = distanceUnit(view.units.distance);
    const HistogramLayout l = layoutHistogram(h, used, w, dist.factor);
    QFont small(font_);
    small.setPixelSize(9);
    p.setFont(small);
    const QFontMetrics fm(small);

    // Title over two lines at the top, the plot area below it.
    p.setPen(Qt::black);
    p.drawText(
        QRect(origin.x(), origin.y(), kHistogramSize.width(), 26),
        Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
        QString::fromUtf8(horizontal ? str::kHorizontalDistribution : str::kVerticalDistribution));
    const QRect area(origin.x() + 40, origin.y() + 32, w, hgt);
    p.fillRect(area, Qt::white);

    // Grid lines with their shares.
    p.setPen(QPen(QColor(170, 170, 170), 1.0, Qt::DotLine));
    for (int k = 1; k <= 4; ++k) {
        const int gy = area.bottom() - area.height() * k / 4;
        p.drawLine(area.left(), gy, area.right(), gy);
    }
    p.setPen(Qt::black);
    for (int k = 0; k <= 4; ++k) {
        const int gy = area.bottom() - area.height() * k / 4;
        p.drawText(QRect(origin.x(), gy - 6, 37, 12), Qt::AlignRight | Qt::AlignVCenter,
                   qstr(cformat("%.2f", l.scale * k / 4)));
    }

    // Bars.
    const QColor bar = horizontal ? kBarGreen : kBarNavy;
    for (std::size_t i = 0; i < l.shares.size(); ++i) {
        const double share = std::min(l.shares[i], l.scale);
        const int bh = static_cast<int>(share / l.scale * area.height());
        if (bh <= 0)
            continue;
        const int x0 = area.left() + static_cast<int>(static_cast<double>(i) * l.pixelsPerBar);
        const int bw = std::max(1, static_cast<int>(l.pixelsPerBar));
        p.fillRect(QRect(x0, area.bottom() - bh + 1, bw, bh), bar);
    }
    p.setPen(Qt::black);
    p.drawRect(area.adjusted(0, 0, -1, -1));

    // Axis values at the start, the middle and the end, and the axis text.
    for (int k = 0; k <= 2; ++k) {
        const int ax = area.left() + area.width() * k / 2;
        const QString v = qstr(cformat("%.3f", l.axisSpan / l.multiplier * k / 2));
        const int tw = fm.horizontalAdvance(v);
        p.drawText(ax - tw / 2, area.bottom() + 2 + fm.ascent(), v);
    }
    const std::string format =
        cformat(horizontal ? str::kHorizontalAxis : str::kVerticalAxis, dist.name);
    const std::string mult = l.multiplier > 1.0 ? cformat(" *%.0f", l.multiplier) : std::string();
    p.drawText(QRect(area.left() - 20, area.bottom() + 4 + fm.height(), w + 40, fm.height() + 2),
               Qt::AlignHCenter, qstr(cformat(format.c_str(), mult.c_str())));
}

} // namespace trix::views
