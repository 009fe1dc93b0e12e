// The indicator panel and the panel pane's source inside the real main frame.
#include "panel_support.h"

#include "../../app/scripted_interaction.h"
#include "main_window.h"
#include "trix_application.h"
#include "views/panel/panel_factory.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace trix;
using namespace trix::app;
using namespace panel_test;

namespace {

StartOptions optionsIn(const QTemporaryDir& dir) {
    StartOptions o;
    o.profilePath = (dir.path() + "/config/Trix32.ini").toStdString();
    o.dataHome = (dir.path() + "/data").toStdString();
    o.shippedReceiver = (dir.path() + "/shipped").toStdString();
    return o;
}

} // namespace

TEST(PanelFactory, ViewCommandOpensTheIndicatorPanelAndEpochsReachIt) {
    QTemporaryDir dir;
    TrixApplication app(optionsIn(dir));
    RecordingSink sink;
    test::ScriptedInteraction ui;
    MainWindow frame(app, &sink, &ui);
    views::registerPanelWindows();
    ASSERT_TRUE(MainWindow::hasWindowFactory(DataWindow::Panel));

    frame.session().startEmulation(); // the attitude receiver; the panel opens with it
    auto* panel = qobject_cast<views::IndicatorPanel*>(frame.window(DataWindow::Panel));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->attitudeLayout());
    EXPECT_EQ(panel->size(), QSize(281, 380));
    frame.session().emulationTick();
    frame.session().emulationTick();
    EXPECT_FALSE(panel->text().time.empty());
    EXPECT_FALSE(panel->text().vector12.empty());

    // The panel pane's source reads the same frame.
    const views::PanelView v = views::panelSourceFor(frame)();
    EXPECT_EQ(v.decoder, frame.session().decoder());
    EXPECT_EQ(v.modelIndex, kModelAttitude);

    frame.onToggleView(DataWindow::Panel);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.window(DataWindow::Panel), nullptr);
    EXPECT_TRUE(app.profile().value("Windows", "FiguresWin").has_value());
    frame.session().stopEmulation();
    EXPECT_TRUE(sink.texts.empty());
}

TEST(PanelFactory, ClosingTellsTheMainWindowAtOnceAndOnlyOnce) {
    QTemporaryDir dir;
    TrixApplication app(optionsIn(dir));
    RecordingSink sink;
    {
        test::ScriptedInteraction ui;
        MainWindow frame(app, &sink, &ui);
        views::registerPanelWindows();
        frame.session().startEmulation();
        ASSERT_NE(frame.window(DataWindow::Panel), nullptr);
        // The frame forgets the panel when it closes, not later when it is deleted: a View
        // command in between opens a new panel instead of closing the old one again.
        frame.onToggleView(DataWindow::Panel);
        EXPECT_EQ(frame.window(DataWindow::Panel), nullptr);
        frame.onToggleView(DataWindow::Panel);
        auto* second = frame.window(DataWindow::Panel);
        ASSERT_NE(second, nullptr);
        // Deleting the first panel must not make the frame forget the second.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(frame.window(DataWindow::Panel), second);
        frame.session().stopEmulation();
        // The frame goes with the panel still open: the panel is closed with it and says so
        // while the frame still exists.
    }
    EXPECT_TRUE(sink.texts.empty());
}
