#pragma once
// What the RTCM and RTK windows need of the main window, and the one routine that opens either
// as an MDI child: the display source, the commands over the session's link, and the
// registration with the window registry.

#include "app/core/data_window.h"
#include "views/rtcm/dgps_commands.h"
#include "views/sky/display_source.h"

#include <QObject>

namespace trix::app {
class MainWindow;
class Interest;
class DataWindowClient;
} // namespace trix::app

class QWidget;

namespace trix::views {

// The main window as the DGPS windows see it. A QObject child of its window, so it outlives
// the window's own teardown.
class DgpsFrame : public QObject, public DisplaySource, public dgps::DgpsCommands {
public:
    explicit DgpsFrame(app::MainWindow& frame);

    // DisplaySource
    EpochDecoder* decoder() const override;
    const logs::Statistics* statistics() const override;
    const app::Settings& settings() const override;
    bool analysisActive() const override;
    logs::AnalysisSettings analysis() const override;
    int modelIndex() const override;
    MessageSink& messages() override;
    app::IniProfile* profile() override;
    void statusText(const std::string& text) override;
    void windowClosed(DataWindow kind) override;

    // DgpsCommands: the sets go through the link; switching one off leaves on what the other
    // open window or the standard set still reads.
    bool portOpen() const override;
    void outputSet(dgps::OutputSet set, bool on) override;
    void querySet(std::string_view which) override;
    void query(std::string_view sentence) override;

    app::MainWindow& frame() { return frame_; }

private:
    app::MainWindow& frame_;
};

// Registers `window` (its client `client`) as the data window `kind` and shows it as an MDI
// child at its stored placement. False, with the window deleted, when the frame refuses it.
bool showDgpsWindow(app::MainWindow& frame, DataWindow kind, QWidget* window,
                    app::DataWindowClient* client, const app::Interest& interest);

} // namespace trix::views
