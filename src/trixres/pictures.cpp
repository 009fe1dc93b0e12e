#include "trixres/pictures.h"

#include "trixres/face_layout.h"

#include <QPainter>

namespace trix::res {

QSize pictureSize(int number) {
    if (hasReceiverPicture(number)) {
        // Sizes of the original 8-bit pictures: about 52 KB, 9 and 10 about 31 KB, 12 about 47.
        if (number == 9 || number == 10)
            return {200, 150};
        if (number == 12)
            return {240, 192};
        return {256, 200};
    }
    switch (number) {
    case pic::kCourseFace:
    case pic::kSpeedFaceAuto:
    case pic::kVerticalSpeedFace:
    case pic::kAltitudeFace:
    case pic::kYawPitchFaceAero:
    case pic::kHorizonFace:
    case pic::kSpeedFaceAero:
    case pic::kYawPitchFaceAuto:
    case pic::kSpeedFaceNautical:
    case pic::kYawPitchFaceNautical:
        return kFaceSize;
    case pic::kRoseNautical:
    case pic::kRoseAuto:
    case pic::kRoseAero:
        return kRoseSize;
    case pic::kSpriteVertical:
        return {20, 60};
    case pic::kSpriteHorizontal:
        return {60, 20};
    case pic::kSpriteRising:
    case pic::kSpriteFalling:
        return {55, 55};
    case pic::kAlmanacReceiver:
        return {57, 30};
    case pic::kAlmanacComputer:
        return {48, 60};
    case pic::kPositionPanel:
        return {kPanelWidth, kPositionPanelHeight};
    case pic::kPrecisionPanel:
        return {kPanelWidth, kPrecisionPanelHeight};
    case pic::kDoubleDiffPanel:
        return {kPanelWidth, kDoubleDiffPanelHeight};
    default:
        return {};
    }
}

QImage renderPicture(int number) {
    const QSize size = pictureSize(number);
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    if (hasReceiverPicture(number))
        drawReceiverPicture(p, number, size);
    else if (!drawInstrumentPicture(p, number) && !drawPanelPicture(p, number) &&
             !drawAlmanacPicture(p, number))
        return {};
    p.end();
    return image;
}

} // namespace trix::res
