#include "views/plot/plot_control_panel.h"

#include "base/strings.h"
#include "base/text.h"
#include "views/plot/plot_options_sheet.h"
#include "views/plot/plot_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace trix::plot {

namespace {
QString u8(const char* text) {
    return QString::fromUtf8(text);
}
// The number of epochs "Show All" shows without a viewed file.
constexpr int kEpochsWithoutFile = 5000;
} // namespace

PlotControlPanel::PlotControlPanel(WindowFinder finder, app::Settings& settings,
                                   MessageSink& messages, QWidget* parent)
    : QDialog(parent), finder_(std::move(finder)), settings_(settings), messages_(messages) {
    setWindowTitle(u8(str::kPlotControlPanel));
    setModal(false);
    auto makeGroup = [this](const char* title, QLineEdit*& from, QLineEdit*& to, bool readOnly) {
        auto* group = new QGroupBox(u8(title), this);
        auto* grid = new QGridLayout(group);
        from = new QLineEdit(group);
        to = new QLineEdit(group);
        from->setReadOnly(readOnly);
        to->setReadOnly(readOnly);
        grid->addWidget(new QLabel(u8(str::kPlotFrom), group), 0, 0);
        grid->addWidget(from, 0, 1);
        grid->addWidget(new QLabel(u8(str::kPlotTo), group), 0, 2);
        grid->addWidget(to, 0, 3);
        return group;
    };
    auto* box = new QVBoxLayout(this);
    box->addWidget(makeGroup(str::kPlotShownEpochs, shownFrom_, shownTo_, true));
    auto* selected = makeGroup(str::kPlotSelectedEpochs, selectedFrom_, selectedTo_, false);
    auto* selectButton = new QPushButton(u8(str::kPlotSelect), selected);
    static_cast<QGridLayout*>(selected->layout())->addWidget(selectButton, 1, 3);
    box->addWidget(selected);
    auto* buttons = new QGridLayout;
    auto* showSel = new QPushButton(u8(str::kPlotShowSelected), this);
    auto* all = new QPushButton(u8(str::kPlotShowAll), this);
    auto* options = new QPushButton(u8(str::kPlotOptionsButton), this);
    hide_ = new QCheckBox(u8(str::kPlotHideSelection), this);
    hide_->setChecked(settings_.unmarkPartGraph != 0);
    buttons->addWidget(showSel, 0, 0);
    buttons->addWidget(all, 0, 1);
    buttons->addWidget(hide_, 1, 0);
    buttons->addWidget(options, 1, 1);
    box->addLayout(buttons);
    selectButton->setDefault(true);

    connect(selectButton, &QPushButton::clicked, this, &PlotControlPanel::select);
    connect(selectedFrom_, &QLineEdit::returnPressed, this, &PlotControlPanel::select);
    connect(selectedTo_, &QLineEdit::returnPressed, this, &PlotControlPanel::select);
    connect(showSel, &QPushButton::clicked, this, &PlotControlPanel::showSelected);
    connect(all, &QPushButton::clicked, this, &PlotControlPanel::showAll);
    connect(hide_, &QCheckBox::toggled, this, &PlotControlPanel::toggleHideSelection);
    connect(options, &QPushButton::clicked, this, &PlotControlPanel::openOptions);
    refresh();
}

PlotWindow* PlotControlPanel::window() {
    PlotWindow* w = finder_ ? finder_() : nullptr;
    if (w && w != connected_) {
        connected_ = w;
        connect(w, &PlotWindow::rangesChanged, this, &PlotControlPanel::refresh,
                Qt::UniqueConnection);
    }
    return w;
}

void PlotControlPanel::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

void PlotControlPanel::refresh() {
    PlotWindow* w = window();
    if (!w)
        return;
    const PlotRanges& r = w->ranges();
    auto put = [](QLineEdit* e, int v) { e->setText(QString::number(v)); };
    put(shownFrom_, r.shownFirst() + 1);
    put(shownTo_, r.shownLast() + 1);
    put(selectedFrom_, r.selectedFirst() + 1);
    put(selectedTo_, r.selectedLast() + 1);
    lastFrom_ = r.selectedFirst() + 1;
    lastTo_ = r.selectedLast() + 1;
}

bool PlotControlPanel::readField(QLineEdit* edit, int& value) {
    const std::string text = edit->text().trimmed().toStdString();
    if (text.empty() || text.find_first_not_of("+-0123456789") != std::string::npos)
        return false;
    const long v = parseInteger(text);
    if (v < -1000000000L || v > 1000000000L)
        return false;
    value = static_cast<int>(v);
    return true;
}

void PlotControlPanel::select() {
    PlotWindow* w = window();
    int from = lastFrom_, to = lastTo_;
    const bool ok = readField(selectedFrom_, from) && readField(selectedTo_, to);
    if (!w) {
        messages_.beep();
        return;
    }
    if (ok && from == lastFrom_ && to == lastTo_)
        return;
    if (!ok || !w->selectRange(from - 1, to - 1)) {
        selectedFrom_->setText(QString::number(lastFrom_));
        selectedTo_->setText(QString::number(lastTo_));
        messages_.beep();
        return;
    }
    refresh();
}

void PlotControlPanel::showSelected() {
    PlotWindow* w = window();
    int from = 0, to = 0;
    if (!w || !readField(selectedFrom_, from) || !readField(selectedTo_, to)) {
        messages_.beep();
        return;
    }
    if (w->showRange(from - 1, to - 1))
        refresh();
}

void PlotControlPanel::showAll() {
    PlotWindow* w = window();
    if (!w) {
        shownFrom_->setText(QStringLiteral("1"));
        shownTo_->setText(QString::number(kEpochsWithoutFile));
        return;
    }
    if (w->ranges().count() > 1)
        w->showRange(0, w->ranges().count() - 1);
    refresh();
}

void PlotControlPanel::toggleHideSelection(bool on) {
    settings_.unmarkPartGraph = on ? 1 : 0;
    if (PlotWindow* w = window())
        w->colorsChanged();
}

void PlotControlPanel::openOptions() {
    PlotOptionsSheet sheet(settings_, this);
    connect(&sheet, &PlotOptionsSheet::colorsApplied, this, [this] {
        if (PlotWindow* w = window())
            w->colorsChanged();
    });
    sheet.exec();
}

} // namespace trix::plot
