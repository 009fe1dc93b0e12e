#include "views/terminal/parameter_dialog.h"

#include "base/strings.h"
#include "ticket/parameter_form.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace trix::views {

ParameterDialog::ParameterDialog(ticket::MenuItem& entry, char portLetter, MessageSink& messages,
                                 QWidget* parent)
    : QDialog(parent), entry_(entry), port_(portLetter), messages_(messages) {
    setWindowTitle(QString::fromStdString(entry.title));
    auto* inner = new QWidget;
    auto* form = new QVBoxLayout(inner);
    for (const auto& p : entry.params) {
        form->addWidget(new QLabel(QString::fromStdString(p.prompt)));
        const ticket::ParamAnswer start = ticket::defaultAnswer(p);
        QWidget* w = nullptr;
        switch (p.type) {
        case 'L': {
            auto* box = new QComboBox;
            for (const auto& v : p.values)
                box->addItem(QString::fromStdString(ticket::listText(v)));
            box->setMaxVisibleItems(10);
            box->setCurrentIndex(start.choice);
            w = box;
            break;
        }
        case 'M': {
            auto* list = new QListWidget;
            for (const auto& v : p.values) {
                auto* item = new QListWidgetItem(QString::fromStdString(v), list);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(Qt::Unchecked);
            }
            const int rows = std::min<int>(5, static_cast<int>(p.values.size()));
            list->setFixedHeight(list->sizeHintForRow(0) * rows + 2 * list->frameWidth() + 2);
            w = list;
            break;
        }
        default: {
            auto* edit = new QLineEdit(QString::fromStdString(start.text));
            edit->setMaxLength(static_cast<int>(ticket::kMaxTypedLength));
            w = edit;
            break;
        }
        }
        form->addWidget(w);
        fields_.push_back(w);
    }
    form->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8(str::kButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(str::kButtonCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &ParameterDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ParameterDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons);
    // Many parameters scroll instead of growing past the screen.
    const int wanted = inner->sizeHint().height() + buttons->sizeHint().height() + 40;
    resize(std::max(320, inner->sizeHint().width() + 40), std::min(wanted, 480));
}

void ParameterDialog::accept() {
    std::vector<ticket::ParamAnswer> answers;
    for (std::size_t i = 0; i < entry_.params.size(); ++i) {
        ticket::ParamAnswer a = ticket::defaultAnswer(entry_.params[i]);
        QWidget* w = fields_[i];
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            a.text = edit->text().toStdString();
        } else if (auto* box = qobject_cast<QComboBox*>(w)) {
            a.choice = box->currentIndex();
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int k = 0; k < list->count(); ++k)
                a.ticked[static_cast<std::size_t>(k)] = list->item(k)->checkState() == Qt::Checked;
        }
        answers.push_back(std::move(a));
    }
    ticket::BuiltCommand built = ticket::buildCommand(entry_, answers, port_);
    if (!built.ok) {
        messages_.show(built.message, Buttons::Ok, Icon::Warning);
        if (built.badParam >= 0) {
            QWidget* w = fields_[static_cast<std::size_t>(built.badParam)];
            w->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->selectAll();
        }
        return;
    }
    command_ = std::move(built.command);
    QDialog::accept();
}

} // namespace trix::views
