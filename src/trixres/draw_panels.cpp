// The three indicator-panel pictures (281 wide) and the almanac download pictures: the four
// frames of the travelling satellite and the two fixed pictures it travels between.

#include "trixres/draw_common.h"
#include "trixres/face_layout.h"
#include "trixres/pictures.h"

#include <QPainterPath>

namespace trix::res {

namespace {

const QColor kScreen{6, 22, 12};
const QColor kCaption{150, 200, 160};

void panelFrame(QPainter& p, int height, const QString& title) {
    fillPanel(p, QRect(0, 0, kPanelWidth - 1, height - 1), kPanelLight, kPanelDark);
    screw(p, QPointF(6, 6), 2.5);
    screw(p, QPointF(kPanelWidth - 7, 6), 2.5);
    screw(p, QPointF(6, height - 7), 2.5);
    screw(p, QPointF(kPanelWidth - 7, height - 7), 2.5);
    centredText(p, QRect(0, 1, kPanelWidth, 12), title, 9, kLabelGrey, true);
}

void caption(QPainter& p, int x, int baseline, const QString& text) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kCaption);
    p.drawText(x, baseline, text);
}

void positionPanel(QPainter& p) {
    panelFrame(p, kPositionPanelHeight, QStringLiteral("POSITION"));
    insetBox(p, kPositionScreen, kScreen);
    // On the baseline of the value beside it, so that caption and value read as one line.
    const char* labels[] = {"LAT", "LON", "ALT"};
    for (int i = 0; i < 3; ++i)
        caption(p, kPanelCaptionLeft, kPanelFirstBaseline + i * kPanelLineStep,
                QString::fromLatin1(labels[i]));
    insetBox(p, kModeBox, kScreen);
    insetBox(p, kTimeBox, kScreen);
}

void precisionPanel(QPainter& p) {
    panelFrame(p, kPrecisionPanelHeight, QStringLiteral("PRECISION"));
    insetBox(p, QRect(4, 16, kPanelWidth - 8, kPrecisionPanelHeight - 24), kScreen);
}

void doubleDiffPanel(QPainter& p) {
    panelFrame(p, kDoubleDiffPanelHeight, QStringLiteral("ATTITUDE RECEIVER  RX-04"));
    insetBox(p, QRect(4, 16, kPanelWidth - 8, kDoubleDiffPanelHeight - 24), kScreen);
    caption(p, 14, 30, QStringLiteral("DOUBLE DIFFERENCES AND QUALITY"));
}

// The satellite: body and two solar panels along `axis`, drawn into its frame rectangle.
void satellite(QPainter& p, QSize size, double angleDegrees) {
    p.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(size.width() / 2.0, size.height() / 2.0);
    p.rotate(angleDegrees);
    const double span = 29.0; // half length along the panels
    p.setPen(QPen(QColor(120, 140, 200), 0.8));
    p.setBrush(QColor(40, 70, 170));
    p.drawRect(QRectF(-4, -span, 8, span - 6));
    p.drawRect(QRectF(-4, 6, 8, span - 6));
    p.setPen(QPen(QColor(90, 110, 180), 0.6));
    for (double y = -span + 4; y < -6; y += 4)
        p.drawLine(QPointF(-4, y), QPointF(4, y));
    for (double y = 10; y < span; y += 4)
        p.drawLine(QPointF(-4, y), QPointF(4, y));
    p.setPen(QPen(QColor(120, 100, 40), 0.8));
    p.setBrush(QColor(230, 190, 70));
    p.drawRect(QRectF(-6, -6, 12, 12));
    p.restore();
}

void almanacReceiver(QPainter& p) {
    p.fillRect(QRect(0, 0, 57, 30), Qt::black);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 1.0));
    p.setBrush(QColor(170, 176, 184));
    p.drawRoundedRect(QRectF(1, 8, 55, 21), 3, 3);
    p.setBrush(QColor(150, 178, 120));
    p.drawRect(QRectF(5, 12, 24, 12));
    p.setBrush(QColor(40, 210, 60));
    p.drawEllipse(QPointF(38, 18), 2.5, 2.5);
    p.setBrush(QColor(250, 180, 20));
    p.drawEllipse(QPointF(46, 18), 2.5, 2.5);
    p.setPen(QPen(QColor(220, 220, 220), 1.5));
    p.drawLine(QPointF(50, 8), QPointF(50, 1));
    p.restore();
}

void almanacComputer(QPainter& p) {
    p.fillRect(QRect(0, 0, 48, 60), Qt::black);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 1.0));
    p.setBrush(QColor(200, 200, 192));
    p.drawRoundedRect(QRectF(2, 2, 44, 34), 3, 3);
    p.setBrush(QColor(30, 60, 120));
    p.drawRect(QRectF(6, 6, 36, 26));
    p.setBrush(QColor(200, 200, 192));
    p.drawRect(QRectF(18, 36, 12, 6));
    p.drawRoundedRect(QRectF(4, 44, 40, 14), 2, 2);
    p.setPen(QPen(QColor(120, 200, 120), 1.0));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(9, 11 + i * 5), QPointF(9 + 8 + (i * 7) % 20, 11 + i * 5));
    p.restore();
}

} // namespace

bool drawPanelPicture(QPainter& p, int number) {
    switch (number) {
    case pic::kPositionPanel:
        positionPanel(p);
        return true;
    case pic::kPrecisionPanel:
        precisionPanel(p);
        return true;
    case pic::kDoubleDiffPanel:
        doubleDiffPanel(p);
        return true;
    default:
        return false;
    }
}

bool drawAlmanacPicture(QPainter& p, int number) {
    switch (number) {
    case pic::kSpriteVertical:
        satellite(p, QSize(20, 60), 0);
        return true;
    case pic::kSpriteRising:
        satellite(p, QSize(55, 55), 45);
        return true;
    case pic::kSpriteHorizontal:
        satellite(p, QSize(60, 20), 90);
        return true;
    case pic::kSpriteFalling:
        satellite(p, QSize(55, 55), 135);
        return true;
    case pic::kAlmanacReceiver:
        almanacReceiver(p);
        return true;
    case pic::kAlmanacComputer:
        almanacComputer(p);
        return true;
    default:
        return false;
    }
}

} // namespace trix::res
