#include "connected_frame.h"

#include "app/connect/initialization_dialog.h"
#include "session.h"
#include "temp_profile.h"

#include <QTest>

#include <optional>

namespace trix::app::test {

QString grabPath(const char* name) {
    return QString::fromUtf8(TRIX_BINARY_DIR) + "/tests/app/" + name;
}

ConnectedFrame::ConnectedFrame(QSize size) : size_(size) {}

ConnectedFrame::~ConnectedFrame() {
    closeFrame();
}

void ConnectedFrame::newProfile() {
    tmp_ = std::make_unique<QTemporaryDir>();
}

void ConnectedFrame::closeFrame() {
    frame_.reset();
    ui_.reset();
    messages_.reset();
    app_.reset();
}

StartOptions ConnectedFrame::options() const {
    return optionsIn(*tmp_, std::string(TRIX_SOURCE_DIR) + "/share/RECEIVER");
}

std::unique_ptr<ScriptedMessages> ConnectedFrame::createMessages() {
    return std::make_unique<ScriptedMessages>();
}

MainWindow& ConnectedFrame::makeFrame(const std::string& device) {
    frame_.reset();
    app_ = std::make_unique<TrixApplication>(options());
    messages_ = createMessages();
    ui_ = std::make_unique<ScriptedInteraction>();
    frame_ = std::make_unique<MainWindow>(*app_, messages_.get(), ui_.get());
    frame_->session().pumpPeriodMs = 20;
    frame_->session().initTickMs = 60;
    if (!device.empty())
        frame_->session().extraDevices = {device};
    if (size_.isValid())
        frame_->resize(size_);
    return *frame_;
}

ConnectionChoices ConnectedFrame::choose(const std::string& device, bool initFromFile,
                                         const std::string& file) const {
    ConnectionChoices c;
    c.comChoice = frame_->session().devices().comNumber(device);
    c.initFromFile = initFromFile;
    c.initFile = file;
    c.settings = link::kPlainPortSettings;
    c.useDefaultSettings = true;
    return c;
}

void ConnectedFrame::connectWith(const ConnectionChoices& c) {
    ui_->connection = [c] { return std::optional<ConnectionChoices>(c); };
    frame_->onConnect();
}

bool ConnectedFrame::connectAndIdentify(const std::string& device, int model) {
    connectWith(choose(device, false, {}));
    if (!QTest::qWaitFor([&] { return frame_->session().link().modelIndex == model; }, 10000))
        return false;
    return QTest::qWaitFor(
        [&] {
            InitializationDialog* d = frame_->session().initDialog();
            return !d || d->run().finished();
        },
        10000);
}

} // namespace trix::app::test
