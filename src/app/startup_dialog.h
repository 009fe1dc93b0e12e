#pragma once
// The start-up menu: five ways to begin and two check boxes.

#include <QDialog>

class QButtonGroup;
class QCheckBox;

namespace trix::app {

class MainWindow;

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

private:
    QButtonGroup* choices_;
    QCheckBox* analysis_;
    QCheckBox* display_;
};

// What OK of the start-up menu does: stores "Display Startup", forgets the COM number unless
// the last settings were chosen, starts the analysis when asked, then runs the choice.
void runStartupChoice(MainWindow& frame, StartupChoice choice, bool activateAnalysis,
                      bool displayOnStartup);
// Cancel: the stored COM number is forgotten.
void cancelStartup(MainWindow& frame);

} // namespace trix::app
