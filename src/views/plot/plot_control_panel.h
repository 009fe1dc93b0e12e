#pragma once
// The "Data Plotting Control Panel": the shown range (read-only), the selected range with
// "Select", "Show Selected", "Show All", "Hide selection" and "Options...". Modeless; it finds
// the plot window anew on every use, so a window recreated by a layout change is never
// reached through a stale pointer.

#include "app/core/settings.h"
#include "base/ui.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace trix::plot {

class PlotWindow;

class PlotControlPanel : public QDialog {
    Q_OBJECT
public:
    using WindowFinder = std::function<PlotWindow*()>;
    PlotControlPanel(WindowFinder finder, app::Settings& settings, MessageSink& messages,
                     QWidget* parent = nullptr);

    // The fields follow the window's ranges (1-based).
    void refresh();
    void select();
    void showSelected();
    void showAll();
    void toggleHideSelection(bool on);
    void openOptions();

    QLineEdit* shownFrom() const { return shownFrom_; }
    QLineEdit* shownTo() const { return shownTo_; }
    QLineEdit* selectedFrom() const { return selectedFrom_; }
    QLineEdit* selectedTo() const { return selectedTo_; }
    QCheckBox* hideSelection() const { return hide_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    PlotWindow* window();
    bool readField(QLineEdit* edit, int& value);

    WindowFinder finder_;
    app::Settings& settings_;
    MessageSink& messages_;
    QPointer<PlotWindow> connected_;
    QLineEdit* shownFrom_;
    QLineEdit* shownTo_;
    QLineEdit* selectedFrom_;
    QLineEdit* selectedTo_;
    QCheckBox* hide_;
    int lastFrom_ = 0;
    int lastTo_ = 0;
};

} // namespace trix::plot
