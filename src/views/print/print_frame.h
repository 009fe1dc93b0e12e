#pragma once
// The main window's printing commands: File ▸ "Print..." (Ctrl+P), "Print Preview..." and
// "Print Options...", enabled while a child window is active. The documents are taken from
// the open MDI children (the active one first) before any dialog runs; the choice is kept in
// the settings' "Print Options".

#include "views/print/print_command.h"

#include <QObject>

class QAction;

namespace trix::app {
class CommandHost;
}

namespace trix::print {

class PrintCommands : public QObject {
    Q_OBJECT
public:
    // Adds the commands to the main window's File menu; owned by the main window.
    // `hooks` replace the dialogs (tests).
    explicit PrintCommands(app::CommandHost& frame, PrintCommand::Hooks hooks = {});

    // File ▸ Print (or its preview): the choice, then one printer dialog or preview per
    // document. Returns the number of documents printed.
    int print(bool preview);
    // Asks the choice only and keeps it.
    void chooseOptions();
    // The commands follow whether a child window is active.
    void updateCommands();

    QAction* printAction() const { return print_; }
    QAction* previewAction() const { return preview_; }
    QAction* optionsAction() const { return options_; }

    // The document of the active child, or none; the documents of every open child, the active
    // one first.
    std::unique_ptr<Printable> activeDocument() const;
    PrintableList allDocuments() const;

private:
    QWidget* activeChild() const;

    app::CommandHost& frame_;
    PrintCommand::Hooks hooks_;
    QAction* print_;
    QAction* preview_;
    QAction* options_;
};

// A print document for a display window; none for a window that offers no page.
std::unique_ptr<Printable> documentOf(QWidget* window);

} // namespace trix::print
