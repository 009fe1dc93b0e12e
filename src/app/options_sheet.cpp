#include "options_sheet.h"

#include "base/strings.h"
#include "options_target.h"
#include "plot_colors_option_page.h"
#include "qt_services.h"
#include "trix_application.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace trix::app {

namespace {

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

QButtonGroup* radioGroup(QWidget* page, QVBoxLayout* layout, const char* title,
                         std::initializer_list<const char*> labels, int checked) {
    auto* box = new QGroupBox(u8(title), page);
    auto* v = new QVBoxLayout(box);
    auto* group = new QButtonGroup(page);
    int id = 0;
    for (const char* l : labels) {
        auto* b = new QRadioButton(u8(l), box);
        v->addWidget(b);
        group->addButton(b, id++);
    }
    if (QAbstractButton* b = group->button(checked))
        b->setChecked(true);
    layout->addWidget(box);
    return group;
}

} // namespace

void OptionsPage::setModified(bool m) {
    if (m != modified_) {
        modified_ = m;
        emit modifiedChanged();
    }
}

// --- General ------------------------------------------------------------------------------------

GeneralPage::GeneralPage(OptionsTarget& target, QWidget* parent)
    : OptionsPage(parent), target_(target) {
    const Settings& s = target.app().settings();
    startHeadUp_ = s.headUp;
    startSky_ = s.skyChartLayout;
    startVehicle_ = s.devicesSpecific;
    startPlot_ = s.graphSplitterStyle;
    startStartup_ = s.displayStartup != 0;
    auto* layout = new QVBoxLayout(this);
    headUp_ = radioGroup(this, layout, str::kCourseDialUp, {str::kNorthUp, str::kHeadCogUp},
                         startHeadUp_);
    sky_ = radioGroup(this, layout, str::kSkyChartLayout, {str::kHorizontal, str::kVertical},
                      startSky_);
    vehicle_ = radioGroup(this, layout, str::kDevicesFeature,
                          {str::kAutomobile, str::kAeronautical, str::kNautical}, startVehicle_);
    plot_ = radioGroup(this, layout, str::kDataPlottingLayout, {str::kVertical, str::kHorizontal},
                       startPlot_);
    startup_ = new QCheckBox(u8(str::kDisplayStartupMenu), this);
    startup_->setChecked(startStartup_);
    layout->addWidget(startup_);
    layout->addStretch(1);
    for (QButtonGroup* g : {headUp_, sky_, vehicle_, plot_})
        connect(g, &QButtonGroup::idClicked, this, &GeneralPage::check);
    connect(startup_, &QCheckBox::toggled, this, &GeneralPage::check);
}

void GeneralPage::check() {
    setModified(headUp_->checkedId() != startHeadUp_ || sky_->checkedId() != startSky_ ||
                vehicle_->checkedId() != startVehicle_ || plot_->checkedId() != startPlot_ ||
                startup_->isChecked() != startStartup_);
}

bool GeneralPage::onOk() {
    Settings& s = target_.app().settings();
    const bool vehicleChanged = vehicle_->checkedId() != s.devicesSpecific;
    if (vehicleChanged)
        s.devicesSpecific = vehicle_->checkedId();
    s.displayStartup = startup_->isChecked() ? 1 : 0;
    s.headUp = headUp_->checkedId();
    const bool plotChanged = plot_->checkedId() != s.graphSplitterStyle;
    if (plotChanged)
        s.graphSplitterStyle = plot_->checkedId();
    const bool skyChanged = sky_->checkedId() != s.skyChartLayout;
    if (skyChanged)
        s.skyChartLayout = sky_->checkedId();
    target_.optionsChanged(vehicleChanged, skyChanged, plotChanged);
    return true;
}

void GeneralPage::applied() {
    const Settings& s = target_.app().settings();
    startHeadUp_ = s.headUp;
    startSky_ = s.skyChartLayout;
    startVehicle_ = s.devicesSpecific;
    startPlot_ = s.graphSplitterStyle;
    startStartup_ = s.displayStartup != 0;
    check();
}

// --- Measurement units
// ------------------------------------------------------------------------------

UnitsPage::UnitsPage(OptionsTarget& target, QWidget* parent)
    : OptionsPage(parent), target_(target), start_(target.app().units()) {
    auto* form = new QFormLayout(this);
    auto add = [this, form](int i, const char* label, const auto& names, int current) {
        auto* c = new QComboBox(this);
        for (const char* n : names)
            c->addItem(u8(n));
        c->setCurrentIndex(current);
        form->addRow(u8(label), c);
        lists_[static_cast<std::size_t>(i)] = c;
        connect(c, &QComboBox::currentIndexChanged, this, &UnitsPage::check);
    };
    add(0, str::kUnitsDistance, str::kDistanceUnitNames, start_.distance);
    add(1, str::kUnitsHorSpeed, str::kSpeedUnitNames, start_.speed);
    add(2, str::kUnitsVerSpeed, str::kSpeedUnitNames, start_.verticalSpeed);
    add(3, str::kUnitsAltitude, str::kAltitudeUnitNames, start_.altitude);
    add(4, str::kUnitsCoordinates, str::kCoordinateFormatNames, start_.coordinateFormat);
}

void UnitsPage::check() {
    setModified(lists_[0]->currentIndex() != start_.distance ||
                lists_[1]->currentIndex() != start_.speed ||
                lists_[2]->currentIndex() != start_.verticalSpeed ||
                lists_[3]->currentIndex() != start_.altitude ||
                lists_[4]->currentIndex() != start_.coordinateFormat);
}

bool UnitsPage::onOk() {
    UnitSelection u;
    u.distance = lists_[0]->currentIndex();
    u.speed = lists_[1]->currentIndex();
    u.verticalSpeed = lists_[2]->currentIndex();
    u.altitude = lists_[3]->currentIndex();
    u.coordinateFormat = lists_[4]->currentIndex();
    target_.unitsChanged(u);
    return true;
}

void UnitsPage::applied() {
    start_ = target_.app().units();
    check();
}

// --- Limit Control
// ----------------------------------------------------------------------------------

LimitControlPage::LimitControlPage(OptionsTarget& target, QWidget* parent)
    : OptionsPage(parent), target_(target) {
    auto* layout = new QVBoxLayout(this);
    const LimitSettings& l = target.app().limits();
    const char* names[] = {"Checksum", "Limit Altitude", "Limit Velocity"};
    const bool values[] = {l.checksum, l.altitude, l.velocity};
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = new QCheckBox(u8(names[i]), this);
        boxes_[i]->setChecked(values[i]);
        layout->addWidget(boxes_[i]);
        connect(boxes_[i], &QCheckBox::toggled, this, &LimitControlPage::check);
    }
    auto* row = new QHBoxLayout;
    auto* def = new QPushButton(tr("Default"), this);
    auto* clear = new QPushButton(tr("Clear All"), this);
    row->addWidget(def);
    row->addWidget(clear);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    connect(def, &QPushButton::clicked, this, [this] { setAll(true); });
    connect(clear, &QPushButton::clicked, this, [this] { setAll(false); });
}

void LimitControlPage::setAll(bool on) {
    for (QCheckBox* b : boxes_)
        b->setChecked(on);
}

void LimitControlPage::check() {
    const LimitSettings& l = target_.app().limits();
    setModified(boxes_[0]->isChecked() != l.checksum || boxes_[1]->isChecked() != l.altitude ||
                boxes_[2]->isChecked() != l.velocity);
}

bool LimitControlPage::onOk() {
    LimitSettings& l = target_.app().limits();
    l.checksum = boxes_[0]->isChecked();
    l.altitude = boxes_[1]->isChecked();
    l.velocity = boxes_[2]->isChecked();
    target_.limitsChanged();
    return true;
}

// --- The sheet
// --------------------------------------------------------------------------------------

OptionsSheet::OptionsSheet(OptionsTarget& target, QWidget* parent)
    : QDialog(parent), target_(target) {
    setWindowTitle(u8(str::kOptionsTitle));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    general_ = new GeneralPage(target, tabs_);
    log_ = new LoggingPage(target, tabs_);
    units_ = new UnitsPage(target, tabs_);
    colors_ = new ColorPage(target, tabs_);
    limits_ = new LimitControlPage(target, tabs_);
    plotColors_ = new PlotColorsOptionPage(target, tabs_);
    tabs_->addTab(general_, u8(str::kPageGeneral));
    tabs_->addTab(log_, u8(str::kPageLoggingFile));
    tabs_->addTab(units_, u8(str::kPageUnits));
    tabs_->addTab(colors_, u8(str::kPageColors));
    tabs_->addTab(limits_, u8(str::kPageLimit));
    tabs_->addTab(plotColors_, u8(str::kPagePlotColors));
    layout->addWidget(tabs_);
    buttons_ = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &OptionsSheet::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(applyButton(), &QPushButton::clicked, this, [this] { applyPages(); });
    for (OptionsPage* p :
         std::initializer_list<OptionsPage*>{general_, log_, units_, colors_, limits_, plotColors_})
        connect(p, &OptionsPage::modifiedChanged, this, &OptionsSheet::updateApply);
    updateApply();
}

QPushButton* OptionsSheet::applyButton() const {
    return buttons_->button(QDialogButtonBox::Apply);
}

void OptionsSheet::updateApply() {
    bool any = false;
    for (OptionsPage* p :
         std::initializer_list<OptionsPage*>{general_, log_, units_, colors_, limits_, plotColors_})
        any = any || p->modified();
    applyButton()->setEnabled(any);
}

bool OptionsSheet::applyPages() {
    // Reverse page order, as the sheet's pages have always been confirmed.
    for (OptionsPage* p : std::initializer_list<OptionsPage*>{plotColors_, limits_, colors_, units_,
                                                              log_, general_}) {
        if (!p->modified())
            continue;
        if (!p->onOk()) {
            tabs_->setCurrentWidget(p);
            return false;
        }
        p->applied();
    }
    return true;
}

void OptionsSheet::accept() {
    if (applyPages())
        QDialog::accept();
}

} // namespace trix::app
