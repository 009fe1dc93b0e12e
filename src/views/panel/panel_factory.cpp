#include "views/panel/panel_factory.h"

#include "app/core/placement.h"
#include "base/strings.h"
#include "main_window.h"
#include "window_client.h"
#include "window_registry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QScreen>

#include <algorithm>

namespace trix::views {

namespace {

constexpr const char* kPlacementKey = "FiguresWin";

// The indicator panel as a data window of the frame: told of epochs, remembers its placement
// and tells the frame when it is gone.
class FramedFigures : public IndicatorPanel, public app::DataWindowClient {
public:
    explicit FramedFigures(app::WindowHost& host)
        : IndicatorPanel(figuresSourceFor(host), host.messages()), host_(host) {}
    // Normally the frame was told at close; a panel deleted without closing tells it now.
    ~FramedFigures() override {
        if (!closed_)
            host_.windowClosed(DataWindow::Panel);
    }

    void epoch(int hint) override { IndicatorPanel::epoch(hint); }
    void redrawAll() override { IndicatorPanel::epoch(0); }
    void unitsChanged() override { IndicatorPanel::epoch(0); }
    void dataLoaded(bool) override { IndicatorPanel::epoch(0); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && watched == parentWidget())
            savePlacement();
        return false;
    }

protected:
    // The frame forgets the panel as it closes, while the frame certainly still exists; the
    // deletion comes later (or, when the frame itself goes, during its teardown).
    void closeEvent(QCloseEvent* event) override {
        IndicatorPanel::closeEvent(event);
        if (event->isAccepted() && !closed_) {
            closed_ = true;
            host_.windowClosed(DataWindow::Panel);
        }
    }

private:
    void savePlacement() {
        const QWidget* sub = parentWidget();
        app::WindowPlacement p;
        const QRect g = sub->geometry();
        p.left = g.left();
        p.top = g.top();
        p.right = g.right() + 1;
        p.bottom = g.bottom() + 1;
        p.showState = sub->isMinimized() ? app::kShowMinimized : app::kShowNormal;
        app::writePlacement(host_.profile(), kPlacementKey, p);
    }

    app::WindowHost& host_;
    bool closed_ = false;
};

QWidget* openIndicatorPanel(app::WindowHost& host) {
    auto* panel = new FramedFigures(host);
    // Every epoch and every sentence of one, even when the other windows are held back.
    const app::Interest interest =
        app::Interest()
            .epochs(change::kEpoch | change::kPosition | change::kSatellites | hint::kPlot |
                    hint::kPanel | hint::kText)
            .evenWhenHeld()
            .units()
            .dataLoaded();
    if (!host.registerWindow(DataWindow::Panel, panel, panel, interest)) {
        delete panel;
        return nullptr;
    }
    QMdiSubWindow* sub = host.mdiArea()->addSubWindow(panel);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(QString::fromUtf8(str::kIndicatorPanelTitle));
    sub->setWindowIcon(QApplication::windowIcon());
    // A fixed client size: no maximise, no resizing.
    sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    sub->installEventFilter(panel);
    const app::WindowPlacement stored = app::readPlacement(host.profile(), kPlacementKey);
    const QSize area = host.mdiArea()->size();
    const app::RestoredPlacement r =
        app::restorePlacement(stored, area.width(), area.height(), false);
    sub->adjustSize();
    sub->setFixedSize(sub->sizeHint());
    if (r.move)
        sub->move(std::max(0, r.left), std::max(0, r.top));
    sub->show();
    sub->raise();
    panel->epoch(0);
    return panel;
}

} // namespace

PanelSource panelSourceFor(app::WindowHost& host) {
    return [&host] {
        PanelView v;
        v.decoder = host.decoder();
        v.statistics = host.statistics();
        v.modelIndex = host.modelIndex();
        v.viewingLog = host.viewingLog();
        v.analysisActive = host.analysisActive();
        const logs::AnalysisSettings a =
            v.statistics ? v.statistics->settings() : host.analysisSettings();
        v.referenceMode = a.mode;
        v.outlierLimit = a.outlierLimit;
        v.units = host.units();
        const auto& s = host.settings();
        v.vehicle = static_cast<Vehicle>(std::clamp(s.devicesSpecific, 0, 2));
        v.headUp = s.headUp != 0;
        return v;
    };
}

FiguresSource figuresSourceFor(app::WindowHost& host) {
    return [&host] {
        FiguresView v;
        v.decoder = host.decoder();
        v.modelIndex = host.modelIndex();
        v.units = host.units();
        return v;
    };
}

void registerPanelWindows() {
    app::MainWindow::setWindowFactory(DataWindow::Panel, openIndicatorPanel);
}

} // namespace trix::views
