#pragma once
// The main "Options" sheet with its pages General, Logging file, Measurement units, Colors and
// Limit Control. Every page works on a copy of the settings; OK runs the OK step of each
// modified page, Cancel discards the copies, Apply runs the OK steps and keeps the sheet open.

#include "app/core/colors.h"
#include "decode/epoch_decoder.h"
#include "decode/units.h"
#include "logs/log_settings.h"

#include <QDialog>
#include <QWidget>

#include <array>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace trix::app {

class OptionsTarget;

class OptionsPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    bool modified() const { return modified_; }
    // Stores the page's copy; false keeps the sheet open (a check failed).
    virtual bool onOk() = 0;
    // After a successful OK step (Apply keeps the sheet open): what was stored becomes the
    // page's new starting point, so a later return to the old value counts as a change.
    virtual void applied() { setModified(false); }

signals:
    void modifiedChanged();

protected:
    void setModified(bool m);

private:
    bool modified_ = false;
};

class GeneralPage : public OptionsPage {
    Q_OBJECT
public:
    GeneralPage(OptionsTarget& target, QWidget* parent);
    bool onOk() override;
    void applied() override;
    QButtonGroup* headUp() const { return headUp_; }
    QButtonGroup* skyLayout() const { return sky_; }
    QButtonGroup* vehicle() const { return vehicle_; }
    QButtonGroup* plotLayout() const { return plot_; }
    QCheckBox* startupBox() const { return startup_; }

private:
    void check();
    OptionsTarget& target_;
    int startHeadUp_, startSky_, startVehicle_, startPlot_;
    bool startStartup_;
    QButtonGroup *headUp_, *sky_, *vehicle_, *plot_;
    QCheckBox* startup_;
};

class UnitsPage : public OptionsPage {
    Q_OBJECT
public:
    UnitsPage(OptionsTarget& target, QWidget* parent);
    bool onOk() override;
    void applied() override;
    QComboBox* distance() const { return lists_[0]; }
    QComboBox* horizontalSpeed() const { return lists_[1]; }
    QComboBox* verticalSpeed() const { return lists_[2]; }
    QComboBox* altitude() const { return lists_[3]; }
    QComboBox* coordinates() const { return lists_[4]; }

private:
    void check();
    OptionsTarget& target_;
    UnitSelection start_;
    std::array<QComboBox*, 5> lists_{};
};

class ColorPage : public OptionsPage {
    Q_OBJECT
public:
    ColorPage(OptionsTarget& target, QWidget* parent);
    bool onOk() override;
    // 0 "Departure Plot", 1 "Sky Chart".
    void selectWindow(int index);
    void selectItem(int row);
    void setItemColor(ColorValue c); // what "Set new color..." does after the colour dialog
    void restoreDefaults();
    ColorValue workingColor(int window, int item) const;
    QListWidget* items() const { return items_; }
    QImage sampleImage() const;

private:
    void chooseColor();
    const ColorTable& table(int window) const;
    OptionsTarget& target_;
    std::array<std::vector<ColorValue>, 2> working_;
    std::array<std::vector<ColorValue>, 2> start_;
    QComboBox* window_;
    QListWidget* items_;
    QLabel* sample_;
};

class LimitControlPage : public OptionsPage {
    Q_OBJECT
public:
    LimitControlPage(OptionsTarget& target, QWidget* parent);
    bool onOk() override;
    QCheckBox* checksum() const { return boxes_[0]; }
    QCheckBox* altitude() const { return boxes_[1]; }
    QCheckBox* velocity() const { return boxes_[2]; }
    void setAll(bool on);

private:
    void check();
    OptionsTarget& target_;
    std::array<QCheckBox*, 3> boxes_{};
};

class LoggingPage : public OptionsPage {
    Q_OBJECT
public:
    LoggingPage(OptionsTarget& target, QWidget* parent);
    bool onOk() override;
    // What "Browse..." does with a chosen folder (after the chooser's checks).
    void folderChosen(const QString& folder);
    QString directory() const { return QString::fromStdString(directory_); }
    QString shownDirectory() const;
    QRadioButton* single() const { return single_; }
    QRadioButton* multiple() const { return multiple_; }
    QLineEdit* autoSave() const { return autoSave_; }
    QComboBox* autoSaveUnit() const { return unit_; }
    QLineEdit* period() const { return period_; }
    QLineEdit* duration() const { return duration_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void browse();
    void modeChanged();
    void showDirectory();
    OptionsTarget& target_;
    std::string directory_;
    QLabel* dirLabel_;
    QRadioButton* single_;
    QRadioButton* multiple_;
    QLineEdit* autoSave_;
    QComboBox* unit_;
    QLineEdit* period_;
    QLineEdit* duration_;
};

// The directory shortened to fit `width`: its first three characters, "...", then the shortest
// tail beginning at a separator that fits.
QString shortenedPath(const QString& path, const QFontMetrics& metrics, int width);

class OptionsSheet : public QDialog {
    Q_OBJECT
public:
    OptionsSheet(OptionsTarget& target, QWidget* parent = nullptr);

    GeneralPage* general() const { return general_; }
    LoggingPage* logPage() const { return log_; }
    UnitsPage* units() const { return units_; }
    ColorPage* colors() const { return colors_; }
    LimitControlPage* limits() const { return limits_; }
    OptionsPage* plotColors() const { return plotColors_; }
    QTabWidget* tabs() const { return tabs_; }
    QPushButton* applyButton() const;

    // OK: the OK steps of every modified page, in reverse page order; false when a page
    // refused (the sheet stays open).
    bool applyPages();
    void accept() override;

private:
    void updateApply();
    OptionsTarget& target_;
    QTabWidget* tabs_;
    QDialogButtonBox* buttons_;
    GeneralPage* general_;
    LoggingPage* log_;
    UnitsPage* units_;
    ColorPage* colors_;
    LimitControlPage* limits_;
    OptionsPage* plotColors_;
};

} // namespace trix::app
