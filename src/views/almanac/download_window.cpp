#include "views/almanac/download_window.h"

#include "base/strings.h"
#include "trixres/loader.h"

#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace trix::views {
namespace {
constexpr int kArcPoints = 33;
constexpr int kCycle = 38;
} // namespace

DownloadWindow::DownloadWindow(almanac::DownloadLink& link, MessageSink& messages, Done done,
                               QWidget* parent, almanac::DownloadTiming timing)
    : QDialog(parent), doc_(std::make_unique<almanac::AlmanacDocument>()), messages_(messages),
      done_(std::move(done)),
      cancel_(new QPushButton(QString::fromUtf8(str::kButtonCancel), this)) {
    logs::TimerHost& timers = *this;
    almanac::DownloadEvents& events = *this;
    download_ =
        std::make_unique<almanac::AlmanacDownload>(*doc_, link, timers, messages, events, timing);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, &DownloadWindow::reject);
    resize(360, 190);
    const std::array<int, 6> numbers{198, 200, 199, 201, 202, 203};
    const std::vector<QImage> pictures = res::loadPictures(numbers, messages_);
    for (std::size_t i = 0; i < 4 && i < pictures.size(); ++i)
        sprites_[i] = pictures[i];
    if (pictures.size() == 6) {
        left_ = pictures[4];
        right_ = pictures[5];
    }
}

DownloadWindow::~DownloadWindow() {
    download_->shutdown();
    for (auto& [id, t] : timers_)
        t->stop();
}

bool DownloadWindow::start() {
    return download_->start();
}

bool DownloadWindow::start(int id, long long ms) {
    QTimer*& t = timers_[id];
    if (!t) {
        t = new QTimer(this);
        connect(t, &QTimer::timeout, this, [this, id] { download_->timer(id); });
    }
    t->start(static_cast<int>(ms));
    return true;
}

void DownloadWindow::kill(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end())
        it->second->stop();
}

void DownloadWindow::title(std::string_view text) {
    setWindowTitle(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

QPoint DownloadWindow::arcPoint(int i) {
    const int y = i <= 16 ? 70 - 2 * i : 70 - 32 + 2 * (i - 16);
    return {96 + 6 * i, y};
}

int DownloadWindow::centring() const {
    return (width() - 343) / 2;
}

QRect DownloadWindow::spriteRect(int position, int frame) const {
    const QImage& s = sprites_[static_cast<std::size_t>(frame)];
    const QPoint c = arcPoint(position) + QPoint(centring(), 0);
    return QRect(c.x() - s.width() / 2, c.y() - s.height() / 2, s.width(), s.height());
}

void DownloadWindow::animate() {
    // The previous sprite's place is filled black and the next one drawn, at most one a tick.
    if (drawnPosition_ >= 0)
        update(spriteRect(drawnPosition_, drawnFrame_));
    drawnPosition_ = -1;
    if (position_ < kArcPoints) {
        drawnPosition_ = position_;
        drawnFrame_ = frame_;
        update(spriteRect(position_, frame_));
        frame_ = (frame_ + 1) % 4;
    }
    if (++position_ >= kCycle) {
        position_ = 0;
        frame_ = 0;
    }
}

void DownloadWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    const int dx = centring();
    if (!left_.isNull())
        p.drawImage(QRect(25 + dx, 75, 57, 30), left_);
    if (!right_.isNull())
        p.drawImage(QRect(270 + dx, 70, 48, 60), right_);
    if (drawnPosition_ < 0 || sprites_[static_cast<std::size_t>(drawnFrame_)].isNull())
        return;
    // The sprite never covers the two fixed pictures.
    QRegion clip(rect());
    clip -= QRect(25 + dx, 75, 57, 30);
    clip -= QRect(270 + dx, 70, 48, 60);
    p.setClipRegion(clip);
    p.drawImage(spriteRect(drawnPosition_, drawnFrame_),
                sprites_[static_cast<std::size_t>(drawnFrame_)]);
}

void DownloadWindow::finished(bool received) {
    complete(received ? std::move(doc_) : nullptr);
}

void DownloadWindow::reject() {
    if (completed_)
        return;
    download_->cancel();
    complete(nullptr);
}

void DownloadWindow::complete(std::unique_ptr<almanac::AlmanacDocument> doc) {
    if (completed_)
        return;
    completed_ = true;
    hide();
    if (done_)
        done_(std::move(doc));
}

} // namespace trix::views
