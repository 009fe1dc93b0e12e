#pragma once
// The table pane of the sky chart: channel, number, azimuth, elevation, signal-to-noise
// ratio, L2 ratio and use of every satellite of the current epoch, then the four antenna
// blocks of the attitude receiver; in rows (vertical layout) or in columns (horizontal).

#include "views/sky/satellite_view.h"

#include <cstdint>
#include <vector>

namespace trix {
class EpochDecoder;
}

namespace trix::views {

class DisplaySource;

// The satellites of the four antenna records in ascending number, each with its
// signal-to-noise ratio per antenna (-1 where the antenna's record lacks it).
struct AntennaRow {
    int svNumber = 0;
    int snr[4] = {-1, -1, -1, -1};
};
std::vector<AntennaRow> antennaRows(const EpochDecoder& decoder);

class SatelliteTableView : public SatelliteView {
    Q_OBJECT
public:
    SatelliteTableView(DisplaySource& source, bool verticalLayout, QWidget* parent = nullptr);

    bool hasL2Column() const { return l2_; }
    bool verticalLayout() const { return vertical_; }
    void setVerticalLayout(bool vertical);
    // Column unit, row height and title width of the layout.
    int columnUnit() const { return u_; }
    int rowHeight() const { return h_; }
    int titleWidth() const { return titleWidth_; }
    // A new epoch: the scroll size follows the number of satellites; then redraw.
    void epoch();
    // The table as plain text for the clipboard, one satellite per line whatever the layout:
    // the column titles, then the cells, separated by TAB; for the attitude receiver then the
    // antenna blocks the same way.
    QString tableText() const;

protected:
    void draw(QPainter& p, DrawTarget target) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int rowsShown() const;
    void drawVertical(QPainter& p);
    void drawHorizontal(QPainter& p);

    DisplaySource& source_;
    bool vertical_;
    bool l2_;
    int u_ = 0;
    int h_ = 0;
    int titleWidth_ = 0;
};

} // namespace trix::views
