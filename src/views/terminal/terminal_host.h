#pragma once
// What the terminal and the send dialog need of the program: the receiver model and port
// letter, the command sender and the receiver files.

#include "ticket/command_sender.h"

#include <functional>

#include <string>
#include <string_view>

namespace trix::views {

class TerminalHost {
public:
    virtual ~TerminalHost() = default;
    virtual int modelIndex() const = 0;
    virtual char portLetter() const = 0; // 0 while unknown
    virtual ticket::SendResult send(std::string_view text, bool addChecksum) = 0;
    // The receiver file `fileName`, the user's folder searched first; "" when neither has it.
    virtual std::string findReceiverFile(const std::string& fileName) const = 0;
    // Where new command files are saved (the user's receiver folder).
    virtual std::string receiverFolder() const = 0;
};

// The host over the program's link: `find` and `folder` give the receiver files.
class LinkTerminalHost : public TerminalHost {
public:
    LinkTerminalHost(link::Link& link, std::function<std::string(const std::string&)> find,
                     std::string folder)
        : link_(link), sender_(link), find_(std::move(find)), folder_(std::move(folder)) {}
    int modelIndex() const override { return link_.state.modelIndex; }
    char portLetter() const override { return link_.state.receiverPort; }
    ticket::SendResult send(std::string_view text, bool addChecksum) override {
        return sender_.send(text, addChecksum);
    }
    std::string findReceiverFile(const std::string& fileName) const override {
        return find_ ? find_(fileName) : std::string();
    }
    std::string receiverFolder() const override { return folder_; }

private:
    link::Link& link_;
    ticket::CommandSender sender_;
    std::function<std::string(const std::string&)> find_;
    std::string folder_;
};

} // namespace trix::views
