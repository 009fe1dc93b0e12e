// The terminal's traffic list and history, and the book's page layout.

#include "ticket/book_layout.h"
#include "ticket/terminal_core.h"

#include <gtest/gtest.h>

using namespace trix::ticket;

TEST(TrafficList, KeepsTheNewest129Lines) {
    TrafficList list;
    EXPECT_FALSE(list.add(TrafficKind::Received, ""));
    for (int i = 1; i <= 140; ++i)
        list.add(i % 2 ? TrafficKind::Sent : TrafficKind::Received, std::to_string(i));
    EXPECT_EQ(list.size(), 129u);
    EXPECT_EQ(list.lines().front().text, "12");
    EXPECT_EQ(list.lines().back().text, "140");
    EXPECT_EQ(list.lines().back().kind, TrafficKind::Received);
    EXPECT_EQ(list.longest(), 3u);
    TrafficList small;
    small.add(TrafficKind::Sent, "$PXKTQ,RID*2F<CR><LF>");
    small.add(TrafficKind::Status, "note");
    EXPECT_EQ(small.copyText(), "$PXKTQ,RID*2F<CR><LF>\r\nnote\r\n");
    small.clear();
    EXPECT_EQ(small.copyText(), "");
}

TEST(TrafficList, BytesThatAreNotTextShowAsHex) {
    EXPECT_EQ(shownText(std::string("\x04\xAA\x0F\0A", 5)), "\\x04\\xAA\\x0F\\x00A");
    EXPECT_EQ(shownText("\x06-bin:ACK"), "\\x06-bin:ACK");
    EXPECT_EQ(shownText("$GPGGA,1"), "$GPGGA,1");
    EXPECT_TRUE(isPseudoCommand("C_GETSEG,4010,1121"));
    EXPECT_TRUE(isPseudoCommand("C_CLOSECOMM"));
    EXPECT_FALSE(isPseudoCommand("$PXKTQ,RID"));
}

TEST(CommandHistory, ExactDuplicatesOnlyAndThirtyEntries) {
    CommandHistory h;
    h.add("$PXKTS,ELM,10");
    h.add("$PXKTS,ELM,1");
    EXPECT_EQ(h.entries(), (std::vector<std::string>{"$PXKTS,ELM,1", "$PXKTS,ELM,10"}));
    h.add("$PXKTS,ELM,10");
    EXPECT_EQ(h.entries(), (std::vector<std::string>{"$PXKTS,ELM,10", "$PXKTS,ELM,1"}));
    for (int i = 0; i < 40; ++i)
        h.add("C" + std::to_string(i));
    EXPECT_EQ(h.entries().size(), 30u);
    EXPECT_EQ(h.entries().front(), "C39");
    h.set({"A", "B", "A"});
    EXPECT_EQ(h.entries(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(historySection(16), "RX-05 Commands");
}

namespace {
std::vector<std::string> lineTexts(std::string_view text, const BookLayout& l) {
    std::vector<std::string> out;
    for (const auto& line : l.lines)
        out.emplace_back(text.substr(line.begin, line.end - line.begin));
    return out;
}
int tenPixels(unsigned char) {
    return 10;
}
} // namespace

TEST(BookLayout, LineEndsOfEveryStyle) {
    for (const char* text : {"one\r\ntwo\r\nthree", "one\ntwo\nthree", "one\rtwo\rthree"}) {
        BookLayout l = layoutBook(text, 200, 100, 10, tenPixels);
        EXPECT_EQ(lineTexts(text, l), (std::vector<std::string>{"one", "two", "three"})) << text;
    }
    std::string blank = "a\n\nb";
    EXPECT_EQ(lineTexts(blank, layoutBook(blank, 200, 100, 10, tenPixels)),
              (std::vector<std::string>{"a", "", "b"}));
}

TEST(BookLayout, WrapsBeforeTheWordAndCutsLongWordsAtTheEdge) {
    // Five characters a line.
    std::string text = "ab cd efgh";
    EXPECT_EQ(lineTexts(text, layoutBook(text, 50, 100, 10, tenPixels)),
              (std::vector<std::string>{"ab cd", "efgh"}));
    text = "ab cdef g";
    EXPECT_EQ(lineTexts(text, layoutBook(text, 50, 100, 10, tenPixels)),
              (std::vector<std::string>{"ab ", "cdef ", "g"}));
    std::string word(23, 'x');
    BookLayout l = layoutBook(word, 50, 100, 10, tenPixels);
    EXPECT_EQ(lineTexts(word, l),
              (std::vector<std::string>{"xxxxx", "xxxxx", "xxxxx", "xxxxx", "xxx"}));
    EXPECT_EQ(l.pages.size(), 1u);
    // A character wider than the line still moves on.
    EXPECT_EQ(layoutBook("abc", 5, 100, 10, tenPixels).lines.size(), 3u);
    // A tab advances eight pixels.
    EXPECT_EQ(layoutBook("\t\t\tx", 30, 100, 10, tenPixels).lines.size(), 2u);
}

TEST(BookLayout, PagesAndTheFiftyPageLimit) {
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "line\n";
    BookLayout l = layoutBook(text, 200, 35, 10, tenPixels); // three lines a page
    EXPECT_EQ(l.pages.size(), 50u);
    EXPECT_EQ(l.pages[1].firstLine, 3u);
    EXPECT_EQ(l.pages[49].lineCount, 3u);
    BookLayout empty = layoutBook("", 200, 35, 10, tenPixels);
    EXPECT_EQ(empty.pages.size(), 1u);
    EXPECT_EQ(empty.pages[0].lineCount, 0u);
}
