#include "views/rtcm/dgps_printout.h"

#include "base/strings.h"
#include "base/text.h"
#include "views/rtcm/rtcm_window.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QTableWidget>

#include <algorithm>

namespace trix::views {

namespace {

// The page number is written this far below the top of the page body, the rows begin two
// lines under it.
constexpr int kPageNumberTop = 20;
constexpr int kColumnGap = 16;

} // namespace

TextBlock blockOf(const QTableWidget* grid) {
    TextBlock b;
    QStringList titles;
    for (int c = 0; c < grid->columnCount(); ++c) {
        const QTableWidgetItem* h = grid->horizontalHeaderItem(c);
        titles << (h ? h->text() : QString());
    }
    // A grid that shows no titles prints none (the message types).
    if (!grid->horizontalHeader()->isHidden())
        b.rows.push_back(titles);
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QTableWidgetItem* i = grid->item(r, c);
            cells << (i ? i->text() : QString());
        }
        b.rows.push_back(cells);
    }
    return b;
}

TextBlock lineOf(const QString& text) {
    return TextBlock{{QStringList{text}}};
}

PrintedRows::PrintedRows(std::vector<TextBlock> blocks) : blocks_(std::move(blocks)) {
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        for (const QStringList& row : blocks_[b].rows)
            lines_.push_back({b, row});
        lines_.push_back({b, {}});
    }
}

void PrintedRows::layOut(const QFontMetrics& fm) {
    lineHeight_ = std::max(1, fm.height());
    columns_.clear();
    for (const TextBlock& block : blocks_) {
        std::vector<int> widths;
        for (const QStringList& row : block.rows) {
            if (row.size() < 2)
                continue; // plain text takes no column
            widths.resize(std::max(widths.size(), static_cast<std::size_t>(row.size())));
            for (qsizetype c = 0; c < row.size(); ++c)
                widths[static_cast<std::size_t>(c)] =
                    std::max(widths[static_cast<std::size_t>(c)], fm.horizontalAdvance(row[c]));
        }
        std::vector<int> x{0};
        for (int w : widths)
            x.push_back(x.back() + w + kColumnGap);
        columns_.push_back(std::move(x));
    }
}

void PrintedRows::draw(QPainter& painter, int left, int top, int first, int count) const {
    const QFontMetrics fm = painter.fontMetrics();
    const int end = std::min(size(), first + count);
    for (int i = std::max(0, first); i < end; ++i) {
        const Line& line = lines_[static_cast<std::size_t>(i)];
        const std::vector<int>& x = columns_.at(line.block);
        const int baseline = top + (i - first) * lineHeight_ + fm.ascent();
        for (qsizetype c = 0; c < line.cells.size(); ++c) {
            const auto k = static_cast<std::size_t>(c);
            painter.drawText(left + (k < x.size() ? x[k] : 0), baseline, line.cells[c]);
        }
    }
}

int pagesFor(int lines, int linesPerPage) {
    linesPerPage = std::max(1, linesPerPage);
    return std::max(1, (lines + linesPerPage - 1) / linesPerPage);
}

// ---------------------------------------------------------------------------------------------

RtcmPrintout::RtcmPrintout(RtcmWindow* window)
    : window_(window), title_(window ? window->windowTitle() : QString()) {}

void RtcmPrintout::layOut(QPainter& painter, const QRect& target) {
    if (window_)
        rows_ = PrintedRows(window_->printBlocks());
    rows_.layOut(painter.fontMetrics());
    const int lh = rows_.lineHeight();
    perPage_ = std::max(1, (target.height() - kPageNumberTop - 2 * lh) / lh);
    pages_ = pagesFor(rows_.size(), perPage_);
}

int RtcmPrintout::pageCount(QPainter& painter, const QRect& target) {
    layOut(painter, target);
    return pages_;
}

bool RtcmPrintout::printPage(QPainter& painter, const QRect& target, MessageSink& messages) {
    return printPageAt(painter, target, 0, messages);
}

bool RtcmPrintout::printPageAt(QPainter& painter, const QRect& target, int index, MessageSink&) {
    if (pages_ == 0)
        layOut(painter, target);
    if (index < 0 || index >= pages_)
        return false;
    painter.save();
    painter.setPen(Qt::black);
    const QFontMetrics fm = painter.fontMetrics();
    const QString number = QString::fromStdString(
        cformat(str::kRtcmPage, static_cast<unsigned>(index + 1), static_cast<unsigned>(pages_)));
    painter.drawText(target.left() + (target.width() - fm.horizontalAdvance(number)) / 2,
                     target.top() + kPageNumberTop + fm.ascent(), number);
    rows_.draw(painter, target.left(), target.top() + kPageNumberTop + 2 * rows_.lineHeight(),
               index * perPage_, perPage_);
    painter.restore();
    return true;
}

} // namespace trix::views
