#include "options.h"

#include "base/text.h"

#include <cmath>

namespace trixlog {

bool readWhole(std::string_view text, long lo, long hi, long& out) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    long v = trix::parseInteger(text);
    if (v < lo || v > hi)
        return false;
    out = v;
    return true;
}

bool readReal(std::string_view text, double& out) {
    bool digit = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        char c = text[k];
        if (c >= '0' && c <= '9')
            digit = true;
        else if ((c == '-' || c == '+') && (k == 0 || text[k - 1] == 'e' || text[k - 1] == 'E'))
            continue;
        else if (c != '.' && c != 'e' && c != 'E')
            return false;
    }
    if (!digit)
        return false;
    double v = trix::parseReal(text);
    if (!std::isfinite(v))
        return false;
    out = v;
    return true;
}

OptionParser::OptionParser(const char* usage, std::function<void()> help)
    : usage_(usage), help_(std::move(help)) {}

OptionParser::OptionParser(const char* usage, const char* helpText)
    : OptionParser(usage, [usage, helpText] { std::printf("%s\n%s", usage, helpText); }) {}

void OptionParser::flag(std::string name, bool& out) {
    options_.push_back({std::move(name), false, [&out](std::string_view) {
                            out = true;
                            return true;
                        }});
}

void OptionParser::value(std::string name, std::function<bool(std::string_view)> take) {
    options_.push_back({std::move(name), true, std::move(take)});
}

void OptionParser::number(std::string name, long lo, long hi, long& out) {
    value(std::move(name),
          [lo, hi, &out](std::string_view v) { return readWhole(v, lo, hi, out); });
}

void OptionParser::real(std::string name, double& out) {
    value(std::move(name), [&out](std::string_view v) { return readReal(v, out); });
}

void OptionParser::positional(std::vector<std::string*> targets, std::size_t required) {
    positional_ = std::move(targets);
    required_ = required;
}

int OptionParser::usageError() const {
    std::fputs(usage_, stderr);
    return 2;
}

int OptionParser::parse(int argc, char** argv) {
    std::size_t given = 0;
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            if (help_)
                help_();
            return 0;
        }
        if (a.size() > 1 && a[0] == '-') {
            const Option* found = nullptr;
            for (const Option& o : options_)
                if (o.name == a)
                    found = &o;
            if (!found)
                return usageError();
            std::string_view v;
            if (found->takesValue) {
                if (++i >= argc)
                    return usageError();
                v = argv[i];
            }
            if (!found->take(v))
                return usageError();
            continue;
        }
        if (given >= positional_.size())
            return usageError();
        *positional_[given++] = std::string(a);
    }
    return given < required_ ? usageError() : -1;
}

} // namespace trixlog
