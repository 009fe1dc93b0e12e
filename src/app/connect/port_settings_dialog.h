#pragma once
// "Com%d Port Settings": the baud rate from the list offered for the receiver model, data
// bits, parity, stop bits and the three handshaking modes of one port settings record.

#include "link/port_settings.h"

#include <vector>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;

namespace trix::app {

class PortSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // `baudList` holds baud indices and ends with -1.
    PortSettingsDialog(int comNumber, const link::PortSettings& record, const int* baudList,
                       QWidget* parent = nullptr);

    // The record as the controls show it (what OK hands back).
    link::PortSettings record() const;
    // False for a source without a serial line: a note says the speed does not apply.
    void setSpeedApplies(bool applies);
    QLabel* speedNote() const { return speedNote_; }

    QComboBox* baudBox() const { return baud_; }
    QComboBox* dataBitsBox() const { return dataBits_; }
    QComboBox* parityBox() const { return parity_; }
    QComboBox* stopBitsBox() const { return stopBits_; }
    QCheckBox* dtrDsrBox() const { return dtrDsr_; }
    QCheckBox* rtsCtsBox() const { return rtsCts_; }
    QCheckBox* xonXoffBox() const { return xonXoff_; }

private:
    link::PortSettings record_;
    std::vector<int> baudList_;
    QComboBox* baud_;
    QComboBox* dataBits_;
    QComboBox* parity_;
    QComboBox* stopBits_;
    QCheckBox* dtrDsr_;
    QCheckBox* rtsCts_;
    QCheckBox* xonXoff_;
    QLabel* speedNote_;
};

} // namespace trix::app
