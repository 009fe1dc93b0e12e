#include "static_position_dialog.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "decode/units.h"
#include "logs/static_position.h"
#include "qt_services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace trix::app {

namespace {

QString number(double v, int decimals) {
    return qs(cformat("%.*f", decimals, v));
}
double readNumber(const QLineEdit* e) {
    return parseReal(e->text().trimmed().toStdString());
}

} // namespace

StaticPositionDialog::StaticPositionDialog(const logs::AnalysisSettings& settings,
                                           const UnitSelection& units, const EpochDecoder* decoder,
                                           MessageSink& messages, QWidget* parent)
    : QDialog(parent), decoder_(decoder), messages_(messages), result_(settings) {
    format_ = std::clamp(units.coordinateFormat, 0, 2);
    distanceFactor_ = distanceUnit(units.distance).factor;
    altitudeFactor_ = altitudeUnit(units.altitude).factor;
    setWindowTitle(QString::fromUtf8(str::kStaticPositionTitle));

    auto* layout = new QVBoxLayout(this);
    auto* modeBox = new QGroupBox(this);
    auto* modeRow = new QHBoxLayout(modeBox);
    average_ = new QRadioButton(QString::fromUtf8(str::kAverageOverTime), modeBox);
    truth_ = new QRadioButton(QString::fromUtf8(str::kVsTruth), modeBox);
    modeRow->addWidget(average_);
    modeRow->addWidget(truth_);
    layout->addWidget(modeBox);

    auto makeCoordinate = [this](bool latitude) {
        CoordinateFields f{};
        f.degrees = new QLineEdit(this);
        f.minutes = new QLineEdit(this);
        f.seconds = new QLineEdit(this);
        f.hemisphere = new QComboBox(this);
        f.hemisphere->addItems(latitude ? QStringList{"N", "S"} : QStringList{"E", "W"});
        f.minutes->setVisible(format_ >= 1);
        f.seconds->setVisible(format_ >= 2);
        return f;
    };
    lat_ = makeCoordinate(true);
    lon_ = makeCoordinate(false);
    auto* form = new QFormLayout;
    auto row = [this](const CoordinateFields& f) {
        auto* w = new QWidget(this);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(f.degrees);
        h->addWidget(f.minutes);
        h->addWidget(f.seconds);
        h->addWidget(f.hemisphere);
        return w;
    };
    form->addRow(tr("Latitude"), row(lat_));
    form->addRow(tr("Longitude"), row(lon_));
    altitude_ = new QLineEdit(this);
    form->addRow(tr("Altitude [%1]").arg(altitudeUnit(units.altitude).name), altitude_);
    ring1_ = new QLineEdit(this);
    ring2_ = new QLineEdit(this);
    outlier_ = new QLineEdit(this);
    const QString dist = distanceUnit(units.distance).name;
    form->addRow(tr("Ring1 [%1]").arg(dist), ring1_);
    form->addRow(tr("Ring2 [%1]").arg(dist), ring2_);
    form->addRow(tr("Outlier limit [%1]").arg(dist), outlier_);
    writeOutlier_ = new QCheckBox(QString::fromUtf8(str::kWriteOutlierFile), this);
    form->addRow(QString(), writeOutlier_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* load =
        buttons->addButton(QString::fromUtf8(str::kLoadFromReceiver), QDialogButtonBox::ActionRole);
    load->setEnabled(decoder_ != nullptr);
    connect(load, &QPushButton::clicked, this, &StaticPositionDialog::loadFromReceiver);
    connect(buttons, &QDialogButtonBox::accepted, this, &StaticPositionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    (settings.mode == logs::ReferenceMode::VsTruth ? truth_ : average_)->setChecked(true);
    fillCoordinate(lat_, settings.known.lat, true);
    fillCoordinate(lon_, settings.known.lon, false);
    altitude_->setText(number(settings.known.alt * altitudeFactor_, 3));
    ring1_->setText(number(settings.ring1 * distanceFactor_, 5));
    ring2_->setText(number(settings.ring2 * distanceFactor_, 5));
    outlier_->setText(number(settings.outlierLimit * distanceFactor_, 5));
    writeOutlier_->setChecked(settings.writeOutlierBox);
}

void StaticPositionDialog::fillCoordinate(const CoordinateFields& f, double value,
                                          bool /*latitude*/) {
    f.hemisphere->setCurrentIndex(value < 0.0 ? 1 : 0);
    double a = std::fabs(value);
    switch (format_) {
    case 0:
        f.degrees->setText(number(a, 10));
        break;
    case 1: {
        double d = std::floor(a);
        f.degrees->setText(number(d, 0));
        f.minutes->setText(number((a - d) * 60.0, 7));
        break;
    }
    default: {
        double d = std::floor(a);
        double m = std::floor((a - d) * 60.0);
        f.degrees->setText(number(d, 0));
        f.minutes->setText(number(m, 0));
        f.seconds->setText(number(((a - d) * 60.0 - m) * 60.0, 6));
        break;
    }
    }
}

double StaticPositionDialog::readCoordinate(const CoordinateFields& f) const {
    double v = logs::coordinateFromFields(format_, readNumber(f.degrees), readNumber(f.minutes),
                                          readNumber(f.seconds));
    return f.hemisphere->currentIndex() == 1 ? -v : v;
}

void StaticPositionDialog::loadFromReceiver() {
    const EpochDecoder* d = decoder_;
    if (!d || d->noPosition)
        return;
    fillCoordinate(lat_, d->position.lat, true);
    fillCoordinate(lon_, d->position.lon, false);
    altitude_->setText(number(d->position.alt * altitudeFactor_, 3));
}

bool StaticPositionDialog::validateAndStore() {
    logs::StaticPositionInput in;
    in.mode =
        truth_->isChecked() ? logs::ReferenceMode::VsTruth : logs::ReferenceMode::AverageOverTime;
    in.outlierLimit = readNumber(outlier_) / distanceFactor_;
    in.ring1 = readNumber(ring1_) / distanceFactor_;
    in.ring2 = readNumber(ring2_) / distanceFactor_;
    in.altitude = readNumber(altitude_) / altitudeFactor_;
    if (const char* message = logs::validateStaticPosition(in)) {
        messages_.show(message, Buttons::Ok, Icon::Warning);
        return false;
    }
    result_.mode = in.mode;
    result_.ring1 = in.ring1;
    result_.ring2 = in.ring2;
    result_.outlierLimit = in.outlierLimit;
    result_.writeOutlierBox = writeOutlier_->isChecked();
    result_.known = {readCoordinate(lat_), readCoordinate(lon_), in.altitude};
    return true;
}

void StaticPositionDialog::accept() {
    if (validateAndStore())
        QDialog::accept();
}

} // namespace trix::app
