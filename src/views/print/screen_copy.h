#pragma once
// The "Screen Copy" document: the whole screen when the main window is maximised, else the
// main window, printed through the picture library's bitmap printing with its proportions
// kept. A copy that cannot be taken or printed fails the job with its message.

#include "views/print/printable.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace trix::print {

// The rectangle of `target` that a copy of `size` fills with its proportions kept: a wide
// copy fills the width, a tall one the height; placed at the top left.
QRect fittedRect(const QSize& size, const QRect& target);

class ScreenCopy : public Printable {
public:
    using Grabber = std::function<QPixmap()>;
    // `mainWindow`: the window whose rectangle (or screen, when maximised) is copied.
    explicit ScreenCopy(QWidget* mainWindow, Grabber grabber = {});

    QString printTitle() const override;
    bool printPage(QPainter& painter, const QRect& target, MessageSink& messages) override;

private:
    QPixmap grab() const;
    QPointer<QWidget> main_;
    Grabber grabber_;
};

} // namespace trix::print
