#pragma once
// The receivers information book: a captionless window drawn as an open book, a receiver's
// picture on the left page, its description on the right, one bookmark tab per model along
// the left edge. Clicking a tab opens that model; the page corners turn pages; the rest of
// the book drags the window.

#include "base/ui.h"
#include "ticket/book_layout.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace trix::views {

class BookWindow : public QWidget {
    Q_OBJECT
public:
    // `findFile` gives a receiver file's path (the user's folder first, "" when missing);
    // `drawPicture` draws a receiver picture into a rectangle (false when there is none).
    using FileFinder = std::function<std::string(const std::string&)>;
    using PictureDrawer = std::function<bool(QPainter&, int, const QRect&)>;
    BookWindow(MessageSink& messages, FileFinder findFile, PictureDrawer drawPicture,
               QWidget* parent = nullptr);

    // The model values that have a tab, top to bottom.
    static std::vector<int> tabModels();
    // Opens the pages of model `value`.
    void selectModel(int value);
    int model() const { return model_; }
    int page() const { return page_; }
    int pageCount() const { return static_cast<int>(layout_.pages.size()); }
    int highlightedTab() const { return highlighted_; }
    const std::string& text() const { return text_; }
    const ticket::BookLayout& layout() const { return layout_; }

    // Where things are, in the window's coordinates.
    static QRect tabRect(int tab, int textHeight);
    static QPoint bookOrigin();
    QRect tabRectOf(int tab) const;
    int tabAt(const QPoint& at) const;

    // Clicks, as the mouse gives them (tests call them directly).
    void clickAt(const QPoint& at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void drawBook(QPainter& p) const;
    void drawCorner(QPainter& p, const QRect& spot, bool active, bool forward) const;
    void drawTabs(QPainter& p) const;
    bool overTurn(const QPoint& bookPoint) const;

    MessageSink& messages_;
    FileFinder findFile_;
    PictureDrawer drawPicture_;
    int model_ = 1;
    int page_ = 0;
    int highlighted_ = -1;
    std::string text_;
    ticket::BookLayout layout_;
    bool dragging_ = false;
    QPoint dragFrom_;
};

} // namespace trix::views
