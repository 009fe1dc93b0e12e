#pragma once
// The context menu "Copy" of the windows whose tables and texts a user copies into other
// programs: plain text on the clipboard, table cells separated by TAB and rows by new lines,
// so that a spreadsheet takes them as columns.

#include "base/strings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QString>
#include <QStringList>

#include <functional>

namespace trix::views {

// One row of cells joined by TAB.
inline QString tabRow(const QStringList& cells) {
    return cells.join(QLatin1Char('\t'));
}

// Rows joined by new lines, with a final new line as a text file has.
inline QString textLines(const QStringList& rows) {
    return rows.isEmpty() ? QString() : rows.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

inline void copyText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

// Shows the menu with "Copy" at `globalPos`; the text is taken when the command is chosen.
// Nothing to copy: the command is shown disabled.
inline void execCopyMenu(QWidget* owner, const QPoint& globalPos, bool enabled,
                         const std::function<QString()>& text) {
    QMenu menu(owner);
    QAction* copy = menu.addAction(QString::fromUtf8(str::kCopy));
    copy->setEnabled(enabled);
    QObject::connect(copy, &QAction::triggered, owner, [text] { copyText(text()); });
    menu.exec(globalPos);
}

} // namespace trix::views
