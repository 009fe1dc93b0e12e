#include "plot_colors_option_page.h"

#include "options_target.h"
#include "trix_application.h"
#include "views/plot/plot_color_page.h"

#include <QVBoxLayout>

namespace trix::app {

PlotColorsOptionPage::PlotColorsOptionPage(OptionsTarget& target, QWidget* parent)
    : OptionsPage(parent), target_(target),
      page_(new plot::PlotColorPage(target.app().settings(), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page_);
    connect(page_, &plot::PlotColorPage::modifiedChanged, this,
            [this](bool modified) { setModified(modified); });
}

bool PlotColorsOptionPage::onOk() {
    page_->apply(target_.app().settings());
    target_.colorsChanged();
    return true;
}

} // namespace trix::app
