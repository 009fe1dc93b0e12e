// The data windows as a screen of any scale shows them: the indicator panel, the position
// window (departure plot, instruments with the yaw beyond its dial) and the sky chart with its
// satellite table, opened in the main window during the emulation and grabbed to PNG. Run once
// as it is and once under QT_SCALE_FACTOR=1.75 (see CMakeLists.txt); the grabs go to
// artefacts/scaled/ with the factor in their names, to be looked at side by side.
//
// What a picture cannot be asked is left to the eye; what it can is checked: no label or
// button cuts its text, no pane is squeezed below what it needs, and the grab has the scale.

#include "../app/scripted_interaction.h"
#include "../app/temp_profile.h"
#include "main_window.h"
#include "trix_application.h"
#include "views/instruments/instrument_view.h"
#include "views/panel/panel_factory.h"
#include "views/position/departure_plot_view.h"
#include "views/position/position_window.h"
#include "views/position/sky_position_factories.h"
#include "views/sky/satellite_table_view.h"
#include "views/sky/sky_chart_view.h"
#include "views/sky/sky_chart_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

using namespace trix;

namespace {

class Quiet : public MessageSink {
public:
    Answer show(std::string_view, Buttons, Icon) override { return Answer::Ok; }
};

qreal scaleFactor() {
    bool ok = false;
    const qreal f = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && f > 0 ? f : 1.0;
}

QString saveGrab(QWidget& w, const QString& name) {
    const QString dir = QStringLiteral(TRIX_BINARY_DIR "/artefacts/scaled");
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/%1@%2.png").arg(name).arg(scaleFactor());
    const QPixmap grab = w.grab();
    EXPECT_DOUBLE_EQ(grab.devicePixelRatio(), scaleFactor()) << name.toStdString();
    EXPECT_EQ(grab.width(), std::lround(w.width() * scaleFactor())) << name.toStdString();
    grab.save(path);
    return path;
}

// Labels and buttons show their whole text: a single line fits its width, and nothing is
// given less room than it asks for at least.
void expectNothingCut(QWidget& window, const char* name) {
    for (QLabel* l : window.findChildren<QLabel*>()) {
        if (!l->isVisible() || l->text().isEmpty() || l->wordWrap() ||
            l->textFormat() == Qt::RichText || !l->pixmap().isNull())
            continue;
        const int need = l->fontMetrics().horizontalAdvance(l->text()) + 2 * l->margin();
        EXPECT_LE(need, l->contentsRect().width() + 1)
            << name << ": label \"" << l->text().toStdString() << "\"";
    }
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || b->text().isEmpty())
            continue;
        EXPECT_GE(b->width(), b->minimumSizeHint().width())
            << name << ": button \"" << b->text().toStdString() << "\"";
    }
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->minimumSize().isEmpty())
            continue;
        EXPECT_GE(w->width(), w->minimumWidth()) << name << ": " << w->metaObject()->className();
        EXPECT_GE(w->height(), w->minimumHeight()) << name << ": " << w->metaObject()->className();
    }
}

} // namespace

TEST(ScaledWindows, PanelPositionAndSkyChartAreDrawnWhole) {
    views::registerPanelWindows();
    views::registerSkyAndPositionWindows();
    QTemporaryDir tmp;
    const app::StartOptions o =
        trix::app::test::optionsIn(tmp, (tmp.path() + "/shipped").toStdString());
    app::TrixApplication application(o);
    application.settings().activateIndicator = 1;
    Quiet quiet;
    app::test::ScriptedInteraction ui;
    app::MainWindow frame(application, &quiet, &ui);
    frame.resize(1400, 1000);
    frame.show();
    frame.onEmulation();
    for (DataWindow kind : {DataWindow::SkyChart, DataWindow::Position, DataWindow::Panel})
        if (!frame.window(kind))
            frame.onToggleView(kind);
    for (int s = 1; s < 40; ++s) {
        ui.time = [s] { return app::ClockTime{12, 30 + s / 60, s % 60}; };
        frame.session().emulationTick();
    }
    // The yaw 50° beyond the course and the pitch at -45°: both needles off their scales.
    EpochDecoder* decoder = frame.session().decoder();
    ASSERT_NE(decoder, nullptr);
    decoder->at2.heading = std::fmod(decoder->pos.course + 50.0f, 360.0f);
    decoder->at2.pitch = -45.0f;
    // Four satellites just above the horizon, north, east, south and west, one and two
    // digits, used and not: their symbols must stay whole at the chart's edge.
    SatelliteRecord& sat = decoder->sat;
    const std::pair<std::uint8_t, char> horizon[] = {{29, '-'}, {7, 'U'}, {138, '-'}, {66, 'U'}};
    for (int k = 0; k < 4 && sat.inView < kMaxSats; ++k)
        sat.sats[sat.inView++] = {horizon[k].first, static_cast<std::uint16_t>(90 * k), 1, 30, 0,
                                  horizon[k].second};
    auto& snaps = decoder->history.skyPlots;
    const auto current = static_cast<std::size_t>(decoder->history.writePosition);
    ASSERT_LT(current, snaps.size());
    snaps[current] = skyPlotFrom(sat);
    decoder->reportEpoch(true);
    QApplication::processEvents();

    auto* sky = qobject_cast<views::SkyChartWindow*>(frame.window(DataWindow::SkyChart));
    auto* position = qobject_cast<views::PositionWindow*>(frame.window(DataWindow::Position));
    QWidget* panel = frame.window(DataWindow::Panel);
    ASSERT_NE(sky, nullptr);
    ASSERT_NE(position, nullptr);
    ASSERT_NE(panel, nullptr);
    for (QWidget* w : {static_cast<QWidget*>(sky), static_cast<QWidget*>(position), panel}) {
        // Each at the size it asks for, as it first opens.
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        ASSERT_NE(sub, nullptr);
        sub->resize(sub->sizeHint().expandedTo(sub->minimumSizeHint()));
    }
    QApplication::processEvents();

    saveGrab(*panel, QStringLiteral("indicator_panel"));
    saveGrab(*position, QStringLiteral("position_window"));
    saveGrab(*position->plot(), QStringLiteral("departure_plot"));
    saveGrab(*position->panel(), QStringLiteral("instruments_off_scale_yaw"));
    saveGrab(*sky, QStringLiteral("sky_chart_window"));
    saveGrab(*sky->chart(), QStringLiteral("sky_chart"));
    saveGrab(*sky->table(), QStringLiteral("satellite_table"));
    expectNothingCut(*panel, "indicator panel");
    expectNothingCut(*position, "position window");
    expectNothingCut(*sky, "sky chart");
    frame.onEmulation();
}
