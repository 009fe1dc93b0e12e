#pragma once
// "GPS Receiver Initialization": the modeless dialog around the initialization run. It finds
// the receiver (optionally scanning baud rates and handshaking), then sends the commands of an
// initialization file one by one, and lists the whole exchange.

#include "link/init_run.h"
#include "qt_services.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

namespace trix::app {

class Session;

class InitializationDialog : public QDialog, public link::InitHost {
    Q_OBJECT
public:
    static constexpr int kMaxListed = 5000;

    InitializationDialog(Session& session, link::InitRun::Options options,
                         QWidget* parent = nullptr);
    ~InitializationDialog() override;

    // The creation steps; false when there is nothing to do (the dialog is then not shown).
    bool start();

    link::InitRun& run() { return *run_; }
    QListWidget* trafficList() const { return list_; }
    QLabel* statusLabel() const { return status_; }
    QPushButton* autoSelectButton() const { return autoSelect_; }
    QPushButton* stopButton() const { return stop_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* forwardButton() const { return forward_; }
    QPushButton* cancelButton() const { return cancel_; }
    // One step of the 1000 ms timer.
    void tick();
    // Closed by the session (disconnect): no cancel message, gone once control returns.
    void dismiss();

    // InitHost
    void list(link::Direction direction, std::string_view text) override;
    void statusNote(std::string_view text) override;
    link::NotRespondingChoice notResponding() override;
    void receiverChanged() override;
    void finished() override;
    void closed() override;
    void manualConnect() override;
    void rememberInitFile(std::string_view name) override;
    void clearStatusPane() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Hands the link's traffic to the run; the buttons follow what a line changed.
    class Bridge : public link::LinkListener {
    public:
        explicit Bridge(InitializationDialog& dlg) : dlg_(dlg) {}
        void traffic(link::Direction direction, std::string_view text) override;

    private:
        InitializationDialog& dlg_;
    };

    void syncButtons();

    Session& session_;
    std::unique_ptr<link::InitRun> run_;
    Bridge bridge_;
    QTimer timer_;
    // The run's wait after an acknowledgement.
    QtTimerHost ackTimer_;
    bool closing_ = false;
    QListWidget* list_;
    QLabel* status_;
    bool completed_ = false;
    QPushButton* autoSelect_;
    QPushButton* stop_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* cancel_;
};

} // namespace trix::app
