#include "link/link.h"
#include "link/port_settings.h"
#include "link/posix_serial_port.h"
#include "link/status.h"
#include "pty_pair.h"

#include <gtest/gtest.h>
#include <termios.h>

using namespace trix::link;

TEST(StatusText, TableAndUnknownCodes) {
    EXPECT_EQ(statusText(0), "Success");
    EXPECT_EQ(statusText(-14), "No 8250 present");
    EXPECT_EQ(statusText(-27), "Ilegal word length");
    EXPECT_EQ(statusText(-623), "File engine failed");
    EXPECT_EQ(statusText(-600), "Unknown error code");
    EXPECT_EQ(statusText(-43), "Unknown error code");
    setStatusTextHook([](int code) -> std::string_view { return code == -3 ? "Busy" : ""; });
    EXPECT_EQ(statusText(-3), "Busy");
    EXPECT_EQ(statusText(-2), "Invalid port");
    setStatusTextHook({});
    EXPECT_EQ(statusText(-3), "In use");
}

TEST(SerialPort, GenericRecordAnswersNotSupported) {
    SerialPort p;
    EXPECT_EQ(p.readChar(), -24);
    EXPECT_EQ(p.setLine(9600, 'N', 8, 1), -24);
    EXPECT_EQ(p.status, -24);
    EXPECT_EQ(p.clearError(), 0);
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.close(), 0);
}

TEST(PosixPort, OpenErrorsMapToStatusCodes) {
    auto missing = PosixSerialPort::open("/dev/ttyDOESNOTEXIST9", 9600, 'N', 8, 1);
    EXPECT_EQ(missing->status, -14);
    auto notTty = PosixSerialPort::open("/dev/null", 9600, 'N', 8, 1);
    EXPECT_EQ(notTty->status, -2);

    linktest::PtyPair pty;
    auto first = PosixSerialPort::open(pty.slave(), 9600, 'N', 8, 1);
    ASSERT_EQ(first->status, 0);
    auto second = PosixSerialPort::open(pty.slave(), 9600, 'N', 8, 1);
    EXPECT_EQ(second->status, -3);
    EXPECT_EQ(statusText(second->status), "In use");
    first->close();
    auto third = PosixSerialPort::open(pty.slave(), 9600, 'N', 8, 1);
    EXPECT_EQ(third->status, 0);
}

TEST(PosixPort, SetLineChecksAndLeavesPortUnchangedOnError) {
    linktest::PtyPair pty;
    auto port = PosixSerialPort::open(pty.slave(), 9600, 'N', 8, 1);
    ASSERT_EQ(port->status, 0);
    auto speed = [&] {
        termios t{};
        tcgetattr(pty.master(), &t);
        return cfgetospeed(&t);
    };
    EXPECT_EQ(speed(), B9600);
    EXPECT_EQ(port->setLine(115201, 'N', 8, 1), -25);
    EXPECT_EQ(speed(), B9600);
    EXPECT_EQ(port->setLine(19200, 'x', 8, 1), -26);
    EXPECT_EQ(port->setLine(19200, 'N', 8, 3), -28);
    EXPECT_EQ(port->setLine(19200, 'N', 9, 1), -27);
    EXPECT_EQ(speed(), B9600);
    EXPECT_EQ(port->setLine(115200, 'e', 7, 2), 0);
    termios t{};
    tcgetattr(pty.master(), &t);
    EXPECT_EQ(cfgetospeed(&t), B115200);
    EXPECT_TRUE(t.c_cflag & CSTOPB); // a pseudo-terminal keeps no parity or word size
    EXPECT_EQ(port->setRtsCts(true), 0);
    tcgetattr(pty.master(), &t);
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
}

TEST(PosixPort, ReadsWritesAndQueueCounts) {
    linktest::PtyPair pty;
    setBufferSizes(16384, 4096);
    auto port = PosixSerialPort::open(pty.slave(), 9600, 'N', 8, 1);
    ASSERT_EQ(port->status, 0);
    port->count = 5;
    EXPECT_EQ(port->readChar(), -8);
    EXPECT_EQ(port->count, 0u);
    EXPECT_EQ(port->readBlock(nullptr, 0), -8);

    EXPECT_EQ(port->writeString("$PXKTQ,PRT", kCrLf), 0);
    EXPECT_EQ(pty.received(12), "$PXKTQ,PRT\r\n");
    EXPECT_EQ(port->writeString("x", -3), -7);

    pty.send("hello");
    for (int i = 0; i < 100 && port->rxCount() < 5; ++i)
        port->delayMs(2);
    EXPECT_EQ(port->rxCount(), 5);
    EXPECT_EQ(port->rxFree(), 16384 - 5);
    EXPECT_EQ(port->readChar(), 'h');
    char buf[16];
    EXPECT_EQ(port->readBlockTimed(buf, 4, 500), 0);
    EXPECT_EQ(std::string(buf, 4), "ello");
    EXPECT_EQ(port->readBlockTimed(buf, 4, 30), -8);
    EXPECT_EQ(port->count, 0u);

    pty.send(std::string(200, 'z'));
    port->delayMs(20);
    EXPECT_EQ(port->flushInput(), 0);
    EXPECT_EQ(port->rxCount(), 0);
}

TEST(PosixPort, BlockWriteAcceptsOnlyTheFreeSpace) {
    linktest::PtyPair pty;
    setBufferSizes(1050, 8);
    auto port = PosixSerialPort::open(pty.slave(), 9600, 'N', 8, 1);
    setBufferSizes(16384, 4096);
    ASSERT_EQ(port->status, 0);
    std::string data(20, 'a');
    EXPECT_EQ(port->writeBlock(data.data(), data.size()), -9);
    EXPECT_EQ(port->count, 8u);
    EXPECT_EQ(port->writeBlockTimed(data.data() + 8, 12, 500), 0);
    EXPECT_EQ(port->count, 12u);
    EXPECT_EQ(pty.received(20), data);
}

TEST(PosixPort, VanishedDeviceIsReportedNotSpun) {
    linktest::PtyPair pty;
    auto port = PosixSerialPort::open(pty.slave(), 9600, 'N', 8, 1);
    ASSERT_EQ(port->status, 0);
    pty.closeMaster();
    EXPECT_LT(port->readChar(), 0);
    EXPECT_NE(port->readChar(), -8);
    EXPECT_TRUE(port->lost());
    char buf[4];
    EXPECT_EQ(port->readBlockTimed(buf, 4, 5000), -1); // returns at once, not after 5 s
    EXPECT_LT(port->writeString("$X", kCrLf), 0);
}

TEST(PosixPort, BreakAndModemStatusOnAPseudoTerminal) {
    linktest::PtyPair pty;
    auto port = PosixSerialPort::open(pty.slave(), 9600, 'N', 8, 1);
    ASSERT_EQ(port->status, 0);
    int b = port->sendBreak(0);
    EXPECT_TRUE(b == 0 || b == -24);
    int m = port->modemStatus(); // not every terminal has modem lines
    EXPECT_TRUE(m == -24 || m >= 0);
    EXPECT_EQ(port->lineStatus(), 0);
    EXPECT_EQ(port->clearLineStatus(), 0);
}

TEST(PortSettingsRecord, ComSetTextAndTables) {
    EXPECT_EQ(formatComSet(kDefaultPortSettings), "5,0,0,0,0,1,0");
    auto s = parseComSet("9,2,1,1,0,0,1");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->baudRate(), 115200);
    EXPECT_EQ(s->parityLetter(), 'E');
    EXPECT_EQ(s->dataBitCount(), 7);
    EXPECT_EQ(s->stopBitCount(), 2);
    EXPECT_EQ(s->xonXoff, 1);
    EXPECT_FALSE(parseComSet("5,0,0,0,0,1"));
    EXPECT_FALSE(parseComSet("10,0,0,0,0,1,0"));
    EXPECT_FALSE(parseComSet("5,0,0,0,0,2,0"));
    EXPECT_FALSE(parseComSet("5,0,x,0,0,1,0"));
    EXPECT_FALSE(parseComSet("5,0,0,0,0,1,0,1"));

    // The restricted list has no 300 baud: the dialog selects its last entry, 115200.
    const int* restricted = baudListFor(12);
    int pos = baudListSelection(restricted, 0);
    EXPECT_EQ(kBaudRates[restricted[pos]], 115200);
    EXPECT_EQ(baudListSelection(baudListFor(3), 5), 5);
    EXPECT_EQ(baudListSelection(restricted, 4), 1);
}

TEST(LinkPort, ClosedInsideItsOwnWaitStaysValidUntilTheWaitEnds) {
    // A user may disconnect while a port operation waits and dispatches events: the waiting
    // operation must end with an error on a record that is still alive.
    linktest::PtyPair pty;
    trix::SilentSink sink;
    Link link(sink);
    bool closeNow = false;
    link.setWaitHooks({[&] {
                           if (closeNow) {
                               closeNow = false;
                               link.closePort();
                           }
                       },
                       nullptr});
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    SerialPort* port = link.port();
    closeNow = true;
    char buffer[16];
    EXPECT_LT(port->readBlockTimed(buffer, sizeof buffer, 200), 0);
    EXPECT_EQ(port->count, 0u);
    EXPECT_EQ(link.port(), nullptr);
    // The next open releases the record that was kept.
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    closeNow = true;
    EXPECT_EQ(link.port()->delayMs(5), 0);
    EXPECT_EQ(link.port(), nullptr);
}
