// The status bar's panes explain themselves when the mouse rests on them; every menu item says
// what it does in the status bar, and every toolbar button in a tooltip.

#include "../app/temp_profile.h"
#include "base/strings.h"
#include "main_window.h"
#include "recent_logs_menu.h"
#include "status_bar.h"
#include "trix_application.h"
#include "views/print/print_frame.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTemporaryDir>
#include <QToolBar>
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

namespace {

// Every item of `menu` and its submenus, each menu filled as it is when it opens.
void collectMenuItems(QMenu& menu, const QString& path, QList<QPair<QString, QAction*>>& out) {
    emit menu.aboutToShow();
    for (QAction* a : menu.actions()) {
        if (a->isSeparator())
            continue;
        const QString name = path + QStringLiteral(" > ") + a->text();
        out.append({name, a});
        if (a->menu())
            collectMenuItems(*a->menu(), name, out);
    }
}

} // namespace

TEST(StatusTips, EveryMenuItemAndToolbarButtonExplainsItself) {
    QTemporaryDir tmp;
    const trix::app::StartOptions o =
        trix::app::test::optionsIn(tmp, (tmp.path() + "/shipped").toStdString());
    trix::app::TrixApplication app(o);
    trix::app::MainWindow frame(app);
    new trix::print::PrintCommands(frame); // as the program adds it
    // The lists that fill themselves: open windows and recent log files.
    for (const char* title : {"First", "Second"}) {
        auto* label = new QLabel(QString::fromUtf8(title));
        label->setWindowTitle(QString::fromUtf8(title));
        frame.mdiArea()->addSubWindow(label)->show();
    }
    frame.recentLogs()->add(tmp.path() + "/some.log");

    QList<QPair<QString, QAction*>> items;
    for (QAction* top : frame.menuBar()->actions())
        if (top->menu())
            collectMenuItems(*top->menu(), top->text(), items);
    ASSERT_GT(items.size(), 40);
    QStringList tips;
    for (const auto& [name, action] : items) {
        EXPECT_FALSE(action->statusTip().isEmpty()) << name.toStdString();
        tips << action->statusTip();
    }
    EXPECT_TRUE(tips.contains(QString::fromUtf8(trix::str::kTipCloseLogFile)));
    EXPECT_TRUE(tips.contains(QString::fromUtf8(trix::str::kTipAbout)));

    auto* toolBar = frame.findChild<QToolBar*>(QStringLiteral("MainToolBar"));
    ASSERT_NE(toolBar, nullptr);
    int buttons = 0;
    for (QAction* a : toolBar->actions()) {
        if (a->isSeparator())
            continue;
        ++buttons;
        // Set for the button, not Qt's fallback of the menu text without its '&'.
        const QString fallback = QString(a->text()).remove(QLatin1Char('&'));
        EXPECT_FALSE(a->toolTip().isEmpty()) << fallback.toStdString();
        EXPECT_NE(a->toolTip(), fallback) << fallback.toStdString();
    }
    EXPECT_GE(buttons, 7);
    const QAction* connect = frame.action(trix::app::Command::Connect);
    EXPECT_EQ(connect->toolTip(),
              QString::fromUtf8(trix::str::kToolConnect) + QStringLiteral(" (") +
                  connect->shortcut().toString(QKeySequence::NativeText) + QStringLiteral(")"));
}
