#pragma once
// Helpers of the almanac tests: a message sink that keeps what it was shown, files.

#include "base/ui.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace almanactest {

struct RecordingSink : trix::MessageSink {
    std::vector<std::string> shown;
    trix::Answer show(std::string_view text, trix::Buttons, trix::Icon) override {
        shown.emplace_back(text);
        return trix::Answer::Ok;
    }
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
}

inline std::string dataFile(const char* name) {
    return std::string(TRIX_SOURCE_DIR) + "/tests/almanac/data/" + name;
}

// A fresh folder under /tmp, removed at the end.
struct TempDir {
    std::string path;
    TempDir() {
        char tmpl[] = "/tmp/almanac_test.XXXXXX";
        path = ::mkdtemp(tmpl);
    }
    ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string file(const std::string& name) const { return path + "/" + name; }
};

inline std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

} // namespace almanactest
