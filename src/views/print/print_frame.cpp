#include "views/print/print_frame.h"

#include "app/core/settings.h"
#include "base/strings.h"
#include "base/ui.h"
#include "views/panel/indicator_panel.h"
#include "views/plot/plot_window.h"
#include "views/position/position_window.h"
#include "views/print/screen_copy.h"
#include "views/print/window_printables.h"
#include "views/sky/sky_chart_window.h"
#include "window_host.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace trix::print {

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// The "Print" dialog, as the print command asks it.
bool askChoiceDialog(PrintChoice& choice, bool& preview, const QString& title, QWidget* parent) {
    PrintChoiceDialog dialog(choice, title, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    preview = dialog.previewRequested();
    return true;
}

} // namespace

std::unique_ptr<Printable> documentOf(QWidget* window) {
    if (auto* source = dynamic_cast<PrintSource*>(window))
        return source->printDocument();
    if (auto* w = dynamic_cast<views::SkyChartWindow*>(window))
        return printableOf(w);
    if (auto* w = dynamic_cast<views::PositionWindow*>(window))
        return printableOf(w);
    if (auto* w = dynamic_cast<views::IndicatorPanel*>(window))
        return printableOf(w);
    if (auto* w = dynamic_cast<plot::PlotWindow*>(window))
        return printableOf(w);
    return nullptr;
}

PrintCommands::PrintCommands(app::CommandHost& frame, PrintCommand::Hooks hooks)
    : QObject(frame.dialogParent()), frame_(frame), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("PrintCommands"));
    QMenu* file = frame.fileMenu();
    QAction* before = file->actions().isEmpty() ? nullptr : file->actions().first();
    print_ = new QAction(u8(str::kPrintCommand), this);
    print_->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    preview_ = new QAction(u8(str::kPrintPreviewCommand), this);
    options_ = new QAction(u8(str::kPrintOptionsCommand), this);
    print_->setStatusTip(u8(str::kTipPrint));
    preview_->setStatusTip(u8(str::kTipPrintPreview));
    options_->setStatusTip(u8(str::kTipPrintOptions));
    file->insertActions(before, {print_, preview_, options_});
    if (before)
        file->insertSeparator(before);
    // Shortcuts work with the menu closed.
    frame.dialogParent()->addAction(print_);

    connect(print_, &QAction::triggered, this, [this] { print(false); });
    connect(preview_, &QAction::triggered, this, [this] { print(true); });
    connect(options_, &QAction::triggered, this, &PrintCommands::chooseOptions);
    connect(file, &QMenu::aboutToShow, this, &PrintCommands::updateCommands);
    connect(frame.mdiArea(), &QMdiArea::subWindowActivated, this, &PrintCommands::updateCommands);
    updateCommands();
}

QWidget* PrintCommands::activeChild() const {
    QMdiSubWindow* sub = frame_.mdiArea()->activeSubWindow();
    if (!sub)
        sub = frame_.mdiArea()->currentSubWindow();
    return sub ? sub->widget() : nullptr;
}

void PrintCommands::updateCommands() {
    const bool printable = documentOf(activeChild()) != nullptr;
    print_->setEnabled(printable);
    preview_->setEnabled(printable);
}

std::unique_ptr<Printable> PrintCommands::activeDocument() const {
    return documentOf(activeChild());
}

PrintableList PrintCommands::allDocuments() const {
    PrintableList list;
    QWidget* active = activeChild();
    if (auto doc = documentOf(active))
        list.push_back(std::move(doc));
    for (QMdiSubWindow* sub : frame_.mdiArea()->subWindowList(QMdiArea::StackingOrder))
        if (sub->widget() != active)
            if (auto doc = documentOf(sub->widget()))
                list.push_back(std::move(doc));
    return list;
}

int PrintCommands::print(bool preview) {
    updateCommands();
    std::unique_ptr<Printable> active = activeDocument();
    if (!active)
        return 0;
    // Every document is taken before a dialog runs: windows closed meanwhile are skipped.
    const PrintableList all = allDocuments();
    ScreenCopy screen(frame_.dialogParent());
    PrintCommand::Hooks hooks = hooks_;
    if (preview) {
        // The preview command previews whatever the choice was.
        auto ask = hooks.askChoice ? hooks.askChoice : askChoiceDialog;
        hooks.askChoice = [ask](PrintChoice& c, bool& p, const QString& title, QWidget* parent) {
            const bool ok = ask(c, p, title, parent);
            p = true;
            return ok;
        };
    }
    PrintCommand command(frame_.settings().printOptions, frame_.messages(), frame_.dialogParent(),
                         std::move(hooks));
    return command.run(active.get(), all, screen);
}

void PrintCommands::chooseOptions() {
    PrintChoice choice = storedChoice(frame_.settings().printOptions);
    bool preview = false;
    std::unique_ptr<Printable> active = activeDocument();
    const QString title = active ? active->printTitle() : QString();
    auto ask = hooks_.askChoice ? hooks_.askChoice : askChoiceDialog;
    const bool ok = ask(choice, preview, title, frame_.dialogParent());
    if (ok)
        frame_.settings().printOptions = static_cast<int>(choice);
}

} // namespace trix::print
