#pragma once
// The data-plot colour page as a page of the main "Options" sheet: OK writes the colours into
// the settings and tells the windows that draw with them.

#include "options_sheet.h"

namespace trix::plot {
class PlotColorPage;
}

namespace trix::app {

class PlotColorsOptionPage : public OptionsPage {
    Q_OBJECT
public:
    PlotColorsOptionPage(OptionsTarget& target, QWidget* parent);
    bool onOk() override;
    plot::PlotColorPage* page() const { return page_; }

private:
    OptionsTarget& target_;
    plot::PlotColorPage* page_;
};

} // namespace trix::app
