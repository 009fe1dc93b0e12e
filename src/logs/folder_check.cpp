#include "logs/folder_check.h"

#include "base/strings.h"
#include "base/text.h"

#include <sys/stat.h>

#include <cerrno>

namespace trix::logs {

namespace {

bool componentValid(std::string_view c) {
    if (c.empty())
        return false;
    auto edge = [](char ch) { return ch == '\t' || ch == ' ' || ch == '.'; };
    if (edge(c.front()) || edge(c.back()))
        return false;
    for (char ch : c) {
        switch (ch) {
        case '"':
        case '*':
        case ':':
        case '<':
        case '>':
        case '?':
        case '\\':
        case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}

std::string_view trimSeparators(std::string_view s) {
    while (s.size() > 1 && s.back() == '/')
        s.remove_suffix(1);
    return s;
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

bool folderPathValid(std::string_view path) {
    path = trimSeparators(path);
    if (path.empty())
        return false;
    if (path == "/")
        return true;
    if (path.front() == '/')
        path.remove_prefix(1);
    while (true) {
        auto slash = path.find('/');
        if (!componentValid(path.substr(0, slash)))
            return false;
        if (slash == std::string_view::npos)
            return true;
        path.remove_prefix(slash + 1);
    }
}

bool checkFolder(const std::string& path, MessageSink& messages) {
    if (!folderPathValid(path)) {
        messages.show(cformat(str::kFolderInvalid, path.c_str()));
        return false;
    }
    if (isDirectory(path))
        return true;
    if (messages.show(cformat(str::kFolderMissing, path.c_str()), Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return false;
    std::string partial;
    std::string_view rest = path;
    if (!rest.empty() && rest.front() == '/') {
        partial = "/";
        rest.remove_prefix(1);
    }
    while (!rest.empty()) {
        auto slash = rest.find('/');
        partial += std::string(rest.substr(0, slash));
        if (!isDirectory(partial) && ::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) {
            messages.show(cformat(str::kFolderNotCreated, path.c_str()), Buttons::Ok, Icon::Stop);
            return false;
        }
        if (slash == std::string_view::npos)
            break;
        partial += '/';
        rest.remove_prefix(slash + 1);
    }
    if (!isDirectory(path)) {
        messages.show(cformat(str::kFolderNotCreated, path.c_str()), Buttons::Ok, Icon::Stop);
        return false;
    }
    return true;
}

bool folderChanged(std::string_view current, std::string_view chosen) {
    return trimSeparators(current) != trimSeparators(chosen);
}

std::string withTrailingSeparator(std::string_view folder) {
    std::string s(trimSeparators(folder));
    if (s.empty() || s.back() != '/')
        s += '/';
    return s;
}

} // namespace trix::logs
