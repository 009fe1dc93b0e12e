// The program's window timers: periods beyond what a QTimer holds are counted down in steps,
// fire once per whole period, and a handler may stop or restart its own timer.

#include "qt_services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <vector>

using trix::app::QtTimerHost;

class TimerHostTest : public QObject {
    Q_OBJECT
private slots:
    void longPeriodFiresOnlyAfterEveryStep() {
        std::vector<qint64> firedAt;
        QElapsedTimer clock;
        QtTimerHost host([&](int) { firedAt.push_back(clock.elapsed()); }, nullptr, 20);
        clock.start();
        QVERIFY(host.start(7, 130)); // seven steps of at most 20 ms
        QTRY_VERIFY_WITH_TIMEOUT(firedAt.size() >= 2, 2000);
        QVERIFY(firedAt[0] >= 125);
        QVERIFY(firedAt[1] - firedAt[0] >= 125);
        host.kill(7);
        QVERIFY(!host.running(7));
    }

    void periodsBeyondAnIntAreAccepted() {
        QtTimerHost host([](int) {});
        QVERIFY(host.start(12, 700LL * 3600 * 1000)); // 700 hours
        QVERIFY(host.running(12));
        QVERIFY(!host.start(13, 0));
        QVERIFY(!host.start(13, -5));
        QVERIFY(!host.running(13));
    }

    void handlerMayStopItsOwnTimer() {
        int fired = 0;
        QtTimerHost* self = nullptr;
        QtTimerHost host([&](int id) {
            ++fired;
            self->kill(id);
        });
        self = &host;
        QVERIFY(host.start(1, 10));
        QTRY_COMPARE_WITH_TIMEOUT(fired, 1, 2000);
        QTest::qWait(60);
        QCOMPARE(fired, 1);
        QVERIFY(!host.running(1));
    }
};

QTEST_GUILESS_MAIN(TimerHostTest)
#include "test_timer_host.moc"
