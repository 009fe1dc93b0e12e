#include "views/print/print_document.h"

#include "base/strings.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace trix::print {

namespace {
constexpr int kDocumentNameLength = 31;
constexpr int kFontPixels = 12;
} // namespace

QString documentName(const QString& title) {
    return title.left(kDocumentNameLength);
}

QString printDateText(const QDateTime& when) {
    return QLocale::c().toString(when, QStringLiteral("dd MMM yyyy    HH:mm"));
}

QRect drawPageHeader(QPainter& p, const QRect& page, const QString& title, const QDateTime& when) {
    const QFontMetrics fm = p.fontMetrics();
    const QString date = printDateText(when);
    const int baseline = page.top() + kHeaderInset + fm.ascent();
    const int usable = page.width() - 2 * kHeaderInset;
    const int dateWidth = fm.horizontalAdvance(date);
    p.setPen(Qt::black);
    if (fm.horizontalAdvance(title) + dateWidth + fm.averageCharWidth() * 2 <= usable) {
        p.drawText(page.left() + kHeaderInset, baseline, title);
        p.drawText(page.right() - kHeaderInset - dateWidth, baseline, date);
    } else {
        // Both do not fit on one line: the title gives way, the date stays whole.
        const QString cut = fm.elidedText(title, Qt::ElideRight,
                                          std::max(0, usable - dateWidth - fm.averageCharWidth()));
        p.drawText(page.left() + kHeaderInset, baseline, cut);
        p.drawText(page.right() - kHeaderInset - dateWidth, baseline, date);
    }
    const int line = baseline + fm.descent() + kHeaderLineGap;
    p.drawLine(page.left(), line, page.right(), line);
    const int top = line + kBodyGap;
    return QRect(page.left() + kHeaderInset, top, page.width() - 2 * kHeaderInset,
                 std::max(0, page.bottom() - top));
}

bool printDocument(QPrinter& printer, Printable& doc, MessageSink& messages,
                   const QDateTime& when) {
    if (!doc.alive())
        return false;
    printer.setDocName(documentName(doc.printTitle()));
    QPainter p;
    if (!p.begin(&printer)) {
        messages.show(str::kPrintFailed);
        return false;
    }
    const double scale = static_cast<double>(printer.width()) / kLogicalPageWidth;
    p.scale(scale, scale);
    QFont font = p.font();
    font.setPixelSize(kFontPixels);
    p.setFont(font);
    const QRect page(0, 0, kLogicalPageWidth, static_cast<int>(printer.height() / scale));
    QRect body = drawPageHeader(p, page, doc.printTitle(), when);
    const int pages = std::max(1, doc.pageCount(p, body));
    for (int i = 0; i < pages; ++i) {
        if (i > 0) {
            if (!printer.newPage()) {
                messages.show(str::kPrintFailed);
                printer.abort();
                p.end();
                return false;
            }
            body = drawPageHeader(p, page, doc.printTitle(), when);
        }
        if (!doc.printPageAt(p, body, i, messages)) {
            printer.abort();
            p.end();
            return false;
        }
    }
    const bool ended = p.end();
    if (!ended || printer.printerState() == QPrinter::Error) {
        messages.show(str::kPrintFailed);
        return false;
    }
    return true;
}

} // namespace trix::print
