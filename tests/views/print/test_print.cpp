// Printing offscreen: the page header, the choice dialog and its stored choice, one document
// per window with a list taken before the dialogs run, a failing screen copy that aborts the
// job, the data plot to PDF checked with pdfinfo and pdftotext, and trixlog plot.

#include "app/core/settings.h"
#include "base/strings.h"
#include "logs/viewed_log.h"
#include "views/plot/plot_window.h"
#include "views/print/print_choice_dialog.h"
#include "views/print/print_command.h"
#include "views/print/print_document.h"
#include "views/print/screen_copy.h"
#include "views/print/window_printables.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace trix;
using namespace trix::print;

namespace {

class Sink : public MessageSink {
public:
    Answer show(std::string_view text, Buttons, Icon) override {
        texts.emplace_back(text);
        return Answer::Ok;
    }
    std::vector<std::string> texts;
};

std::string run(const std::string& cmd) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    pclose(p);
    return out;
}

bool havePoppler() {
    return std::system("pdfinfo -v >/dev/null 2>&1") == 0;
}

// A document whose page draws a filled rectangle, or fails.
class TestDoc : public Printable {
public:
    explicit TestDoc(QString title, bool fail = false) : title_(std::move(title)), fail_(fail) {}
    QString printTitle() const override { return title_; }
    bool alive() const override { return alive_; }
    bool printPage(QPainter& p, const QRect& target, MessageSink& m) override {
        ++pages;
        lastTarget = target;
        if (fail_) {
            m.show(str::kNotEnoughMemory);
            return false;
        }
        p.fillRect(target.adjusted(0, 0, -target.width() / 2, -target.height() / 2), Qt::black);
        return true;
    }
    bool alive_ = true;
    int pages = 0;
    QRect lastTarget;

private:
    QString title_;
    bool fail_;
};

QPrinter* pdfPrinter(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return &printer;
}

} // namespace

TEST(PrintHeader, DocumentNameIsCutButTheHeaderKeepsTheTitle) {
    const QString title = "A window title that is much longer than thirty-one characters [x]";
    EXPECT_EQ(documentName(title), title.left(31));
    EXPECT_EQ(printDateText(QDateTime(QDate(2026, 3, 5), QTime(9, 7))), "05 Mar 2026    09:07");
    QImage page(1000, 600, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    const QRect body = drawPageHeader(p, page.rect(), "Title", QDateTime::currentDateTime());
    p.end();
    EXPECT_GT(body.top(), 30);
    EXPECT_EQ(body.left(), kHeaderInset);
    // The line under the header runs across the page.
    const int line = body.top() - kBodyGap;
    EXPECT_EQ(page.pixelColor(2, line), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(997, line), QColor(Qt::black));
}

TEST(PrintChoice, StoredValuesAboveTwoBecomeTheActiveWindow) {
    EXPECT_EQ(storedChoice(2), PrintChoice::ScreenCopy);
    EXPECT_EQ(storedChoice(3), PrintChoice::ActiveWindow);
    EXPECT_EQ(storedChoice(-1), PrintChoice::ActiveWindow);
    PrintChoiceDialog d(PrintChoice::AllWindows, "Sky Chart");
    EXPECT_EQ(d.button(PrintChoice::ActiveWindow)->text(), "Active window - \"Sky Chart\"");
    EXPECT_EQ(d.choice(), PrintChoice::AllWindows);
    PrintChoiceDialog none(PrintChoice::ActiveWindow, QString());
    EXPECT_EQ(none.button(PrintChoice::ActiveWindow)->text(), "Active window");
}

TEST(PrintCommandTest, AllWindowsPrintsOneDocumentEachAndSkipsClosedOnes) {
    QTemporaryDir dir;
    Sink sink;
    int stored = 0;
    int dialogs = 0;
    std::vector<QString> names;
    PrintableList all;
    all.push_back(std::make_unique<TestDoc>("First"));
    all.push_back(std::make_unique<TestDoc>("Second"));
    all.push_back(std::make_unique<TestDoc>("Third"));
    auto* second = static_cast<TestDoc*>(all[1].get());
    PrintCommand::Hooks hooks;
    hooks.askChoice = [](PrintChoice& c, bool& preview, const QString& title, QWidget*) {
        EXPECT_EQ(title, "First");
        c = PrintChoice::AllWindows;
        preview = false;
        return true;
    };
    hooks.choosePrinter = [&](QPrinter& printer, QWidget*) {
        ++dialogs;
        names.push_back(printer.docName());
        second->alive_ = false; // closed while the first dialog runs
        pdfPrinter(printer, dir.filePath(QString("doc%1.pdf").arg(dialogs)));
        return true;
    };
    PrintCommand command(stored, sink, nullptr, hooks);
    TestDoc screen("Screen Copy");
    EXPECT_EQ(command.run(all.front().get(), all, screen), 2);
    EXPECT_EQ(stored, 1);
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(names, (std::vector<QString>{"First", "Third"}));
    EXPECT_EQ(second->pages, 0);
    EXPECT_TRUE(sink.texts.empty());
    // No active window: nothing is asked.
    EXPECT_EQ(command.run(nullptr, all, screen), 0);
}

TEST(PrintCommandTest, AFailedScreenCopyAbortsTheJobWithItsMessage) {
    QTemporaryDir dir;
    Sink sink;
    int stored = 2;
    PrintCommand::Hooks hooks;
    hooks.askChoice = [](PrintChoice& c, bool&, const QString&, QWidget*) {
        EXPECT_EQ(c, PrintChoice::ScreenCopy);
        return true;
    };
    hooks.choosePrinter = [&](QPrinter& printer, QWidget*) {
        pdfPrinter(printer, dir.filePath("screen.pdf"));
        return true;
    };
    PrintCommand command(stored, sink, nullptr, hooks);
    TestDoc active("Active");
    ScreenCopy failing(nullptr, [] { return QPixmap(); });
    EXPECT_EQ(command.run(&active, {}, failing), 0);
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.texts[0], str::kNotEnoughMemory);
    EXPECT_EQ(active.pages, 0);

    // A working copy of a 1000 × 500 window fills the page width and half its height.
    EXPECT_EQ(fittedRect(QSize(1000, 500), QRect(0, 0, 800, 1000)), QRect(0, 0, 800, 400));
    EXPECT_EQ(fittedRect(QSize(500, 1000), QRect(0, 0, 800, 1000)), QRect(0, 0, 500, 1000));
    sink.texts.clear();
    ScreenCopy working(nullptr, [] {
        QPixmap pm(1000, 500);
        pm.fill(Qt::darkGreen);
        return pm;
    });
    EXPECT_EQ(command.run(&active, {}, working), 1);
    EXPECT_TRUE(sink.texts.empty()) << sink.texts.front();
}

TEST(PrintCommandTest, CancellingThePrinterDialogPrintsNothing) {
    Sink sink;
    int stored = 0;
    PrintCommand::Hooks hooks;
    hooks.askChoice = [](PrintChoice&, bool&, const QString&, QWidget*) { return true; };
    hooks.choosePrinter = [](QPrinter&, QWidget*) { return false; };
    PrintCommand command(stored, sink, nullptr, hooks);
    TestDoc active("Active");
    EXPECT_EQ(command.run(&active, {}, active), 0);
    EXPECT_EQ(active.pages, 0);
    hooks.askChoice = [](PrintChoice&, bool&, const QString&, QWidget*) { return false; };
    PrintCommand cancelled(stored, sink, nullptr, hooks);
    EXPECT_EQ(cancelled.run(&active, {}, active), 0);
}

TEST(PrintPlot, TheDataPlotPrintsToOnePdfPageWithHeaderAndLabels) {
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) not installed";
    QTemporaryDir dir;
    Sink sink;
    logs::ViewedLog viewed(sink);
    ASSERT_TRUE(viewed.open(std::string(TRIX_SOURCE_DIR) + "/data/samples/r04__001.log"));
    plot::PlainPlotSource source;
    source.decoderPtr = &viewed.decoder;
    plot::PlotWindow window(source);
    auto doc = printableOf(&window);
    EXPECT_EQ(doc->printTitle(), "Data Plotting");
    QPrinter printer(QPrinter::HighResolution);
    const QString path = dir.filePath("plot.pdf");
    pdfPrinter(printer, path);
    const QDateTime when(QDate(2026, 12, 8), QTime(4, 30));
    ASSERT_TRUE(printDocument(printer, *doc, sink, when));
    const std::string info = run("pdfinfo '" + path.toStdString() + "'");
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    const std::string text = run("pdftotext -layout '" + path.toStdString() + "' -");
    EXPECT_NE(text.find("Data Plotting"), std::string::npos) << text;
    // pdftotext narrows the gap between date and time.
    EXPECT_NE(text.find("08 Dec 2026"), std::string::npos) << text;
    EXPECT_NE(text.find("04:30"), std::string::npos) << text;
    EXPECT_NE(text.find("-2"), std::string::npos) << text;         // a value label
    EXPECT_NE(text.find("12:00:00.0"), std::string::npos) << text; // first time label
}

TEST(PrintPlot, TrixlogPlotWritesPngSvgAndPdfAndRefusesBadRanges) {
    QTemporaryDir dir;
    const std::string tool = std::string(TRIX_BINARY_DIR) + "/tools/trixlog/trixlog plot ";
    const std::string log = std::string(TRIX_SOURCE_DIR) + "/data/samples/r04__001.log";
    const std::string png = dir.filePath("p.png").toStdString();
    ASSERT_EQ(std::system((tool + log +
                           " --param Heading --param 6 --from 1 --to 50 --select "
                           "10,20 --size 800x500 --out " +
                           png)
                              .c_str()),
              0);
    QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(800, 500));
    bool mark = false;
    for (int x = 0; x < image.width() && !mark; ++x)
        mark = image.pixelColor(x, 5) == QColor(253, 254, 205);
    EXPECT_TRUE(mark);
    const std::string svg = dir.filePath("p.svg").toStdString();
    ASSERT_EQ(std::system((tool + log + " --out " + svg).c_str()), 0);
    EXPECT_NE(run("head -c 400 " + svg).find("<svg"), std::string::npos);
    const std::string bad = tool + log + " --from 5 --to 500 --out " + png + " 2>&1";
    EXPECT_EQ(run(bad), "Maximum available epoch value is 200.\n");
    EXPECT_EQ(WEXITSTATUS(std::system((bad + " >/dev/null").c_str())), 2);
    EXPECT_EQ(run(tool + log + " --from 5 --to 5 --out " + png + " 2>&1"),
              std::string(str::kFirstEpochLess) + "\n");
    EXPECT_EQ(WEXITSTATUS(std::system(
                  (tool + log + " --param Nothing --out " + png + " >/dev/null 2>&1").c_str())),
              2);
    if (!havePoppler())
        return;
    const std::string pdf = dir.filePath("p.pdf").toStdString();
    ASSERT_EQ(std::system((tool + log + " --out " + pdf).c_str()), 0);
    EXPECT_NE(run("pdfinfo " + pdf).find("Pages:           1"), std::string::npos);
    EXPECT_NE(run("pdftotext " + pdf + " -").find("Data Plotting"), std::string::npos);
}

TEST(PrintChoice, TheProfileClampsStoredChoicesAboveTwo) {
    for (const app::IntSetting& s : app::kIntSettings) {
        if (std::string(s.key) != "Print Options")
            continue;
        EXPECT_EQ(app::applyClamp(s, 2), 2);
        EXPECT_EQ(app::applyClamp(s, 3), 0);
        return;
    }
    FAIL() << "no Print Options setting";
}
