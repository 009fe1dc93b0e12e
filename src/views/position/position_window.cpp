#include "views/position/position_window.h"

#include "app/core/placement.h"
#include "base/strings.h"
#include "decode/hooks.h"
#include "views/instruments/instrument_view.h"
#include "views/position/departure_plot_view.h"
#include "views/position/position_text_view.h"
#include "views/position/zoom_icons.h"
#include "views/sky/child_placement.h"
#include "views/sky/display_source.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace trix::views {

namespace {

PanelSource panelSourceOf(DisplaySource& s) {
    return [&s] {
        PanelView v;
        v.decoder = s.decoder();
        v.statistics = s.statistics();
        v.modelIndex = s.modelIndex();
        v.viewingLog = s.viewing();
        v.analysisActive = s.analysisActive();
        const logs::AnalysisSettings a = s.analysis();
        v.referenceMode = a.mode;
        v.outlierLimit = a.outlierLimit;
        v.units = s.units();
        const int vehicle = s.settings().devicesSpecific;
        v.vehicle = vehicle == 1   ? Vehicle::Aeronautical
                    : vehicle == 2 ? Vehicle::Nautical
                                   : Vehicle::Automobile;
        v.headUp = s.settings().headUp != 0;
        return v;
    };
}

bool isScrollKey(int key) {
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up ||
           key == Qt::Key_Down;
}

} // namespace

PositionWindow::PositionWindow(DisplaySource& source, QWidget* parent)
    : QWidget(parent), source_(source) {
    setWindowTitle(QString::fromLatin1(str::kPositionTitle));
    setAttribute(Qt::WA_DeleteOnClose);

    outer_ = new QSplitter(Qt::Vertical, this);
    outer_->setChildrenCollapsible(false);
    inner_ = new QSplitter(Qt::Horizontal, outer_);
    inner_->setChildrenCollapsible(false);

    plotColumn_ = new QWidget(inner_);
    auto* column = new QVBoxLayout(plotColumn_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    toolBar_ = new QToolBar(plotColumn_);
    toolBar_->setIconSize(QSize(16, 16));
    plot_ = new DeparturePlotView(source_, plotColumn_);
    column->addWidget(toolBar_);
    column->addWidget(plot_, 1);
    buildToolBar();

    panel_ = new InstrumentView(panelSourceOf(source_), source_.messages(), inner_);
    inner_->addWidget(plotColumn_);
    inner_->addWidget(panel_);
    inner_->setStretchFactor(0, 1);
    inner_->setStretchFactor(1, 0);

    text_ = new PositionTextView(source_, outer_);
    outer_->addWidget(inner_);
    outer_->addWidget(text_);
    outer_->setStretchFactor(0, 0);
    outer_->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(outer_);

    for (QWidget* w :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(plot_), static_cast<QWidget*>(panel_),
          static_cast<QWidget*>(text_), static_cast<QWidget*>(toolBar_)})
        watchKeys(w);

    resize(sizeHint());
    const int gaps = inner_->handleWidth();
    inner_->setSizes({std::max(1, sizeHint().width() - kPanelWidth - gaps), kPanelWidth});
    outer_->setSizes({kTopRowHeight, std::max(1, sizeHint().height() - kTopRowHeight)});
    panel_->optionsChanged();
}

PositionWindow::~PositionWindow() {
    if (!closed_)
        source_.windowClosed(DataWindow::Position);
}

QSize PositionWindow::sizeHint() const {
    return {605, 375};
}

void PositionWindow::buildToolBar() {
    zoomIn_ = toolBar_->addAction(zoomIcon(ZoomIcon::In), QString::fromLatin1(str::kZoomIn));
    zoomOut_ = toolBar_->addAction(zoomIcon(ZoomIcon::Out), QString::fromLatin1(str::kZoomOut));
    zoomAll_ = toolBar_->addAction(zoomIcon(ZoomIcon::All), QString::fromLatin1(str::kZoomAll));
    connect(zoomIn_, &QAction::triggered, this, [this] { plot_->zoomIn(); });
    connect(zoomOut_, &QAction::triggered, this, [this] { plot_->zoomOut(); });
    connect(zoomAll_, &QAction::triggered, this, [this] { plot_->zoomAll(); });
}

void PositionWindow::watchKeys(QWidget* w) {
    w->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
        area->viewport()->installEventFilter(this);
}

void PositionWindow::epoch(int hint) {
    const bool all = hint == hint::kEverything;
    // A jump to another epoch (a typed number, the thumb, Home/End) changes every part shown,
    // not only the trace.
    const bool jump = hint == hint::kFullRepaint;
    if (all || jump || (hint & hint::kText) != 0)
        text_->redraw();
    if (jump)
        plot_->redraw();
    else if (all || (hint & hint::kPlot) != 0)
        plot_->epoch();
    if (all || jump || (hint & hint::kPanel) != 0)
        panel_->epoch(hint);
}

void PositionWindow::redrawAll() {
    plot_->redraw();
    panel_->epoch(hint::kEverything);
    text_->redraw();
}

void PositionWindow::optionsChanged() {
    panel_->optionsChanged();
    panel_->epoch(hint::kEverything);
}

void PositionWindow::unitsChanged() {
    text_->redraw();
    plot_->redraw();
    panel_->epoch(hint::kEverything);
}

void PositionWindow::colorsChanged() {
    plot_->colorsChanged();
    plot_->redraw();
    panel_->viewport()->update();
    text_->redraw();
}

void PositionWindow::analysisChanged() {
    plot_->resetScale();
    panel_->analysisChanged();
    if (source_.analysisActive()) {
        QWidget* frame = placementWidget(this);
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->mdiArea())
            sub->mdiArea()->setActiveSubWindow(sub);
        frame->raise();
    }
    if (isActiveWindow() || (placementWidget(this) != this && placementWidget(this)->isVisible()))
        activated(true);
}

void PositionWindow::dataLoaded() {
    plot_->resetScale();
    redrawAll();
}

void PositionWindow::activated(bool active) {
    if (!active) {
        source_.statusText({});
        return;
    }
    source_.statusText(source_.analysisActive() ? str::kScrollStatus : str::kZoomStatus);
}

bool PositionWindow::routeKey(int key, Qt::KeyboardModifiers modifiers) {
    if (isScrollKey(key)) {
        panel_->scrollKey(key);
        return true;
    }
    if ((key == Qt::Key_Plus || key == Qt::Key_Minus) && (modifiers & Qt::KeypadModifier)) {
        plot_->zoomKey(key);
        return true;
    }
    return false;
}

bool PositionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (routeKey(key->key(), key->modifiers()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PositionWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (activationHooked_)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        activationHooked_ = true;
        connect(sub, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    const bool was = before.testFlag(Qt::WindowActive);
                    const bool is = now.testFlag(Qt::WindowActive);
                    if (was != is)
                        activated(is);
                });
    }
}

void PositionWindow::restorePlacement() {
    restoreChildPlacement(this, source_.profile(), kPlacementKey);
    const app::IniProfile* profile = source_.profile();
    if (profile == nullptr)
        return;
    const app::WindowPlacement column = app::readPlacement(*profile, kPlotPlacementKey);
    if (!column.stored())
        return;
    const QList<int> sizes = inner_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    const int width = column.right - column.left;
    if (width > 0 && width < total)
        inner_->setSizes({width, total - width});
}

void PositionWindow::savePlacement() {
    app::IniProfile* profile = source_.profile();
    if (profile == nullptr)
        return;
    saveChildPlacement(this, profile, kPlacementKey);
    app::writePlacement(*profile, kPlotPlacementKey, placementOf(plotColumn_->geometry()));
}

void PositionWindow::closeEvent(QCloseEvent* event) {
    savePlacement();
    activated(false);
    QWidget::closeEvent(event);
    if (!closed_) {
        closed_ = true;
        source_.windowClosed(DataWindow::Position);
    }
}

QSize PositionWindow::printPage(QPainter& p) {
    const QSize plot = plot_->printPage(p);
    const QPoint panelOrigin(plot.width() + 10, 0);
    const QSize panelSize = panel_->pageSize();
    panel_->printPage(p, QRect(panelOrigin, panelSize));
    const int top = std::max(plot.height(), panelSize.height()) + 10;
    p.save();
    p.translate(0, top);
    const QSize text = text_->printPage(p);
    p.restore();
    return {std::max(panelOrigin.x() + panelSize.width(), text.width()), top + text.height()};
}

} // namespace trix::views
