#include "views/plot/plot_options_sheet.h"

#include "base/strings.h"
#include "views/plot/plot_color_page.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace trix::plot {

PlotOptionsSheet::PlotOptionsSheet(app::Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(QString::fromUtf8(str::kOptionsTitle));
    auto* tabs = new QTabWidget(this);
    page_ = new PlotColorPage(settings, tabs);
    tabs->addTab(page_, QString::fromUtf8(str::kPageColors));
    buttons_ = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons_->button(QDialogButtonBox::Apply)->setEnabled(false);
    auto* box = new QVBoxLayout(this);
    box->addWidget(tabs);
    box->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &PlotOptionsSheet::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons_->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &PlotOptionsSheet::apply);
    connect(page_, &PlotColorPage::modifiedChanged, buttons_->button(QDialogButtonBox::Apply),
            &QWidget::setEnabled);
}

void PlotOptionsSheet::apply() {
    if (!page_->modified())
        return;
    page_->apply(settings_);
    emit colorsApplied();
}

void PlotOptionsSheet::accept() {
    apply();
    QDialog::accept();
}

} // namespace trix::plot
