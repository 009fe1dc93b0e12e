#pragma once
// The parameter form of a menu entry: one field per placeholder, stacked in a scrolling area,
// checked on OK; the built command is kept for the caller.

#include "base/ui.h"
#include "ticket/menu_file.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace trix::views {

class ParameterDialog : public QDialog {
    Q_OBJECT
public:
    // `entry` receives the accepted N and T answers as its new defaults.
    ParameterDialog(ticket::MenuItem& entry, char portLetter, MessageSink& messages,
                    QWidget* parent = nullptr);
    const std::string& command() const { return command_; }

    // The fields, for tests: an edit box, a drop-down or a check list per parameter.
    QWidget* field(int n) const { return fields_.at(static_cast<std::size_t>(n)); }

    void accept() override;

private:
    ticket::MenuItem& entry_;
    char port_;
    MessageSink& messages_;
    std::vector<QWidget*> fields_;
    std::string command_;
};

} // namespace trix::views
