#pragma once
// Helpers of the panel tests: a message sink that records, an epoch decoder with statistics,
// pixel probes and the folder the grabs are saved to.

#include "decode/epoch_decoder.h"
#include "logs/statistics.h"
#include "views/instruments/panel_source.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace panel_test {

struct RecordingSink : trix::MessageSink {
    std::vector<std::string> texts;
    trix::Answer show(std::string_view text, trix::Buttons, trix::Icon) override {
        texts.emplace_back(text);
        return trix::Answer::Ok;
    }
};

// A decoder, its statistics and the settings a panel reads, all owned together.
struct World {
    explicit World(int model = 8) : decoder(model), statistics(decoder, sink) {
        view.modelIndex = model;
        view.decoder = &decoder;
        view.statistics = &statistics;
    }
    trix::views::PanelSource source() {
        return [this] { return view; };
    }
    RecordingSink sink;
    trix::EpochDecoder decoder;
    trix::logs::Statistics statistics;
    trix::views::PanelView view;
};

inline QString artefact(const QString& name) {
    const QString dir = QStringLiteral(TRIX_BINARY_DIR "/artefacts/views_panel");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

inline bool isBright(QRgb c) {
    return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200;
}
inline bool isYellow(QRgb c) {
    return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 90;
}
inline bool isColour(QRgb c, int r, int g, int b, int tolerance = 30) {
    return std::abs(qRed(c) - r) <= tolerance && std::abs(qGreen(c) - g) <= tolerance &&
           std::abs(qBlue(c) - b) <= tolerance;
}

// Counts pixels of a rectangle that satisfy a predicate.
template <class Pred> int countPixels(const QImage& img, const QRect& r, Pred pred) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}

} // namespace panel_test
