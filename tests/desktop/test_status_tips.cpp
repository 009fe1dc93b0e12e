// The status bar's panes explain themselves when the mouse rests on them.

#include "base/strings.h"
#include "status_bar.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QSet>
#include <QToolTip>

#include <gtest/gtest.h>

using trix::app::StatusBar;

TEST(StatusTips, EveryPaneHasItsOwnTip) {
    StatusBar bar;
    QSet<QString> tips;
    for (int pane = StatusBar::Message; pane <= StatusBar::Progress; ++pane) {
        const QString tip = bar.paneToolTip(pane);
        EXPECT_FALSE(tip.isEmpty()) << pane;
        tips.insert(tip);
    }
    EXPECT_EQ(tips.size(), 7);
    EXPECT_EQ(bar.paneToolTip(StatusBar::Port), QString::fromUtf8(trix::str::kTipStatusPort));
    EXPECT_TRUE(bar.paneToolTip(99).isEmpty());
}

TEST(StatusTips, TheIconPaneSaysWhatItsIconMeans) {
    StatusBar bar;
    bar.setIcon(StatusBar::RecordingIcon);
    EXPECT_EQ(bar.paneToolTip(StatusBar::Icon), QString::fromUtf8(trix::str::kTipStatusRecording));
    bar.setIcon(StatusBar::AnalysisIcon);
    EXPECT_EQ(bar.paneToolTip(StatusBar::Icon), QString::fromUtf8(trix::str::kTipStatusAnalysis));
    bar.setIcon(StatusBar::NoIcon);
    EXPECT_EQ(bar.paneToolTip(StatusBar::Icon), QString::fromUtf8(trix::str::kTipStatusIcon));
}

TEST(StatusTips, ATipEventShowsTheTip) {
    StatusBar bar;
    bar.resize(600, 24);
    bar.show();
    bar.setPaneText(StatusBar::Baud, QStringLiteral("9600"));
    QApplication::processEvents();
    QLabel* baud = nullptr;
    for (QLabel* l : bar.findChildren<QLabel*>())
        if (l->text() == QStringLiteral("9600"))
            baud = l;
    ASSERT_NE(baud, nullptr);
    const QPoint at = baud->rect().center();
    QHelpEvent event(QEvent::ToolTip, at, baud->mapToGlobal(at));
    QApplication::sendEvent(baud, &event);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QString::fromUtf8(trix::str::kTipStatusBaud));
    QToolTip::hideText();
}
