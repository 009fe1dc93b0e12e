#include "views/panel/indicator_panel.h"

#include "decode/models.h"
#include "base/strings.h"
#include "trixres/face_layout.h"
#include "trixres/loader.h"

#include <QFontMetrics>
#include <QPainter>

namespace trix::views {

namespace {

const QColor kTextColour(120, 255, 150);

QString qstr(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Text centred in a box; a long mode line is set smaller rather than cut.
void boxed(QPainter& p, const QRect& box, const QString& text, const QFont& font) {
    QFont f(font);
    for (int size = font.pixelSize(); size > 8; --size) {
        f.setPixelSize(size);
        if (QFontMetrics(f).horizontalAdvance(text) <= box.width() - 4)
            break;
    }
    p.setFont(f);
    p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
}

} // namespace

IndicatorPanel::IndicatorPanel(FiguresSource source, MessageSink& messages, QWidget* parent)
    : QWidget(parent), source_(std::move(source)), messages_(messages),
      font_(QStringLiteral("Courier New")) {
    // A bold fixed-pitch font of about 18 pixels' cell height.
    font_.setStyleHint(QFont::Monospace);
    font_.setFixedPitch(true);
    font_.setPixelSize(15);
    font_.setBold(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const FiguresView v = source_();
    attitude_ = v.modelIndex == kModelAttitude;
    setFixedSize(kWidth, attitude_ ? kAttitudeHeight : kHeight);
    const int numbers[] = {res::pic::kPositionPanel, res::pic::kPrecisionPanel,
                           res::pic::kDoubleDiffPanel};
    const auto images = res::loadPictures(numbers, messages_);
    for (std::size_t i = 0; i < panels_.size(); ++i)
        panels_[i] = images[i];
    setWindowTitle(QString::fromUtf8(str::kIndicatorPanelTitle));
}

void IndicatorPanel::epoch(int) {
    const FiguresView v = source_();
    if (!v.decoder)
        return;
    builder_.update(*v.decoder, v.modelIndex, v.units);
    hasText_ = true;
    update();
}

int IndicatorPanel::lineHeight() const {
    return QFontMetrics(font_).height() + 5;
}

void IndicatorPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    backgroundDirty_ = true;
}

void IndicatorPanel::paintBuffer() {
    if (buffer_.size() != size() || backgroundDirty_) {
        buffer_ = QPixmap(size());
        backgroundDirty_ = false;
    }
    buffer_.fill(palette().color(QPalette::Window));
    QPainter p(&buffer_);
    using namespace res;
    if (!panels_[0].isNull())
        p.drawImage(QRect(0, 0, kPanelWidth, 117), panels_[0]);
    if (!panels_[1].isNull())
        p.drawImage(QRect(0, 117, kPanelWidth, 89), panels_[1]);
    if (attitude_ && !panels_[2].isNull())
        p.drawImage(QRect(0, 206, kPanelWidth, 174), panels_[2]);
    if (!hasText_)
        return;
    const FiguresText& t = builder_.text();
    p.setPen(kTextColour);
    p.setFont(font_);
    const std::string* position[] = {&t.latitude, &t.longitude, &t.altitude};
    for (int i = 0; i < 3; ++i)
        p.drawText(kPanelTextLeft, kPanelFirstBaseline + i * kPanelLineStep, qstr(*position[i]));
    boxed(p, kModeBox, qstr(t.mode), font_);
    boxed(p, kTimeBox, qstr(t.time), font_);
    p.setFont(font_);
    const int lh = lineHeight();
    p.drawText(kPrecisionText.x(), 117 + kPrecisionText.y(), qstr(t.dop1));
    p.drawText(kPrecisionText.x(), 117 + kPrecisionText.y() + lh, qstr(t.dop2));
    if (attitude_) {
        const std::string* lines[] = {&t.vector12, &t.vector13, &t.vector14, &t.brms, &t.mrms};
        for (int i = 0; i < 5; ++i)
            p.drawText(kDoubleDiffText.x(), 206 + kDoubleDiffText.y() + i * lh, qstr(*lines[i]));
    }
}

void IndicatorPanel::paintEvent(QPaintEvent*) {
    paintBuffer();
    QPainter p(this);
    p.drawPixmap(0, 0, buffer_);
}

QImage IndicatorPanel::render() {
    paintBuffer();
    return buffer_.toImage();
}

void IndicatorPanel::printPage(QPainter& painter, const QRect& target) const {
    if (!hasText_)
        return;
    const FiguresText& t = builder_.text();
    painter.save();
    painter.setFont(font_);
    painter.setPen(Qt::black);
    const int lh = QFontMetrics(font_, painter.device()).height() + 5;
    int y = target.top() + lh;
    std::vector<const std::string*> lines{&t.latitude, &t.longitude, &t.altitude, &t.mode,
                                          &t.time,     &t.dop1,      &t.dop2};
    if (attitude_)
        lines.insert(lines.end(), {&t.vector12, &t.vector13, &t.vector14, &t.brms, &t.mrms});
    for (const std::string* l : lines) {
        painter.drawText(target.left(), y, qstr(*l));
        y += lh;
    }
    painter.restore();
}

} // namespace trix::views
