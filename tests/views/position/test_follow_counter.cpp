// Every window that shows the epoch on screen follows every way of moving the epoch counter
// through a viewed log file: a typed number with Enter, the scroll bar, the keys and the movie.

#include "../../app/scripted_interaction.h"
#include "../../app/temp_profile.h"
#include "app/core/emulator.h"
#include "epoch_counter.h"
#include "main_window.h"
#include "trix_application.h"
#include "view_test_support.h"
#include "views/panel/indicator_panel.h"
#include "views/panel/panel_factory.h"
#include "views/position/position_text_view.h"
#include "views/position/position_window.h"
#include "views/position/sky_position_factories.h"
#include "views/sky/sky_chart_view.h"
#include "views/sky/sky_chart_window.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace trix::views {
namespace {

class Quiet : public MessageSink {
public:
    Answer show(std::string_view, Buttons, Icon) override { return Answer::No; }
};

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject {
public:
    void watch(QWidget* w) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
            w = area->viewport();
        w->installEventFilter(this);
        counts_[w] = 0;
    }
    void reset() {
        for (auto& [w, n] : counts_)
            n = 0;
    }
    // The watched widgets that were not painted since the last reset.
    std::vector<QString> unpainted() const {
        std::vector<QString> out;
        for (const auto& [w, n] : counts_)
            if (n == 0)
                out.push_back(w->objectName().isEmpty() ? QString(w->metaObject()->className())
                                                        : w->objectName());
        return out;
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            if (auto it = counts_.find(static_cast<QWidget*>(o)); it != counts_.end())
                ++it->second;
        return false;
    }

private:
    std::map<QWidget*, int> counts_;
};

QString writeEmulatedLog(const QString& dir, int epochs) {
    const QString path = dir + "/r04_001.log";
    std::ofstream out(path.toStdString(), std::ios::binary);
    app::Emulator e(0, app::defaultRandomSource(5));
    for (int i = 0; i < epochs; ++i) {
        app::EmulationInputs in;
        in.localTime = {10, i / 60, i % 60};
        e.tick(
            in, [&](std::string_view s) { out << s << "\r\n"; },
            [] {
                return std::array<int, 3>{1, 2, 3};
            });
    }
    return path;
}

TEST(FollowTheCounter, EveryWindowFollowsEveryWayOfMoving) {
    registerSkyAndPositionWindows();
    registerPanelWindows();
    QTemporaryDir tmp;
    const app::StartOptions o =
        trix::app::test::optionsIn(tmp, (tmp.path() + "/shipped").toStdString());
    app::TrixApplication application(o);
    Quiet quiet;
    app::test::ScriptedInteraction ui;
    app::MainWindow frame(application, &quiet, &ui);
    frame.resize(1200, 800);
    frame.show();
    ASSERT_TRUE(frame.viewLogFile(writeEmulatedLog(tmp.path(), 240)));
    for (DataWindow kind : {DataWindow::SkyChart, DataWindow::Position, DataWindow::Panel})
        if (!frame.window(kind))
            frame.onToggleView(kind);
    auto* sky = qobject_cast<SkyChartWindow*>(frame.window(DataWindow::SkyChart));
    auto* pos = qobject_cast<PositionWindow*>(frame.window(DataWindow::Position));
    auto* panel = qobject_cast<IndicatorPanel*>(frame.window(DataWindow::Panel));
    ASSERT_NE(sky, nullptr);
    ASSERT_NE(pos, nullptr);
    ASSERT_NE(panel, nullptr);
    app::EpochCounter* counter = frame.epochCounter();
    ASSERT_NE(counter, nullptr);
    EpochDecoder& decoder = *frame.session().decoder();
    // Side by side, so that no window hides another's repaint.
    frame.mdiArea()->tileSubWindows();
    QTest::qWait(50);

    PaintCounter paints;
    paints.watch(sky->chart());
    paints.watch(pos->text());
    paints.watch(panel);
    // The panel keeps the figures of the last epoch it was told of.
    auto panelFollows = [&] {
        FiguresBuilder b;
        b.update(decoder, frame.session().link().modelIndex, decoder.units());
        return panel->text().time == b.text().time && panel->text().latitude == b.text().latitude;
    };
    auto expectAllFollow = [&](const char* how, int position) {
        QApplication::processEvents();
        QTest::qWait(20);
        EXPECT_EQ(decoder.history.writePosition, position) << how;
        const std::vector<QString> missed = paints.unpainted();
        EXPECT_TRUE(missed.empty())
            << how << ": not repainted: " << (missed.empty() ? "" : missed.front().toStdString());
        EXPECT_TRUE(panelFollows()) << how;
        paints.reset();
    };

    // The last epochs of a fast file hold the display back; a chosen epoch is shown all the same.
    for (bool held : {false, true}) {
        decoder.displayUpdate = !held;
        paints.reset();
        counter->numberField()->setText(held ? "150" : "200");
        QTest::keyClick(counter->numberField(), Qt::Key_Return);
        expectAllFollow("number", held ? 149 : 199);

        decoder.displayUpdate = !held;
        counter->scrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        expectAllFollow("scroll page", held ? 159 : 209);
        decoder.displayUpdate = !held;
        counter->scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        expectAllFollow("scroll line", held ? 158 : 208);
        decoder.displayUpdate = !held;
        counter->scrollBar()->setSliderPosition(30);
        expectAllFollow("thumb", 30);

        counter->setFocus();
        decoder.displayUpdate = !held;
        QTest::keyClick(counter, Qt::Key_Right);
        expectAllFollow("right key", 31);
        decoder.displayUpdate = !held;
        QTest::keyClick(counter, Qt::Key_End);
        expectAllFollow("end key", 239);
        decoder.displayUpdate = !held;
        QTest::keyClick(counter, Qt::Key_Home);
        expectAllFollow("home key", 0);
    }

    // The movie: every epoch it shows reaches every window.
    counter->playButton()->click();
    ASSERT_TRUE(decoder.movieRunning);
    for (int tick = 0; tick < 3; ++tick) {
        const int before = decoder.history.writePosition;
        decoder.displayUpdate = false;
        QTRY_VERIFY_WITH_TIMEOUT(decoder.history.writePosition > before, 2000);
        QApplication::processEvents();
        QTest::qWait(20);
        EXPECT_TRUE(paints.unpainted().empty()) << "movie tick " << tick;
        paints.reset();
    }
    counter->playButton()->click();
    EXPECT_FALSE(decoder.movieRunning);
    test::saveArtefact(frame, "trix32_follow_counter");
}

} // namespace
} // namespace trix::views
