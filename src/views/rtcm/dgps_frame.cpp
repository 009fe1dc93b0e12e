#include "views/rtcm/dgps_frame.h"

#include "link/link.h"
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

bool DgpsFrame::portOpen() const {
    return host().connection().port() != nullptr;
}

void DgpsFrame::outputSet(dgps::OutputSet set, bool on) {
    link::Link& connection = host().connection();
    if (on) {
        if (set == dgps::OutputSet::Rtcm)
            connection.rtcmSet(true);
        else if (set == dgps::OutputSet::Rtk)
            connection.rtkSet(true);
        return;
    }
    const link::LinkState& state = connection.state;
    if (!state.port || state.receiverPort == 0)
        return;
    dgps::OpenSets open;
    open.standard = true; // on for as long as the receiver is connected
    open.rtcm = host().window(DataWindow::Rtcm) != nullptr;
    open.rtk = host().window(DataWindow::Rtk) != nullptr;
    for (const std::string& name : dgps::outputsToSwitchOff(set, open, state.modelIndex))
        connection.sendCommand(link::nmeSwitch(name, state.receiverPort, false), true);
}

void DgpsFrame::querySet(std::string_view which) {
    host().connection().querySet(which);
}

void DgpsFrame::query(std::string_view sentence) {
    host().connection().sendCommand(sentence, true);
}

bool showDgpsWindow(app::WindowHost& host, DataWindow kind, QWidget* window,
                    app::DataWindowClient* client, const app::Interest& interest) {
    QMdiSubWindow* sub = app::addDataWindow(host, kind, window, client, interest);
    if (!sub)
        return false;
    window->installEventFilter(new FrameFollowsClose(window, sub));
    return true;
}

} // namespace trix::views
