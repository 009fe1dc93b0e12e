// The terminal on paper: pages of whole lines, each numbered, printed to a PDF and read back
// with poppler's tools; output held while printing and released however printing ends.

#include "views/print/print_document.h"
#include "views/terminal/terminal_printout.h"
#include "views/terminal/terminal_view.h"

#include "../print/pdf_text.h"

#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace trix;
using namespace trix::views;
using trix::testing::pageText;
using trix::testing::pdfPages;
using trix::testing::runTool;

namespace {

class Sink : public MessageSink {
public:
    Answer show(std::string_view text, Buttons, Icon) override {
        shown.emplace_back(text);
        return Answer::Ok;
    }
    std::vector<std::string> shown;
};

class Host : public TerminalHost {
public:
    int modelIndex() const override { return 16; }
    char portLetter() const override { return 'A'; }
    ticket::SendResult send(std::string_view, bool) override { return {}; }
    std::string findReceiverFile(const std::string&) const override { return {}; }
    std::string receiverFolder() const override { return "/tmp"; }
};

// Prints `view` through the common print procedure into `pdf`.
bool printToPdf(TerminalView& view, const QString& pdf, Sink& sink) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    auto doc = view.printDocument();
    return doc && print::printDocument(printer, *doc, sink);
}

QString lineText(int i) {
    return QStringLiteral("$PXKTR,LINE,%1,END").arg(i, 3, 10, QLatin1Char('0'));
}

} // namespace

TEST(TerminalPrint, PaginationKeepsLinesWholeAndCutsOnlyOverlongOnes) {
    using P = PrintPage;
    EXPECT_EQ(paginateLines({}, 5), (std::vector<P>{P{}}));
    EXPECT_EQ(paginateLines({1, 1, 3, 1}, 4),
              (std::vector<P>{P{{0, 0, 1}, {1, 0, 1}}, P{{2, 0, 3}, {3, 0, 1}}}));
    // A line longer than a page starts a page of its own and runs on.
    EXPECT_EQ(paginateLines({1, 10, 1}, 4),
              (std::vector<P>{P{{0, 0, 1}}, P{{1, 0, 4}}, P{{1, 4, 4}}, P{{1, 8, 2}, {2, 0, 1}}}));
    // A page too small for a row still takes one.
    EXPECT_EQ(paginateLines({1, 1}, 0), (std::vector<P>{P{{0, 0, 1}}, P{{1, 0, 1}}}));
}

TEST(TerminalPrint, EveryLineOnceOnNumberedPages) {
    QTemporaryDir tmp;
    Host host;
    Sink sink;
    TerminalView view(host, sink, nullptr);
    // 140 lines: the list keeps the newest 129, and those are what is printed.
    for (int i = 1; i <= 140; ++i)
        view.traffic(i % 4 ? link::Direction::Received : link::Direction::Sent,
                     lineText(i).toStdString());
    view.traffic(link::Direction::Note, "Initialization is complete");
    ASSERT_EQ(view.lines().size(), 129u);

    const QString pdf = tmp.path() + "/terminal.pdf";
    ASSERT_TRUE(printToPdf(view, pdf, sink));
    EXPECT_TRUE(sink.shown.empty());
    const int pages = pdfPages(pdf);
    if (pages < 0)
        GTEST_SKIP() << "poppler-utils are not installed";
    ASSERT_GE(pages, 2);

    // Page by page: the page frame's title, the number, and the lines in order with no line
    // twice and none missing.
    int expected = 13; // lines 1 to 12 were pushed out of the list
    int perPage = -1;
    for (int page = 1; page <= pages; ++page) {
        const QString text = pageText(pdf, page);
        EXPECT_TRUE(text.contains("GPS Receiver Terminal")) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1").arg(page))) << page;
        EXPECT_FALSE(text.contains(QStringLiteral("Page %1").arg(page + 1))) << page;
        const auto found = QRegularExpression("\\$PXKTR,LINE,(\\d{3}),END").globalMatch(text);
        int onPage = 0;
        for (auto it = found; it.hasNext();) {
            EXPECT_EQ(it.next().captured(1).toInt(), expected) << "page " << page;
            ++expected;
            ++onPage;
        }
        if (page == 1) {
            perPage = onPage;
        } else if (page < pages) {
            EXPECT_EQ(onPage, perPage) << "every full page holds as many lines";
        }
        if (page == pages) {
            EXPECT_TRUE(text.contains("Initialization is complete"));
            EXPECT_LE(onPage + 1, perPage);
        }
    }
    EXPECT_EQ(expected, 141);
    // The page count follows from the lines a page holds.
    EXPECT_EQ(pages, (129 + perPage - 1) / perPage);

    // The first page as a picture: the sent lines in dark blue, received in dark green.
    const QString png = tmp.path() + "/page";
    runTool("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", pdf, png});
    QImage image(png + "-1.png");
    if (image.isNull())
        image.load(png + "-01.png");
    ASSERT_FALSE(image.isNull());
    QDir().mkpath("/tmp/term_grabs");
    image.save("/tmp/term_grabs/terminal_print_page1.png");
    bool blue = false, green = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue = blue || (c.blue() > 90 && c.red() < 60 && c.green() < 60);
            green = green || (c.green() > 90 && c.red() < 60 && c.blue() < 60);
        }
    EXPECT_TRUE(blue);
    EXPECT_TRUE(green);
}

TEST(TerminalPrint, LongLineWrapsOnItsPageAndAFewLinesTakeOnePage) {
    QTemporaryDir tmp;
    Host host;
    Sink sink;
    TerminalView view(host, sink, nullptr);
    std::string longLine = "$PXKTR,ALM";
    for (int i = 0; i < 40; ++i)
        longLine += ",W" + std::to_string(100 + i);
    view.traffic(link::Direction::Received, "$GPGGA,first");
    view.traffic(link::Direction::Received, longLine);
    view.traffic(link::Direction::Received, "$GPRMC,last");
    const QString pdf = tmp.path() + "/short.pdf";
    ASSERT_TRUE(printToPdf(view, pdf, sink));
    if (pdfPages(pdf) < 0)
        GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_EQ(pdfPages(pdf), 1);
    QString text = runTool("pdftotext", {pdf, "-"});
    EXPECT_TRUE(text.contains("Page 1"));
    EXPECT_FALSE(text.contains("Page 2"));
    text.remove(QRegularExpression("\\s"));
    EXPECT_TRUE(text.contains(QString::fromStdString(longLine))) << text.toStdString();
    EXPECT_LT(text.indexOf("$GPGGA,first"), text.indexOf("$PXKTR,ALM"));
    EXPECT_LT(text.indexOf("$PXKTR,ALM"), text.indexOf("$GPRMC,last"));
}

TEST(TerminalPrint, OutputIsHeldWhilePrintingAndGoesOnAfterwards) {
    Host host;
    Sink sink;
    TerminalView view(host, sink, nullptr);
    view.traffic(link::Direction::Received, "$GPGGA,1");
    QImage paper(800, 1100, QImage::Format_RGB32);
    const QRect body(10, 60, 780, 1000);
    {
        // Printed to the end: held from the layout to the last page.
        auto doc = view.printDocument();
        QPainter p(&paper);
        ASSERT_EQ(doc->pageCount(p, body), 1);
        EXPECT_TRUE(view.outputHeld());
        view.traffic(link::Direction::Received, "$GPGGA,while printing");
        EXPECT_EQ(view.list()->count(), 1);
        ASSERT_TRUE(doc->printPageAt(p, body, 0, sink));
        EXPECT_FALSE(view.outputHeld());
    }
    view.traffic(link::Direction::Received, "$GPGGA,2");
    EXPECT_EQ(view.list()->count(), 2);
    {
        // Abandoned after the layout (a failed or cancelled job): released when it goes.
        auto doc = view.printDocument();
        QPainter p(&paper);
        doc->pageCount(p, body);
        auto second = view.printDocument(); // "All windows" holds a second document
        second->pageCount(p, body);
        doc.reset();
        EXPECT_TRUE(view.outputHeld());
    }
    EXPECT_FALSE(view.outputHeld());
    // The user's own pause is untouched.
    EXPECT_FALSE(view.paused());
    view.traffic(link::Direction::Received, "$GPGGA,3");
    EXPECT_EQ(view.list()->count(), 3);
    // A document whose terminal has closed is skipped.
    auto orphan = std::make_unique<TerminalView>(host, sink, nullptr)->printDocument();
    EXPECT_FALSE(orphan->alive());
}
