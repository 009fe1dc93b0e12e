#pragma once
// The RTK window: the two tables of the receiver's carrier-phase state and solution beside
// (or above) the scatter pane. Live it polls CBN every 2 s for the receivers that have it;
// while a log file is viewed it follows the epoch movie through its parser's history.

#include "views/print/printable.h"
#include "views/rtcm/dgps_printout.h"

#include <QWidget>

#include <string_view>
#include <vector>

class QLabel;
class QSplitter;
class QTableWidget;
class QTimer;

namespace trix::rtk {
class RtkParser;
}
namespace trix {
class EpochDecoder;
}
namespace trix::dgps {
class DgpsCommands;
}

namespace trix::views {

class DisplaySource;
class RtkScatterView;

class RtkWindow : public QWidget, public print::PrintSource {
    Q_OBJECT
public:
    RtkWindow(rtk::RtkParser& parser, DisplaySource& source, dgps::DgpsCommands& commands,
              QWidget* parent = nullptr);
    ~RtkWindow() override;

    static constexpr const char* kPlacementKey = "RTKWin";
    static constexpr const char* kSplitterKey = "RTKWin00";
    static constexpr int kPollMs = 2000;

    // Just created: with a receiver connected, its outputs are switched on.
    void opened();
    // One received line; the first one while connected starts the CBN poll.
    void line(std::string_view text);
    // The viewed file has been read; false when it gave nothing (the window closes, deferred).
    bool dataLoaded();
    // While a file is viewed: show the entries of the epoch `decoder` has on screen.
    void epochShown(const EpochDecoder& decoder);
    void loggingStarted();
    void optionsChanged();
    void unitsChanged();
    void colorsChanged();
    // Both panes show the parser's data again.
    void refresh();
    // One tick of the CBN poll.
    void poll();
    void setVerticalLayout(bool vertical);
    void restorePlacement();
    void savePlacement();

    // PrintSource: the scatter plot with both tables, the coordinate system and the warnings
    // below it.
    std::unique_ptr<print::Printable> printDocument() override;
    std::vector<TextBlock> printBlocks() const;

    bool polling() const;
    QTableWidget* periodicTable() const { return periodic_; }
    QTableWidget* updateTable() const { return update_; }
    QLabel* warnings() const { return warnings_; }
    QLabel* coordinateSystem() const { return coordinates_; }
    RtkScatterView* scatter() const { return scatter_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    rtk::RtkParser& parser_;
    DisplaySource& source_;
    dgps::DgpsCommands& commands_;
    QSplitter* splitter_;
    QTableWidget* periodic_;
    QTableWidget* update_;
    QLabel* warnings_;
    QLabel* coordinates_;
    RtkScatterView* scatter_;
    QTimer* poll_;
    bool closed_ = false;
};

} // namespace trix::views
