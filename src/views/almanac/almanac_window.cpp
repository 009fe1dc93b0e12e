#include "views/almanac/almanac_window.h"

#include "base/strings.h"
#include "views/almanac/almanac_view.h"
#include "views/almanac/save_almanac_dialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QVBoxLayout>

namespace trix::views {

AlmanacWindow::AlmanacWindow(std::unique_ptr<almanac::AlmanacDocument> doc, QString folder,
                             MessageSink& messages, QWidget* parent)
    : QWidget(parent), doc_(std::move(doc)), folder_(std::move(folder)), messages_(messages),
      view_(new AlmanacView(*doc_, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    resize(360, 380);
    question_ = [](QWidget* parent) { return SaveAlmanacDialog(parent).exec(); };
    updateTitle();
}

AlmanacWindow::~AlmanacWindow() = default;

std::unique_ptr<AlmanacWindow> AlmanacWindow::openFile(const QString& path, const QString& folder,
                                                       MessageSink& messages, QWidget* parent) {
    auto doc = std::make_unique<almanac::AlmanacDocument>();
    if (!doc->open(QFile::encodeName(path).toStdString(), messages))
        return nullptr;
    auto w = std::make_unique<AlmanacWindow>(std::move(doc), folder, messages, parent);
    w->path_ = path;
    w->updateTitle();
    return w;
}

std::unique_ptr<AlmanacWindow>
AlmanacWindow::openWithDialog(const QString& folder, MessageSink& messages, QWidget* parent) {
    // Qt's own dialog matches the pattern "alm*.*" without regard to case, so the names the
    // program gives (ALM09.123) are listed too.
    const QString path = QFileDialog::getOpenFileName(parent, QString(), folder,
                                                      QString::fromUtf8(str::kAlmanacFilter),
                                                      nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return nullptr;
    return openFile(path, folder, messages, parent);
}

bool AlmanacWindow::saveAs(almanac::FileFormat format) {
    auto name = doc_->fileName(format, messages_);
    if (!name)
        return false;
    const QString path = QDir(folder_).filePath(QString::fromStdString(*name));
    if (!doc_->save(QFile::encodeName(path).toStdString(), messages_))
        return false;
    path_ = path;
    updateTitle();
    return true;
}

bool AlmanacWindow::saveWithDialog() {
    const QString path = QFileDialog::getSaveFileName(this, QString(), folder_,
                                                      QString::fromUtf8(str::kAlmanacFilter),
                                                      nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return false;
    if (!doc_->save(QFile::encodeName(path).toStdString(), messages_))
        return false;
    path_ = path;
    updateTitle();
    return true;
}

bool AlmanacWindow::print(QPagedPaintDevice& device) const {
    return view_->print(device, windowTitle());
}

void AlmanacWindow::refresh() {
    view_->refresh();
    updateTitle();
}

void AlmanacWindow::updateTitle() {
    const QString title = QString::fromUtf8(str::kAlmanacDocumentTitle);
    setWindowTitle(path_.isEmpty() ? title
                                   : title + QStringLiteral(" - ") + QFileInfo(path_).fileName());
}

bool AlmanacWindow::maySaveAndClose() {
    if (!doc_->modified())
        return true;
    switch (question_(this)) {
    case SaveAlmanacDialog::kBinary:
        return saveAs(almanac::FileFormat::Binary);
    case SaveAlmanacDialog::kYuma:
        return saveAs(almanac::FileFormat::Yuma);
    case SaveAlmanacDialog::kDoNotSave:
        doc_->setModified(false);
        return true;
    default:
        return false;
    }
}

void AlmanacWindow::closeEvent(QCloseEvent* event) {
    if (maySaveAndClose())
        event->accept();
    else
        event->ignore();
}

} // namespace trix::views
