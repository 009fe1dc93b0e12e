#pragma once
// The command line of "trixlog plot", read without Qt.

#include <string>
#include <vector>

namespace trixlog {

struct PlotRequest {
    std::string log;
    int model = -1;
    std::vector<std::string> params; // names or indices, as given
    int from = 0, to = 0;            // 1-based; 0: not given
    int selectFrom = 0, selectTo = 0;
    int width = 1600, height = 1000;
    std::string out;
    bool help = false;
};

// False with `error` set when the arguments are not understood.
bool parsePlotRequest(int argc, char** argv, PlotRequest& request, std::string& error);

// The series index of a name or an index 0–12, or -1.
int seriesIndexOf(const std::string& nameOrIndex);

} // namespace trixlog
