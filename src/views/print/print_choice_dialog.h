#pragma once
// The "Print" dialog: print the active window, all windows or a copy of the screen. The first
// choice names the active window; "Preview..." shows the pages before they go to a printer.

#include <QDialog>

class QRadioButton;

namespace trix::print {

enum class PrintChoice { ActiveWindow = 0, AllWindows = 1, ScreenCopy = 2 };

class PrintChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // `activeTitle` empty: there is no active window to name.
    PrintChoiceDialog(PrintChoice initial, const QString& activeTitle, QWidget* parent = nullptr);

    PrintChoice choice() const;
    void setChoice(PrintChoice c);
    // The user asked for the preview rather than the printer.
    bool previewRequested() const { return preview_; }
    QRadioButton* button(PrintChoice c) const;

private:
    QRadioButton* buttons_[3];
    bool preview_ = false;
};

// The stored choice as the print dialog takes it: anything above 2 is 0.
PrintChoice storedChoice(int value);

} // namespace trix::print
