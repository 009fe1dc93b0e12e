#include "views/rtk/rtk_printout.h"

#include "views/rtcm/dgps_printout.h"
#include "views/rtk/rtk_scatter_view.h"
#include "views/rtk/rtk_window.h"

#include <QPainter>

#include <algorithm>

namespace trix::views {

namespace {

// The scatter plot on paper: at most this radius, the tables below its titles.
constexpr int kScatterRadius = 200;
constexpr int kScatterTitles = RtkScatterView::kPrintTitles;
// Beside the disc, the tables keep this distance from it.
constexpr int kScatterGap = 40;

} // namespace

RtkPrintout::RtkPrintout(RtkWindow* window)
    : window_(window), title_(window ? window->windowTitle() : QString()) {}

bool RtkPrintout::printPage(QPainter& painter, const QRect& target, MessageSink&) {
    if (!window_)
        return false;
    PrintedRows rows(window_->printBlocks());
    rows.layOut(painter.fontMetrics());
    const int tables = rows.size() * rows.lineHeight();
    // The tables go below the disc on a tall page and beside it on a short one, whichever
    // leaves the larger disc (within a fixed size).
    const int below = std::min(
        {kScatterRadius, target.width() / 2, (target.height() - tables - kScatterTitles) / 2});
    const int beside =
        std::min({kScatterRadius, target.width() / 4, (target.height() - kScatterTitles) / 2});
    const bool side = beside > below;
    const int r = side ? beside : below;
    painter.save();
    painter.translate(target.topLeft());
    window_->scatter()->draw(painter, r, true);
    painter.restore();
    // A disc too small to draw (below 50) leaves the page to the tables.
    QPoint at = target.topLeft();
    if (r >= 50) {
        if (side)
            at.rx() += 2 * r + kScatterGap;
        else
            at.ry() += 2 * r + kScatterTitles;
    }
    painter.save();
    painter.setPen(Qt::black);
    rows.draw(painter, at.x(), at.y(), 0, rows.size());
    painter.restore();
    return true;
}

} // namespace trix::views
