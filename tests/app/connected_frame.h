#pragma once
// A main window on a profile of its own, with scripted messages and user, to be connected to
// rxsim on a pseudo-terminal. A test class derives from it beside QObject, calls newProfile() in
// init() and closeFrame() in cleanup().

#include "app/connect/connection_rules.h"
#include "main_window.h"
#include "trix_application.h"

#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include "scripted_interaction.h"
#include "scripted_messages.h"

#include <memory>
#include <string>

namespace trix::app::test {

// Where a test saves a grab to look at.
QString grabPath(const char* name);

class ConnectedFrame {
public:
    // `size`: the window's size, when it matters to the test; otherwise left as it starts.
    explicit ConnectedFrame(QSize size = {});
    virtual ~ConnectedFrame();

    // A fresh profile and data folder.
    void newProfile();
    // Closes the window, then the application it runs in.
    void closeFrame();

    StartOptions options() const;
    // A new main window listing `device` beside the system's (none when empty), its link
    // paced quickly.
    MainWindow& makeFrame(const std::string& device = {});

    // What the connection dialog gives back when the user picks `device` and presses Connect.
    ConnectionChoices choose(const std::string& device, bool initFromFile = false,
                             const std::string& file = "default.gps") const;
    // "Connect..." answered with `c`.
    void connectWith(const ConnectionChoices& c);
    // Connects and lets the initialization dialog identify the receiver as `model`.
    bool connectAndIdentify(const std::string& device, int model);

protected:
    // The message sink of the next window; a test may hand one of its own.
    virtual std::unique_ptr<ScriptedMessages> createMessages();

    std::unique_ptr<QTemporaryDir> tmp_;
    std::unique_ptr<TrixApplication> app_;
    std::unique_ptr<ScriptedMessages> messages_;
    std::unique_ptr<ScriptedInteraction> ui_;
    std::unique_ptr<MainWindow> frame_;

private:
    QSize size_;
};

} // namespace trix::app::test
