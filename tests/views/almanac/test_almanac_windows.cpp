// The almanac view, window and download window, offscreen; grabs go to the build folder.

#include "almanac/calendar.h"
#include "base/strings.h"
#include "trixres/loader.h"
#include "views/almanac/almanac_view.h"
#include "views/almanac/almanac_window.h"
#include "views/almanac/download_window.h"
#include "views/almanac/save_almanac_dialog.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace trix;
using namespace trix::almanac;
using trix::views::AlmanacView;
using trix::views::AlmanacWindow;
using trix::views::DownloadWindow;

namespace {

struct Sink : MessageSink {
    std::vector<std::string> shown;
    Answer show(std::string_view t, Buttons, Icon) override {
        shown.emplace_back(t);
        return Answer::Ok;
    }
};

QString sample() {
    return QStringLiteral(TRIX_SOURCE_DIR "/tests/almanac/data/published_week98.alm");
}

void savePng(QWidget& w, const char* name) {
    const QString dir = QStringLiteral(TRIX_BINARY_DIR "/test-artifacts");
    QDir().mkpath(dir);
    EXPECT_TRUE(w.grab().save(dir + "/" + name));
}

int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(f.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

std::unique_ptr<AlmanacDocument> glonassDocument(int records) {
    auto doc = std::make_unique<AlmanacDocument>();
    for (int s = 0; s < records; ++s) {
        GlonassAlmanac g;
        g.sv = static_cast<std::uint16_t>(s + 1);
        g.healthFlag = 1;
        g.day = 1000;
        g.periodCorrection = -2655.5f;
        auto b = encode(g);
        doc->setGlonassRecord(s, b);
    }
    return doc;
}

void putBe(std::string& out, std::uint64_t v, int width) {
    for (int i = width - 1; i >= 0; --i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::string salLine(int prn) {
    std::string p;
    putBe(p, static_cast<std::uint64_t>(prn - 1), 2);
    putBe(p, 0, 2);
    for (int i = 4; i < 60; ++i)
        p.push_back(static_cast<char>(0x30 + i % 7));
    putBe(p, 2437 % 256, 2);
    putBe(p, 2437, 2);
    putBe(p, 345600, 4);
    putBe(p, wordSum({reinterpret_cast<const std::uint8_t*>(p.data()), p.size()}), 2);
    return "$PXKTR,SAL," + p;
}

struct FakeLink : DownloadLink {
    std::vector<std::string> sent;
    bool send(std::string_view c) override {
        sent.emplace_back(c);
        return true;
    }
    int modelIndex() const override { return 8; }
    char receiverPort() const override { return 'A'; }
    bool hostMode() const override { return false; }
    bool blockPending() const override { return false; }
    bool checksumChecked() const override { return true; }
};

} // namespace

TEST(AlmanacView, ListsScrollsAndKeys) {
    Sink sink;
    auto w = AlmanacWindow::openFile(sample(), QDir::tempPath(), sink);
    ASSERT_TRUE(w);
    w->show();
    AlmanacView& v = w->view();
    EXPECT_EQ(v.totalLines(), 3 * 15);
    EXPECT_EQ(v.lines()[0], QStringLiteral("**** Week 0098 almanac for PRN-01 **********"));
    EXPECT_EQ(v.lines()[14], QString());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Satellites almanac - published_week98.alm"));
    QScrollBar* sb = v.verticalScrollBar();
    EXPECT_GT(sb->maximum(), 0);
    QTest::keyClick(&v, Qt::Key_End);
    EXPECT_EQ(sb->value(), sb->maximum());
    QTest::keyClick(&v, Qt::Key_Home);
    EXPECT_EQ(sb->value(), 0);
    QTest::keyClick(&v, Qt::Key_PageDown);
    EXPECT_EQ(sb->value(), std::min(15, sb->maximum()));
    QTest::keyClick(&v, Qt::Key_Up);
    EXPECT_EQ(sb->value(), std::min(15, sb->maximum()) - 1);
    QTest::keyClick(&v, Qt::Key_Home);
    savePng(*w, "almanac_view.png");
    EXPECT_TRUE(sink.shown.empty());
}

TEST(AlmanacView, GlonassOnlyAndEmptyDocuments) {
    Sink sink;
    AlmanacWindow w(glonassDocument(2), QDir::tempPath(), sink);
    EXPECT_EQ(w.view().lines()[0], QStringLiteral("**** Week 2437 almanac for SV-01, slot 01 **"));
    EXPECT_EQ(w.view().totalLines(), 30);
    AlmanacDocument empty;
    AlmanacView v(empty);
    EXPECT_EQ(v.totalLines(), 0);
    EXPECT_EQ(v.verticalScrollBar()->maximum(), 0);
}

TEST(AlmanacView, PaginationKeepsRecordsWhole) {
    EXPECT_EQ(AlmanacView::paginate(40, 60).recordsPerPage, 4);
    EXPECT_EQ(AlmanacView::paginate(40, 60).pages, 10);
    EXPECT_EQ(AlmanacView::paginate(40, 10).recordsPerPage, 1); // under 15 lines a page
    EXPECT_EQ(AlmanacView::paginate(40, 10).pages, 40);
    EXPECT_EQ(AlmanacView::paginate(0, 0).pages, 1);
}

TEST(AlmanacView, PrintsToPdfWithPageNumbers) {
    Sink sink;
    AlmanacWindow w(glonassDocument(24), QDir::tempPath(), sink);
    QTemporaryDir dir;
    const QString a4 = dir.filePath(QStringLiteral("a4.pdf"));
    {
        QPdfWriter pdf(a4);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        ASSERT_TRUE(w.print(pdf));
    }
    const int pages = pdfPages(a4);
    EXPECT_GT(pages, 1);
    EXPECT_LT(pages, 24);
    const QString tiny = dir.filePath(QStringLiteral("tiny.pdf"));
    {
        QPdfWriter pdf(tiny);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(100, 60), QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        ASSERT_TRUE(w.print(pdf));
    }
    EXPECT_EQ(pdfPages(tiny), 24); // one record a page even when 15 lines do not fit
}

TEST(AlmanacWindow, SaveCommandsAndTheSaveQuestion) {
    Sink sink;
    QTemporaryDir dir;
    auto w = AlmanacWindow::openFile(sample(), dir.path(), sink);
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->saveAs(FileFormat::Binary));
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("ALM21.052"))).size(), 2240);
    EXPECT_EQ(w->path(), dir.filePath(QStringLiteral("ALM21.052")));
    w->document().setModified(true);
    int asked = 0;
    w->setSaveQuestion([&](QWidget*) {
        ++asked;
        return asked == 1 ? views::SaveAlmanacDialog::kCancel : views::SaveAlmanacDialog::kYuma;
    });
    w->show();
    EXPECT_FALSE(w->close()); // Cancel keeps it open
    EXPECT_TRUE(w->close());
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("ALMYUM21.052"))));
    // A bad file gives no window and the message.
    EXPECT_FALSE(AlmanacWindow::openFile(dir.path(), dir.path(), sink));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0], str::kBadAlmanacFile);
}

TEST(SaveAlmanacDialog, FourButtons) {
    views::SaveAlmanacDialog d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Save Downloaded Almanac"));
    int result = -5;
    QObject::connect(&d, &QDialog::finished, [&](int r) { result = r; });
    d.show();
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("yuma")), Qt::LeftButton);
    EXPECT_EQ(result, 128);
    savePng(d, "save_almanac_dialog.png");
}

TEST(DownloadWindow, ProgressAnimationAndTheFilledDocument) {
    Sink sink;
    FakeLink link;
    std::unique_ptr<AlmanacDocument> got;
    bool done = false;
    DownloadWindow w(link, sink, [&](std::unique_ptr<AlmanacDocument> d) {
        done = true;
        got = std::move(d);
    });
    ASSERT_TRUE(w.start());
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Downloading Almanac -   0 % done"));
    for (int i = 0; i < 12; ++i)
        w.download().timer(AlmanacDownload::kStepTimer);
    EXPECT_EQ(w.spritePosition(), 12);
    EXPECT_EQ(w.spriteFrame(), 0);
    EXPECT_EQ(link.sent.front(), "$PXKTQ,RAW");
    for (int prn = 1; prn <= 16; ++prn)
        w.listener().line(salLine(prn));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Downloading Almanac -  50 % done"));
    savePng(w, "download_window.png");
    for (int prn = 17; prn <= 32; ++prn)
        w.listener().line(salLine(prn));
    ASSERT_TRUE(done);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->gpsCount(), 32);
    EXPECT_TRUE(got->modified());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(DownloadWindow::arcPoint(16), QPoint(192, 38));
    EXPECT_EQ(DownloadWindow::arcPoint(32), QPoint(288, 70));
}

TEST(DownloadWindow, CancelHandsOnNothing) {
    Sink sink;
    FakeLink link;
    bool done = false;
    std::unique_ptr<AlmanacDocument> got;
    DownloadWindow w(link, sink, [&](std::unique_ptr<AlmanacDocument> d) {
        done = true;
        got = std::move(d);
    });
    ASSERT_TRUE(w.start());
    w.listener().line(salLine(1));
    QTest::mouseClick(w.findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_TRUE(done);
    EXPECT_FALSE(got);
    EXPECT_TRUE(sink.shown.empty());
}

TEST(DownloadWindow, MissingPictureLibraryIsReportedAndNothingDrawn) {
    res::setLibraryOverride(QStringLiteral("/nonexistent/libtrixres.so"));
    Sink sink;
    FakeLink link;
    DownloadWindow w(link, sink, nullptr);
    res::setLibraryOverride(QString());
    ASSERT_FALSE(sink.shown.empty());
    EXPECT_EQ(sink.shown[0], str::kUtilityNotLoaded);
    w.show();
    for (int i = 0; i < 5; ++i)
        w.download().timer(AlmanacDownload::kStepTimer);
    (void)w.grab(); // paints without pictures
}
