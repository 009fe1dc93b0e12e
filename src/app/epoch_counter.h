#pragma once
// The "Epoch counter" window: the epoch shown and the total while a log file is viewed (with
// scroll bar, keys, number field and the epoch movie), the epoch interval live, and the log
// session's file, byte count and free disk space.

#include "logs/playback.h"
#include "qt_services.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QScrollBar;
class QToolButton;
class QGroupBox;

namespace trix::app {

class Session;
class PaneAnimation;

class EpochCounter : public QWidget, public logs::PlaybackListener {
    Q_OBJECT
public:
    explicit EpochCounter(Session& session, QWidget* parent = nullptr);
    ~EpochCounter() override;

    // Asked to refresh, and at each epoch: counts, file names, byte counts.
    void refresh();
    logs::Playback* playback() const { return playback_.get(); }

    // Parts the tests and the main window read.
    QString labelText() const;
    QString numberText() const;
    QString totalText() const;
    QString loggingText() const;
    QString loggedBytesText() const;
    QString availableText() const;
    QScrollBar* scrollBar() const { return scroll_; }
    QLineEdit* numberField() const { return number_; }
    QToolButton* playButton() const { return play_; }
    bool loggingShown() const;

    // PlaybackListener
    void epochShown(int position, bool fullRedraw, bool movie) override;
    void movieStateChanged(bool running) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scrollAction(int action);

    Session& session_;
    QtTimerHost timers_;
    std::unique_ptr<logs::Playback> playback_;
    QLabel* label_;
    QLineEdit* number_;
    QLabel* total_;
    QScrollBar* scroll_;
    QToolButton* play_;
    QGroupBox* logging_;
    QLabel* logFile_;
    QLabel* summaryFile_;
    QLabel* logged_;
    QLabel* epochsInFile_;
    QLabel* available_;
    QLabel* percent_;
    PaneAnimation* animation_;
    bool updating_ = false;
};

} // namespace trix::app
