#pragma once
// The indicator panel: the current epoch's key figures as text on the three panel pictures of
// the picture library, drawn through an off-screen buffer. Fixed client size: 281 × 206, or
// 281 × 380 for the four-antenna attitude receiver (decided at creation).

#include "base/ui.h"
#include "views/panel/figures_text.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

namespace trix::views {

struct FiguresView {
    const EpochDecoder* decoder = nullptr; // none: nothing happens on an epoch
    int modelIndex = 0;
    UnitSelection units;
};
using FiguresSource = std::function<FiguresView()>;

class IndicatorPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 281;
    static constexpr int kHeight = 206;
    static constexpr int kAttitudeHeight = 380;

    IndicatorPanel(FiguresSource source, MessageSink& messages, QWidget* parent = nullptr);

    // A new epoch: rebuild the texts from the current epoch and repaint without erasing.
    void epoch(int hint);
    const FiguresText& text() const { return builder_.text(); }
    int modeRebuilds() const { return builder_.modeRebuilds(); }
    bool attitudeLayout() const { return attitude_; }
    // The font of the figures.
    const QFont& valueFont() const { return font_; }

    // Page layout for printing: the texts only, line by line from the top of `target`.
    void printPage(QPainter& painter, const QRect& target) const;
    // The panel as drawn on the screen.
    QImage render();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintBuffer();
    int lineHeight() const;

    FiguresSource source_;
    MessageSink& messages_;
    FiguresBuilder builder_;
    bool attitude_ = false;
    QFont font_;
    std::array<QImage, 3> panels_;
    QPixmap buffer_;
    bool backgroundDirty_ = true;
    bool hasText_ = false;
};

} // namespace trix::views
