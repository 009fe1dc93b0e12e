#pragma once
// The program's profile: a plain INI file of sections and keys. Keys are kept verbatim (a key
// may end with a blank), sections and keys are looked up without regard to case, and lines the
// program does not know are kept as they were when the file is written back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trix::app {

class IniProfile {
public:
    // Larger than this, a file is not a profile.
    static constexpr std::uintmax_t kMaxProfileBytes = 1 << 20;

    // Reads `path`. A missing file is a fresh, empty profile (true); false when the file
    // exists but cannot be read, or is not a profile (larger than kMaxProfileBytes, not
    // text), with the reason in `error`. A file refused so is never saved over.
    bool load(const std::string& path, std::string* error = nullptr);
    // Parses INI text (for load and for tests).
    void parse(std::string_view text);
    // Writes the whole profile to `path` through a temporary file that replaces it, so a
    // failed write never leaves a truncated profile behind. Creates missing folders. A
    // symbolic link is written through (its target is replaced) and the mode of the replaced
    // file is kept.
    bool save(const std::string& path, std::string* error = nullptr) const;
    std::string text() const;

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // get-profile-string: the stored text, or `fallback` for a missing key.
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;
    // get-profile-int: the stored text read as a decimal integer (leading blanks and a sign
    // allowed, reading stops at the first non-digit), or `fallback` for a missing key.
    int getInt(std::string_view section, std::string_view key, int fallback) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInt(std::string_view section, std::string_view key, int value);
    bool contains(std::string_view section, std::string_view key) const {
        return value(section, key).has_value();
    }
    // Keys of a section in file order.
    std::vector<std::string> keys(std::string_view section) const;

private:
    std::string refusedPath_; // a file that load() found not to be a profile
    struct Entry {
        std::string key; // empty for a comment or blank line kept as `raw`
        std::string value;
        std::string raw;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    template <class S> static auto* findEntry(S& s, std::string_view key);

    std::vector<Entry> preamble_; // lines before the first section
    std::vector<Section> sections_;
};

} // namespace trix::app
