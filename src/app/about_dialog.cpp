#include "about_dialog.h"

#include "base/strings.h"
#include "base/text.h"
#include "qt_services.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#ifndef TRIX_VERSION
#error "TRIX_VERSION is set by the build from the project's version"
#endif

namespace trix::app {

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

QString para(const QString& text) {
    return QStringLiteral("<p>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace

void AboutDialog::addHelpMenu(QMenuBar& bar, QWidget& parent) {
    // Help comes last in the menu bar, as desktop users expect.
    const QString title = u8(str::kWireHelpMenu);
    QMenu* help = nullptr;
    for (QAction* a : bar.actions())
        if (a->menu() && a->text() == title)
            help = a->menu();
    if (help)
        bar.removeAction(help->menuAction());
    else
        help = new QMenu(title, &parent);
    bar.addMenu(help);
    if (!help->isEmpty())
        help->addSeparator();
    QWidget* owner = &parent;
    QAction* about = help->addAction(u8(str::kAboutCommand), owner, [owner] {
        AboutDialog dialog(owner);
        dialog.exec();
    });
    about->setStatusTip(u8(str::kTipAbout));
}

QString AboutDialog::programVersion() {
    return QStringLiteral(TRIX_VERSION);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(u8(str::kAboutTitle));
    auto* icon = new QLabel(this);
    // The program's icon, as the application set it at start (none in tests).
    const QIcon appIcon = QApplication::windowIcon();
    if (!appIcon.isNull())
        icon->setPixmap(appIcon.pixmap(64, 64));
    icon->setVisible(!appIcon.isNull());
    icon->setAlignment(Qt::AlignTop);

    const QString html = QStringLiteral("<h2>") + u8(str::kAboutProgram).toHtmlEscaped() +
                         QStringLiteral("</h2>") +
                         para(qs(cformat(str::kAboutVersion, TRIX_VERSION))) +
                         para(u8(str::kAboutPurpose)) + para(u8(str::kAboutRights)) +
                         para(qs(cformat(str::kAboutQtVersions, qVersion(), QT_VERSION_STR))) +
                         para(u8(str::kAboutQtLicence));
    body_ = new QLabel(html, this);
    body_->setTextFormat(Qt::RichText);
    body_->setWordWrap(true);
    body_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body_->setMinimumWidth(body_->fontMetrics().averageCharWidth() * 48);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* aboutQt = buttons->addButton(u8(str::kAboutQtButton), QDialogButtonBox::HelpRole);
    aboutQt->setObjectName(QStringLiteral("aboutQt"));
    connect(aboutQt, &QPushButton::clicked, this, [this] { QMessageBox::aboutQt(this); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(body_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString AboutDialog::text() const {
    QTextDocument doc;
    doc.setHtml(body_->text());
    return doc.toPlainText();
}

} // namespace trix::app
