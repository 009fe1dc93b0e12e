// The data plot and printing wired into the main window: a sample log viewed, Ctrl+O opening
// the plot with its series, the cursor following the epoch counter, Ctrl+C's control panel
// finding a recreated window, the plot colour page of the Options sheet, and File ▸ Print
// writing a PDF through the print code's printer seam, checked with poppler's tools.

#include "epoch_counter.h"
#include "main_window.h"
#include "options_sheet.h"
#include "plot_colors_option_page.h"
#include "trix_application.h"
#include "views/plot/plot_color_page.h"
#include "views/plot/plot_control_panel.h"
#include "views/plot/plot_factory.h"
#include "views/plot/plot_strips_view.h"
#include "views/plot/plot_window.h"
#include "views/position/sky_position_factories.h"
#include "views/print/print_frame.h"

#include "../views/print/pdf_text.h"

#include <QAction>
#include <QButtonGroup>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "scripted_interaction.h"
#include "scripted_messages.h"
#include "temp_profile.h"

using namespace trix;
using namespace trix::app;
using trix::testing::runTool;

namespace {

QString sample(const char* name) {
    return QStringLiteral(TRIX_SOURCE_DIR "/data/samples/") + name;
}

} // namespace

class PlotPrintTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp_;
    StartOptions options() const {
        return trix::app::test::optionsIn(*tmp_, (tmp_->path() + "/shipped").toStdString());
    }
    static plot::PlotWindow* plotOf(MainWindow& frame) {
        return qobject_cast<plot::PlotWindow*>(frame.window(DataWindow::Plot));
    }

private slots:
    void initTestCase() {
        trix::views::registerSkyAndPositionWindows();
        trix::plot::registerPlotWindow();
    }
    void init() {
        tmp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp_->isValid());
    }

    void plotOpensFollowsAndKeepsItsPanel() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        frame.resize(1200, 900);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        // Before a file is viewed the command opens nothing.
        QVERIFY(!frame.action(Command::DataPlotting)->isEnabled());
        QVERIFY(frame.viewLogFile(sample("r04__001.log")));
        QVERIFY(frame.action(Command::DataPlotting)->isEnabled());
        QCOMPARE(frame.action(Command::DataPlotting)->shortcut(), QKeySequence("Ctrl+O"));
        frame.action(Command::DataPlotting)->trigger();
        plot::PlotWindow* plot = plotOf(frame);
        QVERIFY(plot);
        QVERIFY(frame.action(Command::DataPlotting)->isChecked());

        // Built as the window was created, from the history already loaded.
        const plot::SeriesSet& set = plot->series();
        const int epochs = set.epochs;
        QVERIFY(epochs > 1);
        int built = 0;
        for (bool e : set.exists)
            built += e ? 1 : 0;
        QCOMPARE(built, 13);
        EpochCounter* counter = frame.epochCounter();
        QVERIFY(counter);
        QCOMPARE(counter->totalText(), QString::number(epochs));

        // The cursor follows the epoch counter.
        counter->setFocus();
        QTest::keyClick(counter, Qt::Key_End);
        QCOMPARE(plot->scene().cursor, epochs - 1);
        QTest::keyClick(counter, Qt::Key_Home);
        QCOMPARE(plot->scene().cursor, 0);
        QTest::keyClick(counter, Qt::Key_Right);
        QCOMPARE(plot->scene().cursor, 1);

        // Ctrl+C in the plot window opens the control panel with the window's ranges.
        frame.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(plot->parentWidget()));
        plot->strips()->setFocus();
        QAction* panelCommand = nullptr;
        for (QAction* a : plot->actions())
            if (a->shortcut() == QKeySequence("Ctrl+C"))
                panelCommand = a;
        QVERIFY(panelCommand);
        panelCommand->trigger();
        auto* panel = frame.findChild<plot::PlotControlPanel*>();
        QVERIFY(panel);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->shownFrom()->text(), QString("1"));
        QCOMPARE(panel->shownTo()->text(), QString::number(epochs));

        QImage shot = frame.grab().toImage();
        QVERIFY(shot.save(tmp_->path() + "/main_with_plot.png"));
        if (qEnvironmentVariableIsSet("TRIX_KEEP_GRABS"))
            shot.save(qEnvironmentVariable("TRIX_KEEP_GRABS") + "/main_with_plot.png");

        // Options: a new plot layout recreates the open window; the panel reaches the new one.
        {
            OptionsSheet sheet(frame.session(), &frame);
            QButtonGroup* layout = sheet.general()->plotLayout();
            const int other = app.settings().graphSplitterStyle == 1 ? 0 : 1;
            layout->button(other)->click();
            QVERIFY(sheet.applyPages());
        }
        plot::PlotWindow* again = plotOf(frame);
        QVERIFY(again);
        QVERIFY(again != plot);
        QCOMPARE(again->horizontalLayout(), app.settings().graphSplitterStyle == 1);
        panel->selectedFrom()->setText("2");
        panel->selectedTo()->setText("5");
        panel->showSelected();
        QCOMPARE(again->ranges().shownFirst(), 1);
        QCOMPARE(again->ranges().shownLast(), 4);
        QCOMPARE(panel->shownTo()->text(), QString("5"));

        // With the window closed, the layout change opens nothing.
        frame.onToggleView(DataWindow::Plot);
        QVERIFY(!plotOf(frame));
        {
            OptionsSheet sheet(frame.session(), &frame);
            const int other = app.settings().graphSplitterStyle == 1 ? 0 : 1;
            sheet.general()->plotLayout()->button(other)->click();
            QVERIFY(sheet.applyPages());
        }
        QVERIFY(!plotOf(frame));
        frame.close();
    }

    void optionsSheetCarriesThePlotColours() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        OptionsSheet sheet(frame.session(), &frame);
        QCOMPARE(sheet.tabs()->tabText(sheet.tabs()->count() - 1), QString("Data Plotting Colors"));
        auto* page = qobject_cast<PlotColorsOptionPage*>(sheet.plotColors());
        QVERIFY(page);
        QVERIFY(!page->modified());
        const QColor before = plot::PlotColors::from(app.settings()).curves[0];
        page->page()->selectGroup(0);
        page->page()->selectItem(0);
        const ColorValue c = page->page()->workingColor(0, 0) ^ 0x00ffffff;
        page->page()->setItemColor(c);
        QVERIFY(page->modified());
        QVERIFY(sheet.applyButton()->isEnabled());
        QVERIFY(sheet.applyPages());
        QVERIFY(plot::PlotColors::from(app.settings()).curves[0] != before);
    }

    void printToPdf() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        const QString pdf = tmp_->path() + "/plot.pdf";
        print::PrintCommand::Hooks hooks;
        int dialogs = 0;
        hooks.choosePrinter = [&](QPrinter& printer, QWidget*) {
            ++dialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        QString askedTitle;
        hooks.askChoice = [&](print::PrintChoice& c, bool& preview, const QString& title,
                              QWidget*) {
            askedTitle = title;
            c = print::PrintChoice::ActiveWindow;
            preview = false;
            return true;
        };
        auto* commands = new print::PrintCommands(frame, hooks);
        frame.resize(1200, 900);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        // No child window: nothing to print.
        commands->updateCommands();
        QVERIFY(!commands->printAction()->isEnabled());
        QCOMPARE(commands->printAction()->shortcut(), QKeySequence("Ctrl+P"));

        QVERIFY(frame.viewLogFile(sample("r04__001.log")));
        frame.onToggleView(DataWindow::Plot);
        plot::PlotWindow* plot = plotOf(frame);
        QVERIFY(plot);
        frame.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(plot->parentWidget()));
        commands->updateCommands();
        QVERIFY(commands->printAction()->isEnabled());
        // Every open window offers its document: the viewed file opened the sky chart and the
        // position window beside the plot.
        QVERIFY(commands->allDocuments().size() >= 3);

        app.settings().printOptions = 5;
        QCOMPARE(commands->print(false), 1);
        QCOMPARE(dialogs, 1);
        QCOMPARE(askedTitle, QString("Data Plotting"));
        QCOMPARE(app.settings().printOptions, 0);
        QVERIFY(QFile::exists(pdf));

        const QString info = runTool("pdfinfo", {pdf});
        if (info.isEmpty())
            QSKIP("pdfinfo (poppler-utils) is not installed");
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\b")), qPrintable(info));
        const QString text = runTool("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.contains("Data Plotting"), qPrintable(text));
        // The strips' time labels (the titles run vertically).
        QVERIFY2(text.contains("12:00:00.0"), qPrintable(text));

        // "All windows" prints every document, each through its own printer dialog.
        hooks.askChoice = nullptr;
        auto* all = new print::PrintCommands(
            frame,
            {[&](QPrinter& printer, QWidget*) {
                 ++dialogs;
                 printer.setOutputFormat(QPrinter::PdfFormat);
                 printer.setOutputFileName(tmp_->path() + QString("/all%1.pdf").arg(dialogs));
                 return true;
             },
             {},
             [](print::PrintChoice& c, bool& preview, const QString&, QWidget*) {
                 c = print::PrintChoice::AllWindows;
                 preview = false;
                 return true;
             }});
        dialogs = 0;
        const int documents = static_cast<int>(all->allDocuments().size());
        QCOMPARE(all->print(false), documents);
        QCOMPARE(dialogs, documents);
        QCOMPARE(app.settings().printOptions, 1);
        frame.close();
    }
};

QTEST_MAIN(PlotPrintTest)
#include "test_plot_print.moc"
