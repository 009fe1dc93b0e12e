#pragma once
// "Port Activity": a small modeless window naming the receiver and the port in use, with an R
// light that turns green when a line is received and a W light that turns blue when a command
// is written; each goes white again within 500 ms of the last traffic.

#include "link/listeners.h"

#include <QDialog>
#include <QTimer>

#include <functional>
#include <string>

namespace trix::app {

class PortActivityWindow : public QDialog, public link::LinkListener {
    Q_OBJECT
public:
    static constexpr int kLightMs = 500;
    struct Info {
        int comNumber = 0; // 0: no port in use, the lights stay dark
        int modelIndex = 0;
        std::string device; // the device path or source behind the COM number
    };

    // `info` is asked for the port and model each time the window is drawn.
    explicit PortActivityWindow(std::function<Info()> info, QWidget* parent = nullptr);
    ~PortActivityWindow() override;

    // Traffic on the port: direction 1 lights R, 0 lights W; other directions are ignored.
    void traffic(link::Direction direction, std::string_view text) override;
    // The port changed: redraw, resize and come to the top without taking the focus.
    void portChanged();

    bool receivedLit() const { return received_; }
    bool writtenLit() const { return written_; }
    bool boxesShown() const { return info_().comNumber != 0; }
    // The port line: the COM number with its device, or that no port is connected.
    QString portText() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void lightsOut();
    QRect receivedRect() const;
    QRect writtenRect() const;

    std::function<Info()> info_;
    QTimer timer_;
    bool received_ = false;
    bool written_ = false;
};

} // namespace trix::app
