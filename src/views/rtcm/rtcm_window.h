#pragma once
// The RTCM corrections window: the receiver's RTC answer, the base, the headers and types of
// the RTCM messages, the base positions, the GPS and GLONASS corrections and the base's text,
// in grids. Live it shows what its parser has now; while a log file is viewed it shows the
// answer and the message epoch of the epoch the movie shows.

#include "views/print/printable.h"
#include "views/rtcm/dgps_printout.h"

#include <QWidget>

#include <string_view>
#include <vector>

class QBoxLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace trix::rtcm {
class RtcmParser;
}
namespace trix {
class EpochDecoder;
}
namespace trix::dgps {
class DgpsCommands;
}

namespace trix::views {

class DisplaySource;

class RtcmWindow : public QWidget, public print::PrintSource {
    Q_OBJECT
public:
    RtcmWindow(rtcm::RtcmParser& parser, DisplaySource& source, dgps::DgpsCommands& commands,
               QWidget* parent = nullptr);
    ~RtcmWindow() override;

    static constexpr const char* kPlacementKey = "RtcWnd";

    // Just created: with a receiver connected, its outputs are switched on.
    void opened();
    // One received line (the parser reads it; the grids follow when something changed).
    void line(std::string_view text);
    // The viewed file has been read.
    void dataLoaded();
    // While a file is viewed: show the entries of the epoch `decoder` has on screen.
    void epochShown(const EpochDecoder& decoder);
    // A log session starts: the receiver's RTC state goes into the log.
    void loggingStarted();
    // The options were applied: checksum switch and correction format.
    void optionsChanged();
    // The grids show the parser's state again.
    void refresh();
    // Corrections side by side (false) or one above the other (true).
    void setVerticalLayout(bool vertical);
    void restorePlacement();
    void savePlacement();

    // PrintSource: the status line, every grid and the base's text, on numbered pages.
    std::unique_ptr<print::Printable> printDocument() override;
    // What is printed, as shown now.
    std::vector<TextBlock> printBlocks() const;

    QTableWidget* queriedGrid() const { return queried_; }
    QTableWidget* baseGrid() const { return base_; }
    QTableWidget* headerGrid() const { return headers_; }
    QTableWidget* typeGrid() const { return types_; }
    QTableWidget* positionGrid() const { return positions_; }
    QTableWidget* gpsGrid() const { return gps_; }
    QTableWidget* glonassGrid() const { return glonass_; }
    QLineEdit* baseMessage() const { return message_; }
    QPushButton* updateButton() const { return update_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void enableUpdate();

    rtcm::RtcmParser& parser_;
    DisplaySource& source_;
    dgps::DgpsCommands& commands_;
    QTableWidget* queried_;
    QTableWidget* base_;
    QTableWidget* headers_;
    QTableWidget* types_;
    QTableWidget* positions_;
    QTableWidget* gps_;
    QTableWidget* glonass_;
    QBoxLayout* corrections_;
    QLineEdit* message_;
    QPushButton* update_;
    bool closed_ = false;
};

} // namespace trix::views
