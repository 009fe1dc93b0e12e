// The terminal's and the ticket's sender over a real link on a pseudo-terminal.

#include "link/link.h"
#include "pty_pair.h"
#include "ticket/command_sender.h"

#include <gtest/gtest.h>

using namespace trix;

namespace {
class Echo : public link::LinkListener {
public:
    void traffic(link::Direction d, std::string_view text) override {
        if (d == link::Direction::Sent)
            lines.emplace_back(text);
    }
    std::vector<std::string> lines;
};
} // namespace

TEST(CommandSender, ChecksumAsTypedPseudoCommandsAndLength) {
    SilentSink sink;
    link::Link link(sink);
    ticket::CommandSender sender(link);
    ticket::SendResult r = sender.send("$PXKTQ,RID", true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "The receiver is not connected.");

    linktest::PtyPair pty;
    ASSERT_EQ(link.openDevice(pty.slave(), link::kPlainPortSettings), 0);
    Echo echo;
    link.listeners.set(link::Slot::Terminal, &echo);

    r = sender.send("$PXKTS,ELM,5*1F", true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.sentence, "$PXKTS,ELM,5*35");
    EXPECT_EQ(pty.received(17), "$PXKTS,ELM,5*35\r\n");
    // Without a checksum the user's own text goes out as it is, "*1F" and all.
    r = sender.send("$PXKTS,ELM,5*1F", false);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(pty.received(17), "$PXKTS,ELM,5*1F\r\n");
    EXPECT_EQ(echo.lines,
              (std::vector<std::string>{"$PXKTS,ELM,5*35<CR><LF>", "$PXKTS,ELM,5*1F<CR><LF>"}));

    // Host-mode requests only in host mode: no block is left pending.
    r = sender.send("C_GETSEG,4010,1121", true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "This command is taken only while the receiver is in host mode.");
    EXPECT_EQ(link.state.pendingBlock, 0);
    link.state.hostMode = true;
    r = sender.send("C_GETSEG,4010,1121", false);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(link.state.pendingBlock, 2243);
    EXPECT_EQ(pty.received(7), std::string("\x04\xAA\x0F\x00\x00\x61\x04", 7));
    link.state.hostMode = false;
    link.state.pendingBlock = 0;

    r = sender.send("$" + std::string(1021, 'A'), true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "The command is longer than 1021 characters and is not sent.");
    EXPECT_EQ(pty.received(0, 50), "");
    link.listeners.remove(&echo);
}
