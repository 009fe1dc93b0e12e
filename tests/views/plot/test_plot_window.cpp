// The data plotting window offscreen: drawn pixels of the mean line, a missing-point cross and
// the marked region; the fit rule, the cursor, the control panel and the colour page.

#include "base/strings.h"
#include "base/text.h"
#include "logs/viewed_log.h"
#include "views/plot/parameter_grid.h"
#include "views/plot/plot_color_page.h"
#include "views/plot/plot_control_panel.h"
#include "views/plot/plot_strips_view.h"
#include "views/plot/plot_window.h"
#include "views/plot/scale.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace trix;
using namespace trix::plot;

namespace {

class CountingSink : public MessageSink {
public:
    Answer show(std::string_view text, Buttons, Icon) override {
        texts.emplace_back(text);
        return Answer::Ok;
    }
    void beep() override { ++beeps; }
    std::vector<std::string> texts;
    int beeps = 0;
};

struct Fixture {
    Fixture() {
        viewed = std::make_unique<logs::ViewedLog>(sink);
        EXPECT_TRUE(viewed->open(std::string(TRIX_SOURCE_DIR) + "/data/samples/r04__001.log"));
        source.decoderPtr = &viewed->decoder;
        source.sink = &sink;
    }
    CountingSink sink;
    std::unique_ptr<logs::ViewedLog> viewed;
    PlainPlotSource source;
};

QImage grabStrips(PlotWindow& w, const char* name) {
    QApplication::processEvents();
    QImage image = w.strips()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    w.grab().save(QString("%1/plot_%2.png").arg(TRIX_BINARY_DIR).arg(name));
    return image;
}

const Strip* stripOf(const PlotLayout& l, int series) {
    for (const Strip& s : l.strips())
        if (s.series == series)
            return &s;
    return nullptr;
}

double yOf(const Strip& strip, const Series& s, double v) {
    const VerticalScale scale = verticalScale(s, strip.rect.height());
    return strip.rect.top() + strip.rect.height() / 2.0 - (v - scale.centre) * scale.pixelsPerUnit;
}

} // namespace

TEST(PlotWindowTest, SeriesExistAsSoonAsTheWindowIsCreated) {
    Fixture f;
    PlotWindow w(f.source);
    EXPECT_EQ(w.series().epochs, 200);
    EXPECT_TRUE(w.series().exists[kRoll]);
    EXPECT_EQ(w.grid()->rowCount(), 13);
    EXPECT_EQ(w.grid()->item(0, 0)->text(), "Latitude MD");
    EXPECT_EQ(w.grid()->item(0, 1)->text(), "on");
    EXPECT_EQ(w.grid()->item(3, 1)->text(), "off");
    EXPECT_EQ(w.windowTitle(), "Data Plotting");
    // Without a decoder the window is empty and nothing is divided by zero when painted.
    PlainPlotSource empty;
    PlotWindow e(empty);
    e.resize(600, 400);
    e.show();
    EXPECT_EQ(e.grid()->rowCount(), 0);
    EXPECT_FALSE(e.grab().isNull());
}

TEST(PlotWindowTest, MeanLineIsDrawnAtTheMeansHeight) {
    Fixture f;
    PlotWindow w(f.source);
    w.resize(1000, 700);
    w.show();
    const QImage img = grabStrips(w, "horizontal_default");
    const PlotLayout l = w.strips()->layout();
    const Strip* strip = stripOf(l, kAltitude);
    ASSERT_NE(strip, nullptr);
    const Series& s = w.series().series[kAltitude];
    const int y = static_cast<int>(std::lround(yOf(*strip, s, s.mean)));
    int magenta = 0, magentaElsewhere = 0;
    for (int x = strip->rect.left() + 12; x < strip->rect.right() - 2; ++x) {
        if (img.pixelColor(x, y) == QColor(255, 0, 255))
            ++magenta;
        if (img.pixelColor(x, y - 6) == QColor(255, 0, 255))
            ++magentaElsewhere;
    }
    EXPECT_GT(magenta, strip->rect.width() / 4);
    EXPECT_EQ(magentaElsewhere, 0);
}

TEST(PlotWindowTest, AMissingAttitudeIsMarkedWithARedCross) {
    Fixture f;
    app::Settings& s = f.source.settingsValue;
    s.graphLat = s.graphLon = s.graphAlt = 0;
    s.graphHeading = 1;
    s.colorTable(app::ColorTableId::PlotCurves)[kHeading].current = app::rgb(0, 128, 0);
    PlotWindow w(f.source);
    w.resize(1000, 700);
    w.show();
    ASSERT_TRUE(w.showRange(0, 9));
    const QImage img = grabStrips(w, "cross");
    const PlotLayout l = w.strips()->layout();
    const Strip* strip = stripOf(l, kHeading);
    ASSERT_NE(strip, nullptr);
    const Series& h = w.series().series[kHeading];
    ASSERT_FALSE(h.valid(1));
    const int x = static_cast<int>(std::lround(l.xOf(1)));
    const int y = static_cast<int>(std::lround(yOf(*strip, h, h.values[0])));
    int red = 0;
    for (QPoint d : {QPoint(3, 3), QPoint(-3, -3), QPoint(3, -3), QPoint(-3, 3)})
        red += img.pixelColor(QPoint(x, y) + d) == QColor(255, 0, 0) ? 1 : 0;
    EXPECT_GE(red, 3);
    // No cross at a valid epoch.
    const int x2 = static_cast<int>(std::lround(l.xOf(2)));
    const int y2 = static_cast<int>(std::lround(yOf(*strip, h, h.values[2])));
    EXPECT_NE(img.pixelColor(x2 + 3, y2 + 3), QColor(255, 0, 0));
}

TEST(PlotWindowTest, TheSelectedRegionIsMarkedUnlessHidden) {
    Fixture f;
    f.source.settingsValue.colorTable(app::ColorTableId::PlotBackgrounds)[2].current =
        app::rgb(250, 200, 100);
    PlotWindow w(f.source);
    w.resize(1000, 700);
    w.show();
    ASSERT_TRUE(w.selectRange(50, 120));
    QImage img = grabStrips(w, "marked");
    const PlotLayout l = w.strips()->layout();
    const Strip& strip = l.strips().front();
    auto share = [&](const QImage& image, int from, int to, QColor c) {
        int hits = 0, all = 0;
        const int y = strip.rect.top() + 2;
        for (int e = from; e <= to; ++e, ++all)
            hits += image.pixelColor(static_cast<int>(std::lround(l.xOf(e))) + 1, y) == c;
        return static_cast<double>(hits) / all;
    };
    EXPECT_GT(share(img, 55, 115, QColor(250, 200, 100)), 0.7);
    EXPECT_GT(share(img, 130, 190, Qt::white), 0.7);
    f.source.settingsValue.unmarkPartGraph = 1;
    w.colorsChanged();
    img = grabStrips(w, "marked_hidden");
    EXPECT_LT(share(img, 55, 115, QColor(250, 200, 100)), 0.05);
}

TEST(PlotWindowTest, FitRuleSwitchesOffFromTheLastButNotOnAMinimisedPane) {
    Fixture f;
    app::Settings& s = f.source.settingsValue;
    s.graphRadial = s.graphNsv = s.graphAge = s.graphHdop = s.graphHeading = s.graphPitch =
        s.graphRoll = 1;
    f.source.settingsValue.graphSplitterStyle = 1;
    PlotWindow w(f.source);
    w.resize(1000, 330);
    w.show();
    QApplication::processEvents();
    const int fit = (w.strips()->height() - w.strips()->fontMetrics().height() - 3) / 21;
    if (fit >= 13)
        GTEST_SKIP() << "the pane holds every strip";
    grabStrips(w, "horizontal_layout");
    EXPECT_EQ(static_cast<int>(w.scene().shownSeries().size()), fit);
    EXPECT_EQ(s.graphRoll, 0);
    EXPECT_EQ(s.graphLat, 1);
    EXPECT_EQ(w.grid()->item(12, 1)->text(), "off");
    // Switching one more on is refused with the message.
    f.sink.texts.clear();
    w.togglePlot(12);
    ASSERT_EQ(f.sink.texts.size(), 1u);
    EXPECT_EQ(f.sink.texts[0], str::kTooManyPlots);
    EXPECT_FALSE(w.scene().shown[12]);
    // A pane smaller than one strip keeps the flags.
    const int before = static_cast<int>(w.scene().shownSeries().size());
    w.strips()->resize(w.strips()->width(), 15);
    w.fitPlots();
    EXPECT_EQ(static_cast<int>(w.scene().shownSeries().size()), before);
    EXPECT_EQ(s.graphLat, 1);
}

TEST(PlotWindowTest, TheCursorRepaintsOnlyItsOldAndNewAreas) {
    Fixture f;
    PlotWindow w(f.source);
    w.resize(1000, 700);
    w.show();
    QApplication::processEvents();
    f.viewed->decoder.history.writePosition = 40;
    w.epochShown();
    f.viewed->decoder.history.writePosition = 120;
    w.epochShown();
    const QRegion dirty = w.strips()->lastCursorRepaint();
    ASSERT_FALSE(dirty.isEmpty());
    EXPECT_EQ(dirty.rectCount(), 2);
    for (const QRect& r : dirty)
        EXPECT_LE(r.width(), 6);
    EXPECT_EQ(w.scene().cursor, 120);
    grabStrips(w, "cursor");
    const Series& lat = w.series().series[kLatitude];
    EXPECT_EQ(w.grid()->item(0, 2)->text().trimmed().toStdString(),
              cformat("%.4f", static_cast<double>(lat.values[120])));
}

TEST(PlotWindowTest, DoubleClickRefusalsShowTheMessage) {
    Fixture f;
    PlotWindow w(f.source);
    ASSERT_TRUE(w.selectRange(10, 20));
    f.sink.texts.clear();
    EXPECT_FALSE(w.selectRange(20, 200));
    ASSERT_EQ(f.sink.texts.size(), 1u);
    EXPECT_EQ(f.sink.texts[0], "Maximum available epoch value is 200.");
    EXPECT_EQ(w.ranges().selectedLast(), 20);
}

TEST(PlotControlPanelTest, FindsTheWindowAnewAndRestoresARefusedField) {
    Fixture f;
    auto w = std::make_unique<PlotWindow>(f.source);
    PlotWindow* current = w.get();
    PlotControlPanel panel([&] { return current; }, f.source.settingsValue, f.sink);
    panel.refresh();
    EXPECT_EQ(panel.shownTo()->text(), "200");
    panel.selectedFrom()->setText("30");
    panel.selectedTo()->setText("40");
    panel.select();
    EXPECT_EQ(current->ranges().selectedFirst(), 29);
    EXPECT_EQ(current->ranges().selectedLast(), 39);
    panel.selectedTo()->setText("201");
    panel.select();
    EXPECT_EQ(panel.selectedTo()->text(), "40");
    EXPECT_EQ(f.sink.beeps, 1);
    panel.showSelected();
    EXPECT_EQ(current->ranges().shownFirst(), 29);
    EXPECT_EQ(panel.shownFrom()->text(), "30");
    panel.grab().save(QString("%1/plot_control_panel.png").arg(TRIX_BINARY_DIR));
    // The layout change recreates the window: the panel reaches the new one.
    w = std::make_unique<PlotWindow>(f.source);
    current = w.get();
    panel.showAll();
    EXPECT_EQ(panel.shownTo()->text(), "200");
    current = nullptr;
    w.reset();
    panel.select(); // no window: nothing but a beep
    panel.toggleHideSelection(true);
    EXPECT_EQ(f.source.settingsValue.unmarkPartGraph, 1);
}

TEST(PlotColorPageTest, RestoresOnlyTheSelectedGroupAndDrawsTheSample) {
    app::Settings s;
    s.colorTable(app::ColorTableId::PlotCurves)[0].current = app::rgb(1, 2, 3);
    s.colorTable(app::ColorTableId::PlotBackgrounds)[0].current = app::rgb(10, 20, 30);
    PlotColorPage page(s);
    EXPECT_EQ(page.groups()->count(), 6);
    EXPECT_EQ(page.groups()->item(4)->text(), "RMS ");
    EXPECT_EQ(page.items()->count(), 13);
    const QImage sample = page.sampleImage();
    EXPECT_EQ(sample.pixelColor(2, 2), QColor(10, 20, 30));
    EXPECT_EQ(sample.pixelColor(2, sample.height() - 2), QColor(192, 254, 220));
    page.restoreDefaults();
    EXPECT_TRUE(page.modified());
    EXPECT_EQ(page.workingColor(0, 0), app::rgb(255, 0, 0));
    EXPECT_EQ(page.workingColor(1, 0), app::rgb(10, 20, 30));
    page.selectGroup(3);
    ASSERT_EQ(page.items()->count(), 1);
    page.setItemColor(app::rgb(0, 200, 0));
    page.apply(s);
    EXPECT_EQ(s.colorTable(app::ColorTableId::PlotExtras)[2].current, app::rgb(0, 200, 0));
    EXPECT_EQ(s.colorTable(app::ColorTableId::PlotCurves)[0].current, app::rgb(255, 0, 0));
    EXPECT_EQ(s.colorTable(app::ColorTableId::PlotBackgrounds)[0].current, app::rgb(10, 20, 30));
    page.selectGroup(1);
    EXPECT_EQ(page.sampleImage().pixelColor(2, 2), QColor(10, 20, 30));
    page.grab().save(QString("%1/plot_color_page.png").arg(TRIX_BINARY_DIR));
}
