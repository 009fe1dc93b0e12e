#pragma once
// The DGPS windows on paper: their grids as rows of text in aligned columns. The RTCM window's
// rows run over as many pages as they need, whole rows to a page and every page numbered. The
// document holds its window through a guarded pointer, so a window closed while a print dialog
// runs is skipped.

#include "views/print/printable.h"

#include <QPointer>
#include <QStringList>

#include <vector>

class QFontMetrics;
class QTableWidget;

namespace trix::views {

class RtcmWindow;

// Rows of text printed in aligned columns; the first row of a grid's block is its titles.
struct TextBlock {
    std::vector<QStringList> rows;
};
// A grid's column titles and its rows, as shown.
TextBlock blockOf(const QTableWidget* grid);
// One line of plain text.
TextBlock lineOf(const QString& text);

// Blocks laid out as printed lines, an empty line after each block.
class PrintedRows {
public:
    explicit PrintedRows(std::vector<TextBlock> blocks = {});
    // Column positions for the font of `fm`.
    void layOut(const QFontMetrics& fm);
    int size() const { return static_cast<int>(lines_.size()); }
    int lineHeight() const { return lineHeight_; }
    // Draws lines [first, first + count) with the first one's top at `top`.
    void draw(QPainter& painter, int left, int top, int first, int count) const;

private:
    struct Line {
        std::size_t block = 0;
        QStringList cells;
    };
    std::vector<TextBlock> blocks_;
    std::vector<Line> lines_;
    std::vector<std::vector<int>> columns_; // x of each column, per block
    int lineHeight_ = 1;
};

// Pages of whole lines below the page number line: how many pages `lines` need.
int pagesFor(int lines, int linesPerPage);

class RtcmPrintout : public print::Printable {
public:
    explicit RtcmPrintout(RtcmWindow* window);

    QString printTitle() const override { return title_; }
    bool alive() const override { return !window_.isNull(); }
    bool printPage(QPainter& painter, const QRect& target, MessageSink& messages) override;
    int pageCount(QPainter& painter, const QRect& target) override;
    bool printPageAt(QPainter& painter, const QRect& target, int index,
                     MessageSink& messages) override;

private:
    void layOut(QPainter& painter, const QRect& target);

    QPointer<RtcmWindow> window_;
    QString title_;
    PrintedRows rows_;
    int perPage_ = 1;
    int pages_ = 0;
};

} // namespace trix::views
