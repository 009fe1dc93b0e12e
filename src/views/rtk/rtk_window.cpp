#include "views/rtk/rtk_window.h"

#include "app/core/data_window.h"
#include "base/strings.h"
#include "views/rtcm/dgps_commands.h"
#include "views/rtcm/dgps_grid.h"
#include "views/rtk/rtk_parser.h"
#include "views/rtk/rtk_printout.h"
#include "views/rtk/rtk_scatter_view.h"
#include "views/rtk/rtk_table.h"
#include "views/sky/child_placement.h"
#include "views/sky/display_source.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace trix::views {
namespace {

std::vector<std::vector<std::string>> cells(const std::vector<rtk::TableRow>& rows) {
    std::vector<std::vector<std::string>> out;
    for (const rtk::TableRow& r : rows)
        out.push_back({r.label, r.value, r.unit, r.code});
    return out;
}

} // namespace

RtkWindow::RtkWindow(rtk::RtkParser& parser, DisplaySource& source, dgps::DgpsCommands& commands,
                     QWidget* parent)
    : QWidget(parent), parser_(parser), source_(source), commands_(commands) {
    setWindowTitle(QString::fromUtf8(str::kRtkTitle));
    auto* form = new QWidget(this);
    periodic_ = makeGrid(QStringList() << str::kPeriodicData << str::kCurrentValue << str::kUnits
                                       << str::kMsg,
                         form);
    update_ = makeGrid(
        QStringList() << str::kUpdateData << str::kLastValue << str::kUnits << str::kMsgDot, form);
    for (QTableWidget* t : {periodic_, update_}) {
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        t->horizontalHeader()->setStretchLastSection(true);
    }
    fitRows(periodic_, 20);
    fitRows(update_, 9);
    warnings_ = new QLabel(form);
    warnings_->setStyleSheet(QStringLiteral("color: red"));
    coordinates_ = new QLabel(form);
    auto* formLayout = new QVBoxLayout(form);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addWidget(periodic_);
    formLayout->addWidget(update_);
    formLayout->addWidget(coordinates_);
    formLayout->addWidget(warnings_);
    formLayout->addStretch();
    scatter_ = new RtkScatterView(parser_, source_, this);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->addWidget(form);
    splitter_->addWidget(scatter_);
    splitter_->setStretchFactor(1, 1);
    form->setMinimumWidth(periodic_->horizontalHeader()->length() + 2 * periodic_->frameWidth());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &RtkWindow::poll);
    optionsChanged();
}

RtkWindow::~RtkWindow() = default;

void RtkWindow::opened() {
    if (commands_.portOpen())
        commands_.outputSet(dgps::OutputSet::Rtk, true);
}

void RtkWindow::line(std::string_view text) {
    if (!poll_->isActive() && commands_.portOpen())
        poll_->start();
    if (parser_.liveLine(text) && !source_.viewing())
        refresh();
}

bool RtkWindow::dataLoaded() {
    if (parser_.outOfMemory())
        source_.messages().show(str::kNotEnoughMemory, Buttons::Ok, Icon::Stop);
    if (!parser_.dataLoaded() || parser_.outOfMemory()) {
        // Nothing to show: the window goes once the current call has returned.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return false;
    }
    refresh();
    return true;
}

void RtkWindow::epochShown(const EpochDecoder& decoder) {
    if (parser_.followShownEpoch(decoder))
        refresh();
}

void RtkWindow::loggingStarted() {
    if (commands_.portOpen())
        commands_.querySet("RTK");
}

void RtkWindow::optionsChanged() {
    if (const EpochDecoder* d = source_.decoder()) {
        rtk::RtkLimits limits;
        limits.checksum = d->limits().checksum;
        limits.limitAltitude = d->limits().altitude;
        limits.limitVelocity = d->limits().velocity;
        parser_.setLimits(limits);
    }
    refresh();
}

void RtkWindow::unitsChanged() {
    scatter_->update();
    refresh();
}

void RtkWindow::colorsChanged() {
    scatter_->update();
}

void RtkWindow::refresh() {
    const rtk::RtkData& d = parser_.data();
    fillGrid(periodic_, cells(rtk::periodicRows(d, source_.modelIndex())));
    fillGrid(update_, cells(rtk::updateRows(d)));
    QStringList lines;
    for (const std::string& w : rtk::warningLines(d))
        lines << QString::fromUtf8(w);
    warnings_->setText(lines.join(QLatin1Char('\n')));
    coordinates_->setText(QString::fromUtf8(parser_.coordinateLabel()));
    scatter_->update();
}

std::unique_ptr<print::Printable> RtkWindow::printDocument() {
    return std::make_unique<RtkPrintout>(this);
}

std::vector<TextBlock> RtkWindow::printBlocks() const {
    std::vector<TextBlock> blocks{blockOf(periodic_), blockOf(update_)};
    if (!coordinates_->text().isEmpty())
        blocks.push_back(lineOf(coordinates_->text()));
    for (const QString& w : warnings_->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        blocks.push_back(lineOf(w));
    return blocks;
}

void RtkWindow::poll() {
    if (commands_.portOpen() && rtk::pollsCombinedSolution(source_.modelIndex()))
        commands_.query("$PXKTQ,CBN");
}

bool RtkWindow::polling() const {
    return poll_->isActive();
}

void RtkWindow::setVerticalLayout(bool vertical) {
    splitter_->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
}

void RtkWindow::restorePlacement() {
    restoreChildPlacement(this, source_.profile(), kPlacementKey);
    const app::IniProfile* profile = source_.profile();
    if (profile == nullptr)
        return;
    const app::WindowPlacement pane = app::readPlacement(*profile, kSplitterKey);
    if (!pane.stored())
        return;
    const bool vertical = splitter_->orientation() == Qt::Vertical;
    const int first = vertical ? pane.bottom - pane.top : pane.right - pane.left;
    const QList<int> sizes = splitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (first > 0 && first < total)
        splitter_->setSizes({first, total - first});
}

void RtkWindow::savePlacement() {
    app::IniProfile* profile = source_.profile();
    if (profile == nullptr)
        return;
    saveChildPlacement(this, profile, kPlacementKey);
    app::writePlacement(*profile, kSplitterKey, placementOf(splitter_->widget(0)->geometry()));
}

void RtkWindow::closeEvent(QCloseEvent* event) {
    savePlacement();
    QWidget::closeEvent(event);
    if (closed_)
        return;
    closed_ = true;
    poll_->stop();
    if (commands_.portOpen())
        commands_.outputSet(dgps::OutputSet::Rtk, false);
    source_.windowClosed(DataWindow::Rtk);
}

} // namespace trix::views
