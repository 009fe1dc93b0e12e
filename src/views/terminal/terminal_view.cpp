#include "views/terminal/terminal_view.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"
#include "logs/log_naming.h"
#include "ticket/parameter_form.h"
#include "views/terminal/command_menu_box.h"
#include "views/terminal/terminal_icons.h"
#include "views/terminal/terminal_printout.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

namespace trix::views {

namespace {

QToolButton* toggle(const QIcon& icon, const char* tip) {
    auto* b = new QToolButton;
    b->setIcon(icon);
    b->setCheckable(true);
    b->setToolTip(QString::fromUtf8(tip));
    b->setAutoRaise(false);
    return b;
}

} // namespace

TerminalView::TerminalView(TerminalHost& host, MessageSink& messages, app::IniProfile* profile,
                           QWidget* parent)
    : QWidget(parent), host_(host), messages_(messages), profile_(profile), list_(new QListWidget),
      pauseButton_(toggle(terminalIcon(TerminalIcon::Pause), str::kTipPause)),
      checksumButton_(toggle(terminalIcon(TerminalIcon::Checksum), str::kTipChecksum)),
      createButton_(new QPushButton(QString::fromUtf8(str::kCreateGps))),
      addButton_(new QPushButton(QString::fromUtf8(str::kAddButton))),
      modeButton_(toggle(terminalIcon(TerminalIcon::Mode), str::kTipMode)),
      menuBox_(new CommandMenuBox(messages)), typeBox_(new QComboBox),
      sendButton_(new QPushButton(QString::fromUtf8(str::kSendButton))) {
    setWindowTitle(QString::fromUtf8(str::kTerminalTitle));
    createButton_->setCheckable(true);
    createButton_->setToolTip(QString::fromUtf8(str::kTipCreateGps));
    addButton_->setToolTip(QString::fromUtf8(str::kTipAdd));
    addButton_->hide();
    sendButton_->setToolTip(QString::fromUtf8(str::kTipSend));
    sendButton_->setDefault(true);
    modeButton_->setFixedWidth(45);
    menuBox_->setToolTip(QString::fromUtf8(str::kTipMenu));
    typeBox_->setEditable(true);
    typeBox_->setInsertPolicy(QComboBox::NoInsert);
    typeBox_->setToolTip(QString::fromUtf8(str::kTipType));
    typeBox_->setMinimumContentsLength(30);
    typeBox_->lineEdit()->setMaxLength(static_cast<int>(ticket::kMaxTypedLength));
    typeBox_->lineEdit()->installEventFilter(this);
    menuBox_->installEventFilter(this);
    checksumButton_->setChecked(true);

    list_->setUniformItemSizes(true);
    list_->setIconSize(QSize(20, 20));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->installEventFilter(this);

    auto* row = new QHBoxLayout;
    row->addWidget(pauseButton_);
    row->addWidget(checksumButton_);
    row->addWidget(createButton_);
    row->addWidget(addButton_);
    row->addWidget(modeButton_);
    row->addWidget(menuBox_, 1);
    row->addWidget(typeBox_, 1);
    row->addWidget(sendButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(row);
    layout->addWidget(list_, 1);

    connect(pauseButton_, &QToolButton::toggled, this, &TerminalView::setPaused);
    connect(checksumButton_, &QToolButton::toggled, this, &TerminalView::setAddChecksum);
    connect(modeButton_, &QToolButton::clicked, this, [this](bool on) { setSelectMode(on); });
    connect(createButton_, &QPushButton::clicked, this, &TerminalView::toggleCommandFile);
    connect(addButton_, &QPushButton::clicked, this, &TerminalView::addToCommandFile);
    connect(sendButton_, &QPushButton::clicked, this, &TerminalView::sendCurrent);
    connect(list_, &QListWidget::customContextMenuRequested, this, &TerminalView::listMenu);
    connect(typeBox_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        // Every typed character is upper case.
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int cursor = typeBox_->lineEdit()->cursorPosition();
        typeBox_->lineEdit()->setText(upper);
        typeBox_->lineEdit()->setCursorPosition(cursor);
    });
    receiverChanged();
}

TerminalView::~TerminalView() {
    saveHistory();
}

void TerminalView::traffic(link::Direction direction, std::string_view text) {
    ticket::TrafficKind kind = direction == link::Direction::Sent ? ticket::TrafficKind::Sent
                               : direction == link::Direction::Received
                                   ? ticket::TrafficKind::Received
                                   : ticket::TrafficKind::Status;
    addLine(kind, text);
}

void TerminalView::addLine(ticket::TrafficKind kind, std::string_view text) {
    if ((paused_ || holds_ > 0) && !sending_)
        return;
    const std::string shown = ticket::shownText(text);
    const bool full = traffic_.size() >= ticket::TrafficList::kMaxLines;
    if (!traffic_.add(kind, shown))
        return;
    if (full)
        delete list_->takeItem(0);
    auto* item = new QListWidgetItem(trafficIcon(kind), QString::fromStdString(shown));
    item->setForeground(trafficColour(kind));
    const int h = std::max(20, list_->fontMetrics().height());
    item->setSizeHint(
        QSize(list_->fontMetrics().averageCharWidth() * static_cast<int>(shown.size()) + 23, h));
    list_->addItem(item);
    list_->scrollToBottom();
}

void TerminalView::receiverChanged() {
    saveHistory();
    const int model = host_.modelIndex();
    std::string path;
    if (model >= 2 && model <= 19)
        path = host_.findReceiverFile(std::string(modelInfo(model).code) + ".MNU");
    menuBox_->load(model, path);
    historyModel_ = model;
    loadHistory();
    // Select mode only where a model with a menu is known.
    setSelectMode(model >= 2);
}

void TerminalView::loadHistory() {
    std::vector<std::string> entries;
    if (profile_ && historyModel_ >= 0) {
        const std::string section = ticket::historySection(historyModel_);
        for (int i = 1; i <= static_cast<int>(ticket::CommandHistory::kMaxEntries); ++i) {
            std::string v = profile_->getString(section, cformat("Command%d", i), "");
            if (v.empty())
                break;
            entries.push_back(std::move(v));
        }
    }
    history_.set(std::move(entries));
    fillTypeBox();
}

void TerminalView::saveHistory() {
    if (!profile_ || historyModel_ < 0 || history_.entries().empty())
        return;
    const std::string section = ticket::historySection(historyModel_);
    int i = 1;
    for (const auto& e : history_.entries())
        profile_->writeString(section, cformat("Command%d", i++), e);
    if (profile_->contains(section, cformat("Command%d", i)))
        profile_->writeString(section, cformat("Command%d", i), "");
}

void TerminalView::fillTypeBox() {
    const QString text = typeBox_->currentText();
    typeBox_->clear();
    for (const auto& e : history_.entries())
        typeBox_->addItem(QString::fromStdString(e));
    typeBox_->setEditText(text);
}

std::unique_ptr<print::Printable> TerminalView::printDocument() {
    return std::make_unique<TerminalPrintout>(this);
}

void TerminalView::setPaused(bool on) {
    paused_ = on;
    pauseButton_->setChecked(on);
}

void TerminalView::setAddChecksum(bool on) {
    addChecksum_ = on;
    checksumButton_->setChecked(on);
}

void TerminalView::setSelectMode(bool on) {
    if (on && host_.modelIndex() < 2) {
        messages_.beep();
        on = false;
    }
    selectMode_ = on;
    modeButton_->setChecked(on);
    menuBox_->setVisible(on);
    menuBox_->setEnabled(on);
    typeBox_->setVisible(!on);
    if (on) {
        menuBox_->setFocus();
    } else {
        typeBox_->setEditText(QStringLiteral("$PXKT"));
        typeBox_->lineEdit()->setCursorPosition(5);
        typeBox_->setFocus();
    }
}

void TerminalView::sendCurrent() {
    std::string command;
    if (selectMode_) {
        auto built = menuBox_->command(host_.portLetter(), this);
        if (!built)
            return;
        command = std::move(*built);
    } else {
        command = typeBox_->currentText().toStdString();
        if (command.empty())
            return;
        history_.add(command);
        fillTypeBox();
        typeBox_->setEditText(QString::fromStdString(command));
        typeBox_->lineEdit()->selectAll();
    }
    sending_ = true;
    ticket::SendResult r = host_.send(command, addChecksum_);
    sending_ = false;
    if (!r.ok) {
        messages_.beep();
        messages_.show(r.error, Buttons::Ok, Icon::Warning);
        return;
    }
    lastCommand_ = std::move(command);
}

void TerminalView::toggleCommandFile(bool on) {
    if (!on) {
        commandFile_.clear();
        createButton_->setChecked(false);
        addButton_->hide();
        return;
    }
    std::string path;
    if (askFileName_) {
        path = askFileName_();
    } else {
        path = QFileDialog::getSaveFileName(this, QString::fromUtf8(str::kCreateGps),
                                            QString::fromStdString(host_.receiverFolder()),
                                            QStringLiteral("*.gps"))
                   .toStdString();
    }
    if (path.empty()) {
        createButton_->setChecked(false);
        addButton_->hide();
        return;
    }
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) {
        messages_.show(cformat(str::kFileNotOpened, path.c_str()), Buttons::Ok, Icon::Stop);
        createButton_->setChecked(false);
        addButton_->hide();
        return;
    }
    std::fclose(f);
    commandFile_ = path;
    createButton_->setChecked(true);
    addButton_->show();
}

void TerminalView::addToCommandFile() {
    if (commandFile_.empty() || lastCommand_.empty())
        return;
    const std::string title(logs::baseName(commandFile_));
    if (messages_.show(cformat(str::kAddCommandQuestion, lastCommand_.c_str(), title.c_str()),
                       Buttons::OkCancel, Icon::Question) != Answer::Ok)
        return;
    std::FILE* f = std::fopen(commandFile_.c_str(), "a");
    bool ok = f && std::fprintf(f, "%s\n", lastCommand_.c_str()) >= 0;
    if (f)
        ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        messages_.show(cformat(str::kFileNotOpened, commandFile_.c_str()), Buttons::Ok, Icon::Stop);
        return;
    }
    lastCommand_.clear();
}

void TerminalView::clearList() {
    traffic_.clear();
    list_->clear();
}

void TerminalView::copyList() {
    QApplication::clipboard()->setText(QString::fromStdString(traffic_.copyText()));
}

void TerminalView::listMenu(const QPoint& at) {
    QMenu menu(this);
    menu.addAction(QString::fromUtf8(str::kTerminalClear), this, &TerminalView::clearList);
    menu.addAction(QString::fromUtf8(str::kTerminalCopy), this, &TerminalView::copyList);
    menu.exec(list_->viewport()->mapToGlobal(at));
}

void TerminalView::pageList(int direction) {
    const int item = std::max(20, list_->fontMetrics().height());
    const int page = std::max(1, list_->viewport()->height() / item);
    QScrollBar* bar = list_->verticalScrollBar();
    bar->setValue(bar->value() + direction * page * bar->singleStep());
}

bool TerminalView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            sendCurrent();
            return true;
        case Qt::Key_Escape:
            return true;
        case Qt::Key_PageUp:
            pageList(-1);
            return true;
        case Qt::Key_PageDown:
            pageList(1);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TerminalView::keyPressEvent(QKeyEvent* event) {
    if (eventFilter(this, event))
        return;
    QWidget::keyPressEvent(event);
}

} // namespace trix::views
