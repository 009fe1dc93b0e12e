#include "views/terminal/terminal_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace trix::views {

QIcon terminalIcon(TerminalIcon which) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case TerminalIcon::Received: // an arrow coming in
        p.setPen(QPen(QColor(0, 128, 0), 2));
        p.drawLine(17, 10, 4, 10);
        p.drawLine(4, 10, 9, 5);
        p.drawLine(4, 10, 9, 15);
        break;
    case TerminalIcon::Sent: // an arrow going out
        p.setPen(QPen(QColor(0, 0, 128), 2));
        p.drawLine(3, 10, 16, 10);
        p.drawLine(16, 10, 11, 5);
        p.drawLine(16, 10, 11, 15);
        break;
    case TerminalIcon::Status:
        p.setPen(QPen(QColor(128, 0, 0), 2));
        p.drawEllipse(QRectF(3, 3, 14, 14));
        p.drawLine(10, 7, 10, 11);
        p.drawPoint(10, 14);
        break;
    case TerminalIcon::Heading:
        p.setPen(QColor(120, 90, 20));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(2.5, 5.5, 15, 11));
        p.drawRect(QRectF(2.5, 3.5, 6, 3));
        break;
    case TerminalIcon::WithForm:
        p.setPen(QColor(40, 40, 40));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 2.5, 13, 15));
        p.drawLine(6, 7, 14, 7);
        p.drawLine(6, 10, 14, 10);
        p.drawLine(6, 13, 11, 13);
        break;
    case TerminalIcon::Plain:
        p.setPen(QColor(40, 40, 40));
        p.setBrush(QColor(200, 220, 255));
        p.drawEllipse(QRectF(5.5, 5.5, 9, 9));
        break;
    case TerminalIcon::Pause:
        p.setBrush(QColor(60, 60, 60));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(5, 4, 3.5, 12));
        p.drawRect(QRectF(11.5, 4, 3.5, 12));
        break;
    case TerminalIcon::Checksum: {
        QFont f = p.font();
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(40, 40, 40));
        p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("*hh"));
        break;
    }
    case TerminalIcon::Mode:
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.drawLine(3, 7, 17, 7);
        p.drawLine(17, 7, 13, 4);
        p.drawLine(3, 13, 17, 13);
        p.drawLine(3, 13, 7, 16);
        break;
    }
    return QIcon(pm);
}

QColor trafficColour(ticket::TrafficKind kind) {
    switch (kind) {
    case ticket::TrafficKind::Sent:
        return {0, 0, 128};
    case ticket::TrafficKind::Received:
        return {0, 128, 0};
    default:
        return {128, 0, 0};
    }
}

QIcon trafficIcon(ticket::TrafficKind kind) {
    switch (kind) {
    case ticket::TrafficKind::Sent:
        return terminalIcon(TerminalIcon::Sent);
    case ticket::TrafficKind::Received:
        return terminalIcon(TerminalIcon::Received);
    default:
        return terminalIcon(TerminalIcon::Status);
    }
}

} // namespace trix::views
