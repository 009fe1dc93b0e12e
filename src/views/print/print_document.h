#pragma once
// The common print procedure: one document per window (one page unless the window needs more), the
// page header (title at the left, date and time at the right, a line under both) and the window's
// page below it.

#include "views/print/printable.h"

#include <QDateTime>

class QPagedPaintDevice;
class QPrinter;

namespace trix::print {

// The logical width every page is laid out in; the height follows the paper.
inline constexpr int kLogicalPageWidth = 1000;
inline constexpr int kHeaderInset = 10;
inline constexpr int kHeaderLineGap = 20;
inline constexpr int kBodyGap = 30;

// The document name: the title cut to 31 characters.
QString documentName(const QString& title);
// "%d %b %Y    %H:%M" in English whatever the locale.
QString printDateText(const QDateTime& when);
// Writes the header into `page` and returns the printable rectangle below it.
QRect drawPageHeader(QPainter& painter, const QRect& page, const QString& title,
                     const QDateTime& when);

// Prints `doc` on `printer` (already set up): begins the document, writes the header on each
// page, lets the window draw its pages, ends the document. A page that fails aborts the job; a
// printer that cannot start or reports an error is shown. True only when the page was printed.
bool printDocument(QPrinter& printer, Printable& doc, MessageSink& messages,
                   const QDateTime& when = QDateTime::currentDateTime());

} // namespace trix::print
