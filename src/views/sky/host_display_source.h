#pragma once
// A display source over the window host: what a data window opened by the main window (or a
// test's host) reads. Header only; used by the window factories, which link the host's side.

#include "app/window_host.h"
#include "views/sky/display_source.h"

namespace trix::views {

class HostDisplaySource : public DisplaySource {
public:
    explicit HostDisplaySource(app::WindowHost& host) : host_(host) {}

    EpochDecoder* decoder() const override { return host_.decoder(); }
    const logs::Statistics* statistics() const override { return host_.statistics(); }
    const app::Settings& settings() const override { return host_.settings(); }
    bool analysisActive() const override { return host_.analysisActive(); }
    logs::AnalysisSettings analysis() const override { return host_.analysisSettings(); }
    int modelIndex() const override { return host_.modelIndex(); }
    MessageSink& messages() override { return host_.messages(); }
    app::IniProfile* profile() override { return &host_.profile(); }
    void statusText(const std::string& text) override { host_.messages().status(text); }
    void windowClosed(DataWindow kind) override { host_.windowClosed(kind); }

    app::WindowHost& host() const { return host_; }

private:
    app::WindowHost& host_;
};

} // namespace trix::views
