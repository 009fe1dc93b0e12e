#pragma once
// What the session asks of the user, and the local clock: one small interface, so that the
// program runs the real dialogs and the tests answer from a script.

#include "app/connect/connection_dialog.h"
#include "app/connect/connection_rules.h"
#include "app/core/emulator.h"
#include "link/init_run.h"
#include "logs/statistics.h"

#include <QPointer>

#include <optional>
#include <string>

class QWidget;

namespace trix {
class EpochDecoder;
class MessageSink;
} // namespace trix

namespace trix::app {

class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    // A log file to view; empty when cancelled. `folder` is where the dialog starts.
    virtual std::string askLogFile(const std::string& folder) = 0;
    // The "Static Position Data" dialog on `settings`; false when cancelled. `decoder`, when
    // there is one, offers the receiver's position.
    virtual bool askStaticPosition(logs::AnalysisSettings& settings, const UnitSelection& units,
                                   const EpochDecoder* decoder) = 0;
    // Opens the error list of a viewed file with the desktop's "open" action.
    virtual void openErrorList(const std::string& path) = 0;
    // The local time of day, for the emulated position sentences.
    virtual ClockTime clock() = 0;
    // The "Connection Parameters" dialog over `input`; nothing when cancelled.
    virtual std::optional<ConnectionChoices> askConnection(const GpsDlgInput& input) = 0;
    // "GPS Receiver not responding": how to go on.
    virtual link::NotRespondingChoice askNotResponding() = 0;
};

// The program's dialogs, parented to `parent`.
class QtUserInteraction : public UserInteraction {
public:
    QtUserInteraction(QWidget* parent, MessageSink& messages)
        : parent_(parent), messages_(messages) {}
    std::string askLogFile(const std::string& folder) override;
    bool askStaticPosition(logs::AnalysisSettings& settings, const UnitSelection& units,
                           const EpochDecoder* decoder) override;
    void openErrorList(const std::string& path) override;
    ClockTime clock() override;
    std::optional<ConnectionChoices> askConnection(const GpsDlgInput& input) override;
    link::NotRespondingChoice askNotResponding() override;

private:
    QPointer<QWidget> parent_;
    MessageSink& messages_;
};

} // namespace trix::app
