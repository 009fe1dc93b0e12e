#include "views/rtcm/dgps_frame.h"

#include "link/link.h"
#include "main_window.h"
#include "trix_application.h"
#include "window_client.h"
#include "window_registry.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace trix::views {

namespace {

// A window that closes itself (a viewed file without its data, a replay that found no
// memory) takes its MDI frame along; a frame that closes closes the window first anyway.
class FrameFollowsClose : public QObject {
public:
    FrameFollowsClose(QWidget* window, QMdiSubWindow* sub) : QObject(window), sub_(sub) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close)
            QMetaObject::invokeMethod(sub_, &QWidget::close, Qt::QueuedConnection);
        return false;
    }

private:
    QMdiSubWindow* sub_;
};

} // namespace

DgpsFrame::DgpsFrame(app::MainWindow& frame) : frame_(frame) {}

EpochDecoder* DgpsFrame::decoder() const {
    return frame_.session().decoder();
}
const logs::Statistics* DgpsFrame::statistics() const {
    return frame_.session().statistics();
}
const app::Settings& DgpsFrame::settings() const {
    return frame_.app().settings();
}
bool DgpsFrame::analysisActive() const {
    return frame_.session().link().analysisActive;
}
logs::AnalysisSettings DgpsFrame::analysis() const {
    return frame_.app().analysisSettings();
}
int DgpsFrame::modelIndex() const {
    return frame_.session().link().modelIndex;
}
MessageSink& DgpsFrame::messages() {
    return frame_.messages();
}
app::IniProfile* DgpsFrame::profile() {
    return &frame_.app().profile();
}
void DgpsFrame::statusText(const std::string& text) {
    frame_.messages().status(text);
}
void DgpsFrame::windowClosed(DataWindow kind) {
    frame_.windowClosed(kind);
}

bool DgpsFrame::portOpen() const {
    return frame_.session().link().portOpen();
}

void DgpsFrame::outputSet(dgps::OutputSet set, bool on) {
    app::Session& session = frame_.session();
    link::Link& connection = session.connection();
    if (on) {
        if (set == dgps::OutputSet::Rtcm)
            connection.rtcmSet(true);
        else if (set == dgps::OutputSet::Rtk)
            connection.rtkSet(true);
        return;
    }
    const app::LinkState& state = session.link();
    if (!state.portOpen() || state.receiverPort == 0)
        return;
    dgps::OpenSets open;
    open.standard = true; // on for as long as the receiver is connected
    open.rtcm = frame_.window(DataWindow::Rtcm) != nullptr;
    open.rtk = frame_.window(DataWindow::Rtk) != nullptr;
    for (const std::string& name : dgps::outputsToSwitchOff(set, open, state.modelIndex))
        connection.sendCommand(link::nmeSwitch(name, state.receiverPort, false), true);
}

void DgpsFrame::querySet(std::string_view which) {
    frame_.session().connection().querySet(which);
}

void DgpsFrame::query(std::string_view sentence) {
    frame_.session().connection().sendCommand(sentence, true);
}

bool showDgpsWindow(app::MainWindow& frame, DataWindow kind, QWidget* window,
                    app::DataWindowClient* client, const app::Interest& interest) {
    if (!frame.registerWindow(kind, window, client, interest)) {
        delete window;
        return false;
    }
    QMdiSubWindow* sub = frame.mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(frame.windowIcon());
    sub->resize(sub->sizeHint());
    window->installEventFilter(new FrameFollowsClose(window, sub));
    return true;
}

} // namespace trix::views
