#include "views/terminal/send_command_dialog.h"

#include "base/strings.h"
#include "decode/models.h"
#include "views/terminal/command_menu_box.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace trix::views {

SendCommandDialog::SendCommandDialog(TerminalHost& host, MessageSink& messages, QWidget* parent)
    : QDialog(parent), host_(host), messages_(messages), menuBox_(new CommandMenuBox(messages)) {
    setWindowTitle(QString::fromUtf8(str::kSendMenuTitle));
    menuBox_->setToolTip(QString::fromUtf8(str::kTipMenu));
    auto* send = new QPushButton(QString::fromUtf8(str::kSendButton));
    send->setToolTip(QString::fromUtf8(str::kTipSend));
    send->setDefault(true);
    auto* close = new QPushButton(QString::fromUtf8(str::kButtonCancel));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(menuBox_, 1);
    layout->addWidget(send);
    layout->addWidget(close);
    connect(send, &QPushButton::clicked, this, [this] { sendSelected(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    receiverChanged();
}

void SendCommandDialog::receiverChanged() {
    const int model = host_.modelIndex();
    std::string path;
    if (model >= 2 && model <= 19)
        path = host_.findReceiverFile(std::string(modelInfo(model).code) + ".MNU");
    menuBox_->load(model, path);
}

bool SendCommandDialog::sendSelected() {
    auto command = menuBox_->command(host_.portLetter(), this);
    if (!command)
        return false;
    ticket::SendResult r = host_.send(*command, true);
    if (!r.ok) {
        messages_.beep();
        messages_.show(r.error, Buttons::Ok, Icon::Warning);
        return false;
    }
    return true;
}

} // namespace trix::views
