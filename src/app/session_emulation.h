#pragma once
// The emulation: an attitude receiver the session synthesises, one epoch a second fed to the
// decoder (and to a running log session) as if its sentences had arrived, with the sky chart,
// the position window and, when it was open last time, the indicator panel.

#include "app/core/emulator.h"

namespace trix::app {

class Session;

class SessionEmulation {
public:
    explicit SessionEmulation(Session& session);

    void toggle();
    void start();
    void stop();
    // One emulated epoch (the session's 1000 ms timer).
    void tick();
    Emulator& emulator() { return emulator_; }

private:
    Session& session_;
    Emulator emulator_;
};

} // namespace trix::app
