#include "app/connect/connection_dialog.h"

#include "app/connect/port_settings_dialog.h"
#include "app/connect/recent_sources.h"
#include "base/strings.h"
#include "base/text.h"
#include "link/source.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace trix::app {

namespace {
QString u8(const char* s) {
    return QString::fromUtf8(s);
}
} // namespace

ConnectionDialog::ConnectionDialog(GpsDlgInput input, QWidget* parent)
    : QDialog(parent), input_(std::move(input)) {
    setWindowTitle(u8(str::kConnectionParameters));
    choices_.comChoice = input_.comNumber;
    choices_.settings = input_.settings;
    choices_.turnOffOnDetach = input_.turnOffOnDetach;
    choices_.initFromFile = input_.initFromFile;
    choices_.manualConnect = input_.manualConnect;

    ports_ = new QComboBox(this);
    int current = -1;
    for (const auto& [number, device] : input_.ports) {
        QString entry = QString::fromStdString(cformat(str::kComName, number));
        if (!device.empty())
            entry += QStringLiteral("   ") + QString::fromStdString(device);
        ports_->addItem(entry, number);
        if (number == (input_.comNumber != 0 ? input_.comNumber : input_.preferredCom))
            current = ports_->count() - 1;
    }
    ports_->setCurrentIndex(current >= 0 ? current : 0);
    source_ = new QComboBox(this);
    source_->setEditable(true);
    source_->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& s : input_.recentSources)
        source_->addItem(QString::fromStdString(s));
    source_->setEditText(QString::fromStdString(input_.source));
    source_->lineEdit()->setPlaceholderText(u8(str::kSourceHint));
    source_->setToolTip(u8(str::kSourceHint));
    source_->setMinimumContentsLength(24);
    sourceError_ = new QLabel(this);
    sourceError_->setStyleSheet(QStringLiteral("color: #b00000"));
    sourceError_->setWordWrap(true);
    sourceError_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sourceError_->hide();
    portSetup_ = new QPushButton(u8(str::kPortSetup), this);
    default_ = new QCheckBox(u8(str::kDefaultComSetting), this);

    init_ = new QCheckBox(u8(str::kInitializeFromFile), this);
    files_ = new QComboBox(this);
    for (const auto& f : input_.initFiles)
        files_->addItem(QString::fromStdString(f));
    files_->setCurrentIndex(initFileSelection(input_.initFiles, input_.lastInitFile));
    files_->setMinimumContentsLength(16);
    init_->setChecked(input_.initFromFile && !input_.initFiles.empty());
    choices_.initFromFile = init_->isChecked();

    turnOff_ = new QCheckBox(u8(str::kTurnOffAllOnDetach), this);
    turnOff_->setChecked(input_.turnOffOnDetach);
    manual_ = new QCheckBox(u8(str::kManualConnectLine1), this);
    manual_->setChecked(input_.manualConnect);
    manualLine2_ = new QLabel(u8(str::kManualConnectLine2), this);
    manualLine2_->setIndent(manual_->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6);

    connect_ = new QPushButton(this);
    connect_->setDefault(true);
    disconnect_ = new QPushButton(u8(str::kButtonDisconnect), this);
    cancel_ = new QPushButton(u8(str::kButtonCancel), this);

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(new QLabel(u8(str::kLabelPort), this));
    portRow->addWidget(ports_, 1);
    portRow->addWidget(portSetup_);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(new QLabel(u8(str::kSourceLabel), this));
    sourceRow->addWidget(source_, 1);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(init_);
    fileRow->addWidget(files_, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(portRow);
    left->addLayout(sourceRow);
    left->addWidget(sourceError_);
    left->addWidget(default_);
    left->addSpacing(6);
    left->addLayout(fileRow);
    left->addWidget(turnOff_);
    left->addSpacing(6);
    left->addWidget(manual_);
    left->addWidget(manualLine2_);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(connect_);
    right->addWidget(disconnect_);
    right->addWidget(cancel_);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(10);
    layout->addLayout(right);

    connect(portSetup_, &QPushButton::clicked, this, &ConnectionDialog::onPortSetup);
    connect(default_, &QCheckBox::toggled, this, &ConnectionDialog::onDefault);
    connect(init_, &QCheckBox::toggled, this, [this](bool on) {
        choices_.initFromFile = on;
        initToggled_ = true;
        applyEnabling();
    });
    connect(turnOff_, &QCheckBox::toggled, this,
            [this](bool on) { choices_.turnOffOnDetach = on; });
    connect(manual_, &QCheckBox::toggled, this, [this](bool on) {
        choices_.manualConnect = on;
        applyEnabling();
    });
    connect(connect_, &QPushButton::clicked, this, &ConnectionDialog::onConnect);
    connect(disconnect_, &QPushButton::clicked, this, &ConnectionDialog::onDisconnect);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    applyEnabling();
}

void ConnectionDialog::applyEnabling() {
    GpsDlgState s;
    s.modelIndex = input_.modelIndex;
    s.comNumber = input_.comNumber;
    s.filesListed = !input_.initFiles.empty();
    s.useDefaultSettings = choices_.useDefaultSettings;
    s.initFromFile = choices_.initFromFile;
    s.manualConnect = choices_.manualConnect;
    const GpsDlgEnabling e = gpsDlgEnabling(s, initToggled_);
    portSetup_->setEnabled(e.portSetup);
    connect_->setText(u8(e.reconnectLabel ? str::kButtonReconnect : str::kButtonConnect));
    connect_->setEnabled(e.connect);
    disconnect_->setEnabled(e.disconnect);
    init_->setEnabled(e.initBox);
    files_->setEnabled(e.fileList);
    turnOff_->setEnabled(e.turnOff);
    manual_->setEnabled(e.manual);
    manualLine2_->setEnabled(e.manual);
}

int ConnectionDialog::selectedCom() const {
    return ports_->currentIndex() >= 0 ? ports_->currentData().toInt() : 0;
}

void ConnectionDialog::onPortSetup() {
    const int* list = link::baudListFor(input_.modelIndex);
    PortSettingsDialog dlg(selectedCom(), choices_.settings, list, this);
    dlg.setSpeedApplies(!link::isTcpSource(typedSource(source_->currentText().toStdString())));
    if (dlg.exec() != QDialog::Accepted)
        return;
    choices_.settings = dlg.record();
    choices_.settingsChanged = true;
}

void ConnectionDialog::onDefault(bool on) {
    choices_.useDefaultSettings = on;
    if (on)
        choices_.settings = link::kPlainPortSettings;
    applyEnabling();
}

void ConnectionDialog::takeChoices() {
    choices_.initFile = files_->currentText().toStdString();
    choices_.turnOffOnDetach = turnOff_->isChecked();
    choices_.manualConnect = manual_->isChecked();
    choices_.initFromFile = init_->isChecked();
}

bool ConnectionDialog::takeSource() {
    choices_.source = typedSource(source_->currentText().toStdString());
    if (choices_.source.empty())
        return true;
    std::string error;
    if (link::parseSource(choices_.source, error))
        return true;
    showSourceError(error);
    source_->setFocus();
    return false;
}

void ConnectionDialog::showSourceError(const std::string& text) {
    // A device path has no blank to wrap at: it may also break after each '/'.
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
    sourceError_->setText(shown);
    sourceError_->show();
    // The dialog grows to the wrapped text rather than clipping it.
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : layout()->totalSizeHint().height();
    if (needed > height())
        resize(width(), needed);
}

void ConnectionDialog::onConnect() {
    takeChoices();
    if (!takeSource())
        return;
    choices_.comChoice = selectedCom();
    accept();
}

void ConnectionDialog::onDisconnect() {
    takeChoices();
    choices_.comChoice = 0;
    accept();
}

} // namespace trix::app
