#pragma once
// The text pane of the position window: fix mode, time, coordinates, DOPs and the attitude
// receiver's quality figures, four lines with a rule under each.

#include "views/sky/satellite_view.h"

namespace trix::views {

class DisplaySource;

class PositionTextView : public SatelliteView {
    Q_OBJECT
public:
    explicit PositionTextView(DisplaySource& source, QWidget* parent = nullptr);

    int lineHeight() const { return lineHeight_; }
    void redraw();
    // The four lines as shown, for the clipboard; "" before there is an epoch source.
    QString plainText() const;

protected:
    void draw(QPainter& p, DrawTarget target) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    DisplaySource& source_;
    int lineHeight_ = 0;
    int charWidth_ = 0;
};

} // namespace trix::views
