#pragma once
// The start-up menu: five ways to begin and two check boxes.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QUrl>

#include <functional>

class QButtonGroup;
class QCheckBox;

namespace trix::app {

class StartupHost;

enum class StartupChoice { Connect = 0, ConnectLast = 1, ViewLog = 2, Emulation = 3, Info = 4 };

class StartupDialog : public QDialog {
    Q_OBJECT
public:
    // The second choice is preselected when a COM number is stored, else the first.
    StartupDialog(int storedComNumber, QWidget* parent = nullptr);
    StartupChoice choice() const;
    void setChoice(StartupChoice c);
    bool activateAnalysis() const;
    bool displayOnStartup() const;
    QCheckBox* analysisBox() const { return analysis_; }
    QCheckBox* displayBox() const { return display_; }

    // Help: the user manual in the desktop's browser, or in a window of its own when no browser
    // takes it (or when it is missing: then the window says where it was looked for).
    void showHelp();
    // The manual found at construction ("" when none); tests point it elsewhere.
    QString manualPath() const { return manualPath_; }
    void setManualPath(const QString& path) { manualPath_ = path; }
    // Hands a URL to the desktop; true when a program took it. Tests replace it.
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { openUrl_ = std::move(opener); }
    // The manual's own window, once Help has opened it.
    QTextBrowser* helpWindow() const { return help_; }

private:
    QButtonGroup* choices_;
    QCheckBox* analysis_;
    QCheckBox* display_;
    QString manualPath_;
    std::function<bool(const QUrl&)> openUrl_;
    QPointer<QTextBrowser> help_;
};

// What OK of the start-up menu does: stores "Display Startup", forgets the COM number unless
// the last settings were chosen, starts the analysis when asked, then runs the choice.
void runStartupChoice(StartupHost& frame, StartupChoice choice, bool activateAnalysis,
                      bool displayOnStartup);
// Cancel: the stored COM number is forgotten.
void cancelStartup(StartupHost& frame);

} // namespace trix::app
