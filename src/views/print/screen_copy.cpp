#include "views/print/screen_copy.h"

#include "base/strings.h"
#include "trixres/loader.h"

#include <QGuiApplication>
#include <QScreen>

namespace trix::print {

QRect fittedRect(const QSize& size, const QRect& target) {
    if (size.isEmpty() || target.isEmpty())
        return {};
    const double sx = static_cast<double>(target.width()) / size.width();
    const double sy = static_cast<double>(target.height()) / size.height();
    const double s = std::min(sx, sy);
    return QRect(target.topLeft(),
                 QSize(static_cast<int>(size.width() * s), static_cast<int>(size.height() * s)));
}

ScreenCopy::ScreenCopy(QWidget* mainWindow, Grabber grabber)
    : main_(mainWindow), grabber_(std::move(grabber)) {}

QString ScreenCopy::printTitle() const {
    return QString::fromUtf8(str::kScreenCopyTitle);
}

QPixmap ScreenCopy::grab() const {
    if (grabber_)
        return grabber_();
    if (main_ && !main_->isMaximized())
        return main_->grab();
    QScreen* screen = main_ && main_->screen() ? main_->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0) : QPixmap();
}

bool ScreenCopy::printPage(QPainter& painter, const QRect& target, MessageSink& messages) {
    const QPixmap copy = grab();
    if (copy.isNull()) {
        messages.show(str::kNotEnoughMemory);
        return false;
    }
    const QRect rect = fittedRect(copy.size(), target);
    return res::printBitmap(painter, rect, copy, messages);
}

} // namespace trix::print
