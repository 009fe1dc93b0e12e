// The Qt shell driven as a user drives it: profile round trip, title and command enabling,
// the start-up menu, viewing and playing a log file, an analysis writing its summary file, a
// recorded session, the options sheet, and a screenshot of the emulation.

#include "app/core/emulator.h"
#include "epoch_counter.h"
#include "main_window.h"
#include "options_sheet.h"
#include "startup_dialog.h"
#include "status_bar.h"
#include "trix_application.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "scripted_interaction.h"
#include "scripted_messages.h"
#include "temp_profile.h"

#include <deque>
#include <fstream>

using namespace trix;
using namespace trix::app;

namespace {

using test::ScriptedInteraction;
using test::ScriptedMessages;

// Writes `epochs` emulated epochs as a recorded log file would hold them.
QString writeEmulatedLog(const QString& dir, const QString& name, int epochs) {
    QString path = dir + "/" + name;
    std::ofstream out(path.toStdString(), std::ios::binary);
    Emulator e(0, defaultRandomSource(11));
    for (int i = 0; i < epochs; ++i) {
        EmulationInputs in;
        in.localTime = {10, i / 60, i % 60};
        e.tick(
            in, [&](std::string_view s) { out << s << "\r\n"; },
            [] {
                return std::array<int, 3>{1, 2, 3};
            });
    }
    return path;
}

QStringList filesIn(const QString& dir, const QString& pattern) {
    return QDir(dir).entryList({pattern}, QDir::Files, QDir::Name);
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp_;
    StartOptions options() const {
        return trix::app::test::optionsIn(*tmp_, (tmp_->path() + "/shipped").toStdString());
    }
    QString logDir() const { return tmp_->path() + "/data/Log"; }

private slots:
    void init() { tmp_ = std::make_unique<QTemporaryDir>(); }

    void freshProfileRoundTrip() {
        {
            TrixApplication app(options());
            QCOMPARE(app.settings().distanceUnits, 4);
            QCOMPARE(app.folders().logging, logDir().toStdString() + "/");
            QVERIFY(QDir(logDir()).exists());
            QVERIFY(QDir(tmp_->path() + "/data/ALMANACS").exists());
            {
                ScriptedMessages m;
                ScriptedInteraction ui;
                MainWindow frame(app, &m, &ui);
            }
            QVERIFY(app.saveProfile());
        }
        QFile f(QString::fromStdString(options().profilePath));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.contains("Com Set=5,0,0,0,0,1,0"));
        QVERIFY(text.contains("Com Number=0"));
        QVERIFY(text.contains("MainWin="));
        QVERIFY(!text.contains("Distance Units")); // unchanged: not written
        QVERIFY(!text.contains("Logging Dir"));

        // A changed setting is written and read back; the clamps apply on reading.
        {
            TrixApplication app(options());
            app.settings().distanceUnits = 7;
            app.profile().writeString("Options", "Log auto-save interval", "10000");
            QVERIFY(app.saveProfile());
        }
        TrixApplication again(options());
        QCOMPARE(again.settings().distanceUnits, 7);
        QCOMPARE(again.settings().logAutoSaveInterval, 5000);
    }

    void unreadableProfileIsNeverWrittenOver() {
        // A profile that cannot be read is used as a fresh one, but left as it was at exit.
        const QString path = QString::fromStdString(options().profilePath);
        QVERIFY(QDir().mkpath(path));
        QVERIFY(QFile::copy(QFINDTESTDATA("test_shell.cpp"), path + "/keep.txt"));
        TrixApplication app(options());
        QCOMPARE(app.settings().distanceUnits, 4);
        std::string error;
        QVERIFY(!app.saveProfile(&error));
        QVERIFY(QString::fromStdString(error).contains("could not be read"));
        QVERIFY(QFile::exists(path + "/keep.txt"));
    }

    void titleAndCommandsFollowTheState() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        ui.time = [] { return ClockTime{9, 0, 0}; };
        QCOMPARE(frame.windowTitle(), QString("Orvane Trialix"));
        QVERIFY(frame.action(Command::ViewLogFile)->isEnabled());
        QVERIFY(frame.action(Command::Emulation)->isEnabled());
        QVERIFY(!frame.action(Command::EpochCounter)->isEnabled());
        QVERIFY(!frame.action(Command::Logging)->isEnabled());
        QCOMPARE(frame.statusBarEx()->paneText(StatusBar::Units), QString("D:m A:m H:km/h V:m/s"));

        frame.onEmulation();
        QCOMPARE(frame.windowTitle(), QString("Orvane Trialix - Emulation mode for RX-04"));
        QVERIFY(frame.action(Command::Emulation)->isChecked());
        QVERIFY(!frame.action(Command::ViewLogFile)->isEnabled());
        QVERIFY(frame.action(Command::EpochCounter)->isChecked());
        QVERIFY(frame.action(Command::Logging)->isEnabled());
        QVERIFY(frame.session().decoder());
        frame.onEmulation();
        QCOMPARE(frame.windowTitle(), QString("Orvane Trialix"));
        QVERIFY(!frame.session().decoder());
        QVERIFY(!frame.epochCounter());
    }

    void menuTextsAndShortcuts() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        const struct {
            Command c;
            const char* text;
            const char* key;
        } expected[] = {
            {Command::Connect, "&Connect...", "Ctrl+G"},
            {Command::Disconnect, "&Disconnect", "Ctrl+D"},
            {Command::Position, "Positio&n", "Ctrl+N"},
            {Command::SkyChart, "Sk&y chart", "Ctrl+Y"},
            {Command::IndicatorPanel, "&Indicator Panel", "Ctrl+I"},
            {Command::DgpsRtc, "DGPS &RTC", "Ctrl+R"},
            {Command::DataPlotting, "Data Pl&otting", "Ctrl+O"},
            {Command::PortActivity, "Port &Activity", "Ctrl+A"},
        };
        for (const auto& e : expected) {
            QCOMPARE(frame.action(e.c)->text(), QString(e.text));
            QCOMPARE(frame.action(e.c)->shortcut(), QKeySequence(e.key));
        }
        // No two commands share a shortcut.
        QSet<QString> keys;
        for (int i = 0; i < kCommandCount; ++i) {
            QKeySequence k = frame.action(static_cast<Command>(i))->shortcut();
            if (!k.isEmpty()) {
                QVERIFY2(!keys.contains(k.toString()), qPrintable(k.toString()));
                keys.insert(k.toString());
            }
        }
        // "Port Activity" is a View command, not a GPS one.
        auto menuOf = [&](QAction* a) {
            for (QAction* top : frame.menuBar()->actions())
                if (top->menu() && top->menu()->actions().contains(a))
                    return top->menu()->title();
            return QString();
        };
        QCOMPARE(menuOf(frame.action(Command::PortActivity)), QString("&View"));
        QCOMPARE(menuOf(frame.action(Command::Connect)), QString("&GPS"));
    }

    void statusBarPanes() {
        StatusBar bar;
        // Progress: hidden until the first value; 100 hides it after 100 ms, -1 at once.
        QVERIFY(!bar.progressVisible());
        bar.setProgress(40);
        QVERIFY(bar.progressVisible());
        QCOMPARE(bar.progressValue(), 40);
        bar.setProgress(100);
        QVERIFY(bar.progressVisible());
        QTest::qWait(30);
        QVERIFY(bar.progressVisible());
        QVERIFY(QTest::qWaitFor([&] { return !bar.progressVisible(); }, 1000));
        bar.setProgress(10);
        QVERIFY(bar.progressVisible());
        bar.setProgress(-1);
        QVERIFY(!bar.progressVisible());
        // A new progress that starts within the 100 ms is not hidden by the old one's end.
        bar.setProgress(100);
        bar.setProgress(0);
        QTest::qWait(200);
        QVERIFY(bar.progressVisible());
        bar.setProgress(-1);

        // Animation pane: 0 plays endlessly, 1 stops and hides, 2 plays once, else first frame.
        PaneAnimation* a = bar.animation();
        QVERIFY(a->isHidden());
        bar.setAnimation(StatusBar::PlayEndless);
        QVERIFY(!a->isHidden() && a->playing());
        bar.setAnimation(StatusBar::StopHide);
        QVERIFY(a->isHidden() && !a->playing());
        bar.setAnimation(StatusBar::PlayOnce);
        QVERIFY(a->playing());
        QVERIFY(QTest::qWaitFor([&] { return !a->playing(); }, 3000));
        QCOMPARE(a->frame(), 0);
        bar.setAnimation(7);
        QVERIFY(!a->isHidden() && !a->playing());

        // The units pane grows with a long text and keeps at least 150 pixels.
        bar.setPaneText(StatusBar::Units, "D:m A:m H:km/h V:m/s");
        QCOMPARE(bar.paneText(StatusBar::Units), QString("D:m A:m H:km/h V:m/s"));
        const QString longText = QString("D:%1").arg(QString(80, 'x'));
        bar.setPaneText(StatusBar::Units, longText);
        QLabel* units = nullptr;
        for (QLabel* l : bar.findChildren<QLabel*>())
            if (l->text() == longText)
                units = l;
        QVERIFY(units);
        QVERIFY(units->minimumWidth() >=
                QFontMetrics(units->font()).horizontalAdvance(longText) + 2);
        bar.setPaneText(StatusBar::Port, "COM2");
        bar.setPaneText(StatusBar::Baud, "9600");
        QCOMPARE(bar.paneText(StatusBar::Port), QString("COM2"));
        QCOMPARE(bar.paneText(StatusBar::Baud), QString("9600"));
        bar.setIcon(StatusBar::RecordingIcon);
        QCOMPARE(bar.iconIndex(), static_cast<int>(StatusBar::RecordingIcon));
    }

    void startupMenuChoices() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        StartupDialog dlg(2);
        QCOMPARE(dlg.choice(), StartupChoice::ConnectLast);
        QVERIFY(dlg.displayBox()->isChecked());
        QVERIFY(!dlg.analysisBox()->isChecked());
        QCOMPARE(StartupDialog(0).choice(), StartupChoice::Connect);

        app.settings().comNumber = 2;
        runStartupChoice(frame, StartupChoice::ConnectLast, false, true);
        QCOMPARE(app.settings().comNumber, 2); // kept for "with last settings"
        runStartupChoice(frame, StartupChoice::Emulation, false, false);
        QCOMPARE(app.settings().comNumber, 0);
        QCOMPARE(app.settings().displayStartup, 0);
        QVERIFY(frame.session().link().emulationActive);
        frame.onEmulation();

        // "Activate Analysis" runs the analysis command before the choice.
        ui.staticPosition = [](logs::AnalysisSettings&) { return true; };
        QString log = writeEmulatedLog(tmp_->path(), "r04_001.log", 5);
        ui.logFile = [log] { return log.toStdString(); };
        runStartupChoice(frame, StartupChoice::ViewLog, true, true);
        QVERIFY(frame.session().link().analysisActive);
        QVERIFY(frame.session().link().viewFileMode);
        QCOMPARE(frame.session().decoder()->epochsCompleted, 5);

        app.settings().comNumber = 1;
        cancelStartup(frame);
        QCOMPARE(app.settings().comNumber, 0);
    }

    void viewStepAndPlayALogFile() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        QString log = writeEmulatedLog(tmp_->path(), "r04_007.log", 25);
        QVERIFY(frame.viewLogFile(log));
        QVERIFY(frame.windowTitle().startsWith("Orvane Trialix - View file 'r04_007.log' from "));
        QVERIFY(frame.windowTitle().endsWith("RX-04"));
        QVERIFY(!frame.action(Command::Emulation)->isEnabled());
        EpochCounter* c = frame.epochCounter();
        QVERIFY(c);
        QCOMPARE(c->labelText(), QString("Current epoch"));
        QCOMPARE(c->totalText(), QString("25"));
        QCOMPARE(c->numberText(), QString("1"));
        QCOMPARE(c->scrollBar()->maximum(), 24);

        c->setFocus();
        QTest::keyClick(c, Qt::Key_PageUp);
        QCOMPARE(frame.session().decoder()->history.writePosition, 10);
        QTest::keyClick(c, Qt::Key_Right);
        QCOMPARE(frame.session().decoder()->history.writePosition, 11);
        QTest::keyClick(c, Qt::Key_PageDown);
        QCOMPARE(frame.session().decoder()->history.writePosition, 1);
        QTest::keyClick(c, Qt::Key_End);
        QCOMPARE(frame.session().decoder()->history.writePosition, 24);
        QCOMPARE(c->scrollBar()->value(), 24);
        QCOMPARE(c->numberText(), QString("25"));
        QTest::keyClick(c, Qt::Key_Home);
        QCOMPARE(frame.session().decoder()->history.writePosition, 0);
        c->scrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(frame.session().decoder()->history.writePosition, 10);
        // On the scroll bar the stepping keys step; Tab still moves the focus on.
        QObject* filter = c;
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QVERIFY(filter->eventFilter(c->scrollBar(), &right));
        QCOMPARE(frame.session().decoder()->history.writePosition, 11);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QVERIFY(!filter->eventFilter(c->scrollBar(), &tab));
        QCOMPARE(frame.session().decoder()->history.writePosition, 11);
        QTest::keyClick(c, Qt::Key_Left);

        c->numberField()->setText("0");
        QTest::keyClick(c->numberField(), Qt::Key_Return);
        QVERIFY(!m.shown.empty());
        QCOMPARE(QString::fromStdString(m.shown.back()),
                 QString("Enter the number of epoch from 1 to 25 !"));
        c->numberField()->setText("25");
        QTest::keyClick(c->numberField(), Qt::Key_Return);
        QCOMPARE(frame.session().decoder()->history.writePosition, 24);

        // The movie from the last epoch starts again at the oldest, on its 200 ms timer.
        m.answers = {Answer::No};
        c->playButton()->click();
        QVERIFY(frame.session().decoder()->movieRunning);
        QTRY_VERIFY_WITH_TIMEOUT(frame.session().decoder()->history.writePosition >= 2, 3000);
        const int before = m.beeps;
        QTRY_VERIFY_WITH_TIMEOUT(!frame.session().decoder()->movieRunning, 10000);
        QVERIFY(m.beeps > before);
        QCOMPARE(QString::fromStdString(m.shown.back()),
                 QString("      End of epoch movie. \n\nDo you want to view movie again?"));
        QCOMPARE(frame.session().decoder()->history.writePosition, 24);

        // Closing the view destroys the decoder and returns to no model.
        frame.session().closeViewedFile();
        QVERIFY(!frame.session().decoder());
        QCOMPARE(frame.session().link().modelIndex, 0);
        QCOMPARE(frame.windowTitle(), QString("Orvane Trialix"));
    }

    void analysisOfAViewedFileWritesItsSummary() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        QString log = writeEmulatedLog(logDir(), "r04_003.log", 12);
        QVERIFY(frame.viewLogFile(log));
        ui.staticPosition = [](logs::AnalysisSettings& a) {
            a.mode = logs::ReferenceMode::VsTruth;
            a.known = {37.3731, -121.9975, -5.0};
            a.outlierLimit = 5.0;
            a.ring1 = 1.0;
            a.ring2 = 2.0;
            a.writeOutlierBox = true;
            return true;
        };
        frame.onAnalysis();
        QVERIFY(frame.session().link().analysisActive);
        QVERIFY(frame.windowTitle().startsWith("Orvane Trialix - Analysis Active - View file"));
        QCOMPARE(frame.session().statistics()->block().analysed, 12);
        QFile sum(logDir() + "/r04_003.sum");
        QVERIFY(sum.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(sum.readAll());
        QVERIFY2(text.contains("Outlier File for RX-04 receiver"), qPrintable(text));
        QVERIFY(text.contains("Statistical summary:"));
        QVERIFY(text.contains("CEP"));
        QCOMPARE(app.settings().analysisWay, 1);
        frame.onAnalysis();
        QVERIFY(!frame.session().link().analysisActive);
        QCOMPARE(frame.session().decoder()->epochsCompleted, 12); // the view stays
        QVERIFY(m.beeps > 0);
    }

    void analysisCancelledInTheDialogStaysOff() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        ui.staticPosition = [](logs::AnalysisSettings&) { return false; };
        frame.onAnalysis();
        QVERIFY(!frame.session().link().analysisActive);
        QVERIFY(!frame.action(Command::Analysis)->isChecked());
    }

    void logSessionWritesNumberedFilesAndSplits() {
        TrixApplication app(options());
        app.settings().logAutoSaveByEpoch = 1;
        app.settings().logAutoSaveInterval = 3; // a new file after every three epochs
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        int second = 0;
        ui.time = [&second] { return ClockTime{11, 0, second++ % 60}; };
        writeEmulatedLog(logDir(), "r04_012.log", 1); // numbering continues after it
        frame.onEmulation();
        frame.onPerformLogSession();
        QVERIFY(frame.session().recorder().sessionRunning());
        QVERIFY(frame.action(Command::Logging)->isChecked());
        QCOMPARE(frame.statusBarEx()->iconIndex(), int(StatusBar::RecordingIcon));
        QVERIFY(frame.statusBarEx()->animation()->playing());
        EpochCounter* c = frame.epochCounter();
        QVERIFY(c && c->loggingShown());
        QVERIFY2(c->loggingText().endsWith("r04__013.log"), qPrintable(c->loggingText()));
        for (int i = 0; i < 7; ++i)
            frame.session().emulationTick();
        QVERIFY(c->loggedBytesText().endsWith("B"));
        frame.onPerformLogSession();
        QVERIFY(!frame.session().recorder().sessionRunning());
        QVERIFY(!frame.statusBarEx()->animation()->playing());
        QStringList files = filesIn(logDir(), "*.log");
        QCOMPARE(files,
                 (QStringList{"r04_012.log", "r04__013.log", "r04__014.log", "r04__015.log"}));
        // The files hold the emulated sentences byte for byte, each with CR LF.
        QFile first(logDir() + "/r04__013.log"); // "%s_%03d.log" with the code "r04_"
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray bytes = first.readAll();
        QCOMPARE(bytes.count("$PXKTR,POS"), 3);
        QVERIFY(bytes.startsWith("$PXKTR,AT2,"));
        QVERIFY(bytes.endsWith("\r\n"));

        // The recorded file can be viewed once the emulation is off.
        frame.onEmulation();
        QVERIFY(frame.viewLogFile(logDir() + "/r04__013.log"));
        QCOMPARE(frame.session().decoder()->epochsCompleted, 3);
    }

    void optionsSheetOkAndCancel() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        ui.time = [] { return ClockTime{12, 0, 0}; };
        frame.onEmulation();
        frame.session().emulationTick();
        const float altitudeMetres = frame.session().decoder()->pos.altitude;
        {
            OptionsSheet sheet(frame.session());
            QVERIFY(!sheet.applyButton()->isEnabled());
            sheet.units()->distance()->setCurrentIndex(5);
            QVERIFY(sheet.applyButton()->isEnabled());
            sheet.reject();
        }
        QCOMPARE(app.settings().distanceUnits, 4); // Cancel discards the page's copy
        {
            OptionsSheet sheet(frame.session());
            sheet.colors()->selectWindow(1);
            sheet.colors()->restoreDefaults();
            sheet.colors()->selectItem(1);
            sheet.colors()->setItemColor(rgb(1, 2, 3));
            sheet.accept();
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
        }
        QCOMPARE(app.settings().colorTable(ColorTableId::SkyChart)[0].current, rgb(1, 2, 3));
        QCOMPARE(app.settings().distanceUnits, 4); // colours only: units untouched
        QCOMPARE(frame.session().decoder()->pos.altitude, altitudeMetres);
        {
            OptionsSheet sheet(frame.session());
            sheet.units()->altitude()->setCurrentIndex(1);
            sheet.units()->distance()->setCurrentIndex(2);
            sheet.general()->vehicle()->button(1)->click();
            sheet.accept();
        }
        QCOMPARE(app.settings().altitudeUnits, 1);
        QCOMPARE(app.settings().devicesSpecific, 1);
        QVERIFY(qAbs(frame.session().decoder()->pos.altitude - altitudeMetres * 3.28084f) < 0.01f);
        QCOMPARE(frame.statusBarEx()->paneText(StatusBar::Units),
                 QString("D:km A:ft H:km/h V:m/s"));
        {
            // "Undefined mode": a duration longer than the period keeps the sheet open.
            OptionsSheet sheet(frame.session());
            sheet.logPage()->multiple()->setChecked(true);
            sheet.logPage()->period()->setText("1");
            sheet.logPage()->duration()->setText("61");
            QVERIFY(!sheet.applyPages());
            QCOMPARE(QString::fromStdString(m.shown.back()),
                     QString("Undefined mode.\nPlease enter parameters more carefully."));
            sheet.logPage()->duration()->setText("60");
            QVERIFY(sheet.applyPages());
        }
        QCOMPARE(app.settings().multipleRecording, 1);
        QCOMPARE(app.settings().recordDuration, 60);
        QCOMPARE(app.settings().periodForLogMultMode, 60);
    }

    void optionsSheetApplyThenChangeBack() {
        // After Apply the pages start again from what was applied: turning a value back to
        // the one the sheet opened with is a change of its own and OK must store it.
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        OptionsSheet sheet(frame.session());
        sheet.units()->altitude()->setCurrentIndex(1);
        sheet.general()->vehicle()->button(0)->click();
        sheet.general()->skyLayout()->button(1)->click();
        QVERIFY(sheet.applyButton()->isEnabled());
        QVERIFY(sheet.applyPages());
        QCOMPARE(app.settings().altitudeUnits, 1);
        QCOMPARE(app.settings().devicesSpecific, 0);
        QVERIFY(!sheet.applyButton()->isEnabled());

        sheet.units()->altitude()->setCurrentIndex(0);
        sheet.general()->vehicle()->button(2)->click();
        sheet.general()->skyLayout()->button(0)->click();
        QVERIFY(sheet.applyButton()->isEnabled());
        sheet.accept();
        QCOMPARE(app.settings().altitudeUnits, 0);
        QCOMPARE(app.settings().devicesSpecific, 2);
        QCOMPARE(app.settings().skyChartLayout, 0);
    }

    void emulationScreenshot() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        ui.time = [] { return ClockTime{12, 30, 0}; };
        frame.resize(1000, 700);
        frame.show();
        frame.onEmulation();
        QTRY_VERIFY_WITH_TIMEOUT(
            frame.session().decoder() && frame.session().decoder()->epochsCompleted >= 1, 3000);
        frame.onPerformLogSession();
        for (int s = 1; s < 4; ++s) {
            ui.time = [s] { return ClockTime{12, 30, s}; };
            frame.session().emulationTick();
        }
        EpochCounter* c = frame.epochCounter();
        QVERIFY(c);
        QCOMPARE(c->labelText(), QString("Epoch interval [sec]"));
        QVERIFY(c->totalText().toInt() >= 4);
        QVERIFY(frame.statusBarEx()->paneText(StatusBar::Message).startsWith("Epochs: "));
        QTest::qWait(100);
        const QString png = QString(TRIX_BINARY_DIR) + "/trix32-emulation.png";
        QVERIFY(frame.grab().save(png));
        QVERIFY(QFile::exists(png));
    }
};

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
