// The "Logging file" and "Colors" pages of the options sheet.

#include "base/strings.h"
#include "base/text.h"
#include "logs/folder_check.h"
#include "options_sheet.h"
#include "options_target.h"
#include "qt_services.h"
#include "trix_application.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace trix::app {

namespace {
QString u8(const char* s) {
    return QString::fromUtf8(s);
}
} // namespace

QString shortenedPath(const QString& path, const QFontMetrics& m, int width) {
    if (m.horizontalAdvance(path) <= width || path.size() <= 3)
        return path;
    const QString head = path.left(3) + "...";
    // The shortest tail that begins at a separator and still fits.
    int best = -1;
    for (int i = path.size() - 1; i >= 3; --i) {
        if (path[i] != '/')
            continue;
        if (m.horizontalAdvance(head + path.mid(i)) <= width)
            best = i;
        else
            break;
    }
    if (best < 0)
        best = path.lastIndexOf('/');
    return head + path.mid(std::max(best, 3));
}

// --- Logging file -------------------------------------------------------------------------------

LoggingPage::LoggingPage(OptionsTarget& target, QWidget* parent)
    : OptionsPage(parent), target_(target) {
    const logs::LogSettings s = target.app().logSettings();
    directory_ = s.directory;
    auto* layout = new QVBoxLayout(this);
    auto* dirBox = new QGroupBox(tr("Logging directory"), this);
    auto* dirRow = new QHBoxLayout(dirBox);
    dirLabel_ = new QLabel(dirBox);
    dirLabel_->setMinimumWidth(120);
    dirLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* browse = new QPushButton(tr("Browse..."), dirBox);
    dirRow->addWidget(dirLabel_, 1);
    dirRow->addWidget(browse);
    layout->addWidget(dirBox);

    single_ = new QRadioButton(tr("Single recording"), this);
    multiple_ = new QRadioButton(tr("Multiple recording"), this);
    auto* form = new QFormLayout;
    autoSave_ = new QLineEdit(QString::number(s.autoSaveCount), this);
    unit_ = new QComboBox(this);
    unit_->addItems({tr("minutes"), tr("epochs")});
    unit_->setCurrentIndex(s.autoSaveUnit == logs::AutoSaveUnit::Epochs ? 1 : 0);
    auto* autoRow = new QHBoxLayout;
    autoRow->addWidget(autoSave_);
    autoRow->addWidget(unit_);
    period_ = new QLineEdit(qs(cformat("%g", s.periodMinutes / 60.0)), this);
    duration_ = new QLineEdit(QString::number(s.durationMinutes), this);
    layout->addWidget(single_);
    form->addRow(tr("auto-save every"), autoRow);
    layout->addLayout(form);
    layout->addWidget(multiple_);
    auto* form2 = new QFormLayout;
    form2->addRow(tr("create new log file every (hours)"), period_);
    form2->addRow(tr("recording duration (minutes)"), duration_);
    layout->addLayout(form2);
    layout->addStretch(1);
    (s.mode == logs::RecordMode::Multiple ? multiple_ : single_)->setChecked(true);

    connect(browse, &QPushButton::clicked, this, &LoggingPage::browse);
    connect(single_, &QRadioButton::toggled, this, &LoggingPage::modeChanged);
    for (QLineEdit* e : {autoSave_, period_, duration_})
        connect(e, &QLineEdit::textEdited, this, [this] { setModified(true); });
    connect(unit_, &QComboBox::currentIndexChanged, this, [this] { setModified(true); });
    modeChanged();
    setModified(false);
    showDirectory();
}

void LoggingPage::modeChanged() {
    const bool single = single_->isChecked();
    autoSave_->setEnabled(single);
    unit_->setEnabled(single);
    period_->setEnabled(!single);
    duration_->setEnabled(!single);
    setModified(true);
}

void LoggingPage::showDirectory() {
    QString d = qs(directory_);
    dirLabel_->setText(shortenedPath(d, dirLabel_->fontMetrics(), dirLabel_->width()));
    dirLabel_->setToolTip(d);
}

QString LoggingPage::shownDirectory() const {
    return dirLabel_->text();
}

void LoggingPage::resizeEvent(QResizeEvent* event) {
    OptionsPage::resizeEvent(event);
    showDirectory();
}

void LoggingPage::browse() {
    QFileDialog dlg(this, u8(str::kSelectFolder), qs(directory_));
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly);
    dlg.setLabelText(QFileDialog::LookIn, u8(str::kSelectLogFolder));
    while (dlg.exec() == QDialog::Accepted) {
        const QStringList chosen = dlg.selectedFiles();
        if (chosen.isEmpty())
            return;
        // The chooser checks the typed or chosen path and offers to create it.
        if (logs::checkFolder(chosen.front().toStdString(), target_.messages())) {
            folderChosen(chosen.front());
            return;
        }
    }
}

void LoggingPage::folderChosen(const QString& folder) {
    const std::string chosen = folder.toStdString();
    if (logs::folderChanged(directory_, chosen)) {
        directory_ = logs::withTrailingSeparator(chosen);
        setModified(true);
        showDirectory();
    }
}

bool LoggingPage::onOk() {
    logs::LoggingPageInput in;
    in.mode = multiple_->isChecked() ? logs::RecordMode::Multiple : logs::RecordMode::Single;
    in.autoSaveCount = static_cast<int>(parseInteger(autoSave_->text().toStdString()));
    in.autoSaveUnit =
        unit_->currentIndex() == 1 ? logs::AutoSaveUnit::Epochs : logs::AutoSaveUnit::Minutes;
    in.periodHours = parseReal(period_->text().toStdString());
    in.durationMinutes = static_cast<int>(parseInteger(duration_->text().toStdString()));
    logs::LogSettings out = target_.app().logSettings();
    if (const char* message = logs::validateLoggingPage(in, out)) {
        target_.messages().beep();
        target_.messages().show(message, Buttons::Ok, Icon::Warning);
        duration_->setFocus();
        return false;
    }
    const bool dirChanged = logs::folderChanged(out.directory, directory_);
    out.directory = logs::withTrailingSeparator(directory_);
    target_.app().setLogSettings(out);
    if (dirChanged) {
        // A new log directory is saved at once, and its disk space read again.
        std::string error;
        if (!target_.app().saveProfile(&error))
            target_.messages().show(error, Buttons::Ok, Icon::Warning);
    }
    target_.logSettingsChanged(out, dirChanged);
    return true;
}

// --- Colors
// ---------------------------------------------------------------------------------------

ColorPage::ColorPage(OptionsTarget& target, QWidget* parent)
    : OptionsPage(parent), target_(target) {
    for (int w = 0; w < 2; ++w) {
        const ColorTable& t = table(w);
        for (const ColorItem& item : t)
            working_[static_cast<std::size_t>(w)].push_back(item.current);
        start_[static_cast<std::size_t>(w)] = working_[static_cast<std::size_t>(w)];
    }
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    window_ = new QComboBox(this);
    window_->addItems({u8(str::kDeparturePlot), u8(str::kSkyChart)});
    form->addRow(u8(str::kWindowToSetColors), window_);
    layout->addLayout(form);
    auto* row = new QHBoxLayout;
    items_ = new QListWidget(this);
    row->addWidget(items_, 1);
    auto* right = new QVBoxLayout;
    sample_ = new QLabel(this);
    sample_->setFixedSize(120, 60);
    sample_->setFrameStyle(QFrame::Box);
    auto* set = new QPushButton(u8(str::kSetNewColor), this);
    auto* restore = new QPushButton(u8(str::kRestoreAllDefaults), this);
    right->addWidget(sample_);
    right->addWidget(set);
    right->addWidget(restore);
    right->addStretch(1);
    row->addLayout(right);
    layout->addLayout(row);
    connect(window_, &QComboBox::currentIndexChanged, this, &ColorPage::selectWindow);
    connect(items_, &QListWidget::currentRowChanged, this, &ColorPage::selectItem);
    connect(set, &QPushButton::clicked, this, &ColorPage::chooseColor);
    connect(restore, &QPushButton::clicked, this, &ColorPage::restoreDefaults);
    selectWindow(0);
}

const ColorTable& ColorPage::table(int w) const {
    return target_.app().settings().colorTable(w == 0 ? ColorTableId::PositionPlot
                                                      : ColorTableId::SkyChart);
}

void ColorPage::selectWindow(int index) {
    if (window_->currentIndex() != index)
        window_->setCurrentIndex(index);
    items_->clear();
    for (const ColorItem& item : table(index))
        items_->addItem(qs(item.name));
    items_->setCurrentRow(0);
    selectItem(0);
}

QImage ColorPage::sampleImage() const {
    QImage img(sample_->size(), QImage::Format_RGB32);
    const int w = window_->currentIndex();
    const int row = std::max(0, items_->currentRow());
    const auto& colors = working_[static_cast<std::size_t>(w)];
    const ColorTable& t = table(w);
    if (row >= static_cast<int>(t.size()))
        return img;
    auto qc = [](ColorValue c) { return QColor(red(c), green(c), blue(c)); };
    const ColorItem& item = t[static_cast<std::size_t>(row)];
    QPainter p(&img);
    if (item.sampleBackground < 0) {
        img.fill(qc(colors[static_cast<std::size_t>(row)]));
    } else {
        img.fill(qc(colors[static_cast<std::size_t>(item.sampleBackground)]));
        p.setPen(qc(colors[static_cast<std::size_t>(row)]));
        p.drawText(img.rect(), Qt::AlignCenter | Qt::TextSingleLine, u8(str::kSample));
    }
    return img;
}

void ColorPage::selectItem(int row) {
    if (row < 0)
        return;
    sample_->setPixmap(QPixmap::fromImage(sampleImage()));
}

void ColorPage::chooseColor() {
    const int w = window_->currentIndex();
    const int row = items_->currentRow();
    if (row < 0)
        return;
    ColorValue c = working_[static_cast<std::size_t>(w)][static_cast<std::size_t>(row)];
    QColor chosen = QColorDialog::getColor(QColor(red(c), green(c), blue(c)), this);
    if (chosen.isValid())
        setItemColor(rgb(chosen.red(), chosen.green(), chosen.blue()));
    items_->setFocus();
}

void ColorPage::setItemColor(ColorValue c) {
    const int w = window_->currentIndex();
    const int row = items_->currentRow();
    if (row < 0)
        return;
    working_[static_cast<std::size_t>(w)][static_cast<std::size_t>(row)] = c;
    selectItem(row);
    setModified(true);
}

void ColorPage::restoreDefaults() {
    const int w = window_->currentIndex();
    const ColorTable& t = table(w);
    for (std::size_t i = 0; i < t.size(); ++i)
        working_[static_cast<std::size_t>(w)][i] = t[i].defaultColor;
    selectItem(std::max(0, items_->currentRow()));
    setModified(true);
}

ColorValue ColorPage::workingColor(int window, int item) const {
    return working_[static_cast<std::size_t>(window)][static_cast<std::size_t>(item)];
}

bool ColorPage::onOk() {
    Settings& s = target_.app().settings();
    for (int w = 0; w < 2; ++w) {
        ColorTable& t = s.colorTable(w == 0 ? ColorTableId::PositionPlot : ColorTableId::SkyChart);
        for (std::size_t i = 0; i < t.size(); ++i)
            t[i].current = working_[static_cast<std::size_t>(w)][i];
    }
    target_.colorsChanged();
    return true;
}

} // namespace trix::app
