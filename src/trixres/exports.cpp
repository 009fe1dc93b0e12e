#include "trixres/trixres.h"

#include "trixres/pictures.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace {

// Stretched drawing of a device-independent image, as smooth as the device allows.
bool drawStretched(QPainter& p, const QRect& rect, const QImage& image) {
    if (!p.isActive())
        return false;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(rect, image, image.rect());
    p.restore();
    return true;
}

} // namespace

extern "C" {

int DrawReceiver(QPainter* dc, int number, const QRect* rect) {
    if (dc == nullptr || rect == nullptr)
        return 0;
    const QImage image = trix::res::renderPicture(number);
    if (image.isNull())
        return 0;
    return drawStretched(*dc, *rect, image) ? 1 : 0;
}

int PrintDDB(QPainter* dc, const QRect* rect, const QPixmap* bitmap) {
    if (bitmap == nullptr || bitmap->isNull())
        return 0;
    // The device-independent copy; 8 bits per pixel would lose the colours of a true-colour
    // screen, so it keeps 32.
    const QImage image = bitmap->toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return 0;
    if (dc == nullptr || rect == nullptr)
        return -1;
    return drawStretched(*dc, *rect, image) ? 1 : -1;
}

int TrixresPicture(int number, QImage* out) {
    if (out == nullptr)
        return 0;
    *out = trix::res::renderPicture(number);
    return out->isNull() ? 0 : 1;
}
}
