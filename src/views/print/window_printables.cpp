#include "views/print/window_printables.h"

#include "views/instruments/instrument_view.h"
#include "views/panel/indicator_panel.h"
#include "views/plot/plot_window.h"
#include "views/position/position_window.h"
#include "views/sky/sky_chart_window.h"

#include <QPainter>
#include <QPicture>

namespace trix::print {

void drawFitted(QPainter& painter, const QRect& target,
                const std::function<QSize(QPainter&)>& layout) {
    QPicture picture;
    QSize extent;
    {
        QPainter recorder(&picture);
        recorder.setFont(painter.font());
        extent = layout(recorder);
    }
    if (extent.isEmpty() || target.isEmpty())
        return;
    const double s = std::min({1.0, static_cast<double>(target.width()) / extent.width(),
                               static_cast<double>(target.height()) / extent.height()});
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(s, s);
    painter.setClipRect(QRect(QPoint(0, 0), extent));
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

namespace {

// An adapter over a guarded window and the drawing of its page.
template <class Window> class WindowPrintable : public Printable {
public:
    using Draw = std::function<bool(Window&, QPainter&, const QRect&)>;
    WindowPrintable(Window* w, QString title, Draw draw)
        : window_(w), title_(std::move(title)), draw_(std::move(draw)) {}
    QString printTitle() const override {
        return title_.isEmpty() && window_ ? window_->windowTitle() : title_;
    }
    bool alive() const override { return !window_.isNull(); }
    bool printPage(QPainter& painter, const QRect& target, MessageSink&) override {
        return window_ && draw_(*window_, painter, target);
    }

private:
    QPointer<Window> window_;
    QString title_;
    Draw draw_;
};

template <class Window>
std::unique_ptr<Printable> make(Window* w, QString title,
                                typename WindowPrintable<Window>::Draw draw) {
    return std::make_unique<WindowPrintable<Window>>(w, std::move(title), std::move(draw));
}

} // namespace

std::unique_ptr<Printable> printableOf(views::SkyChartWindow* window) {
    return make(window, {}, [](views::SkyChartWindow& w, QPainter& p, const QRect& target) {
        drawFitted(p, target, [&w](QPainter& r) { return w.printPage(r); });
        return true;
    });
}

std::unique_ptr<Printable> printableOf(views::PositionWindow* window) {
    return make(window, {}, [](views::PositionWindow& w, QPainter& p, const QRect& target) {
        drawFitted(p, target, [&w](QPainter& r) { return w.printPage(r); });
        return true;
    });
}

std::unique_ptr<Printable> printableOf(views::InstrumentView* view, const QString& title) {
    return make(view, title, [](views::InstrumentView& v, QPainter& p, const QRect& target) {
        drawFitted(p, target, [&v](QPainter& r) {
            const QSize size = v.pageSize();
            v.printPage(r, QRect(QPoint(0, 0), size));
            return size;
        });
        return true;
    });
}

std::unique_ptr<Printable> printableOf(views::IndicatorPanel* panel) {
    return make(panel, {}, [](views::IndicatorPanel& v, QPainter& p, const QRect& target) {
        drawFitted(p, target, [&v](QPainter& r) {
            const QSize size(views::IndicatorPanel::kWidth,
                             v.attitudeLayout() ? views::IndicatorPanel::kAttitudeHeight
                                                : views::IndicatorPanel::kHeight);
            v.printPage(r, QRect(QPoint(0, 0), size));
            return size;
        });
        return true;
    });
}

std::unique_ptr<Printable> printableOf(plot::PlotWindow* window) {
    return make(window, {}, [](plot::PlotWindow& w, QPainter& p, const QRect& target) {
        w.printPage(p, target);
        return true;
    });
}

} // namespace trix::print
