// The sky chart and the position window inside the real main frame: opened from the View
// commands during the emulation, fed by its epochs, closed again.

#include "../../app/scripted_interaction.h"
#include "../../app/temp_profile.h"
#include "main_window.h"
#include "trix_application.h"
#include "view_test_support.h"
#include "views/position/departure_plot_view.h"
#include "views/position/position_window.h"
#include "views/position/sky_position_factories.h"
#include "views/sky/sky_chart_window.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace trix::views {
namespace {

class Quiet : public MessageSink {
public:
    Answer show(std::string_view, Buttons, Icon) override { return Answer::Ok; }
};

TEST(SkyPositionFactories, OpenFromTheViewCommandsFollowTheEmulationAndClose) {
    registerSkyAndPositionWindows();
    QTemporaryDir tmp;
    const app::StartOptions o =
        trix::app::test::optionsIn(tmp, (tmp.path() + "/shipped").toStdString());
    app::TrixApplication application(o);
    Quiet quiet;
    {
        app::test::ScriptedInteraction ui;
        app::MainWindow frame(application, &quiet, &ui);
        ui.time = [] { return app::ClockTime{12, 30, 0}; };
        frame.resize(1200, 800);
        frame.show();
        frame.onEmulation();
        QTRY_VERIFY_WITH_TIMEOUT(frame.session().decoder() != nullptr, 3000);
        for (DataWindow kind : {DataWindow::SkyChart, DataWindow::Position})
            if (!frame.window(kind))
                frame.onToggleView(kind);
        auto* sky = qobject_cast<SkyChartWindow*>(frame.window(DataWindow::SkyChart));
        auto* pos = qobject_cast<PositionWindow*>(frame.window(DataWindow::Position));
        ASSERT_NE(sky, nullptr);
        ASSERT_NE(pos, nullptr);
        EXPECT_NE(qobject_cast<QMdiSubWindow*>(sky->parentWidget()), nullptr);
        for (int s = 1; s < 40; ++s) {
            ui.time = [s] { return app::ClockTime{12, 30 + s / 60, s % 60}; };
            frame.session().emulationTick();
        }
        QApplication::processEvents();
        // The emulated attitude receiver moves about its start: the trace is drawn.
        const QImage plot = test::grabOf(*pos->plot());
        EXPECT_GT(test::countColour(plot, QColor(0, 255, 0)), 0);
        frame.mdiArea()->tileSubWindows();
        QTest::qWait(50);
        test::saveArtefact(frame, "trix32_emulation_windows");

        // Closing the sub-window tells the frame; the View command opens it again.
        qobject_cast<QMdiSubWindow*>(sky->parentWidget())->close();
        QApplication::processEvents();
        EXPECT_EQ(frame.window(DataWindow::SkyChart), nullptr);
        EXPECT_TRUE(application.profile().contains("Windows", SkyChartWindow::kPlacementKey));
        frame.onToggleView(DataWindow::SkyChart);
        EXPECT_NE(frame.window(DataWindow::SkyChart), nullptr);
        frame.onEmulation();
    }
}

} // namespace
} // namespace trix::views
