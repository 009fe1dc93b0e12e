#pragma once
// "GPS Receiver not responding": asked after seven unanswered detection queries.

#include "link/init_run.h"

#include <QDialog>

class QPushButton;

namespace trix::app {

class AutoManualDialog : public QDialog {
    Q_OBJECT
public:
    explicit AutoManualDialog(QWidget* parent = nullptr);
    link::NotRespondingChoice choice() const { return choice_; }

    QPushButton* autoSelectButton() const { return autoSelect_; }
    QPushButton* manualButton() const { return manual_; }
    QPushButton* cancelButton() const { return cancel_; }

    // Runs the dialog; closing it any other way counts as "Cancel".
    static link::NotRespondingChoice ask(QWidget* parent);

private:
    link::NotRespondingChoice choice_ = link::NotRespondingChoice::Cancel;
    QPushButton* autoSelect_;
    QPushButton* manual_;
    QPushButton* cancel_;
};

} // namespace trix::app
