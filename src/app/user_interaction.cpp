#include "user_interaction.h"

#include "app/connect/auto_manual_dialog.h"
#include "base/strings.h"
#include "qt_services.h"
#include "static_position_dialog.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QTime>
#include <QUrl>

namespace trix::app {

std::string QtUserInteraction::askLogFile(const std::string& folder) {
    return QFileDialog::getOpenFileName(parent_, QString(), qs(folder),
                                        QString::fromUtf8(str::kLogFilesFilter) + ";;*")
        .toStdString();
}

bool QtUserInteraction::askStaticPosition(logs::AnalysisSettings& settings,
                                          const UnitSelection& units, const EpochDecoder* decoder) {
    StaticPositionDialog dlg(settings, units, decoder, messages_, parent_);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    settings = dlg.result();
    return true;
}

void QtUserInteraction::openErrorList(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(qs(path)));
}

ClockTime QtUserInteraction::clock() {
    const QTime t = QTime::currentTime();
    return ClockTime{t.hour(), t.minute(), t.second()};
}

std::optional<ConnectionChoices> QtUserInteraction::askConnection(const GpsDlgInput& input) {
    ConnectionDialog dlg(input, parent_);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.choices();
}

link::NotRespondingChoice QtUserInteraction::askNotResponding() {
    return AutoManualDialog::ask(parent_);
}

} // namespace trix::app
