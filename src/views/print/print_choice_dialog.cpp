#include "views/print/print_choice_dialog.h"

#include "base/strings.h"
#include "base/text.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace trix::print {

PrintChoice storedChoice(int value) {
    return value >= 0 && value <= 2 ? static_cast<PrintChoice>(value) : PrintChoice::ActiveWindow;
}

PrintChoiceDialog::PrintChoiceDialog(PrintChoice initial, const QString& activeTitle,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(str::kPrintTitle));
    auto* box = new QVBoxLayout(this);
    const QString first = activeTitle.isEmpty()
                              ? QString::fromUtf8(str::kPrintActiveWindow)
                              : QString::fromStdString(cformat(str::kPrintActiveWindowOf,
                                                               activeTitle.toUtf8().constData()));
    buttons_[0] = new QRadioButton(first, this);
    buttons_[1] = new QRadioButton(QString::fromUtf8(str::kPrintAllWindows), this);
    buttons_[2] = new QRadioButton(QString::fromUtf8(str::kPrintScreenCopy), this);
    for (QRadioButton* b : buttons_)
        box->addWidget(b);
    setChoice(initial);
    auto* buttons = new QDialogButtonBox(this);
    auto* print =
        buttons->addButton(QString::fromUtf8(str::kPrintTitle), QDialogButtonBox::AcceptRole);
    auto* preview =
        buttons->addButton(QString::fromUtf8(str::kPrintPreview), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8(str::kButtonCancel), QDialogButtonBox::RejectRole);
    print->setDefault(true);
    box->addWidget(buttons);
    connect(print, &QPushButton::clicked, this, [this] {
        preview_ = false;
        accept();
    });
    connect(preview, &QPushButton::clicked, this, [this] {
        preview_ = true;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PrintChoice PrintChoiceDialog::choice() const {
    for (int i = 0; i < 3; ++i)
        if (buttons_[i]->isChecked())
            return static_cast<PrintChoice>(i);
    return PrintChoice::ActiveWindow;
}

void PrintChoiceDialog::setChoice(PrintChoice c) {
    buttons_[static_cast<int>(c)]->setChecked(true);
}

QRadioButton* PrintChoiceDialog::button(PrintChoice c) const {
    return buttons_[static_cast<int>(c)];
}

} // namespace trix::print
