#include "app/core/ini_profile.h"

#include "base/strings.h"
#include "base/text.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace trix::app {

namespace {

std::string_view trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Text: no NUL and no control bytes other than tab, line ends and form feed.
bool looksLikeText(std::string_view s) {
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            return false;
    }
    return true;
}

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

} // namespace

bool IniProfile::load(const std::string& path, std::string* error) {
    preamble_.clear();
    sections_.clear();
    refusedPath_.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return true;
    if (!std::filesystem::is_regular_file(path, ec)) {
        if (error)
            *error = "not a regular file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = std::strerror(errno);
        return false;
    }
    // A settings file is a few kilobytes of text: anything far larger or not text is not a
    // profile, is not read whole into memory, and is never written over.
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    if (!sizeError && size > kMaxProfileBytes) {
        refusedPath_ = path;
        if (error)
            *error =
                cformat(str::kProfileTooLarge, path.c_str(), static_cast<int>(kMaxProfileBytes));
        return false;
    }
    std::string text(static_cast<std::size_t>(sizeError ? 0 : size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        if (error)
            *error = "read error";
        return false;
    }
    if (!looksLikeText(text)) {
        refusedPath_ = path;
        if (error)
            *error = cformat(str::kProfileNotText, path.c_str());
        return false;
    }
    parse(text);
    return true;
}

void IniProfile::parse(std::string_view text) {
    preamble_.clear();
    sections_.clear();
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::string_view t = trim(line);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            sections_.push_back({std::string(trim(t.substr(1, t.size() - 2))), {}});
            continue;
        }
        Entry e;
        std::size_t eq = line.find('=');
        if (!t.empty() && t.front() != ';' && t.front() != '#' && eq != std::string_view::npos &&
            !trim(line.substr(0, eq)).empty()) {
            // The key keeps a trailing blank written by the program ("GPS Satellites ring ");
            // only leading blanks are dropped.
            std::string_view key = line.substr(0, eq);
            while (!key.empty() && (key.front() == ' ' || key.front() == '\t'))
                key.remove_prefix(1);
            e.key = std::string(key);
            e.value = std::string(trim(line.substr(eq + 1)));
        } else {
            e.raw = std::string(line);
        }
        (sections_.empty() ? preamble_ : sections_.back().entries).push_back(std::move(e));
    }
}

std::string IniProfile::text() const {
    std::string out;
    auto put = [&out](const Entry& e) {
        out += e.key.empty() ? e.raw : e.key + "=" + e.value;
        out += '\n';
    };
    for (const auto& e : preamble_)
        put(e);
    for (const auto& s : sections_) {
        out += "[" + s.name + "]\n";
        for (const auto& e : s.entries)
            put(e);
    }
    return out;
}

bool IniProfile::save(const std::string& path, std::string* error) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!refusedPath_.empty() && refusedPath_ == path) {
        if (error)
            *error = "the file at " + refusedPath_ + " is not a profile and is left as it is";
        return false;
    }
    // A profile that is a symbolic link is written through it: the file it points to is
    // replaced, the link stays.
    fs::path target(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    std::string tmp = target.string() + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            if (error)
                *error = std::strerror(errno);
            return false;
        }
        std::string t = text();
        out.write(t.data(), static_cast<std::streamsize>(t.size()));
        out.flush();
        if (!out) {
            if (error)
                *error = "write error";
            out.close();
            fs::remove(tmp, ec);
            return false;
        }
    }
    // The replacement keeps the mode of the file it replaces (a private 0600 stays private).
    std::error_code statError;
    const fs::file_status old = fs::status(target, statError);
    if (!statError && fs::exists(old))
        fs::permissions(tmp, old.permissions(), fs::perm_options::replace, ec);
    fs::rename(tmp, target, ec);
    if (ec) {
        if (error)
            *error = ec.message();
        fs::remove(tmp, ec);
        return false;
    }
    return true;
}

IniProfile::Section* IniProfile::findSection(std::string_view name) {
    for (auto& s : sections_)
        if (sameText(s.name, name))
            return &s;
    return nullptr;
}

const IniProfile::Section* IniProfile::findSection(std::string_view name) const {
    for (const auto& s : sections_)
        if (sameText(s.name, name))
            return &s;
    return nullptr;
}

template <class S> auto* IniProfile::findEntry(S& s, std::string_view key) {
    using EntryPtr = decltype(&s.entries.front());
    // An exact match first, so that "Key " and "Key" written by the program stay apart.
    for (auto& e : s.entries)
        if (!e.key.empty() && e.key == key)
            return &e;
    for (auto& e : s.entries)
        if (!e.key.empty() && sameText(trim(e.key), trim(key)))
            return &e;
    return EntryPtr{nullptr};
}

std::optional<std::string> IniProfile::value(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto* e = findEntry(*s, key);
    if (!e)
        return std::nullopt;
    return e->value;
}

std::string IniProfile::getString(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
    auto v = value(section, key);
    return v ? *v : std::string(fallback);
}

int IniProfile::getInt(std::string_view section, std::string_view key, int fallback) const {
    auto v = value(section, key);
    if (!v)
        return fallback;
    long n = parseInteger(*v);
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return static_cast<int>(n);
}

void IniProfile::writeString(std::string_view section, std::string_view key,
                             std::string_view value) {
    Section* s = findSection(section);
    if (!s) {
        sections_.push_back({std::string(section), {}});
        s = &sections_.back();
    }
    if (Entry* found = findEntry(*s, key)) {
        found->value = std::string(value);
        return;
    }
    Entry e;
    e.key = std::string(key);
    e.value = std::string(value);
    // New keys go after the last key of the section, before trailing blank lines.
    auto pos = s->entries.end();
    while (pos != s->entries.begin() && std::prev(pos)->key.empty() &&
           trim(std::prev(pos)->raw).empty())
        --pos;
    s->entries.insert(pos, std::move(e));
}

void IniProfile::writeInt(std::string_view section, std::string_view key, int value) {
    writeString(section, key, cformat("%d", value));
}

std::vector<std::string> IniProfile::keys(std::string_view section) const {
    std::vector<std::string> out;
    if (const Section* s = findSection(section))
        for (const auto& e : s->entries)
            if (!e.key.empty())
                out.push_back(e.key);
    return out;
}

} // namespace trix::app
