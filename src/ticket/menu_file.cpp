#include "ticket/menu_file.h"

#include "base/strings.h"
#include "base/text.h"
#include "ticket/parameter_form.h"

#include <fstream>
#include <sstream>

namespace trix::ticket {
namespace {

std::vector<std::string> splitValues(std::string_view s) {
    std::vector<std::string> out;
    for (;;) {
        std::size_t comma = s.find(',');
        out.emplace_back(s.substr(0, comma));
        if (comma == std::string_view::npos)
            return out;
        s.remove_prefix(comma + 1);
    }
}

// The placeholder letters of a template in order; false on a '%' not followed by one of the four.
bool placeholders(std::string_view command, std::string& letters) {
    for (std::size_t i = 0; i < command.size(); ++i) {
        if (command[i] != '%')
            continue;
        if (i + 1 >= command.size())
            return false;
        char t = command[i + 1];
        if (t != 'N' && t != 'T' && t != 'L' && t != 'M')
            return false;
        letters.push_back(t);
        ++i;
    }
    return true;
}

bool isWholeNumber(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
    }
    return s.size() <= 6;
}

// One parameter line; false when it breaks a rule of its type.
bool readParam(std::string_view line, char type, MenuParam& p) {
    std::size_t semi = line.find(';');
    if (semi == std::string_view::npos)
        return false;
    p.type = type;
    p.prompt = std::string(line.substr(0, semi));
    p.values = splitValues(line.substr(semi + 1));
    for (const auto& v : p.values) {
        if (v.empty())
            return false;
    }
    switch (type) {
    case 'N':
        return p.values.size() == 3 && isDecimalNumber(p.values[0]) &&
               isDecimalNumber(p.values[1]) && isDecimalNumber(p.values[2]) &&
               parseReal(p.values[0]) <= parseReal(p.values[1]);
    case 'T':
        if (p.values.size() == 2)
            p.values.emplace_back();
        return p.values.size() == 3 && isWholeNumber(p.values[0]) && isWholeNumber(p.values[1]) &&
               parseInteger(p.values[0]) <= parseInteger(p.values[1]);
    case 'L':
        p.defaultChoice = 0;
        for (std::size_t i = 0; i < p.values.size(); ++i) {
            std::string_view v = p.values[i];
            std::size_t open = v.find('(');
            std::string_view shown = open == std::string_view::npos ? v : v.substr(open);
            if (shown.find('*') != std::string_view::npos) {
                p.defaultChoice = static_cast<int>(i);
                break;
            }
        }
        return true;
    default:
        return true;
    }
}

} // namespace

std::string listCode(std::string_view value) {
    std::size_t open = value.find('(');
    if (open != std::string_view::npos)
        return std::string(value.substr(0, open));
    std::string code;
    for (char c : value) {
        if (c != '*')
            code.push_back(c);
    }
    return code;
}

std::string listText(std::string_view value) {
    std::size_t open = value.find('(');
    std::string_view shown = value;
    if (open != std::string_view::npos) {
        shown = value.substr(open + 1);
        shown = shown.substr(0, shown.find(')'));
    }
    std::string text;
    for (char c : shown) {
        if (c != '*')
            text.push_back(c);
    }
    return text;
}

MenuFile compileMenu(std::string_view text, std::string_view fileName) {
    MenuFile menu;
    const std::string name(fileName);
    auto fail = [&](int line) {
        menu.items.clear();
        menu.ok = false;
        menu.errorLine = line;
        menu.error = cformat(str::kMenuCompileError, name.c_str(), line);
        return menu;
    };

    enum class Want { Title, Command, Param } want = Want::Title;
    std::string letters; // placeholders still waiting for their line
    int heading = -1;    // the current top-level heading
    int subgroup = -1;   // the current subgroup, when opened after that heading
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::string_view line =
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > kMaxMenuLine)
            return fail(lineNo);
        if (line.empty() || line[0] == ';')
            continue;

        switch (want) {
        case Want::Title: {
            MenuItem item;
            item.line = lineNo;
            if (line[0] == '*') {
                std::size_t stars = line.find_first_not_of('*');
                if (stars == std::string_view::npos)
                    stars = line.size();
                item.heading = true;
                item.title = std::string(line.substr(stars));
                const int index = static_cast<int>(menu.items.size());
                if (stars == 1) {
                    item.depth = 0;
                    heading = index;
                    subgroup = -1;
                } else {
                    item.depth = 1;
                    item.parent = heading;
                    subgroup = index;
                }
                menu.items.push_back(std::move(item));
                break;
            }
            item.title = std::string(line);
            if (subgroup >= 0) {
                item.parent = subgroup;
                item.depth = 2;
            } else if (heading >= 0) {
                item.parent = heading;
                item.depth = 1;
            }
            menu.items.push_back(std::move(item));
            want = Want::Command;
            break;
        }
        case Want::Command: {
            MenuItem& item = menu.items.back();
            item.command = std::string(line);
            letters.clear();
            if (!placeholders(line, letters))
                return fail(lineNo);
            want = letters.empty() ? Want::Title : Want::Param;
            break;
        }
        case Want::Param: {
            MenuItem& item = menu.items.back();
            MenuParam p;
            if (!readParam(line, letters[item.params.size()], p))
                return fail(lineNo);
            item.params.push_back(std::move(p));
            if (item.params.size() == letters.size())
                want = Want::Title;
            break;
        }
        }
    }
    if (want != Want::Title)
        return fail(lineNo + 1);
    menu.ok = true;
    return menu;
}

MenuFile loadMenu(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        MenuFile menu;
        menu.error = cformat(str::kFileNotOpened, path.c_str());
        return menu;
    }
    std::ostringstream all;
    all << in.rdbuf();
    return compileMenu(all.str(), path);
}

} // namespace trix::ticket
