#include "log_file_drop.h"

#include "base/strings.h"
#include "base/text.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

namespace trix::app {

QStringList droppedLogFiles(const QList<QUrl>& urls) {
    QStringList files;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isFile() && info.suffix().compare(QLatin1String("log"), Qt::CaseInsensitive) == 0)
            files << info.absoluteFilePath();
    }
    return files;
}

LogFileDrop::LogFileDrop(QWidget& target, Hooks hooks)
    : QObject(&target), hooks_(std::move(hooks)) {
    target.setAcceptDrops(true);
    target.installEventFilter(this);
}

bool LogFileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event); // QDragEnterEvent and QDragMoveEvent are ones
    const QMimeData* mime = drop->mimeData();
    const QStringList files =
        mime && mime->hasUrls() ? droppedLogFiles(mime->urls()) : QStringList();
    if (files.isEmpty()) {
        drop->ignore();
        return true;
    }
    if (!hooks_.canView()) {
        if (type != QEvent::DragMove)
            hooks_.say(QString::fromUtf8(str::kDropRefused));
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        hooks_.view(files.first());
        if (files.size() > 1)
            hooks_.say(QString::fromStdString(
                cformat(str::kDropSeveralLogs, static_cast<int>(files.size()),
                        QDir::toNativeSeparators(files.first()).toStdString().c_str())));
    }
    return true;
}

} // namespace trix::app
