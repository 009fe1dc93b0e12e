// Input sources: the names the factory accepts and refuses, and the TCP back end against a
// listener on the loopback address.

#include "base/ui.h"
#include "link/link.h"
#include "link/source.h"
#include "link/stream_port.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

using namespace trix::link;

namespace {

std::optional<SourceAddress> parsed(std::string_view text, std::string& error) {
    error.clear();
    return parseSource(text, error);
}

// A listening socket on 127.0.0.1 with a free port.
class Listener {
public:
    Listener() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        EXPECT_EQ(::listen(fd_, 2), 0);
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
    }
    ~Listener() {
        if (client_ >= 0)
            ::close(client_);
        if (fd_ >= 0)
            ::close(fd_);
    }
    std::string address() const { return "tcp://127.0.0.1:" + std::to_string(port_); }
    int port() const { return port_; }
    int accept() {
        client_ = ::accept(fd_, nullptr, nullptr);
        return client_;
    }
    void closeListener() {
        ::close(fd_);
        fd_ = -1;
    }
    void dropClient() {
        ::close(client_);
        client_ = -1;
    }

private:
    int fd_ = -1;
    int client_ = -1;
    int port_ = 0;
};

std::string readAll(SerialPort& port, std::size_t atLeast, int ms = 2000) {
    std::string got;
    for (int waited = 0; got.size() < atLeast && waited < ms; waited += 5) {
        int c;
        while ((c = port.readChar()) >= 0)
            got.push_back(static_cast<char>(c));
        if (port.lost())
            break;
        pollfd p{port.pollDescriptor(), POLLIN, 0};
        ::poll(&p, 1, 5);
    }
    return got;
}

class NullSink : public trix::MessageSink {
public:
    trix::Answer show(std::string_view text, trix::Buttons, trix::Icon) override {
        shown.emplace_back(text);
        return trix::Answer::Ok;
    }
    void status(std::string_view) override {}
    std::vector<std::string> shown;
};

} // namespace

TEST(SourceNames, DevicePathsAndTcpForms) {
    std::string error;
    auto a = parsed("/dev/ttyUSB0", error);
    ASSERT_TRUE(a) << error;
    EXPECT_EQ(a->kind, SourceAddress::Kind::Device);
    EXPECT_EQ(a->device, "/dev/ttyUSB0");
    a = parsed("ttyS3", error); // a relative name is a path as well
    ASSERT_TRUE(a);
    EXPECT_EQ(a->device, "ttyS3");

    a = parsed("tcp://127.0.0.1:4001", error);
    ASSERT_TRUE(a) << error;
    EXPECT_EQ(a->kind, SourceAddress::Kind::Tcp);
    EXPECT_EQ(a->host, "127.0.0.1");
    EXPECT_EQ(a->port, 4001);
    a = parsed("TCP://receiver-7.lab:65535", error);
    ASSERT_TRUE(a) << error;
    EXPECT_EQ(a->host, "receiver-7.lab");
    EXPECT_EQ(a->port, 65535);
    a = parsed("tcp://[::1]:1", error);
    ASSERT_TRUE(a) << error;
    EXPECT_EQ(a->host, "::1");
    EXPECT_EQ(a->port, 1);
    a = parsed("tcp://[fe80::1:2]:4001", error);
    ASSERT_TRUE(a) << error;
    EXPECT_EQ(a->host, "fe80::1:2");
    EXPECT_TRUE(isTcpSource("Tcp://x"));
    EXPECT_FALSE(isTcpSource("/dev/tcp"));
}

TEST(SourceNames, BadFormsSayWhatIsWrong) {
    struct Case {
        const char* text;
        const char* says;
    };
    const Case cases[] = {
        {"", "no source given"},
        {"tcp://127.0.0.1", "the port is missing"},
        {"tcp://127.0.0.1:", "the port is missing"},
        {"tcp://[::1]", "the port is missing"},
        {"tcp://[::1]:", "the port is missing"},
        {"tcp://:4001", "the host is missing"},
        {"tcp://", "the host is missing"},
        {"tcp://127.0.0.1:0", "from 1 to 65535"},
        {"tcp://127.0.0.1:65536", "from 1 to 65535"},
        {"tcp://127.0.0.1:99999999999999999999", "from 1 to 65535"},
        {"tcp://127.0.0.1:-5", "from 1 to 65535"},
        {"tcp://127.0.0.1:40a1", "from 1 to 65535"},
        {"tcp://127.0.0.1:4001/x", "from 1 to 65535"},
        {"tcp://host name:4001", "the host is malformed"},
        {"tcp://[::1:4001", "the host is malformed"},
        {"tcp://[]:4001", "the host is malformed"},
        {"tcp://[zz]:4001", "the host is malformed"},
        {"tcp://[::1]x4001", "the host is malformed"},
        {"udp://127.0.0.1:4001", "not a source"},
        {"/dev/tty\nS0", "not a source"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(parsed(c.text, error)) << c.text;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.text << " -> " << error;
        OpenedSource o = openSource(c.text, kPlainPortSettings, 500);
        EXPECT_EQ(o.port, nullptr) << c.text;
        EXPECT_LT(o.status, 0);
        EXPECT_EQ(o.error, error);
    }
}

TEST(SourceOpen, FailuresCarryTheirReason) {
    OpenedSource o = openSource("/dev/no-such-receiver", kPlainPortSettings);
    EXPECT_EQ(o.port, nullptr);
    EXPECT_LT(o.status, 0);
    EXPECT_FALSE(o.error.empty());

    int port;
    {
        Listener gone; // a port that was free a moment ago: nobody listens there now
        port = gone.port();
    }
    std::string name = "tcp://127.0.0.1:" + std::to_string(port);
    o = openSource(name, kPlainPortSettings, 1000);
    EXPECT_EQ(o.port, nullptr);
    EXPECT_NE(o.error.find("cannot connect"), std::string::npos) << o.error;
    EXPECT_NE(o.error.find(name), std::string::npos) << o.error;

    NullSink sink;
    Link link(sink);
    EXPECT_LT(link.connectDevice(name, kPlainPortSettings, 3), 0);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0], "Error on opening COM3 : " + o.error);
    EXPECT_EQ(link.port(), nullptr);
}

TEST(TcpSource, CarriesBytesBothWaysAndKeepsThemWhenDropped) {
    Listener server;
    OpenedSource o = openSource(server.address(), kPlainPortSettings, 2000);
    ASSERT_NE(o.port, nullptr) << o.error;
    int peer = server.accept();
    ASSERT_GE(peer, 0);
    SerialPort& port = *o.port;
    EXPECT_FALSE(port.isSerialLine());
    EXPECT_EQ(port.displayName(), server.address());
    // Line operations are the serial back end's only.
    EXPECT_EQ(port.setLine(19200, 'N', 8, 1), status::kNotSupported);
    EXPECT_EQ(port.setRtsCts(true), status::kNotSupported);
    EXPECT_EQ(port.sendBreak(10), status::kNotSupported);

    EXPECT_EQ(port.writeString("$PXKTQ,PRT", kCrLf), 0);
    char buf[64] = {};
    std::size_t got = 0;
    for (int i = 0; i < 200 && got < 12; ++i) {
        ssize_t n = ::recv(peer, buf + got, sizeof buf - got, MSG_DONTWAIT);
        if (n > 0)
            got += static_cast<std::size_t>(n);
        else
            ::usleep(5000);
    }
    EXPECT_EQ(std::string(buf, got), "$PXKTQ,PRT\r\n");

    // Every byte sent before the drop is read before the loss shows.
    std::string data;
    for (int i = 0; i < 3000; ++i)
        data.push_back(static_cast<char>(i * 7));
    ASSERT_EQ(::send(peer, data.data(), data.size(), 0), static_cast<ssize_t>(data.size()));
    server.dropClient();
    std::string received = readAll(port, data.size() + 1);
    EXPECT_EQ(received, data);
    EXPECT_TRUE(port.lost());
    EXPECT_LT(port.readChar(), 0);
    EXPECT_LT(port.writeString("x", kCrLf), 0);
}

TEST(TcpSource, LinkKeepsSettingsWithoutALine) {
    Listener server;
    NullSink sink;
    Link link(sink);
    PortSettings s = kPlainPortSettings;
    ASSERT_EQ(link.openDevice(server.address(), s, 1), 0) << link.openError();
    EXPECT_FALSE(link.serialLine());
    s.baud = 7;
    s.rtsCts = 1;
    // No line to set: accepted and remembered, no "Mode not setted !".
    EXPECT_EQ(link.reconfigure(s, true), 0);
    EXPECT_EQ(link.state.portSettings.baud, 7);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_STREQ(link.lostReason(), "the connection was closed");
    link.closePort();
    EXPECT_TRUE(link.serialLine());
}
