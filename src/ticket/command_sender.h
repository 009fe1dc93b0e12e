#pragma once
// The terminal's and the ticket's way to the receiver: the link's command sender, with the
// checks those windows add and the reason when a command does not go out.

#include "link/link.h"
#include "ticket/ticket_run.h"

#include <string>
#include <string_view>

namespace trix::ticket {

struct SendResult {
    bool ok = false;
    std::string sentence; // what went out (without CR LF)
    std::string error;    // why nothing went out
};

class CommandSender {
public:
    explicit CommandSender(link::Link& link) : link_(link) {}

    // Sends `text`; with `addChecksum` a fresh checksum replaces any written one, without it
    // the text goes out exactly as given. Pseudo-commands are taken only in host mode, and
    // commands longer than 1021 characters never.
    SendResult send(std::string_view text, bool addChecksum);

    link::Link& link() { return link_; }

private:
    SendResult sendAsTyped(std::string_view text);
    link::Link& link_;
};

// The ticket's view of the link.
class LinkTicketPort : public TicketPort {
public:
    explicit LinkTicketPort(link::Link& link) : sender_(link) {}
    bool connected() const override;
    bool hostMode() const override;
    bool send(std::string_view command, std::string& sentence, std::string& error) override;

private:
    mutable CommandSender sender_;
};

} // namespace trix::ticket
