#pragma once
// The windows and writers that receive link traffic, as interfaces, in the order the data
// pump serves them. The GUI registers its windows; trixlog and the tests register their own.

#include <array>
#include <cstddef>
#include <string_view>

namespace trix::link {

// Kinds of traffic lines: a command sent, a line received, a local note.
enum class Direction { Sent = 0, Received = 1, Note = 3 };

class LinkListener {
public:
    virtual ~LinkListener() = default;
    // Terminal, initialization dialog, port activity (the last gets no text).
    virtual void traffic(Direction /*direction*/, std::string_view /*text*/) {}
    // Almanac download, RTCM and RTK windows: one received line (in host mode, a block).
    virtual void line(std::string_view /*bytes*/) {}
    // Support-ticket writer: one received line.
    virtual void ticketLine(std::string_view /*text*/) {}
    // The port is about to close. While `writable`, what the listener sends still leaves ahead
    // of the link's own last commands (a receiver is told to leave host mode before its
    // messages are switched off); otherwise the port is already gone.
    virtual void portClosing(bool /*writable*/) {}
};

// Listener slots in dispatch order; the decoder's turn comes between Almanac and Rtcm.
enum class Slot { Terminal, InitDialog, PortActivity, Almanac, Rtcm, Rtk, Ticket, Count };

class Listeners {
public:
    void set(Slot slot, LinkListener* listener) { slots_[index(slot)] = listener; }
    LinkListener* get(Slot slot) const { return slots_[index(slot)]; }
    // Removes `listener` from every slot it holds.
    void remove(LinkListener* listener) {
        for (auto& s : slots_) {
            if (s == listener)
                s = nullptr;
        }
    }

private:
    static std::size_t index(Slot s) { return static_cast<std::size_t>(s); }
    std::array<LinkListener*, static_cast<std::size_t>(Slot::Count)> slots_{};
};

} // namespace trix::link
