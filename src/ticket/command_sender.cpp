#include "ticket/command_sender.h"

#include "base/strings.h"
#include "link/serial_port.h"
#include "ticket/parameter_form.h"
#include "ticket/terminal_core.h"

namespace trix::ticket {

SendResult CommandSender::send(std::string_view text, bool addChecksum) {
    SendResult r;
    if (text.empty()) {
        r.error = str::kNothingToSend;
        return r;
    }
    if (!link_.port()) {
        r.error = str::kNoReceiverConnected;
        return r;
    }
    if (isPseudoCommand(text) && !link_.state.hostMode) {
        // Outside host mode a pseudo-command would leave a block pending that never comes.
        r.error = str::kPseudoOutsideHostMode;
        return r;
    }
    if (std::string tooLong = checkCommandLength(text); !tooLong.empty()) {
        r.error = std::move(tooLong);
        return r;
    }
    if (!addChecksum && !isPseudoCommand(text))
        return sendAsTyped(text);
    if (!link_.sendCommand(text, addChecksum)) {
        r.error = str::kErrorWritingPort;
        return r;
    }
    r.ok = true;
    r.sentence =
        isPseudoCommand(text) ? std::string(text) : link::commandSentence(text, addChecksum);
    return r;
}

SendResult CommandSender::sendAsTyped(std::string_view text) {
    SendResult r;
    std::string sentence(text);
    if (sentence.ends_with("\r\n"))
        sentence.resize(sentence.size() - 2);
    if (sentence.empty()) {
        r.error = str::kNothingToSend;
        return r;
    }
    link::SerialPort& port = *link_.port();
    if (port.writeString(sentence, link::kCrLf) < 0) {
        port.clearTx();
        port.clearError();
        r.error = str::kErrorWritingPort;
        return r;
    }
    // The same echo as every other command the link sends.
    auto& ls = link_.listeners;
    if (auto* l = ls.get(link::Slot::PortActivity))
        l->traffic(link::Direction::Sent, {});
    const std::string shown = sentence + str::kEchoCrLf;
    if (auto* l = ls.get(link::Slot::Terminal))
        l->traffic(link::Direction::Sent, shown);
    if (auto* l = ls.get(link::Slot::InitDialog))
        l->traffic(link::Direction::Sent, shown);
    r.ok = true;
    r.sentence = std::move(sentence);
    return r;
}

bool LinkTicketPort::connected() const {
    return sender_.link().port() != nullptr;
}

bool LinkTicketPort::hostMode() const {
    return sender_.link().state.hostMode;
}

bool LinkTicketPort::send(std::string_view command, std::string& sentence, std::string& error) {
    SendResult r = sender_.send(command, true);
    sentence = std::move(r.sentence);
    error = std::move(r.error);
    return r.ok;
}

} // namespace trix::ticket
