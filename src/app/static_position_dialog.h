#pragma once
// The "Static Position Data" dialog of the analysis: the reference mode, the known position
// entered in the current coordinate format, the range rings and the outlier limit.

#include "base/ui.h"
#include "decode/units.h"
#include "logs/statistics.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QRadioButton;

namespace trix::app {

class StaticPositionDialog : public QDialog {
    Q_OBJECT
public:
    // `units` are those the fields are shown in; `decoder`, when given, offers the receiver's
    // position ("Load from receiver").
    StaticPositionDialog(const logs::AnalysisSettings& settings, const UnitSelection& units,
                         const EpochDecoder* decoder, MessageSink& messages,
                         QWidget* parent = nullptr);

    logs::AnalysisSettings result() const { return result_; }
    // Checks the fields; on failure shows the message and returns false (the dialog stays).
    bool validateAndStore();
    void loadFromReceiver();

    // Field access for the tests.
    struct CoordinateFields {
        QLineEdit* degrees;
        QLineEdit* minutes;
        QLineEdit* seconds;
        QComboBox* hemisphere;
    };
    CoordinateFields latitudeFields() const { return lat_; }
    CoordinateFields longitudeFields() const { return lon_; }
    QLineEdit* altitudeField() const { return altitude_; }
    QLineEdit* ring1Field() const { return ring1_; }
    QLineEdit* ring2Field() const { return ring2_; }
    QLineEdit* outlierField() const { return outlier_; }
    QRadioButton* truthButton() const { return truth_; }
    QCheckBox* writeOutlierBox() const { return writeOutlier_; }

    void accept() override;

private:
    void fillCoordinate(const CoordinateFields& f, double value, bool latitude);
    double readCoordinate(const CoordinateFields& f) const;

    const EpochDecoder* decoder_;
    MessageSink& messages_;
    int format_;
    double distanceFactor_;
    double altitudeFactor_;
    logs::AnalysisSettings result_;
    QRadioButton* average_;
    QRadioButton* truth_;
    CoordinateFields lat_{};
    CoordinateFields lon_{};
    QLineEdit* altitude_;
    QLineEdit* ring1_;
    QLineEdit* ring2_;
    QLineEdit* outlier_;
    QCheckBox* writeOutlier_;
};

} // namespace trix::app
