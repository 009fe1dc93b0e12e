#include "views/sky/satellite_table_view.h"

#include "base/strings.h"
#include "views/copy_menu.h"
#include "views/sky/display_source.h"
#include "views/sky/sky_colors.h"
#include "views/sky/sky_geometry.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <bitset>

namespace trix::views {

namespace {

constexpr int kAttitudeModel = kModelAttitude;
// The left margin of the vertical layout.
constexpr int kLeftMargin = 3;
const QColor kDisabledTitle(192, 192, 192);
// The antenna records number their satellites from 1 to 200; anything above is not shown.
constexpr int kLargestAntennaSatellite = 200;

// Ring colour of an antenna block's satellite: the attitude receiver numbers satellites the
// common way.
int antennaRingItem(int sv) {
    return skyRingItem(sv, kAttitudeModel);
}

} // namespace

std::vector<AntennaRow> antennaRows(const EpochDecoder& d) {
    std::bitset<256> seen;
    for (const AntennaRecord& a : d.sa4)
        for (int i = 0; i < std::min<int>(a.count, kMaxSats); ++i)
            if (a.sats[static_cast<std::size_t>(i)].svNumber != 0)
                seen.set(a.sats[static_cast<std::size_t>(i)].svNumber);
    std::vector<AntennaRow> rows;
    for (int sv = 1; sv <= kLargestAntennaSatellite; ++sv) {
        if (!seen.test(static_cast<std::size_t>(sv)))
            continue;
        AntennaRow row;
        row.svNumber = sv;
        for (int a = 0; a < 4; ++a) {
            const AntennaRecord& rec = d.sa4[static_cast<std::size_t>(a)];
            for (int i = 0; i < std::min<int>(rec.count, kMaxSats); ++i)
                if (rec.sats[static_cast<std::size_t>(i)].svNumber == sv)
                    row.snr[a] = rec.sats[static_cast<std::size_t>(i)].snr;
        }
        rows.push_back(row);
    }
    return rows;
}

SatelliteTableView::SatelliteTableView(DisplaySource& source, bool verticalLayout, QWidget* parent)
    : SatelliteView(QFont(), QColor(Qt::white), parent), source_(source), vertical_(verticalLayout),
      l2_(hasCsn(source.modelIndex())) {
    const QFontMetrics fm(viewFont());
    const int usedWidth = fm.horizontalAdvance(QString::fromLatin1(str::kUsedInPosition));
    // A column takes a quarter of the "Used in Position" title, and never less than a
    // three-digit number (azimuths to 359, satellite numbers to 200) with a gap after it.
    u_ = std::max(usedWidth / 4 + 3, fm.horizontalAdvance(QStringLiteral("888  ")));
    h_ = fm.height() + 2;
    titleWidth_ = usedWidth + 15;
    setContextMenuPolicy(Qt::DefaultContextMenu);
    epoch();
}

void SatelliteTableView::setVerticalLayout(bool vertical) {
    vertical_ = vertical;
    epoch();
}

int SatelliteTableView::rowsShown() const {
    const EpochDecoder* d = source_.decoder();
    if (d == nullptr)
        return 0;
    int n = std::min<int>(d->sat.inView, kMaxSats);
    if (source_.modelIndex() == kAttitudeModel) {
        // Every satellite of the antenna blocks must be reachable, so the union of the four
        // records counts (it is at least the largest single record).
        n = std::max(n, static_cast<int>(antennaRows(*d).size()));
    }
    return n;
}

void SatelliteTableView::epoch() {
    const int n = rowsShown();
    // The last column ends a full column after its start, past the left margin, so that it is
    // never cut.
    if (vertical_)
        setScrollSize({kLeftMargin + u_ * (l2_ ? 15 : 14), (n + 1) * h_ + 2});
    else
        setScrollSize({n * u_ + titleWidth_, l2_ ? h_ * 15 : h_ * 14 + 5});
    viewport()->update();
}

void SatelliteTableView::draw(QPainter& p, DrawTarget) {
    if (vertical_)
        drawVertical(p);
    else
        drawHorizontal(p);
}

namespace {

// Text with its top-left corner at (x, y), as the table lays it out.
void text(QPainter& p, int x, int y, const QString& s) {
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), s);
}

struct Cells {
    QString channel, number, azimuth, elevation, snr, l2, used;
    int ring = 0;
    bool hasL2 = false;
};

Cells cellsOf(const EpochDecoder& d, int i, int model) {
    const SatEntry& e = d.sat.sats[static_cast<std::size_t>(i)];
    Cells c;
    c.channel = QString::number(i + 1);
    c.number = QString::number(e.svNumber);
    c.azimuth = QString::number(e.azimuth);
    c.elevation = QString::number(e.elevation);
    c.snr = QString::number(e.snr);
    c.hasL2 = e.snr2 > 0;
    c.l2 = QString::number(e.snr2);
    c.used = QString(QChar::fromLatin1(e.usedFlag));
    c.ring = skyRingItem(e.svNumber, model);
    return c;
}

} // namespace

QString SatelliteTableView::tableText() const {
    const EpochDecoder* d = source_.decoder();
    const int model = source_.modelIndex();
    const auto latin = [](const char* t) { return QString::fromLatin1(t); };
    QStringList titles{latin(str::kColCh), latin(str::kColN), latin(str::kColA), latin(str::kColE),
                       latin(str::kColSn)};
    if (l2_)
        titles << latin(str::kColL2);
    titles << latin(str::kColU);
    QStringList rows{tabRow(titles)};
    const int sats = d != nullptr ? std::min<int>(d->sat.inView, kMaxSats) : 0;
    for (int i = 0; i < sats; ++i) {
        const Cells c = cellsOf(*d, i, model);
        QStringList cells{c.channel, c.number, c.azimuth, c.elevation, c.snr};
        if (l2_)
            cells << (c.hasL2 ? c.l2 : QString());
        cells << c.used;
        rows << tabRow(cells);
    }
    if (model == kAttitudeModel && d != nullptr) {
        QStringList head;
        for (int a = 0; a < 4; ++a)
            head << latin(str::kAntennaShort) + QString::number(a + 1) << latin(str::kColSn);
        rows << QString() << tabRow(head);
        for (const AntennaRow& row : antennaRows(*d)) {
            QStringList cells;
            for (int a = 0; a < 4; ++a) {
                const bool seen = row.snr[a] >= 0;
                cells << (seen ? QString::number(row.svNumber) : QStringLiteral("-"))
                      << (seen ? QString::number(row.snr[a]) : QStringLiteral("-"));
            }
            rows << tabRow(cells);
        }
    }
    return textLines(rows);
}

void SatelliteTableView::contextMenuEvent(QContextMenuEvent* event) {
    execCopyMenu(this, event->globalPos(), true, [this] { return tableText(); });
}

void SatelliteTableView::drawVertical(QPainter& p) {
    const app::Settings& s = source_.settings();
    const int model = source_.modelIndex();
    const EpochDecoder* d = source_.decoder();
    const int columns = l2_ ? 7 : 6;
    const auto x = [&](int column) { return kLeftMargin + column * u_; };

    p.setPen(Qt::black);
    int col = 0;
    for (const char* title : {str::kColCh, str::kColN, str::kColA, str::kColE, str::kColSn})
        text(p, x(col++), 0, QString::fromLatin1(title));
    if (l2_)
        text(p, x(col++), 0, QString::fromLatin1(str::kColL2));
    text(p, x(col), 0, QString::fromLatin1(str::kColU));

    const int sats = d != nullptr ? std::min<int>(d->sat.inView, kMaxSats) : 0;
    for (int i = 0; i < sats; ++i) {
        const Cells c = cellsOf(*d, i, model);
        const int y = (i + 1) * h_;
        col = 0;
        p.setPen(Qt::black);
        text(p, x(col++), y, c.channel);
        p.setPen(tableColor(s, app::ColorTableId::SkyChart, c.ring));
        text(p, x(col++), y, c.number);
        p.setPen(Qt::black);
        text(p, x(col++), y, c.azimuth);
        text(p, x(col++), y, c.elevation);
        text(p, x(col++), y, c.snr);
        if (l2_) {
            if (c.hasL2)
                text(p, x(col), y, c.l2);
            ++col;
        }
        text(p, x(col), y, c.used);
    }

    // The four antenna blocks, two columns each: satellite number and its ratio.
    const bool attitude = model == kAttitudeModel && d != nullptr;
    const std::vector<AntennaRow> rows = attitude ? antennaRows(*d) : std::vector<AntennaRow>{};
    for (int a = 0; a < 4; ++a) {
        const int c0 = columns + 2 * a;
        p.setPen(attitude ? QColor(Qt::black) : kDisabledTitle);
        text(p, x(c0), 0, QString::fromLatin1(str::kAntennaShort) + QString::number(a + 1));
        text(p, x(c0 + 1), 0, QString::fromLatin1(str::kColSn));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int y = static_cast<int>(i + 1) * h_;
            const int snr = rows[i].snr[a];
            if (snr < 0) {
                p.setPen(Qt::black);
                text(p, x(c0), y, QStringLiteral("-"));
                text(p, x(c0 + 1), y, QStringLiteral("-"));
                continue;
            }
            p.setPen(tableColor(s, app::ColorTableId::SkyChart, antennaRingItem(rows[i].svNumber)));
            text(p, x(c0), y, QString::number(rows[i].svNumber));
            p.setPen(Qt::black);
            text(p, x(c0 + 1), y, QString::number(snr));
        }
    }
}

void SatelliteTableView::drawHorizontal(QPainter& p) {
    const app::Settings& s = source_.settings();
    const int model = source_.modelIndex();
    const EpochDecoder* d = source_.decoder();
    const auto x = [&](int column) { return titleWidth_ + column * u_; };

    p.setPen(Qt::black);
    int row = 0;
    for (const char* title :
         {str::kRowChannel, str::kRowSvNumber, str::kRowAzimuth, str::kRowElevation, str::kRowSn})
        text(p, 5, h_ * row++, QString::fromLatin1(title));
    if (l2_)
        text(p, 5, h_ * row++, QString::fromLatin1(str::kRowL2));
    text(p, 5, h_ * row++, QString::fromLatin1(str::kUsedInPosition));
    const int rows = row;

    const int sats = d != nullptr ? std::min<int>(d->sat.inView, kMaxSats) : 0;
    for (int i = 0; i < sats; ++i) {
        const Cells c = cellsOf(*d, i, model);
        const int xi = x(i);
        row = 0;
        p.setPen(Qt::black);
        text(p, xi, h_ * row++, c.channel);
        p.setPen(tableColor(s, app::ColorTableId::SkyChart, c.ring));
        text(p, xi, h_ * row++, c.number);
        p.setPen(Qt::black);
        text(p, xi, h_ * row++, c.azimuth);
        text(p, xi, h_ * row++, c.elevation);
        text(p, xi, h_ * row++, c.snr);
        if (l2_) {
            if (c.hasL2)
                text(p, xi, h_ * row, c.l2);
            ++row;
        }
        text(p, xi, h_ * row, c.used);
    }

    const bool attitude = model == kAttitudeModel && d != nullptr;
    const std::vector<AntennaRow> antennas = attitude ? antennaRows(*d) : std::vector<AntennaRow>{};
    for (int a = 0; a < 4; ++a) {
        const int y0 = h_ * (rows + 2 * a);
        p.setPen(attitude ? QColor(Qt::black) : kDisabledTitle);
        text(p, 5, y0, QString::fromLatin1(str::kAntennaLong) + QString::number(a + 1));
        text(p, 5, y0 + h_, QString::fromLatin1(str::kRowSn));
        for (std::size_t i = 0; i < antennas.size(); ++i) {
            const int xi = x(static_cast<int>(i));
            const int snr = antennas[i].snr[a];
            if (snr < 0) {
                p.setPen(Qt::black);
                text(p, xi, y0, QStringLiteral("-"));
                text(p, xi, y0 + h_, QStringLiteral("-"));
                continue;
            }
            p.setPen(
                tableColor(s, app::ColorTableId::SkyChart, antennaRingItem(antennas[i].svNumber)));
            text(p, xi, y0, QString::number(antennas[i].svNumber));
            p.setPen(Qt::black);
            text(p, xi, y0 + h_, QString::number(snr));
        }
    }
}

} // namespace trix::views
