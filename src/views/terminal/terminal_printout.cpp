#include "views/terminal/terminal_printout.h"

#include "base/strings.h"
#include "base/text.h"
#include "views/terminal/terminal_icons.h"
#include "views/terminal/terminal_view.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace trix::views {

namespace {

constexpr int kLineFontPixels = 11;
constexpr int kIconGap = 6;

// `text` in rows no wider than `width`; at least one character to a row.
std::vector<QString> cutToWidth(const QString& text, const QFontMetrics& fm, int width) {
    std::vector<QString> rows;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        int used = 0;
        while (end < text.size()) {
            const int advance = fm.horizontalAdvance(text.at(end));
            if (end > start && used + advance > width)
                break;
            used += advance;
            ++end;
        }
        rows.push_back(text.mid(start, end - start));
        start = end;
    }
    if (rows.empty())
        rows.emplace_back();
    return rows;
}

} // namespace

std::vector<PrintPage> paginateLines(const std::vector<int>& rows, int rowsPerPage) {
    rowsPerPage = std::max(1, rowsPerPage);
    std::vector<PrintPage> pages(1);
    int free = rowsPerPage;
    auto newPage = [&] {
        pages.emplace_back();
        free = rowsPerPage;
    };
    for (std::size_t line = 0; line < rows.size(); ++line) {
        int left = std::max(1, rows[line]);
        if (left > free && !pages.back().empty())
            newPage(); // a line is never split where a whole page would hold it
        int first = 0;
        while (left > 0) {
            if (free == 0)
                newPage();
            const int take = std::min(left, free);
            pages.back().push_back({line, first, take});
            first += take;
            left -= take;
            free -= take;
        }
    }
    return pages;
}

TerminalPrintout::TerminalPrintout(TerminalView* view)
    : view_(view), title_(view ? view->windowTitle() : QString()) {
    font_ = QFont(QStringLiteral("Monospace"));
    font_.setStyleHint(QFont::TypeWriter);
    font_.setPixelSize(kLineFontPixels);
}

TerminalPrintout::~TerminalPrintout() {
    release();
}

QString TerminalPrintout::printTitle() const {
    return title_;
}

void TerminalPrintout::release() {
    if (holding_ && view_)
        view_->releaseOutput();
    holding_ = false;
}

void TerminalPrintout::layOut(QPainter& painter, const QRect& target) {
    if (view_) {
        if (!holding_) {
            view_->holdOutput();
            holding_ = true;
        }
        const auto& shown = view_->lines().lines();
        lines_.assign(shown.begin(), shown.end());
    }
    const QFontMetrics fm(font_, painter.device());
    rowHeight_ = std::max(1, fm.height());
    const int textWidth = std::max(1, target.width() - rowHeight_ - kIconGap);
    rows_.clear();
    std::vector<int> counts;
    for (const auto& line : lines_) {
        rows_.push_back(cutToWidth(QString::fromStdString(line.text), fm, textWidth));
        counts.push_back(static_cast<int>(rows_.back().size()));
    }
    // The page number takes the last two rows of the page's own font.
    const int footer = 2 * painter.fontMetrics().height();
    pages_ = paginateLines(counts, (target.height() - footer) / rowHeight_);
}

int TerminalPrintout::pageCount(QPainter& painter, const QRect& target) {
    layOut(painter, target);
    return static_cast<int>(pages_.size());
}

bool TerminalPrintout::printPage(QPainter& painter, const QRect& target, MessageSink& messages) {
    return printPageAt(painter, target, 0, messages);
}

bool TerminalPrintout::printPageAt(QPainter& painter, const QRect& target, int index,
                                   MessageSink&) {
    if (pages_.empty())
        layOut(painter, target);
    if (index < 0 || index >= static_cast<int>(pages_.size()))
        return false;
    painter.save();
    // The page number in the page frame's font, centred under the lines.
    const QFontMetrics frameFm = painter.fontMetrics();
    painter.setPen(Qt::black);
    const QString number = QString::fromStdString(cformat(str::kTerminalPage, index + 1));
    painter.drawText(target.left() + (target.width() - frameFm.horizontalAdvance(number)) / 2,
                     target.bottom() - frameFm.descent(), number);

    painter.setFont(font_);
    const QFontMetrics fm(font_, painter.device());
    const int textLeft = target.left() + rowHeight_ + kIconGap;
    int top = target.top();
    for (const PrintSlice& slice : pages_[static_cast<std::size_t>(index)]) {
        const ticket::TrafficLine& line = lines_[slice.line];
        if (slice.firstRow == 0) {
            const int side = std::max(1, rowHeight_ - 2);
            painter.drawPixmap(QRect(target.left(), top + 1, side, side),
                               trafficIcon(line.kind).pixmap(20, 20));
        }
        painter.setPen(trafficColour(line.kind));
        const auto& rows = rows_[slice.line];
        for (int r = slice.firstRow; r < slice.firstRow + slice.rows; ++r) {
            painter.drawText(textLeft, top + fm.ascent(), rows[static_cast<std::size_t>(r)]);
            top += rowHeight_;
        }
    }
    painter.restore();
    // The last page is out: the terminal shows lines again.
    if (index + 1 == static_cast<int>(pages_.size()))
        release();
    return true;
}

} // namespace trix::views
