#include "trix_application.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>

namespace trix::app {

namespace {

std::string defaultProfilePath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (dir + "/Trix32/Trix32.ini").toStdString();
}

std::string defaultDataHome() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return (dir + "/Trix32").toStdString();
}

std::string defaultShippedReceiver() {
    // <prefix>/bin/trix32 ships its receiver files in <prefix>/share/trix32/RECEIVER.
    QDir dir(QCoreApplication::applicationDirPath());
    return QDir::cleanPath(dir.absoluteFilePath("../share/trix32/RECEIVER")).toStdString();
}

NumberFormat localNumberFormat() {
    QLocale l;
    NumberFormat f;
    f.decimalSeparator = l.decimalPoint().toStdString();
    f.thousandsSeparator = l.groupSeparator().toStdString();
    f.grouping = 3;
    return f;
}

} // namespace

TrixApplication::TrixApplication(const StartOptions& options) : options_(options) {
    numberFormat_ = localNumberFormat();
    profilePath_ = options.profilePath.empty() ? defaultProfilePath() : options.profilePath;
    // An unreadable profile is used as a fresh one but never written over: it may hold keys
    // of other windows that would be lost.
    profileUnreadable_ = !profile_.load(profilePath_, &profileError_);
    settings_ = loadSettings(profile_);
    folders_ = resolveFolders(options.dataHome.empty() ? defaultDataHome() : options.dataHome,
                              options.shippedReceiver.empty() ? defaultShippedReceiver()
                                                              : options.shippedReceiver,
                              settings_.loggingDir, settings_.dirForFileOpenDlg);
    settings_.loggingDir = folders_.logging;
    settings_.dirForFileOpenDlg = folders_.fileDialog;
    loaded_ = settings_;
}

bool TrixApplication::saveProfile(std::string* error) {
    if (profileUnreadable_) {
        if (error)
            *error = "it could not be read at start (" + profileError_ + ") and is left as it was";
        return false;
    }
    saveSettings(profile_, settings_, loaded_);
    return profile_.save(profilePath_, error);
}

UnitSelection TrixApplication::units() const {
    UnitSelection u;
    u.distance = settings_.distanceUnits;
    u.altitude = settings_.altitudeUnits;
    u.speed = settings_.horSpeedUnits;
    u.verticalSpeed = settings_.verSpeedUnits;
    u.coordinateFormat = settings_.lonLatFormat;
    return u;
}

void TrixApplication::setUnits(const UnitSelection& u) {
    settings_.distanceUnits = u.distance;
    settings_.altitudeUnits = u.altitude;
    settings_.horSpeedUnits = u.speed;
    settings_.verSpeedUnits = u.verticalSpeed;
    settings_.lonLatFormat = u.coordinateFormat;
}

logs::LogSettings TrixApplication::logSettings() const {
    logs::LogSettings l;
    l.directory = folders_.logging;
    l.mode = settings_.multipleRecording ? logs::RecordMode::Multiple : logs::RecordMode::Single;
    l.autoSaveCount = settings_.logAutoSaveInterval;
    l.autoSaveUnit =
        settings_.logAutoSaveByEpoch ? logs::AutoSaveUnit::Epochs : logs::AutoSaveUnit::Minutes;
    l.periodMinutes = settings_.periodForLogMultMode;
    l.durationMinutes = settings_.recordDuration;
    return l;
}

void TrixApplication::setLogSettings(const logs::LogSettings& l) {
    folders_.logging = withSeparator(l.directory);
    settings_.loggingDir = folders_.logging;
    settings_.multipleRecording = l.mode == logs::RecordMode::Multiple ? 1 : 0;
    settings_.logAutoSaveInterval = l.autoSaveCount;
    settings_.logAutoSaveByEpoch = l.autoSaveUnit == logs::AutoSaveUnit::Epochs ? 1 : 0;
    settings_.periodForLogMultMode = l.periodMinutes;
    settings_.recordDuration = l.durationMinutes;
}

logs::AnalysisSettings TrixApplication::analysisSettings() const {
    logs::AnalysisSettings a;
    a.mode =
        settings_.analysisWay ? logs::ReferenceMode::VsTruth : logs::ReferenceMode::AverageOverTime;
    a.known = {settings_.truePosition.lat, settings_.truePosition.lon, settings_.truePosition.alt};
    a.ring1 = settings_.ranges.ring1;
    a.ring2 = settings_.ranges.ring2;
    a.outlierLimit = settings_.ranges.outlierLimit;
    a.writeOutlierBox = settings_.ranges.writeOutlierFile != 0;
    return a;
}

void TrixApplication::setAnalysisSettings(const logs::AnalysisSettings& a) {
    settings_.analysisWay = a.mode == logs::ReferenceMode::VsTruth ? 1 : 0;
    settings_.truePosition = {a.known.lat, a.known.lon, a.known.alt};
    settings_.ranges = {a.ring1, a.ring2, a.outlierLimit, a.writeOutlierBox ? 1 : 0};
}

} // namespace trix::app
