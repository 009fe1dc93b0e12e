#include "trixres/face_layout.h"
#include "trixres/pictures.h"
#include "trixres/trixres.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace trix::res;

namespace {

// Every picture the library must hold, with its size.
const std::map<int, QSize>& expectedPictures() {
    static const std::map<int, QSize> m = [] {
        std::map<int, QSize> r;
        for (int n : {1, 5, 6, 7, 8, 11, 13, 14, 15, 16, 17, 18})
            r[n] = QSize(256, 200);
        r[9] = r[10] = QSize(200, 150);
        r[12] = QSize(240, 192);
        for (int n : {151, 154, 155, 156, 171, 172, 173, 176, 183, 184})
            r[n] = QSize(120, 140);
        for (int n : {182, 185, 186})
            r[n] = QSize(105, 105);
        r[198] = QSize(20, 60);
        r[200] = QSize(55, 55);
        r[199] = QSize(60, 20);
        r[201] = QSize(55, 55);
        r[202] = QSize(57, 30);
        r[203] = QSize(48, 60);
        r[322] = QSize(281, 116);
        r[323] = QSize(281, 89);
        r[324] = QSize(281, 174);
        return r;
    }();
    return m;
}

QString artefactDir() {
    const QString dir = QStringLiteral(TRIX_BINARY_DIR "/artefacts/trixres");
    QDir().mkpath(dir);
    return dir;
}

int brightness(QRgb c) {
    return (qRed(c) + qGreen(c) + qBlue(c)) / 3;
}

// The brightest pixel on a short radial segment of a face.
int brightestOnRay(const QImage& face, double angle, int from, int to) {
    int best = 0;
    for (int r = from; r <= to; ++r) {
        const QPoint pt = polarPoint(kDialCentre, r, angle);
        best = std::max(best, brightness(face.pixel(pt)));
    }
    return best;
}

} // namespace

TEST(Pictures, EveryNumberedPictureHasItsSizeAndIsSavedForInspection) {
    const QString dir = artefactDir();
    for (const auto& [number, size] : expectedPictures()) {
        const QImage image = renderPicture(number);
        ASSERT_FALSE(image.isNull()) << number;
        EXPECT_EQ(image.size(), size) << number;
        EXPECT_EQ(pictureSize(number), size) << number;
        // Not a blank fill: a picture has some contrast.
        int lo = 255, hi = 0;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) {
                lo = std::min(lo, brightness(image.pixel(x, y)));
                hi = std::max(hi, brightness(image.pixel(x, y)));
            }
        EXPECT_GT(hi - lo, 60) << number;
        image.save(dir + QStringLiteral("/picture_%1.png").arg(number));
    }
    // One sheet of all pictures, to look at them side by side.
    QImage sheet(1100, 900, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int x = 0, y = 0, rowHeight = 0;
    for (const auto& [number, size] : expectedPictures()) {
        if (x + size.width() > sheet.width()) {
            x = 0;
            y += rowHeight + 4;
            rowHeight = 0;
        }
        p.drawImage(x, y, renderPicture(number));
        x += size.width() + 4;
        rowHeight = std::max(rowHeight, size.height());
    }
    p.end();
    sheet.save(dir + QStringLiteral("/contact_sheet.png"));
}

TEST(Pictures, NumbersWithoutAPictureGiveNothing) {
    for (int n : {0,   2,   3,   4,   19,  20,  21,  150, 152, 153, 157,
                  170, 174, 175, 177, 181, 187, 197, 204, 321, 325, -1}) {
        EXPECT_TRUE(renderPicture(n).isNull()) << n;
        EXPECT_TRUE(pictureSize(n).isEmpty()) << n;
    }
}

TEST(Pictures, ReceiverPicturesDifferByModel) {
    // Each model shows its own name and look: no two pictures of the same size are equal.
    std::map<int, QImage> images;
    for (int n : {1, 5, 6, 7, 8, 11, 13, 14, 15, 16, 17, 18})
        images[n] = renderPicture(n);
    for (auto a = images.begin(); a != images.end(); ++a)
        for (auto b = std::next(a); b != images.end(); ++b)
            EXPECT_NE(a->second, b->second) << a->first << " vs " << b->first;
}

TEST(FaceLayout, SpeedDialsCarryMajorTicksAtTheLabelAngles) {
    const int faces[] = {pic::kSpeedFaceAuto, pic::kSpeedFaceAero, pic::kSpeedFaceNautical};
    for (int vehicle = 0; vehicle < 3; ++vehicle) {
        const QImage face = renderPicture(faces[vehicle]);
        const SpeedDial d = speedDial(vehicle);
        for (int k = 0; k < d.labels; ++k) {
            const double a = speedAngle(vehicle, k, d.divisions);
            EXPECT_GT(brightestOnRay(face, a, kTickMajorInner + 1, kTickOuter - 1), 180)
                << "vehicle " << vehicle << " label " << k;
        }
        // Label rectangles lie inside the dial and do not overlap each other.
        const auto rects = speedLabelRects(vehicle);
        ASSERT_EQ(static_cast<int>(rects.size()), d.labels);
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const QPoint c = rects[i].center();
            EXPECT_LT(std::hypot(c.x() - kDialCentre.x(), c.y() - kDialCentre.y()), kDialRadius);
            for (std::size_t j = i + 1; j < rects.size(); ++j) {
                // The aeronautical labels sit close; their text is narrower than the rectangle.
                if (vehicle != 1) {
                    EXPECT_FALSE(rects[i].intersects(rects[j])) << vehicle << ":" << i << "," << j;
                }
            }
        }
    }
}

TEST(FaceLayout, ValueBoxesAreDarkInsetsOfTheFaces) {
    for (int n : {151, 154, 155, 156, 171, 172, 173, 176, 183, 184}) {
        const QImage face = renderPicture(n);
        const bool twoBoxes = n == 151 || n == 171 || n == 172 || n == 176 || n == 184;
        const QRect boxes[] = {kValueBox, kValueBoxLeft, kValueBoxRight};
        for (const QRect& box : boxes) {
            if ((box == kValueBox) == twoBoxes)
                continue;
            EXPECT_LT(brightness(face.pixel(box.center())), 30) << n;
        }
    }
}

TEST(Exports, DrawReceiverStretchesIntoTheRectangleOnly) {
    QImage canvas(400, 300, QImage::Format_RGB32);
    canvas.fill(Qt::magenta);
    QPainter p(&canvas);
    const QRect rect(50, 40, 128, 100);
    EXPECT_NE(DrawReceiver(&p, 17, &rect), 0);
    EXPECT_EQ(DrawReceiver(&p, 3, &rect), 0);
    EXPECT_EQ(DrawReceiver(nullptr, 17, &rect), 0);
    p.end();
    EXPECT_EQ(canvas.pixel(10, 10), QColor(Qt::magenta).rgb());
    EXPECT_EQ(canvas.pixel(300, 200), QColor(Qt::magenta).rgb());
    int changed = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            changed += canvas.pixel(x, y) != QColor(Qt::magenta).rgb();
    EXPECT_EQ(changed, rect.width() * rect.height());
}

TEST(Exports, PrintDdbScalesTheWholeBitmapIntoTheRectangle) {
    QImage src(2, 2, QImage::Format_RGB32);
    src.setPixel(0, 0, qRgb(255, 0, 0));
    src.setPixel(1, 0, qRgb(0, 255, 0));
    src.setPixel(0, 1, qRgb(0, 0, 255));
    src.setPixel(1, 1, qRgb(255, 255, 255));
    const QPixmap pixmap = QPixmap::fromImage(src);
    QImage page(200, 100, QImage::Format_RGB32);
    page.fill(Qt::black);
    QPainter p(&page);
    const QRect rect(0, 0, 200, 100);
    ASSERT_EQ(PrintDDB(&p, &rect, &pixmap), 1);
    p.end();
    EXPECT_EQ(QColor(page.pixel(10, 10)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(page.pixel(190, 10)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(page.pixel(10, 90)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(page.pixel(190, 90)), QColor(255, 255, 255));

    const QPixmap none;
    QPainter q(&page);
    EXPECT_EQ(PrintDDB(&q, &rect, &none), 0);
    QPainter inactive;
    EXPECT_EQ(PrintDDB(&inactive, &rect, &pixmap), -1);
}

TEST(Exports, TrixresPictureGivesTheNumberedPicture) {
    QImage out;
    EXPECT_EQ(TrixresPicture(322, &out), 1);
    EXPECT_EQ(out.size(), QSize(281, 116));
    EXPECT_EQ(TrixresPicture(321, &out), 0);
    EXPECT_TRUE(out.isNull());
    EXPECT_EQ(TrixresPicture(1, nullptr), 0);
}
