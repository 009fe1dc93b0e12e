#pragma once
// The scrolling view shared by the panes of the sky chart and the position window: a font,
// a background colour, a scroll size, and one drawing routine that serves the screen and the
// printed page. Qt's backing store gives the flicker-free copy to the screen in one block.

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QSize>

class QPainter;

namespace trix::views {

enum class DrawTarget { Screen, Printer };

// An ellipse in the bounding box (left, top) to (right, bottom), the right and bottom edges
// excluded, so that a circle of radius r about (r, r) stays inside a 2r-pixel square.
void drawBoxEllipse(QPainter& p, int left, int top, int right, int bottom);

class SatelliteView : public QAbstractScrollArea {
    Q_OBJECT
public:
    SatelliteView(const QFont& font, const QColor& background, QWidget* parent = nullptr);

    // The scrollable extent of the drawing; the scroll bars appear when the pane is smaller.
    void setScrollSize(const QSize& size);
    QSize scrollSize() const { return scrollSize_; }
    QPoint scrollOffset() const;
    void setBackground(const QColor& c);
    QColor background() const { return background_; }
    const QFont& viewFont() const { return font_; }

    // Scrolling by the keys: one line or one page up (negative) or down.
    void scrollLines(int lines);
    void scrollPages(int pages);

    // Draws the view into `p` at its current origin in printing mode; returns the extent
    // the drawing occupies.
    virtual QSize printPage(QPainter& p);

protected:
    // Draws the whole view with the origin at the top left of the scroll area.
    virtual void draw(QPainter& p, DrawTarget target) = 0;
    // The visible client size changed.
    virtual void viewResized() {}
    // The extent printed (default: the scroll size, or the client size when none is set).
    virtual QSize printExtent() const;
    int lineStep() const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars();

    QFont font_;
    QColor background_;
    QSize scrollSize_;
};

} // namespace trix::views
