// Typed input sources in the program: the connection dialog's source field and its errors, the
// port settings dialog's note for a TCP source, and connecting to rxsim behind a loopback TCP
// listener, offscreen, with the recent list kept in the profile.

#include "../link/pty_pair.h"
#include "app/connect/connection_dialog.h"
#include "app/connect/port_settings_dialog.h"
#include "app/connect/recent_sources.h"
#include "main_window.h"
#include "session.h"
#include "trix_application.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "connected_frame.h"

using namespace trix;
using namespace trix::app;
using test::grabPath;

class SourceConnectTest : public QObject, public test::ConnectedFrame {
    Q_OBJECT

private slots:
    void init() { newProfile(); }
    void cleanup() { closeFrame(); }

    void recentListKeepsNewestFirst() {
        std::vector<std::string> r = splitRecentSources(" tcp://a:1 ||/dev/ttyS0|tcp://a:1|");
        QCOMPARE(r.size(), std::size_t{2});
        QCOMPARE(r[0], std::string("tcp://a:1"));
        rememberSource(r, "/dev/ttyS0");
        QCOMPARE(joinRecentSources(r), std::string("/dev/ttyS0|tcp://a:1"));
        for (int i = 0; i < 20; ++i)
            rememberSource(r, "tcp://h:" + std::to_string(i + 1));
        QCOMPARE(r.size(), kRecentSourceCount);
        QCOMPARE(r[0], std::string("tcp://h:20"));
        rememberSource(r, "x|y"); // cannot be stored: left out when written
        QCOMPARE(splitRecentSources(joinRecentSources(r)).front(), std::string("tcp://h:20"));
    }

    void dialogRefusesABadSourceAndHandsBackAGoodOne() {
        GpsDlgInput in;
        in.ports = {{1, "/dev/ttyUSB0"}};
        in.recentSources = {"tcp://127.0.0.1:4001", "tcp://[::1]:4002"};
        ConnectionDialog dlg(in);
        QCOMPARE(dlg.sourceField()->count(), 2);
        QCOMPARE(dlg.sourceField()->currentText(), QString());
        dlg.sourceField()->setEditText(QStringLiteral("tcp://127.0.0.1"));
        dlg.show();
        QTest::mouseClick(dlg.connectButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.sourceError()->isVisible());
        QVERIFY(dlg.sourceError()->text().contains("the port is missing"));
        dlg.grab().save(grabPath("source_dialog_error.png"));

        dlg.sourceField()->setEditText(QStringLiteral("  tcp://[::1]:4002 "));
        QTest::mouseClick(dlg.connectButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.choices().source, std::string("tcp://[::1]:4002"));
    }

    void portSettingsSayTheSpeedDoesNotApply() {
        PortSettingsDialog dlg(3, link::kPlainPortSettings, link::baudListFor(8));
        QVERIFY(!dlg.speedNote()->isVisibleTo(&dlg));
        dlg.setSpeedApplies(false);
        QVERIFY(dlg.speedNote()->isVisibleTo(&dlg));
        QCOMPARE(dlg.speedNote()->text(),
                 QStringLiteral("The speed and the handshaking do not apply to a TCP source."));
        dlg.grab().save(grabPath("source_port_settings.png"));
    }

    void connectsToATcpSource() {
        auto rx = std::make_unique<linktest::Rxsim>(std::vector<std::string>{
            "--tcp", "0", "--model", "16", "--port-letter", "B", "--on", "--period-ms", "50"});
        Session& session = makeFrame().session();

        ConnectionChoices c;
        c.source = rx->device();
        c.settings = link::kPlainPortSettings;
        c.useDefaultSettings = true;
        ui_->connection = [c] { return std::optional<ConnectionChoices>(c); };
        frame_->onConnect();
        QVERIFY(session.link().portOpen());
        QVERIFY(!session.connection().serialLine());
        QVERIFY(QTest::qWaitFor([&] { return session.link().modelIndex == 16; }, 8000));
        QCOMPARE(app_->settings().recentSources, rx->device());

        // The dialog offers the source in use the next time.
        ui_->connection = [] { return std::optional<ConnectionChoices>(); };
        frame_->onConnect();
        QCOMPARE(ui_->offered.source, rx->device());
        QCOMPARE(ui_->offered.recentSources, std::vector<std::string>{rx->device()});

        // A dropped connection is reported like a vanished device.
        rx->kill();
        QVERIFY(QTest::qWaitFor([&] { return !session.link().portOpen(); }, 3000));
        QVERIFY(messages_->saw("was lost: the connection was closed"));
        QCOMPARE(session.link().comNumber, 0);
    }
};

QTEST_MAIN(SourceConnectTest)
#include "test_source_connect.moc"
