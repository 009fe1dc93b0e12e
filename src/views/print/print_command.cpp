#include "views/print/print_command.h"

#include "views/print/print_document.h"

#include <QAbstractPrintDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace trix::print {

namespace {

bool platformPrintDialog(QPrinter& printer, QWidget* parent) {
    printer.setFromTo(1, 1);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

void platformPreview(QPrinter& printer, const std::function<void(QPrinter*)>& paint,
                     QWidget* parent) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* p) { paint(p); });
    dialog.exec();
}

bool choiceDialog(PrintChoice& choice, bool& preview, const QString& title, QWidget* parent) {
    PrintChoiceDialog dialog(choice, title, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    preview = dialog.previewRequested();
    return true;
}

} // namespace

PrintCommand::PrintCommand(int& storedChoice, MessageSink& messages, QWidget* parent, Hooks hooks)
    : stored_(storedChoice), messages_(messages), parent_(parent), hooks_(std::move(hooks)) {
    if (!hooks_.choosePrinter)
        hooks_.choosePrinter = platformPrintDialog;
    if (!hooks_.preview)
        hooks_.preview = platformPreview;
    if (!hooks_.askChoice)
        hooks_.askChoice = choiceDialog;
}

bool PrintCommand::printOne(Printable& doc, bool preview) {
    if (!doc.alive())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName(doc.printTitle()));
    printer.setFromTo(1, 1);
    if (preview) {
        bool printed = false;
        hooks_.preview(
            printer, [&](QPrinter* p) { printed = printDocument(*p, doc, messages_) || printed; },
            parent_);
        return printed;
    }
    if (!hooks_.choosePrinter(printer, parent_))
        return false; // cancelled: nothing printed
    return printDocument(printer, doc, messages_);
}

int PrintCommand::run(Printable* active, const PrintableList& all, Printable& screen) {
    if (!active)
        return 0;
    PrintChoice choice = storedChoice(stored_);
    bool preview = false;
    if (!hooks_.askChoice(choice, preview, active->printTitle(), parent_))
        return 0;
    stored_ = static_cast<int>(choice);
    int printed = 0;
    switch (choice) {
    case PrintChoice::ActiveWindow:
        printed += printOne(*active, preview) ? 1 : 0;
        break;
    case PrintChoice::AllWindows:
        // The list was taken before any dialog ran; a window closed meanwhile is skipped.
        for (const auto& doc : all)
            if (doc && doc->alive())
                printed += printOne(*doc, preview) ? 1 : 0;
        break;
    case PrintChoice::ScreenCopy:
        printed += printOne(screen, preview) ? 1 : 0;
        break;
    }
    return printed;
}

} // namespace trix::print
