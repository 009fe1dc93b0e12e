#include "views/almanac/save_almanac_dialog.h"

#include "base/strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trix::views {

SaveAlmanacDialog::SaveAlmanacDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(str::kAlmanacSaveQuestionTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(str::kAlmanacSaveQuestion), this));
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    const auto add = [&](const char* text, int result, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        buttons->addWidget(b);
        return b;
    };
    add(str::kAlmanacButtonBinary, kBinary, "binary")->setDefault(true);
    add(str::kAlmanacButtonYuma, kYuma, "yuma");
    add(str::kAlmanacButtonDoNotSave, kDoNotSave, "doNotSave");
    add(str::kButtonCancel, kCancel, "cancel");
}

} // namespace trix::views
