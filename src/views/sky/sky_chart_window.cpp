#include "views/sky/sky_chart_window.h"

#include "app/core/placement.h"
#include "base/strings.h"
#include "views/sky/child_placement.h"
#include "views/sky/display_source.h"
#include "views/sky/sky_chart_view.h"
#include "views/sky/satellite_table_view.h"

#include <QCloseEvent>
#include <QPainter>
#include <QSplitter>
#include <QVBoxLayout>

namespace trix::views {

namespace {

bool verticalSetting(const DisplaySource& s) {
    return s.settings().skyChartLayout == 1;
}

} // namespace

SkyChartWindow::SkyChartWindow(DisplaySource& source, QWidget* parent)
    : QWidget(parent), source_(source), vertical_(verticalSetting(source)) {
    setWindowTitle(QString::fromLatin1(str::kSkyChartTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    splitter_ = new QSplitter(this);
    splitter_->setChildrenCollapsible(false);
    chart_ = new SkyChartView(source_, splitter_);
    table_ = new SatelliteTableView(source_, vertical_, splitter_);
    splitter_->addWidget(chart_);
    splitter_->addWidget(table_);
    chart_->setMinimumSize(1, 1);
    table_->setMinimumSize(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    resize(sizeHint());
    applyLayout();
}

SkyChartWindow::~SkyChartWindow() {
    if (!closed_)
        source_.windowClosed(DataWindow::SkyChart);
}

QSize SkyChartWindow::sizeHint() const {
    return vertical_ ? QSize(180, 400) : QSize(500, 225);
}

void SkyChartWindow::applyLayout() {
    splitter_->setOrientation(vertical_ ? Qt::Vertical : Qt::Horizontal);
    table_->setVerticalLayout(vertical_);
    // The chart takes a square of the window's short side by default.
    const QSize s = size().isValid() && !size().isEmpty() ? size() : sizeHint();
    const int first = vertical_ ? s.width() : s.height();
    const int total = vertical_ ? s.height() : s.width();
    splitter_->setSizes({first, std::max(1, total - first)});
}

void SkyChartWindow::epoch() {
    table_->epoch();
    chart_->viewport()->update();
}

void SkyChartWindow::optionsChanged() {
    const bool vertical = verticalSetting(source_);
    if (vertical == vertical_)
        return;
    vertical_ = vertical;
    applyLayout();
    QWidget* frame = placementWidget(this);
    // Laid out again at the window's own size.
    const QSize s = frame->size();
    frame->resize(s.width(), s.height() - 1);
    frame->resize(s);
}

void SkyChartWindow::colorsChanged() {
    chart_->colorsChanged();
    chart_->viewport()->update();
    table_->viewport()->update();
}

void SkyChartWindow::restorePlacement() {
    restoreChildPlacement(this, source_.profile(), kPlacementKey);
    const app::IniProfile* profile = source_.profile();
    if (profile == nullptr)
        return;
    const app::WindowPlacement pane = app::readPlacement(*profile, kSplitterKey);
    if (!pane.stored())
        return;
    const int first = vertical_ ? pane.bottom - pane.top : pane.right - pane.left;
    const QList<int> sizes = splitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (first > 0 && first < total)
        splitter_->setSizes({first, total - first});
}

void SkyChartWindow::savePlacement() {
    app::IniProfile* profile = source_.profile();
    if (profile == nullptr)
        return;
    saveChildPlacement(this, profile, kPlacementKey);
    app::writePlacement(*profile, kSplitterKey, placementOf(chart_->geometry()));
}

void SkyChartWindow::closeEvent(QCloseEvent* event) {
    savePlacement();
    QWidget::closeEvent(event);
    if (!closed_) {
        closed_ = true;
        source_.windowClosed(DataWindow::SkyChart);
    }
}

QSize SkyChartWindow::printPage(QPainter& p) {
    const QSize chart = chart_->printPage(p);
    const QPoint shift = vertical_ ? QPoint(0, chart_->viewport()->height() + 10)
                                   : QPoint(chart_->viewport()->width() + 10, 0);
    p.save();
    p.translate(shift);
    const QSize table = table_->printPage(p);
    p.restore();
    return {std::max(chart.width(), shift.x() + table.width()),
            std::max(chart.height(), shift.y() + table.height())};
}

} // namespace trix::views
