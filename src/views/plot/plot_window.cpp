#include "views/plot/plot_window.h"

#include "base/strings.h"
#include "base/text.h"
#include "views/plot/parameter_grid.h"
#include "views/plot/plot_strips_view.h"
#include "views/sky/child_placement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace trix::plot {

namespace {
QString u8(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

std::array<bool, 13> shownFlags(const app::Settings& s) {
    const bool dop = s.graphHdop != 0;
    return {s.graphLat != 0,
            s.graphLon != 0,
            s.graphAlt != 0,
            s.graphRadial != 0,
            s.graphNsv != 0,
            s.graphAge != 0,
            dop,
            dop,
            dop,
            dop,
            s.graphHeading != 0,
            s.graphPitch != 0,
            s.graphRoll != 0};
}

void storeShown(app::Settings& s, int index, bool on) {
    int* const flags[] = {&s.graphLat,  &s.graphLon,  &s.graphAlt,     &s.graphRadial,
                          &s.graphNsv,  &s.graphAge,  &s.graphHdop,    &s.graphHdop,
                          &s.graphHdop, &s.graphHdop, &s.graphHeading, &s.graphPitch,
                          &s.graphRoll};
    if (index >= 0 && index < 13)
        *flags[index] = on ? 1 : 0;
}

PlotWindow::PlotWindow(PlotSource& source, QWidget* parent)
    : QWidget(parent), source_(source), horizontal_(source.settings().graphSplitterStyle == 1) {
    setWindowTitle(u8(str::kDataPlotting));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    scene_.set = &set_;
    scene_.shown = shownFlags(source.settings());
    scene_.colors = PlotColors::from(source.settings());
    scene_.hideSelection = source.settings().unmarkPartGraph != 0;

    splitter_ = new QSplitter(horizontal_ ? Qt::Vertical : Qt::Horizontal, this);
    strips_ = new PlotStripsView(scene_, splitter_);
    grid_ = new ParameterGrid(splitter_);
    splitter_->addWidget(strips_);
    splitter_->addWidget(grid_);
    splitter_->setChildrenCollapsible(false);

    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(false);
    const char* labels[] = {str::kPlotPaneTime,
                            nullptr,
                            str::kPlotPaneEpoch,
                            nullptr,
                            str::kPlotPaneValue,
                            nullptr,
                            nullptr};
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        panes_[i] = new QLabel(labels[i] ? u8(labels[i]) : QString(), status_);
        if (i == 1 || i == 5)
            panes_[i]->setMinimumWidth(panes_[i]->fontMetrics().averageCharWidth() * 20);
        if (i == 3)
            panes_[i]->setMinimumWidth(panes_[i]->fontMetrics().averageCharWidth() * 7);
        if (i == 6)
            status_->addWidget(panes_[i], 1);
        else
            status_->addWidget(panes_[i]);
    }

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(splitter_, 1);
    box->addWidget(status_);

    connect(grid_, &ParameterGrid::toggleRequested, this, &PlotWindow::togglePlot);
    connect(strips_, &PlotStripsView::limitClicked, this, &PlotWindow::limitClicked);
    connect(strips_, &PlotStripsView::resized, this, &PlotWindow::fitPlots);
    connect(strips_, &PlotStripsView::readout, this,
            [this](const QString& time, int epoch, const QString& value) {
                panes_[1]->setText(time);
                panes_[3]->setText(QString::fromStdString(cformat("%d", epoch)));
                panes_[5]->setText(value);
                setPrompt(0);
            });
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { setPrompt(2); });

    resize(sizeHint());
    const int total = horizontal_ ? height() : width();
    splitter_->setSizes(horizontal_ ? QList<int>{total * 2 / 3, total - total * 2 / 3}
                                    : QList<int>{total / 3, total - total / 3});
    rebuild(); // the series exist as soon as the window does
}

PlotWindow::~PlotWindow() = default;

QSize PlotWindow::sizeHint() const {
    return {900, 600};
}

void PlotWindow::rebuild() {
    const EpochDecoder* d = source_.decoder();
    set_ = d ? buildSeries(*d) : SeriesSet{};
    scene_.ranges.reset(set_.epochs);
    scene_.cursor = d ? replayEpoch(*d) : -1;
    grid_->fill(set_, scene_.shown, scene_.cursor);
    fitPlots();
    strips_->update();
    emit rangesChanged();
}

void PlotWindow::dataLoaded() {
    rebuild();
}

void PlotWindow::epochShown() {
    const EpochDecoder* d = source_.decoder();
    const int epoch = d ? replayEpoch(*d) : -1;
    strips_->moveCursor(epoch);
    grid_->showEpoch(epoch);
}

void PlotWindow::colorsChanged() {
    scene_.colors = PlotColors::from(source_.settings());
    scene_.hideSelection = source_.settings().unmarkPartGraph != 0;
    strips_->update();
}

void PlotWindow::fitPlots() {
    const int title = strips_->fontMetrics().height() + 3;
    std::array<bool, 13> active{};
    for (int i = 0; i < kSeriesCount; ++i)
        active[static_cast<std::size_t>(i)] =
            scene_.shown[static_cast<std::size_t>(i)] && set_.exists[static_cast<std::size_t>(i)];
    if (!set_.any() || !strips_->isVisible())
        return; // a hidden or empty pane says nothing about what fits
    for (int index : plotsToSwitchOff(active, strips_->height(), title)) {
        scene_.shown[static_cast<std::size_t>(index)] = false;
        storeShown(source_.settings(), index, false);
        grid_->setShown(index, false);
    }
}

void PlotWindow::togglePlot(int index) {
    if (index < 0 || index >= kSeriesCount || !set_.exists[static_cast<std::size_t>(index)])
        return;
    const bool on = !scene_.shown[static_cast<std::size_t>(index)];
    if (on) {
        std::array<bool, 13> active{};
        for (int i = 0; i < kSeriesCount; ++i)
            active[static_cast<std::size_t>(i)] = scene_.shown[static_cast<std::size_t>(i)] &&
                                                  set_.exists[static_cast<std::size_t>(i)];
        if (!oneMoreFits(active, strips_->height(), strips_->fontMetrics().height() + 3)) {
            source_.messages().show(str::kTooManyPlots);
            return;
        }
    }
    scene_.shown[static_cast<std::size_t>(index)] = on;
    storeShown(source_.settings(), index, on);
    grid_->setShown(index, on);
    strips_->update();
}

bool PlotWindow::refused(const RangeResult& r) {
    if (r.accepted)
        return false;
    source_.messages().show(r.message);
    return true;
}

bool PlotWindow::showRange(int first, int last) {
    if (refused(scene_.ranges.show(first, last)))
        return false;
    strips_->update();
    emit rangesChanged();
    return true;
}

bool PlotWindow::selectRange(int first, int last) {
    if (refused(scene_.ranges.select(first, last)))
        return false;
    strips_->update();
    emit rangesChanged();
    return true;
}

void PlotWindow::limitClicked(int epoch, bool left) {
    if (refused(left ? scene_.ranges.setLeftLimit(epoch) : scene_.ranges.setRightLimit(epoch)))
        return;
    strips_->update();
    emit rangesChanged();
}

void PlotWindow::setPrompt(int code) {
    if (code == prompt_)
        return;
    prompt_ = code;
    panes_[6]->setText(code == 0   ? u8(str::kPlotPromptLimits)
                       : code == 2 ? u8(str::kPlotPromptToggle)
                                   : QString());
}

QString PlotWindow::statusText(int pane) const {
    return pane >= 0 && pane < 7 ? panes_[static_cast<std::size_t>(pane)]->text() : QString();
}

void PlotWindow::printPage(QPainter& painter, const QRect& target) {
    PlotScene printed = scene_;
    printed.cursor = -1;
    paintPlots(painter, printed, target, true);
}

void PlotWindow::restorePlacement() {
    views::restoreChildPlacement(this, source_.profile(), kPlacementKey);
    const app::IniProfile* profile = source_.profile();
    if (!profile)
        return;
    const app::WindowPlacement pane = app::readPlacement(*profile, kStripsPlacementKey);
    if (!pane.stored())
        return;
    const int first = horizontal_ ? pane.bottom - pane.top : pane.right - pane.left;
    const QList<int> sizes = splitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    const int other = total - first;
    if (first > 0 && other >= (horizontal_ ? 40 : 20))
        splitter_->setSizes({first, other});
    else
        splitter_->setSizes(horizontal_ ? QList<int>{total / 2, total - total / 2}
                                        : QList<int>{total / 3, total - total / 3});
}

void PlotWindow::savePlacement() {
    app::IniProfile* profile = source_.profile();
    if (!profile)
        return;
    views::saveChildPlacement(this, profile, kPlacementKey);
    app::writePlacement(*profile, kStripsPlacementKey, views::placementOf(strips_->geometry()));
}

void PlotWindow::closeEvent(QCloseEvent* event) {
    savePlacement();
    QWidget::closeEvent(event);
    if (!closed_) {
        closed_ = true;
        source_.windowClosed();
    }
}

} // namespace trix::plot
