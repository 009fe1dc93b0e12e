#pragma once
// The almanac listing: every present record of a document in its Yuma text form, in a fixed
// pitch font, scrolled by lines and characters, and printed a whole number of records a page.

#include "almanac/almanac_document.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace trix::views {

class AlmanacView : public QAbstractScrollArea {
public:
    static constexpr int kLinesPerRecord = 15; // 14 lines and an empty one
    static constexpr int kWidthChars = 47;

    explicit AlmanacView(const almanac::AlmanacDocument& doc, QWidget* parent = nullptr);

    // Lists the document again (after it was read or filled) and sets the scroll sizes.
    void refresh();
    int totalLines() const { return static_cast<int>(lines_.size()); }
    int lineHeight() const { return lineHeight_; }
    int charWidth() const { return charWidth_; }
    int topLine() const;
    const std::vector<QString>& lines() const { return lines_; }

    struct Pagination {
        int recordsPerPage;
        int pages;
    };
    // Whole records a page, at least one record a page and one page.
    static Pagination paginate(int records, int printableLines);

    // Prints the listing with a page header titled `title` and "Page %u of %u" on every page.
    // False when the device cannot be painted on.
    bool print(QPagedPaintDevice& device, const QString& title) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateScrollBars();
    void drawLines(QPainter& p, int first, int count, int x, int y, int lineHeight) const;

    const almanac::AlmanacDocument& doc_;
    std::vector<QString> lines_;
    QFont font_;
    int lineHeight_ = 12;
    int charWidth_ = 7;
};

// The listing's font: "Courier New", 12 units high, normal weight, fixed pitch.
QFont almanacFont(int pixelSize = 12);

} // namespace trix::views
