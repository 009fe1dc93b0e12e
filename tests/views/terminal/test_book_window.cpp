// The information book: tabs, pages, the click spots and the missing description.

#include "decode/models.h"
#include "trixres/trixres.h"
#include "views/book/book_window.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>

#include <fstream>
#include <gtest/gtest.h>

using namespace trix;
using namespace trix::views;

namespace {

class Sink : public MessageSink {
public:
    Answer show(std::string_view text, Buttons, Icon) override {
        shown.emplace_back(text);
        return Answer::Ok;
    }
    std::vector<std::string> shown;
};

std::string shipped(const std::string& name) {
    std::string path = std::string(TRIX_SOURCE_DIR) + "/share/RECEIVER/" + name;
    return std::ifstream(path) ? path : std::string();
}

bool picture(QPainter& p, int number, const QRect& r) {
    return DrawReceiver(&p, number, &r) != 0;
}

} // namespace

TEST(BookWindow, TabsPagesAndSpots) {
    Sink sink;
    BookWindow book(sink, shipped, picture);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(book.model(), 1);
    EXPECT_EQ(BookWindow::tabModels().size(), 15u);
    // The first tab sits 42 pixels left of the book, 43 down; each next 2 right, 20 down.
    EXPECT_EQ(BookWindow::tabRect(0, 14).topLeft() - BookWindow::bookOrigin(), QPoint(-42, 43));
    EXPECT_EQ(BookWindow::tabRect(3, 14).topLeft() - BookWindow::bookOrigin(), QPoint(-36, 103));
    const QRect tab = book.tabRectOf(9); // RX-05
    book.clickAt(tab.topLeft() + QPoint(5, 5));
    EXPECT_EQ(book.model(), 16);
    EXPECT_FALSE(book.text().empty());
    book.show();
    QDir().mkpath(QStringLiteral("/tmp/term_grabs"));
    book.grab().save(QStringLiteral("/tmp/term_grabs/book.png"));

    // Pages: the forward spot stops at the last, the back spot at the first.
    const QPoint origin = BookWindow::bookOrigin();
    const int pages = book.pageCount();
    for (int i = 0; i < pages + 2; ++i)
        book.clickAt(origin + QPoint(580, 360));
    EXPECT_EQ(book.page(), pages - 1);
    book.clickAt(origin + QPoint(60, 350));
    EXPECT_EQ(book.page(), std::max(0, pages - 2));
    book.clickAt(origin + QPoint(645, 10));
    EXPECT_FALSE(book.isVisible());
}

TEST(BookWindow, MissingDescriptionAndLongText) {
    Sink sink;
    const std::string dir = [] {
        char name[] = "/tmp/termbookXXXXXX";
        return std::string(::mkdtemp(name));
    }();
    std::ofstream(dir + "/rx13.txt") << std::string(5000, 'W'); // one long word, over 4096
    BookWindow book(
        sink,
        [&](const std::string& name) {
            std::string path = dir + "/" + name;
            return std::ifstream(path) ? path : std::string();
        },
        nullptr);
    EXPECT_EQ(sink.shown,
              std::vector<std::string>{"Information about Unknown receiver is absent."});
    EXPECT_EQ(book.pageCount(), 1);
    book.selectModel(8);
    EXPECT_EQ(book.text().size(), 4096u);
    EXPECT_GE(book.pageCount(), 1);
    EXPECT_LE(book.pageCount(), 50);
    EXPECT_EQ(book.layout().lines.back().end, 4096u);
}

namespace {

void sendMouse(QWidget& w, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons,
               Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

} // namespace

TEST(BookWindow, HoverHighlightsTheTabAndTheBookDrags) {
    Sink sink;
    BookWindow book(sink, shipped, picture);
    book.move(100, 100);
    book.show();
    // The pointer over a tab lights it, over the book it goes out; leaving the book too.
    const QRect tab = book.tabRectOf(4);
    sendMouse(book, QEvent::MouseMove, tab.topLeft() + QPoint(4, 4), Qt::NoButton);
    EXPECT_EQ(book.highlightedTab(), 4);
    EXPECT_EQ(book.cursor().shape(), Qt::PointingHandCursor);
    // Where two tabs overlap, the one drawn last (lower down) is under the pointer.
    const QRect next = book.tabRectOf(5);
    if (tab.intersects(next)) {
        sendMouse(book, QEvent::MouseMove, tab.intersected(next).center(), Qt::NoButton);
        EXPECT_EQ(book.highlightedTab(), 5);
    }
    const QPoint origin = BookWindow::bookOrigin();
    sendMouse(book, QEvent::MouseMove, origin + QPoint(200, 30), Qt::NoButton);
    EXPECT_EQ(book.highlightedTab(), -1);
    EXPECT_EQ(book.cursor().shape(), Qt::ArrowCursor);
    // A page corner shows the hand.
    sendMouse(book, QEvent::MouseMove, origin + QPoint(580, 360), Qt::NoButton);
    EXPECT_EQ(book.cursor().shape(), Qt::PointingHandCursor);
    sendMouse(book, QEvent::MouseMove, tab.topLeft() + QPoint(4, 4), Qt::NoButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&book, &leave);
    EXPECT_EQ(book.highlightedTab(), -1);

    // Pressed on the page (no spot, no tab), the book follows the pointer; the model and the
    // page stay.
    const int model = book.model(), page = book.page();
    const QPoint start = book.pos();
    const QPoint grip = origin + QPoint(200, 200);
    sendMouse(book, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    QMouseEvent drag(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)),
                     QPointF(book.mapToGlobal(grip) + QPoint(30, 20)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&book, &drag);
    sendMouse(book, QEvent::MouseButtonRelease, grip + QPoint(30, 20), Qt::NoButton,
              Qt::LeftButton);
    EXPECT_EQ(book.pos() - start, QPoint(30, 20));
    EXPECT_EQ(book.model(), model);
    EXPECT_EQ(book.page(), page);
    EXPECT_TRUE(book.isVisible());
    // Once released, moving does not drag.
    sendMouse(book, QEvent::MouseMove, grip + QPoint(80, 80), Qt::NoButton);
    EXPECT_EQ(book.pos() - start, QPoint(30, 20));
}
