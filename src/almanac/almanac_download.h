#pragma once
// Downloading the almanac from the receiver: the commands sent step by step, the records taken
// out of the answers, the progress and the end of the download. Driven by two timers and the
// lines the link hands on; the window around it only shows what it is told.

#include "almanac/almanac_document.h"
#include "base/ui.h"
#include "link/listeners.h"
#include "logs/timer_host.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace trix::link {
class Link;
}

namespace trix::almanac {

// What the download needs of the receiver link.
class DownloadLink {
public:
    virtual ~DownloadLink() = default;
    // Sends a command with a checksum appended ("C_" commands as the link sends them).
    virtual bool send(std::string_view command) = 0;
    virtual int modelIndex() const = 0;
    virtual char receiverPort() const = 0; // 0 while unknown
    virtual bool hostMode() const = 0;
    virtual bool blockPending() const = 0; // a memory-segment answer is being read
    virtual bool checksumChecked() const = 0;
};

// The receiver link of the program as a DownloadLink.
class LinkDownloadPort : public DownloadLink {
public:
    LinkDownloadPort(link::Link& link, bool checksumChecked)
        : link_(link), checksum_(checksumChecked) {}
    bool send(std::string_view command) override;
    int modelIndex() const override;
    char receiverPort() const override;
    bool hostMode() const override;
    bool blockPending() const override;
    bool checksumChecked() const override { return checksum_; }

private:
    link::Link& link_;
    bool checksum_;
};

// What the download window is told.
class DownloadEvents {
public:
    virtual ~DownloadEvents() = default;
    virtual void title(std::string_view text) = 0;
    // One step tick passed (the animation moves on).
    virtual void animate() {}
    // The download is over; with `received` false the failure has been shown and the document
    // is to be closed, else its view is to be shown.
    virtual void finished(bool received) = 0;
};

struct DownloadTiming {
    long long stepMs = 180;
    long long silenceMs = 5000;
};

class AlmanacDownload : public link::LinkListener {
public:
    static constexpr int kStepTimer = 6;
    static constexpr int kSilenceTimer = 7;
    static constexpr int kSteps = 5;

    AlmanacDownload(AlmanacDocument& doc, DownloadLink& link, logs::TimerHost& timers,
                    MessageSink& messages, DownloadEvents& events, DownloadTiming timing = {});
    ~AlmanacDownload() override;
    AlmanacDownload(const AlmanacDownload&) = delete;
    AlmanacDownload& operator=(const AlmanacDownload&) = delete;

    // Shows 0 % and starts both timers; false (after "Out of system timers.") when a timer
    // cannot be had.
    bool start();
    void timer(int id);
    // One line (in host mode, one block) received from the receiver.
    void message(std::string_view bytes);
    void line(std::string_view bytes) override { message(bytes); }
    // The port closes under the download (Disconnect, exit, a lost line): it ends as a Cancel
    // does and the window is told it is over. While the port is `writable` the receiver is
    // left as it was first; otherwise the user is told the download was cut off, and that the
    // receiver may still be in host mode when it was.
    void portClosing(bool writable) override;
    // The user's Cancel: nothing is kept and nothing is shown.
    void cancel();
    // Leaves the receiver as it was (host mode closed, raw-data interval restored) and stops
    // the timers; done once.
    void shutdown();

    int step() const { return step_; }
    int expectedTotal() const { return expected_; }
    // Distinct slots answered so far.
    int answered() const;
    int percent() const { return percent_; }
    bool over() const { return over_; }
    double savedInterval() const { return savedInterval_; }
    // The command of step `n` (1 to 5) for the current model and port letter; empty when the
    // step sends nothing.
    std::string stepCommand(int n) const;

private:
    void doStep();
    void silenceCheck();
    void gpsAnswer(std::string_view payload);
    void glonassAnswer(std::string_view payload);
    void segmentAnswer(std::string_view block);
    void startFinishing();
    void showProgress();
    void finish();

    AlmanacDocument& doc_;
    DownloadLink& link_;
    logs::TimerHost& timers_;
    MessageSink& messages_;
    DownloadEvents& events_;
    DownloadTiming timing_;
    int model_;
    int expected_;
    int step_ = 0;
    int finishing_ = 0;
    int lastCount_ = 0;
    int shownCount_ = -1;
    int percent_ = 0;
    double savedInterval_ = 0;
    std::uint32_t answeredGps_ = 0;
    std::uint32_t answeredGlonass_ = 0;
    bool over_ = false;
    bool shutDown_ = false;
    // The receiver went into host mode during the download. Only the download's end tells it
    // to leave, and a disconnect clears the link's flag before the port closes.
    bool hostMode_ = false;
};

} // namespace trix::almanac
