#pragma once
// The display windows as print documents: each adapter holds a guarded pointer to its window
// and draws the window's own page layout scaled into the printable rectangle.

#include "views/print/printable.h"

#include <QPointer>

#include <functional>

class QSize;

namespace trix::views {
class SkyChartWindow;
class PositionWindow;
class InstrumentView;
class IndicatorPanel;
} // namespace trix::views

namespace trix::plot {
class PlotWindow;
}

namespace trix::print {

// Draws a page layout that reports its own extent (recorded first), scaled down with its
// proportions kept so that it fits `target`; never scaled up.
void drawFitted(QPainter& painter, const QRect& target,
                const std::function<QSize(QPainter&)>& layout);

std::unique_ptr<Printable> printableOf(views::SkyChartWindow* window);
std::unique_ptr<Printable> printableOf(views::PositionWindow* window);
std::unique_ptr<Printable> printableOf(views::InstrumentView* view, const QString& title);
std::unique_ptr<Printable> printableOf(views::IndicatorPanel* panel);
std::unique_ptr<Printable> printableOf(plot::PlotWindow* window);

} // namespace trix::print
