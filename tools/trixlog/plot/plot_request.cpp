#include "plot_request.h"

#include "decode/models.h"
#include "views/plot/series.h"

#include <cstdlib>

namespace trixlog {

namespace {

bool integer(const char* text, long lo, long hi, int& out) {
    if (!text || !*text)
        return false;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*end || v < lo || v > hi)
        return false;
    out = static_cast<int>(v);
    return true;
}

bool pair(const std::string& text, char sep, int& a, int& b, long lo, long hi) {
    const auto at = text.find(sep);
    if (at == std::string::npos)
        return false;
    return integer(text.substr(0, at).c_str(), lo, hi, a) &&
           integer(text.substr(at + 1).c_str(), lo, hi, b);
}

} // namespace

int seriesIndexOf(const std::string& text) {
    int index = -1;
    if (integer(text.c_str(), 0, trix::plot::kSeriesCount - 1, index))
        return index;
    for (int i = 0; i < trix::plot::kSeriesCount; ++i)
        if (text == trix::plot::seriesInfo(i).name)
            return i;
    return -1;
}

bool parsePlotRequest(int argc, char** argv, PlotRequest& r, std::string& error) {
    constexpr long kBig = 1000000000L;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (a == "--help" || a == "-h") {
            r.help = true;
            return true;
        }
        if (a == "--model") {
            if (!integer(value(), 1, trix::kModelCount - 1, r.model))
                return error = "--model takes a model index 1 to 21", false;
        } else if (a == "--param") {
            const char* v = value();
            if (!v || seriesIndexOf(v) < 0)
                return error = std::string("--param takes a series name or an index 0 to 12") +
                               (v ? std::string(": ") + v : std::string()),
                       false;
            r.params.emplace_back(v);
        } else if (a == "--from") {
            if (!integer(value(), -kBig, kBig, r.from))
                return error = "--from takes an epoch number", false;
        } else if (a == "--to") {
            if (!integer(value(), -kBig, kBig, r.to))
                return error = "--to takes an epoch number", false;
        } else if (a == "--select") {
            const char* v = value();
            if (!v || !pair(v, ',', r.selectFrom, r.selectTo, -kBig, kBig))
                return error = "--select takes A,B", false;
        } else if (a == "--size") {
            const char* v = value();
            if (!v || !pair(v, 'x', r.width, r.height, 100, 20000))
                return error = "--size takes WxH, each 100 to 20000", false;
        } else if (a == "--out") {
            const char* v = value();
            if (!v || !*v)
                return error = "--out takes a file name", false;
            r.out = v;
        } else if (!a.empty() && a[0] == '-') {
            return error = "unknown option " + a, false;
        } else if (r.log.empty()) {
            r.log = a;
        } else {
            return error = "one log file only", false;
        }
    }
    if (r.log.empty())
        return error = "no log file", false;
    if (r.out.empty())
        return error = "--out FILE is required", false;
    if ((r.from == 0) != (r.to == 0))
        return error = "--from and --to go together", false;
    return true;
}

} // namespace trixlog
