#pragma once
// The terminal on paper: its lines in their kind colours, whole lines to a page, every page
// numbered. Output stops from the first page laid out until the last one is drawn, so the pages
// show one consistent list; it goes on however the printing ends (the document releases its
// hold when it goes).

#include "ticket/terminal_core.h"
#include "views/print/printable.h"

#include <QFont>
#include <QPointer>

#include <vector>

namespace trix::views {

class TerminalView;

// A piece of a line on one page: rows `firstRow` up to `firstRow + rows` of line `line`.
struct PrintSlice {
    std::size_t line = 0;
    int firstRow = 0;
    int rows = 0;
    bool operator==(const PrintSlice&) const = default;
};
using PrintPage = std::vector<PrintSlice>;

// Lays lines of `rows[i]` rows on pages of `rowsPerPage` rows: a line that does not fit in
// what is left of a page starts the next one; only a line longer than a whole page is cut, and
// it starts on a page of its own. At least one (maybe empty) page.
std::vector<PrintPage> paginateLines(const std::vector<int>& rows, int rowsPerPage);

class TerminalPrintout : public print::Printable {
public:
    explicit TerminalPrintout(TerminalView* view);
    ~TerminalPrintout() override;

    QString printTitle() const override;
    bool alive() const override { return !view_.isNull(); }
    bool printPage(QPainter& painter, const QRect& target, MessageSink& messages) override;
    int pageCount(QPainter& painter, const QRect& target) override;
    bool printPageAt(QPainter& painter, const QRect& target, int index,
                     MessageSink& messages) override;

private:
    void layOut(QPainter& painter, const QRect& target);
    void release();

    QPointer<TerminalView> view_;
    QString title_;
    bool holding_ = false;
    QFont font_;
    int rowHeight_ = 1;
    std::vector<ticket::TrafficLine> lines_;
    std::vector<std::vector<QString>> rows_; // each line cut to the page width
    std::vector<PrintPage> pages_;
};

} // namespace trix::views
