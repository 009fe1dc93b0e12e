#pragma once
// The almanac download window: progress in its title, the travelling satellite on a black
// ground, and Cancel. It runs an AlmanacDownload over the link it is given and hands the
// filled document on when records arrived.

#include "almanac/almanac_download.h"
#include "base/ui.h"

#include <QDialog>
#include <QImage>
#include <QRect>

#include <array>
#include <functional>
#include <map>
#include <memory>

class QPushButton;
class QTimer;

namespace trix::views {

class DownloadWindow : public QDialog, private almanac::DownloadEvents, private logs::TimerHost {
public:
    // Called once when the download is over: with the filled document when records arrived,
    // with nullptr after a failure or Cancel. The window closes itself afterwards.
    using Done = std::function<void(std::unique_ptr<almanac::AlmanacDocument>)>;

    DownloadWindow(almanac::DownloadLink& link, MessageSink& messages, Done done,
                   QWidget* parent = nullptr, almanac::DownloadTiming timing = {});
    ~DownloadWindow() override;

    // Sends the first step after the start (false when no timer can be had).
    bool start();
    // The listener to register in the link's almanac slot while the window lives.
    link::LinkListener& listener() { return *download_; }
    almanac::AlmanacDownload& download() { return *download_; }
    almanac::AlmanacDocument& document() { return *doc_; }
    int spritePosition() const { return position_; }
    int spriteFrame() const { return frame_; }
    // The centre of arc point `i` (0 to 32) before the centring offset.
    static QPoint arcPoint(int i);

protected:
    void paintEvent(QPaintEvent* event) override;
    void reject() override; // Cancel and Escape

private:
    // DownloadEvents
    void title(std::string_view text) override;
    void animate() override;
    void finished(bool received) override;
    // TimerHost
    bool start(int id, long long ms) override;
    void kill(int id) override;

    void complete(std::unique_ptr<almanac::AlmanacDocument> doc);
    int centring() const;
    QRect spriteRect(int position, int frame) const;

    std::unique_ptr<almanac::AlmanacDocument> doc_;
    MessageSink& messages_;
    Done done_;
    std::unique_ptr<almanac::AlmanacDownload> download_;
    std::map<int, QTimer*> timers_;
    std::array<QImage, 4> sprites_; // frame order: pictures 198, 200, 199, 201
    QImage left_, right_;           // pictures 202 and 203
    QPushButton* cancel_;
    int position_ = 0;
    int frame_ = 0;
    int drawnFrame_ = -1;
    int drawnPosition_ = -1;
    bool completed_ = false;
};

} // namespace trix::views
