#pragma once
// The "Options" sheet of the control panel: its only page is the data-plot colour page. OK
// and Apply write the colours into the settings and tell the window.

#include "app/core/settings.h"

#include <QDialog>

class QDialogButtonBox;

namespace trix::plot {

class PlotColorPage;

class PlotOptionsSheet : public QDialog {
    Q_OBJECT
public:
    explicit PlotOptionsSheet(app::Settings& settings, QWidget* parent = nullptr);
    PlotColorPage* page() const { return page_; }
    void apply();
    void accept() override;

signals:
    void colorsApplied();

private:
    app::Settings& settings_;
    PlotColorPage* page_;
    QDialogButtonBox* buttons_;
};

} // namespace trix::plot
