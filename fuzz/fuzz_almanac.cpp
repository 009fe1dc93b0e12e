// The almanac reader (binary tables and Yuma text) and the download's answer handling on any
// byte sequence: nothing may crash, hang or read out of bounds.

#include "almanac/almanac_document.h"
#include "almanac/almanac_download.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr long kToday = 17138; // 8 December 2026

struct AnyLink : trix::almanac::DownloadLink {
    bool send(std::string_view) override { return true; }
    int modelIndex() const override { return 16; }
    char receiverPort() const override { return 'A'; }
    bool hostMode() const override { return false; }
    bool blockPending() const override { return false; }
    bool checksumChecked() const override { return false; }
};

struct NoTimers : trix::logs::TimerHost {
    bool start(int, long long) override { return true; }
    void kill(int) override {}
};

struct NoEvents : trix::almanac::DownloadEvents {
    void title(std::string_view) override {}
    void finished(bool) override {}
};

void list(const trix::almanac::AlmanacDocument& doc) {
    trix::SilentSink sink;
    (void)doc.binaryImage();
    (void)doc.fileName(trix::almanac::FileFormat::Yuma, sink);
    trix::almanac::AlmanacDocument back(kToday);
    (void)back.read(doc.yumaText());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    trix::almanac::AlmanacDocument doc(kToday);
    if (doc.read(bytes))
        list(doc);

    // The same bytes as answers of the receiver, one line at a time, with the checksum option
    // off so that every payload is taken.
    trix::almanac::AlmanacDocument downloaded(kToday);
    AnyLink link;
    NoTimers timers;
    NoEvents events;
    trix::SilentSink sink;
    trix::almanac::AlmanacDownload download(downloaded, link, timers, sink, events);
    std::size_t at = 0;
    while (at <= bytes.size()) {
        std::size_t end = bytes.find("\r\n", at);
        if (end == std::string_view::npos)
            end = bytes.size();
        download.message(bytes.substr(at, end - at));
        at = end + 2;
    }
    download.message(bytes); // as one block
    list(downloaded);
    return 0;
}
