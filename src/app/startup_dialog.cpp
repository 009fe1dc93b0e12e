#include "startup_dialog.h"

#include "app/core/manual_location.h"
#include "app/core/settings.h"
#include "base/strings.h"
#include "window_host.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace trix::app {

namespace {

// What the manual's window shows when the manual is missing.
QString missingManualText() {
    QString html = QStringLiteral("<p>%1</p><ul>").arg(QString::fromUtf8(str::kManualMissing));
    for (const std::string& folder :
         manualFolders(QCoreApplication::applicationDirPath().toStdString()))
        html += QStringLiteral("<li><code>%1</code></li>")
                    .arg(QString::fromStdString(folder).toHtmlEscaped());
    return html + QStringLiteral("</ul>");
}

} // namespace

StartupDialog::StartupDialog(int storedComNumber, QWidget* parent)
    : QDialog(parent), manualPath_(QString::fromStdString(findManual(
                           manualFolders(QCoreApplication::applicationDirPath().toStdString())))),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
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
    connect(buttons, &QDialogButtonBox::helpRequested, this, &StartupDialog::showHelp);
    layout->addWidget(buttons);
    setChoice(storedComNumber != 0 ? StartupChoice::ConnectLast : StartupChoice::Connect);
}

void StartupDialog::showHelp() {
    const QUrl url = QUrl::fromLocalFile(manualPath_);
    if (!manualPath_.isEmpty() && openUrl_ && openUrl_(url))
        return;
    if (!help_) {
        // A window of the dialog, so that it can be used while the dialog is modal; it stays
        // open after the dialog closes.
        help_ = new QTextBrowser(this);
        help_->setWindowFlag(Qt::Window);
        help_->setAttribute(Qt::WA_DeleteOnClose);
        help_->setOpenExternalLinks(true);
        help_->resize(760, 640);
        connect(this, &QDialog::finished, help_, [this] {
            if (!help_)
                return;
            help_->setParent(parentWidget(), Qt::Window);
            help_->show();
        });
    }
    if (manualPath_.isEmpty())
        help_->setHtml(missingManualText());
    else
        help_->setSource(url);
    const QString title = help_->documentTitle();
    help_->setWindowTitle(title.isEmpty() ? QString::fromUtf8(str::kManualTitle) : title);
    help_->show();
    help_->raise();
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

void runStartupChoice(StartupHost& frame, StartupChoice choice, bool activateAnalysis,
                      bool displayOnStartup) {
    Settings& s = frame.settings();
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
        frame.openReceiversBook();
        break;
    }
    frame.updateCommands();
}

void cancelStartup(StartupHost& frame) {
    frame.settings().comNumber = 0;
}

} // namespace trix::app
