#pragma once
// Help ▸ About: the program, its version, its rights, and the Qt it runs on and was built with
// (Qt is used under the LGPL v3, which asks that the user can see which Qt is in use).

#include <QDialog>

class QLabel;
class QMenuBar;

namespace trix::app {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // Puts the Help menu last in `bar` (after the commands that added to it, About comes
    // last), creating it when nothing has; About opens the dialog over `parent`.
    static void addHelpMenu(QMenuBar& bar, QWidget& parent);

    // The version `trix32 --version` prints.
    static QString programVersion();
    // Everything the dialog says, as plain text (tests, the clipboard).
    QString text() const;

private:
    QLabel* body_ = nullptr;
};

} // namespace trix::app
