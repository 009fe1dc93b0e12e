// trixlog menu: compile a command menu file as the terminal does and list its headings,
// entries and parameters, or build one entry's command from given values.

#include "command.h"
#include "options.h"

#include "base/strings.h"
#include "base/text.h"
#include "ticket/menu_file.h"
#include "ticket/parameter_form.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: trixlog menu FILE [--port-letter L] [--build INDEX [--value V]...]\n";

constexpr const char* kHelp =
    "Compiles the command menu FILE and prints one TAB-separated row per line that\n"
    "counts, in file order:\n"
    "  H <depth> <title>                      a heading\n"
    "  E <depth> <index> <title> <template>   an entry\n"
    "  P <n> <type> <prompt> <values>...      a parameter of the entry above\n"
    "A compile error prints its message on stderr and exits 1.\n\n"
    "  --port-letter L   the receiver's port letter for '#' (default A)\n"
    "  --build INDEX     print \"C<TAB>command\" for the entry INDEX instead\n"
    "  --value V         the next parameter's answer: N and T the text, L the shown\n"
    "                    text or '-' for the default, M the ticked values joined\n"
    "                    by ','; parameters without one keep their defaults\n";

void printList(const trix::ticket::MenuFile& menu) {
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        const auto& item = menu.items[i];
        if (item.heading) {
            std::printf("H\t%d\t%s\n", item.depth, item.title.c_str());
            continue;
        }
        std::printf("E\t%d\t%zu\t%s\t%s\n", item.depth, i, item.title.c_str(),
                    item.command.c_str());
        for (std::size_t n = 0; n < item.params.size(); ++n) {
            const auto& p = item.params[n];
            std::printf("P\t%zu\t%c\t%s", n + 1, p.type, p.prompt.c_str());
            for (const auto& v : p.values)
                std::printf("\t%s", v.c_str());
            std::printf("\n");
        }
    }
}

// The answer for one parameter from its command-line value; false when it names no choice.
bool answerFor(const trix::ticket::MenuParam& p, const std::string& v,
               trix::ticket::ParamAnswer& a) {
    a = trix::ticket::defaultAnswer(p);
    switch (p.type) {
    case 'L':
        if (v == "-")
            return true;
        for (std::size_t i = 0; i < p.values.size(); ++i) {
            if (trix::ticket::listText(p.values[i]) == v) {
                a.choice = static_cast<int>(i);
                return true;
            }
        }
        return false;
    case 'M': {
        std::size_t pos = 0;
        while (pos <= v.size()) {
            std::size_t comma = v.find(',', pos);
            std::string one =
                v.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
            bool found = false;
            for (std::size_t i = 0; i < p.values.size(); ++i) {
                if (p.values[i] == one) {
                    a.ticked[i] = true;
                    found = true;
                }
            }
            if (!found && !one.empty() && one != "-")
                return false;
            if (comma == std::string::npos)
                break;
            pos = comma + 1;
        }
        return true;
    }
    default:
        a.text = v;
        return true;
    }
}

int run(int argc, char** argv) {
    std::string file;
    char port = 0;
    long build = -1;
    std::vector<std::string> values;
    trixlog::OptionParser options(kUsage, kHelp);
    options.value("--port-letter", [&port](std::string_view v) {
        port = v.empty() ? 0 : v[0];
        return v.size() == 1;
    });
    options.number("--build", 0, 999999999, build);
    // Values answer the parameters of the entry --build names, so they follow it.
    options.value("--value", [&](std::string_view v) {
        values.emplace_back(v);
        return build >= 0;
    });
    options.positional({&file}, 1);
    if (int rc = options.parse(argc, argv); rc >= 0)
        return rc;
    if (!trixlog::named(file))
        return options.usageError();

    trix::ticket::MenuFile menu = trix::ticket::loadMenu(file);
    if (!menu.ok) {
        std::fprintf(stderr, "%s\n", menu.error.c_str());
        return 1;
    }
    if (build < 0) {
        printList(menu);
        return 0;
    }
    if (build >= static_cast<long>(menu.items.size())) {
        std::fprintf(stderr, "trixlog menu: the menu has no entry %ld\n", build);
        return 1;
    }
    auto& entry = menu.items[static_cast<std::size_t>(build)];
    if (entry.heading) {
        // A heading has no command: nothing is sent.
        std::fprintf(stderr, "\a%s\n", trix::str::kNoSelection);
        return 1;
    }
    if (values.size() > entry.params.size()) {
        std::fprintf(stderr, "trixlog menu: entry %ld takes %zu values\n", build,
                     entry.params.size());
        return 2;
    }
    std::vector<trix::ticket::ParamAnswer> answers;
    for (std::size_t i = 0; i < entry.params.size(); ++i) {
        trix::ticket::ParamAnswer a = trix::ticket::defaultAnswer(entry.params[i]);
        if (i < values.size() && !answerFor(entry.params[i], values[i], a)) {
            std::fprintf(stderr, "%s\n", trix::str::kNoSelection);
            return 1;
        }
        answers.push_back(std::move(a));
    }
    trix::ticket::BuiltCommand built = trix::ticket::buildCommand(entry, answers, port);
    if (!built.ok) {
        std::fprintf(stderr, "%s\n", built.message.c_str());
        return 1;
    }
    std::printf("C\t%s\n", built.command.c_str());
    return 0;
}

trixlog::Registration reg{{"menu", "compile a command menu file, build an entry's command", run}};

} // namespace
