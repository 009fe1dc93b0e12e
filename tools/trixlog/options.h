#pragma once
// The option parsing every trixlog command shares: named options with or without a value,
// positional arguments, "--help", and the exit codes that go with them.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trixlog {

class OptionParser {
public:
    // `usage` is the one-line usage (ending with a line feed); `help` prints the full help.
    OptionParser(const char* usage, std::function<void()> help);
    // For "--help": the usage, a blank line and `helpText`.
    OptionParser(const char* usage, const char* helpText);

    // An option without a value.
    void flag(std::string name, bool& out);
    // An option with a value, accepted when `take` returns true.
    void value(std::string name, std::function<bool(std::string_view)> take);
    // A whole number from lo to hi (digits only).
    void number(std::string name, long lo, long hi, long& out);
    // A number of metres, degrees ...: digits with an optional sign, point and exponent.
    void real(std::string name, double& out);
    // The positional arguments in order; `required` of them must be given.
    void positional(std::vector<std::string*> targets, std::size_t required);

    // Parses argv[1..]: -1 when the command is to run, else the exit code (0 after the help,
    // 2 after the usage line on stderr).
    int parse(int argc, char** argv);
    // Prints the usage on stderr and returns 2, for checks made after parsing.
    int usageError() const;

private:
    struct Option {
        std::string name;
        bool takesValue;
        std::function<bool(std::string_view)> take;
    };
    const char* usage_;
    std::function<void()> help_;
    std::vector<Option> options_;
    std::vector<std::string*> positional_;
    std::size_t required_ = 0;
};

// A positional argument that names something: not empty, not a lone "-".
inline bool named(const std::string& arg) {
    return !arg.empty() && arg != "-";
}

// Strict number readers shared by the commands.
bool readWhole(std::string_view text, long lo, long hi, long& out);
bool readReal(std::string_view text, double& out);

} // namespace trixlog
