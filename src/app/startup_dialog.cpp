#include "startup_dialog.h"

#include "base/strings.h"
#include "main_window.h"
#include "trix_application.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace trix::app {

StartupDialog::StartupDialog(int storedComNumber, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(str::kAppTitle));
    auto* layout = new QVBoxLayout(this);
    choices_ = new QButtonGroup(this);
    const char* labels[] = {str::kStartupConnect, str::kStartupConnectLast, str::kStartupViewLog,
                            str::kStartupEmulation, str::kStartupInfo};
    int id = 0;
    for (const char* l : labels) {
        auto* b = new QRadioButton(QString::fromUtf8(l), this);
        layout->addWidget(b);
        choices_->addButton(b, id++);
    }
    analysis_ = new QCheckBox(QString::fromUtf8(str::kStartupActivateAnalysis), this);
    display_ = new QCheckBox(QString::fromUtf8(str::kStartupDisplayMenu), this);
    display_->setChecked(true);
    layout->addSpacing(8);
    layout->addWidget(analysis_);
    layout->addWidget(display_);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [] { QDesktopServices::openUrl(QUrl("file:///usr/share/doc/trix32/")); });
    layout->addWidget(buttons);
    setChoice(storedComNumber != 0 ? StartupChoice::ConnectLast : StartupChoice::Connect);
}

StartupChoice StartupDialog::choice() const {
    return static_cast<StartupChoice>(std::max(0, choices_->checkedId()));
}

void StartupDialog::setChoice(StartupChoice c) {
    if (QAbstractButton* b = choices_->button(static_cast<int>(c)))
        b->setChecked(true);
}

bool StartupDialog::activateAnalysis() const {
    return analysis_->isChecked();
}
bool StartupDialog::displayOnStartup() const {
    return display_->isChecked();
}

void runStartupChoice(MainWindow& frame, StartupChoice choice, bool activateAnalysis,
                      bool displayOnStartup) {
    Settings& s = frame.app().settings();
    s.displayStartup = displayOnStartup ? 1 : 0;
    if (choice != StartupChoice::ConnectLast)
        s.comNumber = 0;
    if (activateAnalysis)
        frame.onAnalysis();
    switch (choice) {
    case StartupChoice::Connect:
        if (QAction* a = frame.action(Command::Connect); a && a->isEnabled())
            a->trigger();
        break;
    case StartupChoice::ConnectLast:
        // The stored port with the stored settings; without a stored port, the dialog.
        if (frame.action(Command::Connect)->isEnabled())
            frame.connectWithLastSettings();
        break;
    case StartupChoice::ViewLog:
        frame.onViewLogFile();
        break;
    case StartupChoice::Emulation:
        frame.onEmulation();
        break;
    case StartupChoice::Info:
        break; // the receivers information book plugs in here
    }
    frame.updateCommands();
}

void cancelStartup(MainWindow& frame) {
    frame.app().settings().comNumber = 0;
}

} // namespace trix::app
