// The window registry: who hears of which change, and that a window gone hears nothing.

#include "window_registry.h"

#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "decode/framing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace trix;
using namespace trix::app;

namespace {

// Records every call it is told.
struct Probe : DataWindowClient {
    std::vector<int> hints;
    int redraws = 0, units = 0, colours = 0, options = 0, analysis = 0, logging = 0, shown = 0;
    std::vector<bool> loaded;
    std::vector<std::string> lines, indexed;
    void epoch(int hint) override { hints.push_back(hint); }
    void redrawAll() override { ++redraws; }
    void unitsChanged() override { ++units; }
    void colorsChanged() override { ++colours; }
    void optionsChanged() override { ++options; }
    void analysisChanged() override { ++analysis; }
    void loggingStarted() override { ++logging; }
    void epochShown() override { ++shown; }
    void dataLoaded(bool ok) override { loaded.push_back(ok); }
    void line(std::string_view t) override { lines.emplace_back(t); }
    bool indexedLine(std::string_view t) override {
        indexed.emplace_back(t);
        return true;
    }
};

const Interest kSky = Interest()
                          .epochs(change::kEpoch | change::kSatellites | change::kSignals)
                          .redraws(change::kSentenceSet)
                          .colours()
                          .skyLayout();
const Interest kPosition = Interest()
                               .epochs(change::kEpoch | change::kPosition | change::kHintBits)
                               .redraws(change::kSentenceSet | change::kUnits)
                               .units()
                               .colours()
                               .options();
const Interest kPanel = Interest()
                            .epochs(change::kEpoch | change::kPosition | change::kSatellites |
                                    hint::kPlot | hint::kPanel | hint::kText)
                            .evenWhenHeld();

std::string sentence(const std::string& body) {
    return "$" + body + cformat("*%02X", nmeaChecksum(body));
}

} // namespace

TEST(WindowRegistry, OnlyWindowsRegisteredForAChangeAreToldWithTheirHint) {
    WindowRegistry r;
    Probe sky, position, panel, none;
    r.add(sky, kSky);
    r.add(position, kPosition);
    r.add(panel, kPanel);
    r.add(none, Interest().units());

    r.changed(change::kPosition | hint::kPlot | hint::kPanel | hint::kText);
    EXPECT_TRUE(sky.hints.empty()) << "the sky chart does not listen to position sentences";
    EXPECT_EQ(position.hints, std::vector<int>{14});
    EXPECT_EQ(panel.hints, std::vector<int>{14});
    EXPECT_TRUE(none.hints.empty());

    r.changed(change::kSatellites);
    EXPECT_EQ(sky.hints, std::vector<int>{0});
    EXPECT_EQ(position.hints.size(), 1u);
    EXPECT_EQ(panel.hints, (std::vector<int>{14, 0}));

    r.changed(change::kSignals);
    EXPECT_EQ(sky.hints.size(), 2u);
    EXPECT_EQ(panel.hints.size(), 2u) << "the panel does not listen to the signal answer";

    // A reset: only a window that names the full-repaint hint is given it.
    r.changed(change::kEpoch | hint::kFullRepaint);
    EXPECT_EQ(position.hints.back(), hint::kFullRepaint);
    EXPECT_EQ(sky.hints.back(), hint::kEverything);
    EXPECT_EQ(panel.hints.back(), hint::kEverything);
    EXPECT_TRUE(none.hints.empty());
}

TEST(WindowRegistry, HeldEpochsReachOnlyWindowsThatCountThem) {
    WindowRegistry r;
    Probe sky, panel, counter, plot;
    r.add(sky, kSky);
    r.add(panel, kPanel);
    r.add(counter, Interest().epochs(change::kEpoch).evenWhenHeld());
    r.add(plot, Interest().epochs(change::kEpoch).onlyWhileViewing());

    r.changed(change::kEpoch | change::kHeld);
    EXPECT_TRUE(sky.hints.empty());
    EXPECT_EQ(panel.hints.size(), 1u);
    EXPECT_EQ(counter.hints.size(), 1u);
    EXPECT_TRUE(plot.hints.empty()) << "live epochs do not reach a viewing-only window";

    r.changed(change::kEpoch | change::kViewing);
    EXPECT_EQ(sky.hints.size(), 1u);
    EXPECT_EQ(plot.hints.size(), 1u);
    r.changed(change::kEpoch | change::kViewing | change::kHeld);
    EXPECT_EQ(plot.hints.size(), 1u) << "held back while viewing too";

    // While a log file is read nothing is told one epoch at a time; redraws still are.
    r.holdEpochs(true);
    r.changed(change::kEpoch | change::kSentenceSet);
    EXPECT_EQ(counter.hints.size(), 3u);
    EXPECT_EQ(sky.redraws, 1);
    r.holdEpochs(false);
    r.changed(change::kEpoch);
    EXPECT_EQ(counter.hints.size(), 4u);
}

TEST(WindowRegistry, RedrawsGoToTheWindowsThatShowWhatChanged) {
    WindowRegistry r;
    Probe sky, position, panel;
    r.add(sky, kSky);
    r.add(position, kPosition);
    r.add(panel, kPanel);
    r.changed(change::kSentenceSet);
    EXPECT_EQ(sky.redraws, 1);
    EXPECT_EQ(position.redraws, 1);
    EXPECT_EQ(panel.redraws, 0);
    EXPECT_TRUE(sky.hints.empty()) << "a redraw is not an epoch";
    r.changed(change::kUnits);
    EXPECT_EQ(sky.redraws, 1);
    EXPECT_EQ(position.redraws, 2);
}

TEST(WindowRegistry, SettingsAndEventsReachEveryWindowThatListens) {
    WindowRegistry r;
    Probe a, b, c;
    r.add(a, Interest().units().colours().options().dataLoaded().analysis());
    r.add(b, Interest().units().colours().skyLayout().lines().indexedLines().loggingStarted());
    r.add(c, Interest().epochShown());

    r.unitsChanged();
    r.colorsChanged();
    EXPECT_EQ(a.units + b.units + c.units, 2);
    EXPECT_EQ(a.colours + b.colours + c.colours, 2);
    EXPECT_EQ(c.units + c.colours, 0);

    r.optionsChanged(false);
    EXPECT_EQ(a.options, 1);
    EXPECT_EQ(b.options, 0) << "the sky layout did not change";
    r.optionsChanged(true);
    EXPECT_EQ(a.options, 2);
    EXPECT_EQ(b.options, 1);

    r.line("$GPGGA");
    r.indexedLine("$PXKTR,POS");
    r.dataLoaded(false);
    r.analysisChanged();
    r.loggingStarted();
    r.epochShown();
    EXPECT_EQ(b.lines, std::vector<std::string>{"$GPGGA"});
    EXPECT_TRUE(a.lines.empty());
    EXPECT_EQ(b.indexed, std::vector<std::string>{"$PXKTR,POS"});
    EXPECT_EQ(a.loaded, std::vector<bool>{false});
    EXPECT_TRUE(b.loaded.empty());
    EXPECT_EQ(a.analysis, 1);
    EXPECT_EQ(b.logging, 1);
    EXPECT_EQ(c.shown, 1);
    EXPECT_EQ(a.shown + b.shown, 0);
}

TEST(WindowRegistry, AWindowGoneHearsNothingEvenWhenItGoesWhileBeingTold) {
    WindowRegistry r;
    Probe first, second;
    // A window that closes when told (a viewed file that gave it nothing), and takes its
    // neighbour with it.
    struct Closing : Probe {
        WindowRegistry* registry = nullptr;
        Probe* other = nullptr;
        void dataLoaded(bool ok) override {
            Probe::dataLoaded(ok);
            registry->remove(*this);
            registry->remove(*other);
        }
    } closing;
    closing.registry = &r;
    closing.other = &second;
    r.add(first, Interest().dataLoaded().units());
    r.add(closing, Interest().dataLoaded().units());
    r.add(second, Interest().dataLoaded().units());
    EXPECT_EQ(r.size(), 3u);

    r.dataLoaded(false);
    EXPECT_EQ(first.loaded.size(), 1u);
    EXPECT_EQ(closing.loaded.size(), 1u);
    EXPECT_TRUE(second.loaded.empty()) << "removed before its turn";
    EXPECT_FALSE(r.contains(closing));
    EXPECT_EQ(r.size(), 1u);

    r.unitsChanged();
    EXPECT_EQ(first.units, 1);
    EXPECT_EQ(closing.units + second.units, 0);

    // Registering again replaces the interest instead of telling twice.
    r.add(first, Interest().colours());
    r.add(first, Interest().units());
    EXPECT_EQ(r.size(), 1u);
    r.unitsChanged();
    r.colorsChanged();
    EXPECT_EQ(first.units, 2);
    EXPECT_EQ(first.colours, 0);
    r.remove(first);
    r.remove(first);
    EXPECT_EQ(r.size(), 0u);
}

// The decoder and the registry together keep the routing of the NMEA sentences: the position
// window hears the position sentences with their parts, the sky chart the satellites, the
// panel both, and the throttle holds back only what draws.
TEST(WindowRegistry, DecoderChangesRouteAsTheWindowsListen) {
    WindowRegistry r;
    Probe sky, position, panel, counter;
    r.add(sky, kSky);
    r.add(position, kPosition);
    r.add(panel, kPanel);
    r.add(counter, Interest().epochs(change::kEpoch).evenWhenHeld());
    EpochDecoder::Hooks hooks;
    hooks.changes = &r;
    EpochDecoder d{kModelUnknown, hooks};
    ASSERT_FALSE(position.hints.empty());
    EXPECT_EQ(position.hints.back(), hint::kFullRepaint) << "the new decoder resets";
    EXPECT_EQ(counter.hints.size(), position.hints.size());
    EXPECT_EQ(sky.hints.back(), hint::kEverything);

    auto ggaAt = [](const char* time) {
        return sentence(std::string("GPGGA,") + time +
                        ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    };
    position.hints.clear();
    panel.hints.clear();
    sky.hints.clear();
    d.handleSentence(ggaAt("120000.00"));
    d.handleSentence(sentence("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,A"));
    d.handleSentence(sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"));
    d.handleSentence(sentence("GPGSV,1,1,03,04,40,083,46,05,17,308,41,09,07,344,39"));
    EXPECT_EQ(position.hints, (std::vector<int>{14, 4, 8}));
    EXPECT_EQ(panel.hints, (std::vector<int>{14, 4, 8, 0}));
    EXPECT_EQ(sky.hints, std::vector<int>{0});

    // 0.1 s later the drawing windows are held back, the panel is not.
    d.handleSentence(ggaAt("120000.10"));
    EXPECT_FALSE(d.displayUpdate);
    EXPECT_EQ(position.hints.size(), 3u);
    EXPECT_EQ(panel.hints.size(), 5u);
}
