// Every shipped menu, ticket script and book page goes through the program's own readers.

#include "decode/models.h"
#include "pty_pair.h"
#include "ticket/book_layout.h"
#include "ticket/menu_file.h"
#include "ticket/parameter_form.h"
#include "ticket/ticket_script.h"

#include <gtest/gtest.h>
#include <set>

using namespace trix::ticket;

namespace {

const std::string kFolder = std::string(TRIX_SOURCE_DIR) + "/share/RECEIVER/";

// The command word of a sentence: the field after the talker ("$PXKTS,ELM,5" gives "ELM").
std::string word(const std::string& command) {
    std::size_t a = command.find(',');
    if (a == std::string::npos)
        return command;
    std::size_t b = command.find(',', a + 1);
    return command.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
}

} // namespace

TEST(ShippedFiles, MenusCompileAndBuildEveryEntry) {
    const std::set<std::string> ownWords{"RID", "RIO", "PRT", "NME", "OUT", "SPD",
                                         "RST", "ELM", "PDM", "POS", "NMR", "ATT"};
    const std::set<std::string> zelpWords{"COMMNT", "LANG", "ACK", "OUTOFF", "PWOFF", "%L"};
    for (int m = 2; m <= 19; ++m) {
        const std::string path = kFolder + trix::modelInfo(m).code + ".MNU";
        MenuFile menu = loadMenu(path);
        ASSERT_TRUE(menu.ok) << menu.error;
        int entries = 0;
        for (auto& item : menu.items) {
            if (item.heading)
                continue;
            ++entries;
            std::vector<ParamAnswer> answers;
            for (const auto& p : item.params)
                answers.push_back(defaultAnswer(p));
            BuiltCommand b = buildCommand(item, answers, 'B');
            ASSERT_TRUE(b.ok) << path << ": " << item.title << ": " << b.message;
            const std::string w = word(item.command);
            EXPECT_TRUE(m == 2 ? zelpWords.count(w) : ownWords.count(w)) << path << ": " << w;
        }
        EXPECT_GE(entries, m == 2 ? 6 : 15) << path;
    }
}

TEST(ShippedFiles, TicketScriptsOnlyAsk) {
    // Answers the decoder takes for epochs are never asked for.
    const std::set<std::string> epochWords{"POS", "SAT", "AT2", "SA4", "CSN", "TAG"};
    for (int m = 2; m <= 19; ++m) {
        const std::string path = kFolder + trix::modelInfo(m).code + ".spt";
        TicketScript s = loadTicketScript(path, 'B');
        ASSERT_TRUE(s.opened) << path;
        EXPECT_GE(s.commands.size(), 3u) << path;
        EXPECT_EQ(s.commands.size(), s.markers.size()) << path;
        EXPECT_EQ(s.droppedCommands, 0) << path;
        for (const auto& c : s.commands) {
            EXPECT_TRUE(c.starts_with(m == 2 ? "$PYQN," : "$PXKTQ,")) << path << ": " << c;
            EXPECT_EQ(epochWords.count(word(c)), 0u) << path << ": " << c;
            EXPECT_EQ(c.find("TAG"), std::string::npos) << path;
            EXPECT_EQ(c.find("port"), std::string::npos) << path;
        }
        for (const auto& marker : s.markers)
            EXPECT_FALSE(marker.empty()) << path;
    }
}

TEST(ShippedFiles, BookPagesOfEveryTab) {
    std::vector<int> tabs{1};
    for (int m = 8; m <= 21; ++m)
        tabs.push_back(m);
    for (int m : tabs) {
        const std::string path = kFolder + trix::modelInfo(m).code + ".txt";
        std::string text;
        ASSERT_TRUE(loadDescription(path, text)) << path;
        EXPECT_LT(text.size(), kMaxDescription) << path;
        EXPECT_EQ(text.substr(0, std::string(trix::modelInfo(m).displayName).size()),
                  trix::modelInfo(m).displayName);
        BookLayout l = layoutBook(text, 240, 318, 14, [](unsigned char) { return 7; });
        EXPECT_LE(l.pages.size(), 3u) << path;
        EXPECT_EQ(l.lines.back().end, text.size() - 2) << path; // nothing is cut
    }
}
