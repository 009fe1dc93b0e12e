// The DGPS windows on paper through the common print procedure, checked in the PDF they print:
// the RTCM window's rows on numbered pages, each row once and whole; the RTK window's scatter
// plot with its tables; a window closed before its document prints is skipped.

#include "base/text.h"
#include "sentences.h"
#include "views/print/print_document.h"
#include "views/rtcm/dgps_commands.h"
#include "views/rtcm/dgps_printout.h"
#include "views/rtcm/rtcm_parser.h"
#include "views/rtcm/rtcm_window.h"
#include "views/rtk/rtk_parser.h"
#include "views/rtk/rtk_window.h"
#include "views/sky/display_source.h"

#include "../print/pdf_text.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using trix::testing::sentence;
using namespace trix;
using trix::testing::pageText;
using trix::testing::pdfPages;
using trix::testing::runTool;

namespace {

struct NoCommands : dgps::DgpsCommands {
    bool portOpen() const override { return false; }
    void outputSet(dgps::OutputSet, bool) override {}
    void querySet(std::string_view) override {}
    void query(std::string_view) override {}
};

struct Sink : MessageSink {
    Answer show(std::string_view text, Buttons, Icon) override {
        shown.emplace_back(text);
        return Answer::Ok;
    }
    void beep() override {}
    void status(std::string_view) override {}
    std::vector<std::string> shown;
};

// Prints `doc` into `pdf`; by default on a small landscape page, so that a few dozen rows
// need pages.
bool printToPdf(print::Printable& doc, const QString& pdf, Sink& sink,
                QPageSize::PageSizeId size = QPageSize::A6,
                QPageLayout::Orientation orientation = QPageLayout::Landscape) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageLayout(
        QPageLayout(QPageSize(size), orientation, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    return print::printDocument(printer, doc, sink);
}

// Message epoch of type 1 (GPS) and 31 (GLONASS) with `n` satellites each; the corrections
// 10.001, 10.002, ... tell the rows apart on paper.
std::vector<std::string> manySatellites(int n) {
    std::string gps = "GPMSG,1,0123,1234.5,0,0,1,115959.00";
    std::string glo = "GPMSG,31,0123,1234.5,1,0,1,115959.00";
    for (int sv = 1; sv <= n; ++sv) {
        gps += cformat(",0,%d,%.3f,0.001,7", sv, 10.0 + sv / 1000.0);
        glo += cformat(",0,%d,%.3f,0.001,7", sv, 20.0 + sv / 1000.0);
    }
    return {sentence("PXKTR,POS,1,06,120000.00,5546.12393,N,03737.54398,E,181.947,,90.0,0.10"),
            sentence(gps),
            sentence(glo),
            "RTC STATUS:",
            "SYNC:*  TYPE:1  STID:0123  STHE:0",
            "AGE:+001.7  QA:100.0%  OFFSET:2"};
}

TEST(DgpsPrint, PageCountRoundsUp) {
    EXPECT_EQ(views::pagesFor(0, 10), 1) << "an empty window still prints its page";
    EXPECT_EQ(views::pagesFor(10, 10), 1);
    EXPECT_EQ(views::pagesFor(11, 10), 2);
    EXPECT_EQ(views::pagesFor(5, 0), 5) << "a page too small still takes a row";
}

TEST(DgpsPrint, RtcmRowsRunOverNumberedPagesEachRowOnce) {
    rtcm::RtcmParser parser;
    views::PlainDisplaySource source;
    NoCommands commands;
    views::RtcmWindow w(parser, source, commands);
    for (const std::string& l : manySatellites(30))
        w.line(l);
    w.line(sentence("PXKTR,POS,1,06,120001.00,5546.12394,N,03737.54400,E,181.992,,90.0,0.10"));
    ASSERT_EQ(w.gpsGrid()->rowCount(), 30);
    ASSERT_EQ(w.glonassGrid()->rowCount(), 30);

    // Kept beside the window grabs, to be looked at.
    const QString pdf = QString::fromUtf8(TRIX_BINARY_DIR) + "/dgps_rtcm_print.pdf";
    Sink sink;
    auto doc = w.printDocument();
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->printTitle(), QStringLiteral("RTCM DGPS"));
    ASSERT_TRUE(printToPdf(*doc, pdf, sink));
    const int pages = pdfPages(pdf);
    ASSERT_GT(pages, 1) << "60 satellite rows need more than one small page";
    QString all;
    for (int i = 1; i <= pages; ++i) {
        const QString text = pageText(pdf, i);
        EXPECT_TRUE(text.contains(QStringLiteral("RTCM DGPS"))) << "the common header, page " << i;
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(i).arg(pages)))
            << text.toStdString();
        all += text;
    }
    // The answer's status line: the last header's sequence and Z-count beside the answer.
    EXPECT_TRUE(all.contains(QStringLiteral("Type: 1;STID: 123;STHE: 0;SQNU: 1; AGE: 1.70")))
        << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral(";QA: 100.00%;OFFSET: 2")));
    EXPECT_TRUE(all.contains(QStringLiteral(";ZCNT: 1234.50")));
    EXPECT_TRUE(all.contains(QStringLiteral("Message From Base:")));
    // Every correction row is printed once, whole: its SV number and its correction on one line.
    for (int sv = 1; sv <= 30; ++sv) {
        for (double base : {10.0, 20.0}) {
            const QString prc = QString::number(base + sv / 1000.0, 'f', 3);
            EXPECT_EQ(all.count(prc), 1) << prc.toStdString();
            const QRegularExpression row(QStringLiteral("(^|\\n)\\s*%1\\s+0\\s+%2")
                                             .arg(base > 15 ? sv + 32 : sv)
                                             .arg(QRegularExpression::escape(prc)));
            EXPECT_TRUE(row.match(all).hasMatch()) << prc.toStdString();
        }
    }
}

TEST(DgpsPrint, RtkPrintsItsScatterPlotAndTablesOnOnePage) {
    rtk::RtkParser parser;
    views::PlainDisplaySource source;
    source.model = 18;
    NoCommands commands;
    views::RtkWindow w(parser, source, commands);
    for (const char* l : {"CPD MODE:ROV STAT:ON", "AMBIGUITY:FIXED"})
        w.line(l);
    for (int i = 0; i < 12; ++i)
        w.line(sentence(cformat("PXKTR,CBN,1200%02d.00,FIX,06,%.5f,N,03737.54321,E,165.0,0.012,"
                                "0.010,0.025,1.8,0.9,1.5,0.8,0.001,-0.002,0.000,0.010,0.010,0.020",
                                i, 5546.12345 + i * 0.00002)));
    const QString pdf = QString::fromUtf8(TRIX_BINARY_DIR) + "/dgps_rtk_print.pdf";
    Sink sink;
    auto doc = w.printDocument();
    ASSERT_TRUE(doc);
    ASSERT_TRUE(printToPdf(*doc, pdf, sink, QPageSize::A4, QPageLayout::Portrait));
    EXPECT_EQ(pdfPages(pdf), 1);
    const QString text = pageText(pdf, 1);
    for (const char* part :
         {"RTK", "Departure Plot", "Points Number: 12", "UTC time", "12 : 00 : 11.00",
          "Update data", "CPD Mode", "Rover", "Fixed", "ENU coordinate system"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << "\n" << text.toStdString();
    // North up on paper as on screen: the plot's "N" comes before its titles, the titles
    // before the tables.
    const qsizetype north = text.indexOf(QRegularExpression("(^|\\n)\\s*N\\s"));
    EXPECT_GE(north, 0);
    EXPECT_LT(north, text.indexOf(QStringLiteral("Departure Plot")));
    EXPECT_LT(text.indexOf(QStringLiteral("Departure Plot")), text.indexOf("UTC time"));

    // A short page keeps the plot beside the tables rather than dropping it.
    const QString shortPage = QString::fromUtf8(TRIX_BINARY_DIR) + "/dgps_rtk_print_short.pdf";
    ASSERT_TRUE(printToPdf(*doc, shortPage, sink));
    const QString small = pageText(shortPage, 1);
    EXPECT_EQ(pdfPages(shortPage), 1);
    for (const char* part : {"Departure Plot", "Points Number: 12", "UTC time", "Ambiguity Fix"})
        EXPECT_TRUE(small.contains(QString::fromUtf8(part))) << part << "\n" << small.toStdString();
}

TEST(DgpsPrint, AWindowClosedBeforeItsDocumentPrintsIsSkipped) {
    QTemporaryDir tmp;
    rtcm::RtcmParser rtcmParser;
    rtk::RtkParser rtkParser;
    views::PlainDisplaySource source;
    NoCommands commands;
    auto* rtcmWindow = new views::RtcmWindow(rtcmParser, source, commands);
    auto* rtkWindow = new views::RtkWindow(rtkParser, source, commands);
    auto rtcmDoc = rtcmWindow->printDocument();
    auto rtkDoc = rtkWindow->printDocument();
    EXPECT_TRUE(rtcmDoc->alive() && rtkDoc->alive());
    delete rtcmWindow;
    delete rtkWindow;
    Sink sink;
    for (print::Printable* doc : {rtcmDoc.get(), rtkDoc.get()}) {
        EXPECT_FALSE(doc->alive());
        EXPECT_FALSE(printToPdf(*doc, tmp.path() + "/gone.pdf", sink));
    }
    EXPECT_TRUE(sink.shown.empty()) << "a window that is gone is skipped without a message";
}

} // namespace
