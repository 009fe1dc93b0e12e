#include "almanac_commands.h"

#include "almanac/almanac_download.h"
#include "base/strings.h"
#include "session.h"
#include "trix_application.h"
#include "views/almanac/almanac_window.h"
#include "views/almanac/download_window.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>

namespace trix::app {

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

bool almanacDownloadEnabled(const LinkState& link, bool downloadRunning) {
    return link.portOpen() && link.modelIndex >= 2 && !link.hostMode && !link.busy &&
           !link.viewFileMode && !downloadRunning;
}

AlmanacCommands::AlmanacCommands(Session& session, QMdiArea& mdi, QMenuBar& menuBar, QWidget& frame)
    : QObject(&frame), session_(session), mdi_(mdi), frame_(frame) {
    menu_ = menuBar.addMenu(u8(str::kAlmanacMenu));
    download_a_ = menu_->addAction(u8(str::kAlmanacMenuDownload), this, [this] { download(); });
    open_a_ = menu_->addAction(u8(str::kAlmanacMenuOpen), this, [this] { open(); });
    QMenu* saveAs = menu_->addMenu(u8(str::kAlmanacMenuSaveAs));
    binary_a_ =
        saveAs->addAction(u8(str::kAlmanacMenuBinary), this, [this] { this->saveAs(true); });
    binary_a_->setStatusTip(u8(str::kAlmanacSaveBinaryHint));
    yuma_a_ = saveAs->addAction(u8(str::kAlmanacMenuYuma), this, [this] { this->saveAs(false); });
    yuma_a_->setStatusTip(u8(str::kAlmanacSaveYumaHint));
    menu_->addSeparator();
    print_a_ = menu_->addAction(u8(str::kAlmanacMenuPrint), this, [this] { print(); });
    download_a_->setStatusTip(u8(str::kTipAlmanacDownload));
    open_a_->setStatusTip(u8(str::kTipAlmanacOpen));
    saveAs->menuAction()->setStatusTip(u8(str::kTipAlmanacSaveAs));
    print_a_->setStatusTip(u8(str::kTipAlmanacPrint));
    connect(menu_, &QMenu::aboutToShow, this, &AlmanacCommands::update);
    connect(saveAs, &QMenu::aboutToShow, this, &AlmanacCommands::update);
    connect(&mdi_, &QMdiArea::subWindowActivated, this, &AlmanacCommands::update);
    update();
}

AlmanacCommands::~AlmanacCommands() {
    endDownload();
}

QString AlmanacCommands::folder() const {
    return QString::fromStdString(session_.app().folders().almanacs);
}

views::AlmanacWindow* AlmanacCommands::activeAlmanac() const {
    QMdiSubWindow* sub = mdi_.activeSubWindow();
    if (!sub)
        sub = mdi_.currentSubWindow();
    return sub ? dynamic_cast<views::AlmanacWindow*>(sub->widget()) : nullptr;
}

void AlmanacCommands::update() {
    download_a_->setEnabled(almanacDownloadEnabled(session_.link(), download_ != nullptr));
    const bool active = activeAlmanac() != nullptr;
    binary_a_->setEnabled(active);
    yuma_a_->setEnabled(active);
    print_a_->setEnabled(active);
}

void AlmanacCommands::download() {
    if (!almanacDownloadEnabled(session_.link(), download_ != nullptr))
        return;
    link::Link& link = session_.connection();
    // The port lives as long as the window that writes through it.
    auto port = std::make_shared<almanac::LinkDownloadPort>(link, session_.app().limits().checksum);
    auto* w = new views::DownloadWindow(
        *port, session_.messages(),
        [this](std::unique_ptr<almanac::AlmanacDocument> doc) { finished(std::move(doc)); },
        &frame_);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(w, &QObject::destroyed, this, [port] {});
    download_ = w;
    link.listeners.set(link::Slot::Almanac, &w->listener());
    w->adjustSize();
    w->move(frame_.geometry().center() - w->rect().center());
    w->show();
    if (!w->start()) {
        // The window has said why; the download never began.
        link.listeners.remove(&w->listener());
        download_ = nullptr;
        w->deleteLater();
    }
    update();
}

void AlmanacCommands::finished(std::unique_ptr<almanac::AlmanacDocument> doc) {
    if (views::DownloadWindow* w = download_) {
        session_.connection().listeners.remove(&w->listener());
        download_ = nullptr;
        w->deleteLater();
    }
    if (doc)
        show(std::make_unique<views::AlmanacWindow>(std::move(doc), folder(), session_.messages()));
    update();
}

void AlmanacCommands::endDownload() {
    views::DownloadWindow* w = download_;
    if (!w)
        return;
    download_ = nullptr;
    session_.connection().listeners.remove(&w->listener());
    w->download().shutdown();
    delete w;
}

void AlmanacCommands::open() {
    show(views::AlmanacWindow::openWithDialog(folder(), session_.messages(), &frame_));
}

views::AlmanacWindow* AlmanacCommands::show(std::unique_ptr<views::AlmanacWindow> window) {
    if (!window)
        return nullptr;
    views::AlmanacWindow* w = window.release();
    QMdiSubWindow* sub = mdi_.addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(360, 380);
    w->show();
    mdi_.setActiveSubWindow(sub);
    update();
    return w;
}

void AlmanacCommands::saveAs(bool binary) {
    if (views::AlmanacWindow* w = activeAlmanac())
        w->saveAs(binary ? almanac::FileFormat::Binary : almanac::FileFormat::Yuma);
}

void AlmanacCommands::print() {
    views::AlmanacWindow* w = activeAlmanac();
    if (!w)
        return;
    QPrinter printer;
    QPrintDialog dialog(&printer, &frame_);
    if (dialog.exec() == QDialog::Accepted && !w->print(printer))
        session_.messages().show(str::kPrintFailed, Buttons::Ok, Icon::Stop);
}

} // namespace trix::app
