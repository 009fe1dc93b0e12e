// Repaint cost of the position window with a 65536-epoch trace and of the sky chart with 8192
// epochs of tracks, each against a bare QPainter drawing of the same points in the same run.
// Prints the median times and the ratios; the epoch movie ticks every 200 ms.

#include "decode/epoch_decoder.h"
#include "decode/records.h"
#include "median_time.h"
#include "views/position/departure_plot_view.h"
#include "views/position/plot_scale.h"
#include "views/position/position_window.h"
#include "views/sky/display_source.h"
#include "views/sky/sky_chart_view.h"
#include "views/sky/sky_chart_window.h"
#include "views/sky/sky_geometry.h"

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
using namespace trix::views;

namespace {

void report(const char* what, double ms, double bare) {
    std::printf("%-44s %9.3f ms   x%5.2f of bare   %s the 200 ms movie tick\n", what, ms, ms / bare,
                ms < 200.0 ? "within" : "OVER");
}

// A viewed log of 65536 epochs: a receiver standing still with metre-level noise that
// wanders slowly, as the accuracy logs look.
void fillTrace(EpochDecoder& d) {
    d.setViewing(true);
    const int n = kViewCapacity;
    d.history.departures.resize(n);
    std::mt19937 rng(7);
    std::normal_distribution<float> noise(0.0f, 0.6f);
    float e = 0, nn = 0;
    for (int i = 0; i < n; ++i) {
        e = 0.995f * e + noise(rng) * 0.2f;
        nn = 0.995f * nn + noise(rng) * 0.2f;
        d.history.departures[static_cast<std::size_t>(i)] = {e + noise(rng), nn + noise(rng), 0};
        const double sq = double(e) * e + double(nn) * nn;
        d.largestHorizontalSquared = std::max(d.largestHorizontalSquared, sq * 2.5);
    }
    d.history.writePosition = n - 1;
    d.epochsCompleted = n;
    d.logIndexed = true;
    d.noPosition = false;
}

// 8192 live epochs of twelve satellites crossing the sky at their true pace (about half a
// degree a minute at one epoch a second).
void fillSky(EpochDecoder& d) {
    const int n = kLiveCapacity;
    d.history.skyPlots.resize(n);
    d.history.departures.resize(n);
    for (int k = 0; k < n; ++k) {
        SatelliteRecord s;
        for (int j = 0; j < 12; ++j) {
            SatEntry& e = s.sats[s.inView++];
            e.svNumber = static_cast<std::uint8_t>(j < 9 ? 2 + 3 * j : 65 + j);
            const double t = k / 3600.0; // hours
            e.azimuth = static_cast<std::uint16_t>(std::fmod(30.0 * j + 15.0 * t + 360.0, 360.0));
            e.elevation = static_cast<std::uint8_t>(10 + std::fmod(7.0 * j + 30.0 * t, 75.0));
            e.snr = 40;
            e.usedFlag = j % 3 ? 'U' : '-';
        }
        d.history.skyPlots[static_cast<std::size_t>(k)] = skyPlotFrom(s);
        d.sat = s;
    }
    d.history.writePosition = n - 1;
    d.epochsCompleted = n;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = 15;

    // --- position window ----------------------------------------------------------------------
    EpochDecoder pos(kModelUnknown);
    fillTrace(pos);
    PlainDisplaySource ps;
    ps.decoderPtr = &pos;
    PositionWindow window(ps);
    window.resize(900, 700);
    window.show();
    QApplication::processEvents();
    window.plot()->resetScale();
    DeparturePlotView* plot = window.plot();
    const int r = plot->radius();
    const double s = plot->visibleRadius();
    QImage plotImage(plot->size(), QImage::Format_RGB32);
    QImage windowImage(window.size(), QImage::Format_RGB32);

    // Bare: the same 65536 points mapped to pixels and drawn as one polyline.
    std::vector<QPoint> points;
    points.reserve(pos.history.departures.size());
    for (const DeparturePoint& p : pos.history.departures) {
        const PlotPixel px = plotPixel(p.east, p.north, r, s);
        points.emplace_back(px.x, px.y);
    }
    const double bareTrace = medianMs(
        [&] {
            QPainter p(&plotImage);
            p.setPen(QPen(Qt::green, 0));
            p.drawPolyline(points.data(), static_cast<int>(points.size()));
        },
        repeats);
    const double plotMs = medianMs([&] { plot->render(&plotImage); }, repeats);
    const double windowMs = medianMs([&] { window.render(&windowImage); }, repeats);
    ps.analysisOn = true;
    ps.analysisValue.ring1 = 1.0;
    ps.analysisValue.ring2 = 2.0;
    window.analysisChanged();
    const double scatterMs = medianMs([&] { plot->render(&plotImage); }, repeats);
    ps.analysisOn = false;
    window.analysisChanged();

    std::printf("position window %dx%d, plot radius %d px, trace of %zu epochs\n", window.width(),
                window.height(), r, points.size());
    std::printf("%-44s %9.3f ms\n", "bare QPainter polyline of the same points", bareTrace);
    report("plot pane repaint (departure plot)", plotMs, bareTrace);
    report("plot pane repaint (scatter plot, crosses)", scatterMs, bareTrace);
    report("whole position window repaint", windowMs, bareTrace);

    // --- sky chart ----------------------------------------------------------------------------
    EpochDecoder sky(kModelUnknown);
    fillSky(sky);
    PlainDisplaySource ss;
    ss.decoderPtr = &sky;
    SkyChartWindow skyWindow(ss);
    skyWindow.resize(900, 500);
    skyWindow.show();
    QApplication::processEvents();
    SkyChartView* chart = skyWindow.chart();
    const SkyLayout layout = chart->layout();
    QImage chartImage(chart->size(), QImage::Format_RGB32);
    QImage skyImage(skyWindow.size(), QImage::Format_RGB32);

    // Bare: every satellite's 8192 positions as one polyline each.
    std::vector<std::vector<QPoint>> tracks(kMaxSats);
    for (const SkyPlotRecord& snap : sky.history.skyPlots)
        for (int j = 0; j < kMaxSats; ++j) {
            const auto& pt = snap.points[static_cast<std::size_t>(j)];
            if (pt.svNumber == 0)
                continue;
            const SkyPixel px = layout.pixel(pt);
            tracks[static_cast<std::size_t>(j)].emplace_back(px.x, px.y);
        }
    std::size_t skyPoints = 0;
    for (const auto& t : tracks)
        skyPoints += t.size();
    const double bareSky = medianMs(
        [&] {
            QPainter p(&chartImage);
            p.setPen(QPen(Qt::red, 0));
            for (const auto& t : tracks)
                if (t.size() > 1)
                    p.drawPolyline(t.data(), static_cast<int>(t.size()));
        },
        repeats);
    const double chartMs = medianMs([&] { chart->render(&chartImage); }, repeats);
    const double skyMs = medianMs([&] { skyWindow.render(&skyImage); }, repeats);
    sky.setViewing(true);
    sky.history.writePosition = kLiveCapacity / 2;
    const double replayMs = medianMs([&] { chart->render(&chartImage); }, repeats);

    std::printf("\nsky chart %dx%d, chart radius %d px, %d epochs, %zu track points\n",
                skyWindow.width(), skyWindow.height(), layout.radius, kLiveCapacity, skyPoints);
    std::printf("%-44s %9.3f ms\n", "bare QPainter polylines of the same points", bareSky);
    report("chart pane repaint (live tracks)", chartMs, bareSky);
    report("chart pane repaint (replay, both colours)", replayMs, bareSky);
    report("whole sky chart window repaint", skyMs, bareSky);
    return 0;
}
