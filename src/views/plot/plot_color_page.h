#pragma once
// The data-plot colour page: the groups "Curve", "Background", "Axes and Epoch lines",
// "Mean Line", "RMS ", "Titles" with their items, a sample on both strip backgrounds, "Set new
// color..." and "Restore all defaults" for the selected group. It works on a copy of the
// three data-plot colour tables; apply() writes the copy into the settings.

#include "app/core/settings.h"

#include <QWidget>

#include <array>
#include <vector>

class QLabel;
class QListWidget;

namespace trix::plot {

class PlotColorPage : public QWidget {
    Q_OBJECT
public:
    explicit PlotColorPage(const app::Settings& settings, QWidget* parent = nullptr);

    static constexpr int kGroupCount = 6;
    void selectGroup(int group);
    void selectItem(int row);
    // What "Set new color..." does with the colour chosen.
    void setItemColor(app::ColorValue c);
    // Every item of the selected group takes its default.
    void restoreDefaults();
    app::ColorValue workingColor(int group, int row) const;
    bool modified() const { return modified_; }
    // Writes the working colours into the settings' current colours.
    void apply(app::Settings& settings);
    QImage sampleImage() const;

    QListWidget* groups() const { return groups_; }
    QListWidget* items() const { return items_; }

signals:
    void modifiedChanged(bool modified);

private:
    struct Slot {
        app::ColorTableId table;
        int item;
    };
    std::vector<Slot> slotsOf(int group) const;
    app::ColorValue& working(const Slot& s);
    app::ColorValue working(const Slot& s) const;
    void chooseColor();
    void updateSample();
    void checkModified();

    std::array<app::ColorTable, 3> tables_; // curves, backgrounds, extras (defaults and names)
    std::array<std::vector<app::ColorValue>, 3> working_;
    std::array<std::vector<app::ColorValue>, 3> start_;
    QListWidget* groups_;
    QListWidget* items_;
    QLabel* sample_;
    bool modified_ = false;
};

} // namespace trix::plot
