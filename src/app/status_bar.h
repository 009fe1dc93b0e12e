#pragma once
// The extended status bar: six panes (message, animation, state icon, port, baud, units) and a
// progress bar inserted at the left while a progress is shown.

#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

class QProgressBar;

namespace trix::app {

// A small busy animation for pane 1, drawn without resources.
class PaneAnimation : public QWidget {
    Q_OBJECT
public:
    explicit PaneAnimation(QWidget* parent = nullptr);
    void playEndless();
    void playOnce();
    void stopAndHide();
    void showFirstFrame();
    bool playing() const { return timer_.isActive(); }
    int frame() const { return frame_; }
    QSize sizeHint() const override { return {20, 18}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QTimer timer_;
    int frame_ = 0;
    bool once_ = false;
};

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    enum Pane { Message = 0, Animation = 1, Icon = 2, Port = 3, Baud = 4, Units = 5, Progress = 6 };
    enum AnimationCommand { PlayEndless = 0, StopHide = 1, PlayOnce = 2 };
    enum StateIcon { NoIcon = -1, RecordingIcon = 0, AnalysisIcon = 1 };

    explicit StatusBar(QWidget* parent = nullptr);

    // Sets one pane: text for panes 0, 3, 4, 5; an animation command for pane 1; an icon
    // index for pane 2; a percentage for pane 6 (-1 hides the bar).
    void setPaneText(int pane, const QString& text);
    void setAnimation(int command);
    void setIcon(int index);
    void setProgress(int percent);

    QString paneText(int pane) const;
    // The short description the mouse shows over a pane.
    QString paneToolTip(int pane) const;
    bool progressVisible() const;
    int progressValue() const;
    PaneAnimation* animation() const { return animation_; }
    int iconIndex() const { return icon_; }

private:
    QWidget* paneWidget(int pane) const;

    QLabel* message_;
    PaneAnimation* animation_;
    QLabel* iconLabel_;
    QLabel* port_;
    QLabel* baud_;
    QLabel* units_;
    QWidget* animationPane_;
    QProgressBar* progress_;
    int icon_ = NoIcon;
};

} // namespace trix::app
