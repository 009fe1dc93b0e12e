#include "app/connect/auto_manual_dialog.h"

#include "base/strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trix::app {

AutoManualDialog::AutoManualDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(str::kReceiverNotResponding));
    auto* text = new QLabel(QString::fromUtf8(str::kNotRespondingText), this);
    text->setWordWrap(true);
    autoSelect_ = new QPushButton(QString::fromUtf8(str::kButtonAutoSelect), this);
    manual_ = new QPushButton(QString::fromUtf8(str::kButtonManualConnect), this);
    cancel_ = new QPushButton(QString::fromUtf8(str::kButtonCancel), this);
    autoSelect_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(autoSelect_);
    buttons->addWidget(manual_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    auto choose = [this](link::NotRespondingChoice c) {
        choice_ = c;
        accept();
    };
    connect(autoSelect_, &QPushButton::clicked, this,
            [choose] { choose(link::NotRespondingChoice::AutoSelect); });
    connect(manual_, &QPushButton::clicked, this,
            [choose] { choose(link::NotRespondingChoice::ManualConnect); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

link::NotRespondingChoice AutoManualDialog::ask(QWidget* parent) {
    AutoManualDialog dlg(parent);
    if (dlg.exec() != QDialog::Accepted)
        return link::NotRespondingChoice::Cancel;
    return dlg.choice();
}

} // namespace trix::app
