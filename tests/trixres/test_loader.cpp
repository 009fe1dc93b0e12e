#include "base/strings.h"
#include "trixres/loader.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace trix;

namespace {

struct RecordingSink : MessageSink {
    std::vector<std::string> texts;
    Answer show(std::string_view text, Buttons, Icon) override {
        texts.emplace_back(text);
        return Answer::Ok;
    }
};

struct OverrideGuard {
    explicit OverrideGuard(const QString& path) { res::setLibraryOverride(path); }
    ~OverrideGuard() { res::setLibraryOverride({}); }
};

} // namespace

TEST(Loader, TakesPicturesFromTheLibraryLoadedByName) {
    RecordingSink sink;
    const int numbers[] = {154, 185, 9, 4};
    const auto images = res::loadPictures(numbers, sink);
    EXPECT_TRUE(sink.texts.empty());
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[0].size(), QSize(120, 140));
    EXPECT_EQ(images[1].size(), QSize(105, 105));
    EXPECT_EQ(images[2].size(), QSize(200, 150));
    // A number without a picture stays empty, without a message.
    EXPECT_TRUE(images[3].isNull());
}

TEST(Loader, AMissingLibraryIsReportedOncePerRequestAndGivesNoPictures) {
    OverrideGuard guard(QStringLiteral("/nonexistent/libtrixres"));
    RecordingSink sink;
    const int numbers[] = {322, 323, 324};
    const auto images = res::loadPictures(numbers, sink);
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.texts[0], str::kUtilityNotLoaded);
    for (const QImage& i : images)
        EXPECT_TRUE(i.isNull());
    EXPECT_TRUE(res::loadPicture(151, sink).isNull());
    EXPECT_EQ(sink.texts.size(), 2u);
}

TEST(Loader, PrintBitmapReportsAnUnconvertibleScreenCopy) {
    RecordingSink sink;
    QImage page(50, 50, QImage::Format_RGB32);
    QPainter p(&page);
    EXPECT_FALSE(res::printBitmap(p, QRect(0, 0, 50, 50), QPixmap(), sink));
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.texts[0], str::kCreateLogicalDibFailed);
    QPixmap pm(10, 10);
    pm.fill(Qt::red);
    EXPECT_TRUE(res::printBitmap(p, QRect(0, 0, 50, 50), pm, sink));
    EXPECT_EQ(sink.texts.size(), 1u);
}
