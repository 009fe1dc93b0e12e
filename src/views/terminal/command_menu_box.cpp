#include "views/terminal/command_menu_box.h"

#include "ticket/parameter_form.h"
#include "views/terminal/parameter_dialog.h"
#include "views/terminal/terminal_icons.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

#include <vector>

namespace trix::views {

namespace {
constexpr int kIndexRole = Qt::UserRole + 1;
}

CommandMenuBox::CommandMenuBox(MessageSink& messages, QWidget* parent)
    : QComboBox(parent), messages_(messages), model_(new QStandardItemModel(this)),
      tree_(new QTreeView(this)) {
    tree_->setHeaderHidden(true);
    tree_->setItemsExpandable(true);
    tree_->setRootIsDecorated(true);
    setModel(model_);
    setView(tree_);
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(30);
    connect(this, qOverload<int>(&QComboBox::activated), this, [this] { picked(); });
}

void CommandMenuBox::load(int modelIndex, const std::string& path) {
    menu_ = {};
    if (modelIndex >= 2 && modelIndex <= 19 && !path.empty()) {
        ticket::MenuFile m = ticket::loadMenu(path);
        if (m.ok)
            menu_ = std::move(m);
        else
            messages_.show(m.error, Buttons::Ok, Icon::Stop);
    }
    rebuild();
}

void CommandMenuBox::rebuild() {
    // Everything that pointed into the old menu goes with it.
    model_->clear();
    selected_ = -1;
    std::vector<QStandardItem*> rows(menu_.items.size(), nullptr);
    for (std::size_t i = 0; i < menu_.items.size(); ++i) {
        const auto& item = menu_.items[i];
        auto* row = new QStandardItem(QString::fromStdString(item.title));
        row->setData(static_cast<int>(i), kIndexRole);
        row->setEditable(false);
        if (item.heading) {
            row->setIcon(terminalIcon(TerminalIcon::Heading));
            row->setSelectable(false);
        } else {
            row->setIcon(
                terminalIcon(item.params.empty() ? TerminalIcon::Plain : TerminalIcon::WithForm));
        }
        rows[i] = row;
        if (item.parent >= 0 && rows[static_cast<std::size_t>(item.parent)])
            rows[static_cast<std::size_t>(item.parent)]->appendRow(row);
        else
            model_->appendRow(row);
    }
    tree_->expandAll();
    setCurrentIndex(-1);
    for (std::size_t i = 0; i < menu_.items.size(); ++i) {
        if (!menu_.items[i].heading) {
            selectIndex(static_cast<int>(i));
            break;
        }
    }
}

int CommandMenuBox::selectedIndex() const {
    return selected_ >= 0 && selected_ < static_cast<int>(menu_.items.size()) ? selected_ : -1;
}

void CommandMenuBox::selectIndex(int index) {
    const auto found = model_->match(model_->index(0, 0), kIndexRole, index, 1,
                                     Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty() || menu_.items[static_cast<std::size_t>(index)].heading)
        return;
    const QModelIndex at = found.first();
    // A row of a sub-tree is made current with its parent as the root for a moment.
    setRootModelIndex(at.parent());
    setCurrentIndex(at.row());
    setRootModelIndex(QModelIndex());
    tree_->setCurrentIndex(at);
    selected_ = index;
}

void CommandMenuBox::picked() {
    const QModelIndex at = tree_->currentIndex();
    if (!at.isValid())
        return;
    const int index = at.data(kIndexRole).toInt();
    if (index >= 0 && index < static_cast<int>(menu_.items.size()) &&
        !menu_.items[static_cast<std::size_t>(index)].heading)
        selectIndex(index);
}

std::optional<std::string> CommandMenuBox::command(char portLetter, QWidget* formParent) {
    const int index = selectedIndex();
    if (index < 0 || menu_.items[static_cast<std::size_t>(index)].heading) {
        messages_.beep();
        return std::nullopt;
    }
    auto& entry = menu_.items[static_cast<std::size_t>(index)];
    std::vector<ticket::ParamAnswer> answers;
    for (const auto& p : entry.params)
        answers.push_back(ticket::defaultAnswer(p));
    if (entry.params.empty()) {
        ticket::BuiltCommand b = ticket::buildCommand(entry, answers, portLetter);
        if (!b.ok) {
            messages_.show(b.message, Buttons::Ok, Icon::Warning);
            return std::nullopt;
        }
        return b.command;
    }
    ParameterDialog form(entry, portLetter, messages_, formParent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.command();
}

} // namespace trix::views
