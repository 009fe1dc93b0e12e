#include "session_emulation.h"

#include "base/strings.h"
#include "session.h"
#include "trix_application.h"

#include <array>

namespace trix::app {

SessionEmulation::SessionEmulation(Session& session)
    : session_(session),
      emulator_(session.app().settings().devicesSpecific, defaultRandomSource(20240601u)) {}

void SessionEmulation::toggle() {
    if (session_.link_.emulationActive)
        stop();
    else
        start();
}

void SessionEmulation::start() {
    if (session_.link_.emulationActive || session_.link_.viewFileMode || session_.link_.portOpen())
        return;
    session_.link_.emulationActive = true;
    session_.link_.modelIndex = kModelAttitude;
    // The emulation feeds the decoder itself, so it holds a use of it even while no display
    // window is open.
    if (!session_.acquireDecoder()) {
        session_.link_.emulationActive = false;
        session_.link_.modelIndex = 0;
        return;
    }
    session_.emulationUse_ = true;
    session_.decoder_->setModelIndex(kModelAttitude);
    session_.decoder_->setupHandlers(false);
    for (DataWindow k : {DataWindow::SkyChart, DataWindow::Position})
        if (session_.view_.canOpenWindow(k))
            session_.view_.toggleWindow(k);
    if (session_.app_.settings().activateIndicator &&
        session_.view_.canOpenWindow(DataWindow::Panel) &&
        !session_.view_.windowOpen(DataWindow::Panel))
        session_.view_.toggleWindow(DataWindow::Panel);
    // The counter is toggled: one left open by a data window closes.
    if (session_.view_.epochCounterOpen())
        session_.view_.closeEpochCounter();
    else
        session_.view_.openEpochCounter();
    if (!session_.timers_.start(kTimerEmulation, 1000))
        session_.messages_.show(str::kOutOfTimers, Buttons::Ok, Icon::Stop);
    session_.view_.stateChanged();
}

void SessionEmulation::stop() {
    if (!session_.link_.emulationActive)
        return;
    session_.timers_.kill(kTimerEmulation);
    session_.link_.emulationActive = false;
    session_.link_.modelIndex = 0;
    if (session_.decoder_) {
        if (session_.recorder_->sessionRunning())
            session_.toggleLogSession();
        session_.view_.closeEpochCounter();
        if (session_.view_.windowOpen(DataWindow::Panel)) {
            session_.app_.settings().activateIndicator = 1;
            session_.view_.toggleWindow(DataWindow::Panel);
        } else if (session_.view_.canOpenWindow(DataWindow::Panel)) {
            session_.app_.settings().activateIndicator = 0;
        }
        for (DataWindow k : {DataWindow::Position, DataWindow::SkyChart})
            if (session_.view_.windowOpen(k))
                session_.view_.toggleWindow(k);
        if (session_.emulationUse_) {
            session_.emulationUse_ = false;
            session_.releaseDecoder();
        }
    }
    session_.view_.stateChanged();
}

void SessionEmulation::tick() {
    if (!session_.link_.emulationActive || !session_.decoder_)
        return;
    EmulationInputs in;
    in.analysisActive = session_.link_.analysisActive;
    logs::AnalysisSettings a = session_.app_.analysisSettings();
    in.truthReference = a.mode == logs::ReferenceMode::VsTruth;
    in.knownLat = a.known.lat;
    in.knownLon = a.known.lon;
    in.knownAlt = a.known.alt;
    in.localTime = session_.interaction_.clock();
    emulator_.tick(
        in,
        [this](std::string_view s) {
            if (!session_.decoder_)
                return;
            // A log session records the emulated receiver as if its sentences had arrived.
            if (session_.recorder_->active()) {
                session_.recorder_->writeLogBytes(s);
                session_.recorder_->writeLogBytes("\r\n");
            }
            session_.decoder_->handleSentence(s);
        },
        [this] {
            std::array<int, 3> prns{};
            if (session_.decoder_)
                for (std::size_t i = 0; i < prns.size(); ++i)
                    prns[i] = session_.decoder_->sat.sats[i].svNumber;
            return prns;
        });
    if (session_.recorder_->active())
        session_.recorder_->flush();
}

} // namespace trix::app
