// trix32: the desktop program.

#include "base/strings.h"
#include "main_window.h"
#include "startup_dialog.h"
#include "termination_signals.h"
#include "trix_application.h"
#include "views/panel/panel_factory.h"
#include "views/plot/plot_factory.h"
#include "views/position/sky_position_factories.h"
#include "views/rtcm/rtcm_factory.h"
#include "views/rtk/rtk_factory.h"
#include "views/print/print_frame.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string_view>

namespace {

// --help and --version are answered before the GUI starts, so they work without a display:
// the platform plugin loads only with the GUI application object.
bool onlyDescribes(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--")
            break;
        if (a == "--help" || a == "-h" || a == "-?" || a == "--help-all" || a == "--version" ||
            a == "-v")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> application;
    if (onlyDescribes(argc, argv)) {
        application = std::make_unique<QCoreApplication>(argc, argv);
        QCoreApplication::setApplicationName("trix32");
    } else {
        application = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName("Trix32");
        QApplication::setOrganizationName("Trix32");
        QApplication::setWindowIcon(QIcon(":/trix32/trix32.svg"));
    }
    QCoreApplication::setApplicationVersion(TRIX_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("Monitor satellite-navigation receivers and measure their "
                                     "accuracy.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption emulate("emulate", "Start straight into the emulated receiver.");
    QCommandLineOption view("view", "Open the log file LOG for viewing.", "LOG");
    QCommandLineOption profile("profile", "Use the profile (INI file) PATH.", "PATH");
    QCommandLineOption data("data-dir", "Use DIR for logs and almanacs.", "DIR");
    QCommandLineOption device("device",
                              "Also offer the serial device PATH as a COM port (repeatable), "
                              "for example the one rxsim prints.",
                              "PATH");
    parser.addOptions({emulate, view, profile, data, device});
    parser.process(*application); // ends the program after --help and --version
    if (parser.isSet(emulate) && parser.isSet(view)) {
        std::fprintf(stderr, "trix32: --emulate and --view cannot be used together\n");
        return 2;
    }

    trix::app::StartOptions options;
    options.profilePath = parser.value(profile).toStdString();
    options.dataHome = parser.value(data).toStdString();
    options.emulate = parser.isSet(emulate);
    options.viewLog = parser.value(view).toStdString();

    trix::views::registerPanelWindows();
    trix::views::registerSkyAndPositionWindows();
    trix::views::registerRtcmWindow();
    trix::views::registerRtkWindow();
    trix::plot::registerPlotWindow();
    trix::app::TrixApplication app(options);
    int rc = 0;
    {
        trix::app::MainWindow frame(app);
        new trix::print::PrintCommands(frame); // owned by the frame
        for (const QString& d : parser.values(device))
            frame.session().extraDevices.push_back(d.toStdString());
        frame.show();
        // A termination signal ends the program as "Exit" does, without questions: an open
        // dialog is dismissed, then the main window's own close path runs.
        trix::app::TerminationSignals terminations([&frame] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
                    dialog->reject();
            frame.close();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        });
        QTimer::singleShot(0, &frame, [&] {
            if (options.emulate) {
                frame.onEmulation();
            } else if (!options.viewLog.empty()) {
                if (!frame.viewLogFile(QString::fromStdString(options.viewLog)))
                    std::fprintf(stderr, "trix32: could not view %s\n", options.viewLog.c_str());
            } else if (app.settings().displayStartup) {
                trix::app::StartupDialog dlg(app.settings().comNumber, &frame);
                if (dlg.exec() == QDialog::Accepted)
                    trix::app::runStartupChoice(frame, dlg.choice(), dlg.activateAnalysis(),
                                                dlg.displayOnStartup());
                else
                    trix::app::cancelStartup(frame);
            }
            frame.updateCommands();
        });
        rc = QApplication::exec();
    }
    std::string error;
    if (!app.saveProfile(&error))
        std::fprintf(stderr, "trix32: the settings could not be saved to %s: %s\n",
                     app.profilePath().c_str(), error.c_str());
    return rc;
}
