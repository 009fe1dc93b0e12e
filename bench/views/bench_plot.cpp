// The data plotting window on a 65536-epoch attitude log: opening it (series, grid, first
// paint) and one repaint of all thirteen strips at 1600 × 1000, against bare QPainter
// polylines of the same points in the same run; and the area one movie cursor step repaints.

#include "decode/epoch_decoder.h"
#include "median_time.h"
#include "views/plot/plot_painter.h"
#include "views/plot/plot_strips_view.h"
#include "views/plot/plot_window.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

using namespace trix;
using namespace trix::plot;

namespace {

// 65536 epochs of a standing attitude receiver with noise; one epoch in 50 has a reset
// attitude.
void fill(EpochDecoder& d) {
    d.setViewing(true);
    d.setModelIndex(kModelAttitude);
    const int n = kViewCapacity;
    auto& h = d.history;
    h.departures.resize(n);
    h.positions.resize(n);
    h.attitudes.resize(n);
    std::mt19937 rng(7);
    std::normal_distribution<float> noise(0.0f, 0.6f);
    float e = 0, nn = 0;
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        e = 0.995f * e + noise(rng) * 0.2f;
        nn = 0.995f * nn + noise(rng) * 0.2f;
        h.departures[k] = {e, nn, noise(rng)};
        auto& p = h.positions[k];
        p.usedSats = static_cast<std::uint8_t>(7 + i % 4);
        p.pdop = 1.8f + noise(rng) * 0.1f;
        p.hdop = 1.0f + noise(rng) * 0.1f;
        p.vdop = 1.5f + noise(rng) * 0.1f;
        p.tdop = 1.1f + noise(rng) * 0.1f;
        const int s = i % 86400;
        p.utcTime = (s / 3600) * 10000 + (s / 60 % 60) * 100 + s % 60;
        auto& a = h.attitudes[k];
        a.heading = 180.0f + noise(rng);
        a.pitch = 1.5f + noise(rng) * 0.3f;
        a.roll = -0.6f + noise(rng) * 0.3f;
        a.resetFlag = i % 50 == 0 ? 1 : 0;
    }
    h.writePosition = 0;
    h.oldestPosition = 0;
    d.epochsCompleted = n;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    EpochDecoder decoder(kModelAttitude);
    fill(decoder);
    PlainPlotSource source;
    source.decoderPtr = &decoder;
    app::Settings& s = source.settingsValue;
    s.graphRadial = s.graphNsv = s.graphAge = s.graphHdop = s.graphHeading = s.graphPitch =
        s.graphRoll = 1;

    const double open = medianMs(
        [&] {
            PlotWindow w(source);
            w.resize(1600, 1000);
            (void)w.grab();
        },
        5);
    std::printf("%-48s %9.3f ms\n", "open the window (series, grid, first paint)", open);

    SeriesSet set = buildSeries(decoder);
    PlotScene scene;
    scene.set = &set;
    scene.shown.fill(true);
    scene.ranges.reset(set.epochs);
    scene.colors = PlotColors::from(s);
    QImage image(1600, 1000, QImage::Format_RGB32);
    const double strips = medianMs(
        [&] {
            image.fill(Qt::white);
            QPainter p(&image);
            paintPlots(p, scene, image.rect(), false);
        },
        9);

    // The same points, drawn bare.
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter measure(&probe);
    const PlotLayout layout(scene, image.rect(), measure.fontMetrics(), false);
    measure.end();
    std::vector<QPolygonF> lines;
    for (const Strip& strip : layout.strips()) {
        const Series& series = set.series[static_cast<std::size_t>(strip.series)];
        const double mid = strip.rect.center().y();
        const double k =
            (strip.rect.height() - 10) / std::max(1e-9, double(series.maximum) - series.minimum);
        const double c = (double(series.maximum) + series.minimum) / 2.0;
        QPolygonF poly;
        for (int e = 0; e < set.epochs; ++e)
            poly.append(QPointF(layout.xOf(e), mid - (series.values[std::size_t(e)] - c) * k));
        lines.push_back(std::move(poly));
    }
    const double bare = medianMs(
        [&] {
            image.fill(Qt::white);
            QPainter p(&image);
            p.setPen(QPen(Qt::red, 0));
            for (const QPolygonF& poly : lines)
                p.drawPolyline(poly);
        },
        9);
    std::printf("%-48s %9.3f ms   x%5.2f of bare (%0.3f ms)   %s 100 ms\n",
                "repaint of 13 strips, 65536 epochs, 1600x1000", strips, strips / bare, bare,
                strips < 100.0 ? "under" : "OVER");

    PlotWindow w(source);
    w.resize(1600, 1000);
    w.show();
    QApplication::processEvents();
    decoder.history.writePosition = 30000;
    w.epochShown();
    decoder.history.writePosition = 30001;
    w.epochShown();
    const QRect dirty = w.strips()->lastCursorRepaint().boundingRect();
    std::printf("%-48s %d x %d px of %d x %d\n", "movie cursor step repaints", dirty.width(),
                dirty.height(), w.strips()->width(), w.strips()->height());
    return 0;
}
