#include "views/plot/plot_color_page.h"

#include "base/strings.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

namespace trix::plot {

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

QColor qcolor(app::ColorValue c) {
    return QColor(app::red(c), app::green(c), app::blue(c));
}

constexpr app::ColorTableId kTables[] = {app::ColorTableId::PlotCurves,
                                         app::ColorTableId::PlotBackgrounds,
                                         app::ColorTableId::PlotExtras};
std::size_t slotOf(app::ColorTableId id) {
    return id == app::ColorTableId::PlotCurves        ? 0
           : id == app::ColorTableId::PlotBackgrounds ? 1
                                                      : 2;
}

// Items of the extras table: axes, titles, mean line, spread lines.
constexpr int kExtraAxes = 0;
constexpr int kExtraTitles = 1;
constexpr int kExtraMean = 2;
constexpr int kExtraSpread = 3;
constexpr int kBackgroundGroup = 1;

} // namespace

PlotColorPage::PlotColorPage(const app::Settings& settings, QWidget* parent) : QWidget(parent) {
    for (std::size_t t = 0; t < 3; ++t) {
        tables_[t] = settings.colorTable(kTables[t]);
        for (const auto& item : tables_[t])
            working_[t].push_back(item.current);
        start_[t] = working_[t];
    }
    groups_ = new QListWidget(this);
    for (const char* g : str::kPlotColorGroups)
        groups_->addItem(u8(g));
    items_ = new QListWidget(this);
    sample_ = new QLabel(this);
    sample_->setMinimumSize(160, 60);
    sample_->setFrameShape(QFrame::Box);
    sample_->setScaledContents(true);
    auto* set = new QPushButton(u8(str::kSetNewColor), this);
    auto* restore = new QPushButton(u8(str::kRestoreAllDefaults), this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(u8(str::kPlotGraphObject), this), 0, 0);
    grid->addWidget(new QLabel(u8(str::kPlotObjectItem), this), 0, 1);
    grid->addWidget(groups_, 1, 0);
    grid->addWidget(items_, 1, 1);
    grid->addWidget(sample_, 2, 0, 1, 2);
    grid->addWidget(set, 3, 0);
    grid->addWidget(restore, 3, 1);
    connect(groups_, &QListWidget::currentRowChanged, this, &PlotColorPage::selectGroup);
    connect(items_, &QListWidget::currentRowChanged, this, &PlotColorPage::selectItem);
    connect(set, &QPushButton::clicked, this, &PlotColorPage::chooseColor);
    connect(restore, &QPushButton::clicked, this, &PlotColorPage::restoreDefaults);
    groups_->setCurrentRow(0);
}

std::vector<PlotColorPage::Slot> PlotColorPage::slotsOf(int group) const {
    using app::ColorTableId;
    std::vector<Slot> out;
    switch (group) {
    case 0:
        for (int i = 0; i < static_cast<int>(tables_[0].size()); ++i)
            out.push_back({ColorTableId::PlotCurves, i});
        break;
    case 1:
        for (int i = 0; i < static_cast<int>(tables_[1].size()); ++i)
            out.push_back({ColorTableId::PlotBackgrounds, i});
        break;
    case 2:
        out.push_back({ColorTableId::PlotExtras, kExtraAxes});
        break;
    case 3:
        out.push_back({ColorTableId::PlotExtras, kExtraMean});
        break;
    case 4:
        out.push_back({ColorTableId::PlotExtras, kExtraSpread});
        break;
    case 5:
        out.push_back({ColorTableId::PlotExtras, kExtraTitles});
        break;
    default:
        break;
    }
    return out;
}

app::ColorValue& PlotColorPage::working(const Slot& s) {
    return working_[slotOf(s.table)][static_cast<std::size_t>(s.item)];
}

app::ColorValue PlotColorPage::working(const Slot& s) const {
    return working_[slotOf(s.table)][static_cast<std::size_t>(s.item)];
}

void PlotColorPage::selectGroup(int group) {
    if (group < 0 || group >= kGroupCount)
        return;
    if (groups_->currentRow() != group)
        groups_->setCurrentRow(group);
    items_->blockSignals(true);
    items_->clear();
    for (const Slot& s : slotsOf(group)) {
        const auto& table = tables_[slotOf(s.table)];
        QString name = group == 0 || group == 1
                           ? QString::fromStdString(table[static_cast<std::size_t>(s.item)].name)
                           : u8(str::kPlotColorGroups[group]);
        items_->addItem(name);
    }
    items_->blockSignals(false);
    items_->setCurrentRow(0);
    updateSample();
}

void PlotColorPage::selectItem(int) {
    updateSample();
}

app::ColorValue PlotColorPage::workingColor(int group, int row) const {
    const auto list = slotsOf(group);
    if (row < 0 || row >= static_cast<int>(list.size()))
        return 0;
    return working(list[static_cast<std::size_t>(row)]);
}

void PlotColorPage::setItemColor(app::ColorValue c) {
    const auto list = slotsOf(groups_->currentRow());
    const int row = items_->currentRow();
    if (row < 0 || row >= static_cast<int>(list.size()))
        return;
    working(list[static_cast<std::size_t>(row)]) = c;
    updateSample();
    checkModified();
}

void PlotColorPage::restoreDefaults() {
    for (const Slot& s : slotsOf(groups_->currentRow()))
        working(s) = tables_[slotOf(s.table)][static_cast<std::size_t>(s.item)].defaultColor;
    updateSample();
    checkModified();
}

void PlotColorPage::chooseColor() {
    const int group = groups_->currentRow();
    const QColor chosen =
        QColorDialog::getColor(qcolor(workingColor(group, items_->currentRow())), this, QString(),
                               QColorDialog::DontUseNativeDialog);
    if (chosen.isValid())
        setItemColor(app::rgb(chosen.red(), chosen.green(), chosen.blue()));
    items_->setFocus();
}

void PlotColorPage::checkModified() {
    const bool m = working_ != start_;
    if (m != modified_) {
        modified_ = m;
        emit modifiedChanged(m);
    }
}

void PlotColorPage::apply(app::Settings& settings) {
    for (std::size_t t = 0; t < 3; ++t) {
        auto& table = settings.colorTable(kTables[t]);
        for (std::size_t i = 0; i < table.size() && i < working_[t].size(); ++i)
            table[i].current = working_[t][i];
    }
    start_ = working_;
    checkModified();
}

QImage PlotColorPage::sampleImage() const {
    const QSize size = sample_->size().expandedTo(QSize(160, 60));
    QImage image(size, QImage::Format_RGB32);
    const int group = groups_->currentRow();
    const QColor color = qcolor(workingColor(group, items_->currentRow()));
    QPainter p(&image);
    if (group == kBackgroundGroup) {
        p.fillRect(image.rect(), color);
        return image;
    }
    const QRect upper(0, 0, size.width(), size.height() / 2);
    const QRect lower(0, size.height() / 2, size.width(), size.height() - size.height() / 2);
    p.fillRect(upper, qcolor(working_[1][0]));
    p.fillRect(lower, qcolor(working_[1][1]));
    p.setPen(color);
    p.drawText(upper, Qt::AlignCenter | Qt::TextSingleLine, u8(str::kSample));
    p.drawText(lower, Qt::AlignCenter | Qt::TextSingleLine, u8(str::kSample));
    return image;
}

void PlotColorPage::updateSample() {
    sample_->setPixmap(QPixmap::fromImage(sampleImage()));
}

} // namespace trix::plot
