#pragma once
// The command menu of the receiver model as a tree drop-down: headings and entries in file
// order, entries with parameters marked. Picking an entry and asking for its command shows the
// parameter form when the entry has placeholders.

#include "base/ui.h"
#include "ticket/menu_file.h"

#include <QComboBox>

#include <optional>
#include <string>

class QStandardItemModel;
class QTreeView;

namespace trix::views {

class CommandMenuBox : public QComboBox {
    Q_OBJECT
public:
    CommandMenuBox(MessageSink& messages, QWidget* parent = nullptr);

    // Loads "<code>.MNU" for `modelIndex` from `path` (empty: no menu). Models below 2 and
    // above 19 have none. A menu that does not compile is shown as a message and left empty.
    void load(int modelIndex, const std::string& path);
    const ticket::MenuFile& menu() const { return menu_; }
    bool hasMenu() const { return !menu_.items.empty(); }

    // The item index of the selected row, -1 for none.
    int selectedIndex() const;
    // Selects item `index` (tests and history).
    void selectIndex(int index);

    // The command of the selected entry with the port letter; nothing for a heading or when
    // the form is cancelled (a heading beeps).
    std::optional<std::string> command(char portLetter, QWidget* formParent);

private:
    void rebuild();
    void picked();
    MessageSink& messages_;
    ticket::MenuFile menu_;
    QStandardItemModel* model_;
    QTreeView* tree_;
    int selected_ = -1;
};

} // namespace trix::views
