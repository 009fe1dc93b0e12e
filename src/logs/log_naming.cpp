#include "logs/log_naming.h"

#include "base/text.h"
#include "decode/models.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace trix::logs {

std::string directoryOf(std::string_view path) {
    auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string_view baseName(std::string_view path) {
    auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits after an optional '_' at `from`, as written ("_007" reads 7); -1 when none.
int numberAfter(std::string_view name, std::size_t from) {
    if (from < name.size() && name[from] == '_')
        ++from;
    if (from >= name.size() || !isDigit(name[from]))
        return -1;
    long v = parseInteger(name.substr(from));
    return v > 99999 ? 99999 : static_cast<int>(v);
}

bool endsWithNoCase(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() &&
           asciiLower(s.substr(s.size() - tail.size())) == asciiLower(tail);
}

} // namespace

int fileNumber(std::string_view name) {
    const std::string lower = asciiLower(name);
    for (const auto& m : kModels) {
        std::string_view code = m.code;
        if (code.size() > 4 && std::string_view(lower).starts_with(asciiLower(code)))
            return numberAfter(name, code.size());
    }
    if (name.size() < 6 || !isDigit(name[5]))
        return -1;
    std::string digits(name.substr(4));
    if (digits[0] == '_')
        digits[0] = '0';
    long v = parseInteger(digits);
    return v > 99999 ? 99999 : static_cast<int>(v);
}

int largestFileNumber(const std::string& directory, std::string_view extension) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(directory.empty() ? "." : directory.c_str()),
                                            &closedir);
    if (!dir)
        return 0;
    int largest = 0;
    while (dirent* e = readdir(dir.get())) {
        std::string_view name = e->d_name;
        if (!endsWithNoCase(name, extension))
            continue;
        int n = fileNumber(name);
        if (n > largest)
            largest = n;
    }
    return largest > 9999 ? 0 : largest;
}

std::string numberedFileName(const std::string& directory, std::string_view code, int k,
                             std::string_view extension) {
    std::string c(code);
    std::string ext(extension);
    return directory + (k <= 999 ? cformat("%s_%03d%s", c.c_str(), k, ext.c_str())
                                 : cformat("%s%04d%s", c.c_str(), k, ext.c_str()));
}

std::string nextNumberedFileName(const std::string& directory, std::string_view code,
                                 std::string_view extension) {
    int k = largestFileNumber(directory, extension) + 1;
    std::string name = numberedFileName(directory, code, k, extension);
    // Names the rule cannot read back (or made by hand) may already exist: never reuse one.
    for (int tries = 0; fileExists(name) && tries < 100000; ++tries) {
        k = k >= 99999 ? 1 : k + 1;
        name = numberedFileName(directory, code, k, extension);
    }
    return name;
}

std::string summaryNameForLog(std::string_view logPath) {
    // The name keeps its case: "Run.log" and "run.log" are two logs with two summaries.
    std::string name(baseName(logPath));
    if (name.size() >= 4 && asciiLower(name.substr(name.size() - 4)) == ".log")
        name.replace(name.size() - 4, 4, ".sum");
    else
        name += ".sum";
    return directoryOf(logPath) + name;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

} // namespace trix::logs
