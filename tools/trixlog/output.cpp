#include "output.h"

#include "logs/log_indexer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace trixlog {
namespace {
int failure = 0; // errno of the first failed write

void noteFailure() {
    if (failure == 0)
        failure = errno != 0 ? errno : EIO;
}
} // namespace

bool writeOut(std::string_view text) {
    if (failure != 0)
        return false;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
        noteFailure();
        return false;
    }
    return true;
}

bool readerGone() {
    return failure == EPIPE;
}

int finishOutput(int rc) {
    errno = 0;
    if (failure == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        noteFailure();
    if (failure == 0)
        return rc;
    if (failure == EPIPE)
        return rc;
    std::fprintf(stderr, "trixlog: cannot write the results to standard output: %s\n",
                 std::strerror(failure));
    return 1;
}

void reportIndexingErrors(const trix::logs::LogIndexer& indexer) {
    std::ifstream in(indexer.errorListPath(), std::ios::binary);
    if (!in)
        return;
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        if (count == 0)
            std::fputs("trixlog: errors found while indexing:\n", stderr);
        if (++count <= 20)
            std::fprintf(stderr, "  %s\n", line.c_str());
    }
    if (count > 20)
        std::fprintf(stderr, "  ... %d lines in all\n", count);
}

} // namespace trixlog
