#pragma once
// File ▸ Print: asks what to print, remembers the answer in "Print Options", and prints each
// document through its own print dialog (or the preview), with the common page header.

#include "views/print/print_choice_dialog.h"
#include "views/print/printable.h"

#include <functional>

class QPrinter;
class QWidget;

namespace trix::print {

class PrintCommand {
public:
    // What the command reaches; every part can be replaced in tests.
    struct Hooks {
        // The printer of one document; false when the user cancels. Default: the platform's
        // print dialog set up for one page.
        std::function<bool(QPrinter&, QWidget*)> choosePrinter;
        // Shows the preview of one document. Default: QPrintPreviewDialog.
        std::function<void(QPrinter&, const std::function<void(QPrinter*)>&, QWidget*)> preview;
        // Asks the choice; false on Cancel. Default: the "Print" dialog.
        std::function<bool(PrintChoice&, bool& preview, const QString& activeTitle, QWidget*)>
            askChoice;
    };

    PrintCommand(int& storedChoice, MessageSink& messages, QWidget* parent = nullptr,
                 Hooks hooks = {});

    // `active`: the active window (none disables the command); `all`: every window, the active
    // one first, taken before any dialog runs; `screen`: the screen copy document.
    // Returns the number of documents printed.
    int run(Printable* active, const PrintableList& all, Printable& screen);

    // One document: its printer dialog (or preview), then the print procedure.
    bool printOne(Printable& doc, bool preview);

private:
    int& stored_;
    MessageSink& messages_;
    QWidget* parent_;
    Hooks hooks_;
};

} // namespace trix::print
