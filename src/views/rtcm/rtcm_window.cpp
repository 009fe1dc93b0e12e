#include "views/rtcm/rtcm_window.h"

#include "app/core/data_window.h"
#include "base/strings.h"
#include "views/rtcm/dgps_commands.h"
#include "views/rtcm/dgps_grid.h"
#include "views/rtcm/rtcm_parser.h"
#include "views/rtcm/rtcm_texts.h"
#include "views/sky/child_placement.h"
#include "views/sky/display_source.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace trix::views {

RtcmWindow::RtcmWindow(rtcm::RtcmParser& parser, DisplaySource& source,
                       dgps::DgpsCommands& commands, QWidget* parent)
    : QWidget(parent), parser_(parser), source_(source), commands_(commands) {
    setWindowTitle(QString::fromUtf8(str::kRtcmTitle));
    queried_ = makeGrid(titles(str::kRtcmQueriedColumns), this);
    base_ = makeGrid(titles(str::kRtcmBaseColumns), this);
    headers_ = makeGrid(titles(str::kRtcmHeaderColumns), this);
    types_ = makeGrid(QStringList() << ""
                                    << ""
                                    << ""
                                    << ""
                                    << ""
                                    << ""
                                    << "",
                      this);
    types_->horizontalHeader()->setVisible(false);
    positions_ = makeGrid(titles(str::kRtcmPositionColumns), this);
    gps_ = makeGrid(titles(str::kRtcmCorrectionColumns), this);
    glonass_ = makeGrid(titles(str::kRtcmCorrectionColumns), this);
    positions_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    positions_->horizontalHeader()->setStretchLastSection(true);
    fitRows(queried_, 1);
    fitRows(base_, 1);
    fitRows(headers_, 7);
    fitRows(types_, 1);
    fitRows(positions_, 2);
    message_ = new QLineEdit(this);
    message_->setReadOnly(true);
    update_ = new QPushButton(QString::fromUtf8(str::kUpdate), this);
    connect(update_, &QPushButton::clicked, this, [this] { commands_.querySet("RTC"); });

    auto* top = new QHBoxLayout;
    top->addWidget(queried_, 5);
    top->addWidget(base_, 4);
    auto* middle = new QHBoxLayout;
    middle->addWidget(headers_, 4);
    auto* right = new QVBoxLayout;
    right->addWidget(types_);
    right->addWidget(positions_);
    right->addStretch();
    middle->addLayout(right, 6);
    corrections_ = new QBoxLayout(QBoxLayout::LeftToRight);
    corrections_->addWidget(gps_);
    corrections_->addWidget(glonass_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QString::fromUtf8(str::kMessageFromBase), this));
    bottom->addWidget(message_, 1);
    bottom->addWidget(update_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(middle);
    all->addLayout(corrections_, 1);
    all->addLayout(bottom);
    optionsChanged();
}

RtcmWindow::~RtcmWindow() = default;

void RtcmWindow::opened() {
    if (commands_.portOpen())
        commands_.outputSet(dgps::OutputSet::Rtcm, true);
    enableUpdate();
}

void RtcmWindow::enableUpdate() {
    // "Update" asks the receiver through its port: not while a file is viewed.
    update_->setEnabled(commands_.portOpen() && !source_.viewing());
}

void RtcmWindow::line(std::string_view text) {
    if (parser_.line(text) && !source_.viewing())
        refresh();
}

void RtcmWindow::dataLoaded() {
    parser_.dataLoaded();
    if (parser_.outOfMemory()) {
        // The replay could not be kept: say so and go once this call has returned.
        source_.messages().show(str::kNotEnoughMemory, Buttons::Ok, Icon::Stop);
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    enableUpdate();
    refresh();
}

void RtcmWindow::epochShown(const EpochDecoder& decoder) {
    if (parser_.followShownEpoch(decoder))
        refresh();
}

void RtcmWindow::loggingStarted() {
    if (commands_.portOpen())
        commands_.querySet("RTC");
}

void RtcmWindow::optionsChanged() {
    if (const EpochDecoder* d = source_.decoder())
        parser_.setChecksum(d->limits().checksum);
    refresh();
}

void RtcmWindow::refresh() {
    const rtcm::QueriedState& q = parser_.queried();
    const rtcm::MessageState& m = parser_.messages();
    fillGrid(queried_, {rtcm::queriedCells(q)});
    fillGrid(base_, {rtcm::baseCells(q)});
    fillGrid(headers_, rtcm::headerRows(m));
    fillGrid(types_, {rtcm::messageTypeCells(m)});
    fillGrid(positions_, rtcm::basePositionRows(m));
    const int mode = source_.settings().rtcMode;
    fillGrid(gps_, rtcm::correctionRows(m.tables[0], mode));
    fillGrid(glonass_, rtcm::correctionRows(m.tables[1], mode));
    const auto& text = q.messageGps ? q.messageGps : q.messageGlonass;
    message_->setText(text ? QString::fromUtf8(*text) : QString());
    if (q.messageGps && q.messageGlonass)
        message_->setText(QString::fromUtf8(*q.messageGps + " / " + *q.messageGlonass));
    enableUpdate();
}

std::unique_ptr<print::Printable> RtcmWindow::printDocument() {
    return std::make_unique<RtcmPrintout>(this);
}

std::vector<TextBlock> RtcmWindow::printBlocks() const {
    std::vector<TextBlock> blocks{
        lineOf(QString::fromStdString(rtcm::statusLine(parser_.queried(), parser_.messages())))};
    for (const QTableWidget* grid : {queried_, base_, headers_, types_, positions_, gps_, glonass_})
        blocks.push_back(blockOf(grid));
    blocks.push_back(lineOf(QString::fromUtf8(str::kMessageFromBase) + ' ' + message_->text()));
    return blocks;
}

void RtcmWindow::setVerticalLayout(bool vertical) {
    corrections_->setDirection(vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
}

void RtcmWindow::restorePlacement() {
    restoreChildPlacement(this, source_.profile(), kPlacementKey);
}

void RtcmWindow::savePlacement() {
    if (app::IniProfile* profile = source_.profile())
        saveChildPlacement(this, profile, kPlacementKey);
}

void RtcmWindow::closeEvent(QCloseEvent* event) {
    savePlacement();
    QWidget::closeEvent(event);
    if (closed_)
        return;
    closed_ = true;
    if (commands_.portOpen())
        commands_.outputSet(dgps::OutputSet::Rtcm, false);
    source_.windowClosed(DataWindow::Rtcm);
}

} // namespace trix::views
