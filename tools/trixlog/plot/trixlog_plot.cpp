// trixlog-plot: the renderer behind "trixlog plot" (see plot_request.h for the command line).

#include "plot_request.h"

#include "base/strings.h"
#include "base/text.h"
#include "logs/scratch_dir.h"
#include "logs/stream_sink.h"
#include "logs/viewed_log.h"
#include "views/plot/plot_painter.h"
#include "views/print/print_document.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

constexpr const char* kUsage =
    "usage: trixlog plot LOG [--model N] [--param NAME]... [--from A --to B] [--select A,B]\n"
    "                    [--size WxH] --out FILE\n";

void help() {
    std::printf("%s\n"
                "Indexes LOG as \"View log file\" does and renders the strips of the data\n"
                "plotting window to FILE: PNG, SVG or PDF by its extension (the PDF is one\n"
                "printed page with the page header).\n\n"
                "  --param NAME   a series name (\"Latitude MD\" ... \"Roll\") or its index 0 to\n"
                "                 12; repeatable; default the first three\n"
                "  --from A --to B  the epochs shown, 1-based (default all)\n"
                "  --select A,B   the marked epochs, 1-based, inside the shown ones\n"
                "  --size WxH     the picture size in pixels (default 1600x1000)\n"
                "  --model N      decode as receiver model index N (1 to 21)\n",
                kUsage);
}

class PlotPage : public trix::print::Printable {
public:
    explicit PlotPage(const trix::plot::PlotScene& scene) : scene_(scene) {}
    QString printTitle() const override { return QString::fromUtf8(trix::str::kDataPlotting); }
    bool printPage(QPainter& p, const QRect& target, trix::MessageSink&) override {
        trix::plot::paintPlots(p, scene_, target, true);
        return true;
    }

private:
    const trix::plot::PlotScene& scene_;
};

bool endsWith(const std::string& s, const char* tail) {
    const std::string t = trix::asciiLower(s);
    const std::string e = tail;
    return t.size() >= e.size() && t.compare(t.size() - e.size(), e.size(), e) == 0;
}

int render(const trixlog::PlotRequest& r) {
    if (!endsWith(r.out, ".png") && !endsWith(r.out, ".svg") && !endsWith(r.out, ".pdf")) {
        std::fprintf(stderr, "trixlog plot: --out must end in .png, .svg or .pdf\n");
        return 2;
    }
    trix::logs::StreamSink sink(stderr);
    trix::UnitSelection units;
    units.distance = 4;
    units.verticalSpeed = 3;
    trix::logs::ScratchDirectory scratch;
    trix::logs::ViewedLog log(sink, units);
    log.indexer.setErrorListDirectory(scratch.path());
    if (!log.open(r.log, r.model)) {
        if (!sink.wasShown(trix::cformat(trix::str::kFileNotOpened, r.log.c_str())) &&
            !sink.wasShown(trix::str::kNoEpochs))
            std::fprintf(stderr, "%s\n", trix::str::kNoEpochs);
        return 1;
    }
    const trix::plot::SeriesSet set = trix::plot::buildSeries(log.decoder);
    trix::plot::PlotScene scene;
    scene.set = &set;
    scene.colors = trix::plot::PlotColors::from(trix::app::Settings{});
    std::vector<std::string> params = r.params;
    if (params.empty())
        params = {"0", "1", "2"};
    for (const std::string& p : params) {
        const int index = trixlog::seriesIndexOf(p);
        if (!set.exists[static_cast<std::size_t>(index)]) {
            std::fprintf(stderr, "trixlog: the series \"%s\" is not built for this log\n",
                         trix::plot::seriesInfo(index).name);
            return 1;
        }
        scene.shown[static_cast<std::size_t>(index)] = true;
    }
    scene.ranges.reset(set.epochs);
    if (r.from != 0) {
        const auto shown = scene.ranges.show(r.from - 1, r.to - 1);
        if (!shown.accepted) {
            std::fprintf(stderr, "%s\n", shown.message.c_str());
            return 2;
        }
    }
    if (r.selectFrom != 0 || r.selectTo != 0) {
        const auto selected = scene.ranges.select(r.selectFrom - 1, r.selectTo - 1);
        if (!selected.accepted) {
            std::fprintf(stderr, "%s\n", selected.message.c_str());
            return 2;
        }
    }
    // Qt comes up only now, so that refusals above print nothing but their message.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "trixlog-plot";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const QString out = QString::fromStdString(r.out);
    const QRect area(0, 0, r.width, r.height);
    if (endsWith(r.out, ".pdf")) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        printer.setPageOrientation(r.width >= r.height ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait);
        PlotPage page(scene);
        return trix::print::printDocument(printer, page, sink) ? 0 : 1;
    }
    if (endsWith(r.out, ".svg")) {
        QSvgGenerator svg;
        svg.setFileName(out);
        svg.setSize(area.size());
        svg.setViewBox(area);
        svg.setTitle(QString::fromUtf8(trix::str::kDataPlotting));
        QPainter p;
        if (!p.begin(&svg)) {
            std::fprintf(stderr, "trixlog: %s cannot be written\n", r.out.c_str());
            return 1;
        }
        p.fillRect(area, Qt::white);
        trix::plot::paintPlots(p, scene, area, false);
        return p.end() ? 0 : 1;
    }
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        trix::plot::paintPlots(p, scene, area, false);
    }
    if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "trixlog: %s cannot be written\n", r.out.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    trixlog::PlotRequest request;
    std::string error;
    if (!trixlog::parsePlotRequest(argc, argv, request, error)) {
        std::fprintf(stderr, "trixlog plot: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (request.help) {
        help();
        return 0;
    }
    return render(request);
}
