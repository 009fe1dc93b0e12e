// What must not hold the GUI thread while the link works: the initialization run's pause after
// each acknowledgement (against rxsim, timed), and the connection dialog's refusal of a typed
// source, which must be readable whole however long it is.

#include "../link/pty_pair.h"
#include "app/connect/connection_dialog.h"
#include "app/connect/initialization_dialog.h"
#include "main_window.h"
#include "trix_application.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "connected_frame.h"
#include "gap_watch.h"

using namespace trix;
using namespace trix::app;
using test::grabPath;

namespace {

// Received and sent lines with the time they passed.
class TimedLines : public TrafficListener {
public:
    TimedLines() { clock.start(); }
    void traffic(int direction, std::string_view text) override {
        lines.push_back({direction, std::string(text), clock.nsecsElapsed()});
    }
    struct Line {
        int direction;
        std::string text;
        qint64 ns;
    };
    QElapsedTimer clock;
    std::vector<Line> lines;
};

} // namespace

class LinkWaitTest : public QObject, public test::ConnectedFrame {
    Q_OBJECT

private slots:
    void init() { newProfile(); }
    void cleanup() { closeFrame(); }

    // After each acknowledgement the next command waits 200 ms, as the receiver needs, and the
    // event loop runs on meanwhile.
    void initCommandsWaitAfterEachAcknowledgement() {
        linktest::Rxsim rx({"--model", "8", "--port-letter", "B"});
        MainWindow& frame = makeFrame(rx.device());
        TimedLines lines;
        frame.session().setListener(Listener::Terminal, &lines);
        test::GapWatch watch;
        connectWith(choose(rx.device(), true));
        QVERIFY(QTest::qWaitFor([&] { return frame.session().initDialog() != nullptr; }, 2000));
        QPointer<InitializationDialog> dlg = frame.session().initDialog();
        QVERIFY(QTest::qWaitFor([&] { return dlg && dlg->run().finished(); }, 10000));
        frame.session().setListener(Listener::Terminal, nullptr);
        QVERIFY2(watch.longestGapMs() < 100, qPrintable(QString::number(watch.longestGapMs())));
        int pairs = 0;
        for (std::size_t i = 0; i < lines.lines.size(); ++i) {
            const auto& ack = lines.lines[i];
            if (ack.direction != 1 || ack.text.find("$PXKTR,ACK,") == std::string::npos)
                continue;
            for (std::size_t j = i + 1; j < lines.lines.size(); ++j) {
                if (lines.lines[j].direction != 0)
                    continue;
                const qint64 waited = lines.lines[j].ns - ack.ns;
                QVERIFY2(waited >= 200'000'000LL,
                         qPrintable(QString("%1 ns before %2")
                                        .arg(waited)
                                        .arg(QString::fromStdString(lines.lines[j].text))));
                ++pairs;
                break;
            }
        }
        QCOMPARE(pairs, 2); // three commands: two go out after an acknowledgement
    }

    // A long refusal (a long device path and the reason) is wrapped, not clipped.
    void connectionDialogShowsALongErrorWhole() {
        GpsDlgInput in;
        in.ports = {{1, "/dev/ttyUSB0"}};
        ConnectionDialog d(in);
        d.show();
        const QString typed = "serial:///dev/serial/by-id/"
                              "usb-Future_Technology_Devices_International_Ltd_FT232R_USB_UART_"
                              "A50285BI-if00-port0";
        d.sourceField()->setEditText(typed);
        d.connectButton()->click();
        QVERIFY(d.isVisible()); // refused: the dialog stays
        QLabel* error = d.sourceError();
        QVERIFY(error->isVisible());
        QTest::qWait(50);
        // All of the text fits the label, and the label fits the dialog.
        QString plain = error->text();
        plain.remove(QChar(0x200B));
        QVERIFY(plain.contains("A50285BI-if00-port0: not a source"));
        QVERIFY(error->width() <= d.width());
        QVERIFY(error->geometry().bottom() <= d.height());
        QVERIFY2(error->height() >= error->heightForWidth(error->width()),
                 qPrintable(QString("%1 < %2")
                                .arg(error->height())
                                .arg(error->heightForWidth(error->width()))));
        QVERIFY(error->width() >= error->minimumSizeHint().width());
        QVERIFY(d.grab().save(grabPath("connection_dialog_error.png")));
    }
};

QTEST_MAIN(LinkWaitTest)
#include "test_link_waits.moc"
