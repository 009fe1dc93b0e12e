// The start-up menu's Help: the manual goes to the desktop's browser, or into a window of its
// own when no browser takes it, or that window says where the manual was looked for.

#include "app/core/manual_location.h"
#include "base/strings.h"
#include "startup_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>

#include <gtest/gtest.h>

using trix::app::StartupDialog;

namespace {

QString builtManual() {
    return QString::fromStdString(
        trix::app::findManual(trix::app::manualFolders(TRIX_BINARY_DIR "/src/app")));
}

QPushButton* helpButton(StartupDialog& d) {
    auto* box = d.findChild<QDialogButtonBox*>();
    return box ? box->button(QDialogButtonBox::Help) : nullptr;
}

} // namespace

TEST(StartupHelp, TheManualGoesToTheBrowserWhenOneTakesIt) {
    StartupDialog d(0);
    d.setManualPath(builtManual());
    ASSERT_FALSE(d.manualPath().isEmpty());
    QList<QUrl> opened;
    d.setUrlOpener([&](const QUrl& u) {
        opened << u;
        return true;
    });
    ASSERT_NE(helpButton(d), nullptr);
    helpButton(d)->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_EQ(opened[0].toLocalFile(), builtManual());
    EXPECT_EQ(d.helpWindow(), nullptr);
}

TEST(StartupHelp, WithoutABrowserTheManualIsShownInAWindow) {
    auto* d = new StartupDialog(0);
    d->setManualPath(builtManual());
    d->setUrlOpener([](const QUrl&) { return false; });
    d->show();
    helpButton(*d)->click();
    QApplication::processEvents();
    QPointer<QTextBrowser> help = d->helpWindow();
    ASSERT_FALSE(help.isNull());
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Trix32 user manual"));
    const QString text = help->toPlainText();
    for (const char* section : {"Starting", "Emulation", "Viewing a log file", "Analysis",
                                "Connecting a receiver", "Recording", "trixlog", "rxsim"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(section))) << section;
    EXPECT_TRUE(text.contains(QStringLiteral("GPS \u25b8 Connect...")));
    // A second Help brings the same window back.
    helpButton(*d)->click();
    EXPECT_EQ(d->helpWindow(), help.data());
    QDir().mkpath(QStringLiteral(TRIX_BINARY_DIR "/artefacts"));
    help->grab().save(QStringLiteral(TRIX_BINARY_DIR "/artefacts/startup_help.png"));
    // Closing the menu leaves the manual open.
    d->reject();
    QApplication::processEvents();
    EXPECT_TRUE(help->isVisible());
    delete d;
    QApplication::processEvents();
    ASSERT_FALSE(help.isNull()); // reparented away from the dialog
    EXPECT_TRUE(help->isVisible());
    help->close();
}

TEST(StartupHelp, AMissingManualSaysWhereItWasLookedFor) {
    StartupDialog d(0);
    bool asked = false;
    d.setManualPath(QString());
    d.setUrlOpener([&](const QUrl&) { return asked = true; });
    d.showHelp();
    EXPECT_FALSE(asked);
    ASSERT_NE(d.helpWindow(), nullptr);
    const QString text = d.helpWindow()->toPlainText();
    EXPECT_TRUE(text.contains(QString::fromUtf8(trix::str::kManualMissing)));
    EXPECT_TRUE(text.contains(QStringLiteral("doc")));
}
