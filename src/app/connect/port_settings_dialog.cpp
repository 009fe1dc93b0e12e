#include "app/connect/port_settings_dialog.h"

#include "base/strings.h"
#include "base/text.h"

#include <QCheckBox>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace trix::app {

namespace {
QString u8(const char* s) {
    return QString::fromUtf8(s);
}
} // namespace

PortSettingsDialog::PortSettingsDialog(int comNumber, const link::PortSettings& record,
                                       const int* baudList, QWidget* parent)
    : QDialog(parent), record_(record) {
    setWindowTitle(QString::fromStdString(cformat(str::kPortSettingsTitle, comNumber)));
    for (const int* b = baudList; b && *b >= 0; ++b)
        baudList_.push_back(*b);

    baud_ = new QComboBox(this);
    for (int index : baudList_)
        baud_->addItem(QString::fromStdString(
            cformat("%ld", link::kBaudRates[static_cast<std::size_t>(index)])));
    const int selected = link::baudListSelection(baudList, record.baud);
    baud_->setCurrentIndex(selected >= 0 ? selected : baud_->count() - 1);

    dataBits_ = new QComboBox(this);
    for (int bits : link::kDataBits)
        dataBits_->addItem(QString::number(bits));
    dataBits_->setCurrentIndex(record.dataBits);

    parity_ = new QComboBox(this);
    for (const char* name :
         {str::kParityNone, str::kParityOdd, str::kParityEven, str::kParityMark, str::kParitySpace})
        parity_->addItem(u8(name));
    parity_->setCurrentIndex(record.parity);

    stopBits_ = new QComboBox(this);
    for (int bits : link::kStopBits)
        stopBits_->addItem(QString::number(bits));
    stopBits_->setCurrentIndex(record.stopBits);

    dtrDsr_ = new QCheckBox(u8(str::kUseDtrDsr), this);
    rtsCts_ = new QCheckBox(u8(str::kUseRtsCts), this);
    xonXoff_ = new QCheckBox(u8(str::kUseXonXoff), this);
    dtrDsr_->setChecked(record.dtrDsr != 0);
    rtsCts_->setChecked(record.rtsCts != 0);
    xonXoff_->setChecked(record.xonXoff != 0);

    auto* form = new QFormLayout;
    form->addRow(u8(str::kLabelBaudRate), baud_);
    form->addRow(u8(str::kLabelDataBits), dataBits_);
    form->addRow(u8(str::kLabelParity), parity_);
    form->addRow(u8(str::kLabelStopBits), stopBits_);
    auto* handshaking = new QGroupBox(u8(str::kLabelHandshaking), this);
    auto* hs = new QVBoxLayout(handshaking);
    hs->addWidget(dtrDsr_);
    hs->addWidget(rtsCts_);
    hs->addWidget(xonXoff_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    speedNote_ = new QLabel(u8(str::kSpeedNotApplicable), this);
    speedNote_->setWordWrap(true);
    speedNote_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(speedNote_);
    layout->addLayout(form);
    layout->addWidget(handshaking);
    layout->addWidget(buttons);
}

void PortSettingsDialog::setSpeedApplies(bool applies) {
    // The settings stay editable: they are kept for when the receiver is on a serial port.
    speedNote_->setVisible(!applies);
}

link::PortSettings PortSettingsDialog::record() const {
    link::PortSettings r = record_;
    const int pos = baud_->currentIndex();
    // Only list positions 0 to 9 name a baud rate.
    if (pos >= 0 && pos <= 9 && pos < static_cast<int>(baudList_.size()))
        r.baud = baudList_[static_cast<std::size_t>(pos)];
    r.dataBits = std::max(0, dataBits_->currentIndex());
    r.parity = std::max(0, parity_->currentIndex());
    r.stopBits = std::max(0, stopBits_->currentIndex());
    r.dtrDsr = dtrDsr_->isChecked() ? 1 : 0;
    r.rtsCts = rtsCts_->isChecked() ? 1 : 0;
    r.xonXoff = xonXoff_->isChecked() ? 1 : 0;
    return r;
}

} // namespace trix::app
