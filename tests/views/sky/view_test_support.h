#pragma once
// Helpers of the window tests: epochs made by hand, pixel checks and PNG artefacts.

#include "decode/epoch_decoder.h"
#include "decode/records.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

#include <initializer_list>

namespace trix::views::test {

struct Sv {
    int number;
    int azimuth;
    int elevation;
    int snr = 40;
    char used = 'U';
    int snr2 = 0;
};

inline SatelliteRecord satellites(std::initializer_list<Sv> list, int model = kModelUnknown) {
    SatelliteRecord s;
    for (const Sv& v : list) {
        SatEntry& e = s.sats[s.inView++];
        e.svNumber = static_cast<std::uint8_t>(v.number);
        e.azimuth = static_cast<std::uint16_t>(v.azimuth);
        e.elevation = static_cast<std::uint8_t>(v.elevation);
        e.snr = static_cast<std::uint8_t>(v.snr);
        e.snr2 = static_cast<std::uint8_t>(v.snr2);
        e.usedFlag = v.used;
        s.constellations |= constellationBit(v.number, model);
    }
    return s;
}

// Stores `sat` as the next live epoch of the decoder's history (sky snapshot and departure).
inline void storeLive(EpochDecoder& d, const SatelliteRecord& sat, DeparturePoint dep = {}) {
    auto& h = d.history;
    const int next = h.writePosition + 1;
    if (static_cast<int>(h.skyPlots.size()) <= next) {
        h.skyPlots.resize(static_cast<std::size_t>(next) + 1);
        h.departures.resize(static_cast<std::size_t>(next) + 1);
    }
    h.writePosition = next;
    h.skyPlots[static_cast<std::size_t>(next)] = skyPlotFrom(sat);
    h.departures[static_cast<std::size_t>(next)] = dep;
    d.sat = sat;
    d.noPosition = false;
    d.departure.dep = dep;
    const double sq = double(dep.east) * dep.east + double(dep.north) * dep.north;
    d.departure.horizontalSquared = sq;
    if (sq > d.largestHorizontalSquared)
        d.largestHorizontalSquared = sq;
    ++d.epochsCompleted;
}

inline QImage grabOf(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Saves a grab as an artefact under the build directory.
inline QString saveArtefact(QWidget& w, const QString& name) {
    const QString dir = QStringLiteral(TRIX_BINARY_DIR "/artefacts/views");
    QDir().mkpath(dir);
    const QString path = dir + "/" + name + ".png";
    w.grab().save(path);
    return path;
}

// The widget drawn for a screen of the given scale (device pixels per logical pixel), as
// QT_SCALE_FACTOR draws it.
inline QImage grabAtScale(QWidget& w, qreal scale) {
    QPixmap pm(w.size() * scale);
    pm.setDevicePixelRatio(scale);
    pm.fill(Qt::transparent);
    w.render(&pm);
    return pm.toImage();
}

inline QString saveImage(const QImage& img, const QString& name) {
    const QString dir = QStringLiteral(TRIX_BINARY_DIR "/artefacts/views");
    QDir().mkpath(dir);
    const QString path = dir + "/" + name + ".png";
    img.save(path);
    return path;
}

inline QColor px(const QImage& img, int x, int y) {
    return QColor(img.pixel(x, y));
}

// True when some pixel within `radius` of (x, y) has colour c.
inline bool near(const QImage& img, int x, int y, const QColor& c, int radius = 1) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int xx = x + dx, yy = y + dy;
            if (xx >= 0 && yy >= 0 && xx < img.width() && yy < img.height() &&
                QColor(img.pixel(xx, yy)) == c)
                return true;
        }
    return false;
}

inline int countIn(const QImage& img, const QRect& r, const QColor& c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.rect().contains(x, y) && QColor(img.pixel(x, y)) == c)
                ++n;
    return n;
}

inline int countColour(const QImage& img, const QColor& c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (QColor(img.pixel(x, y)) == c)
                ++n;
    return n;
}

} // namespace trix::views::test
