#include "ticket/parameter_form.h"

#include "base/strings.h"
#include "base/text.h"

namespace trix::ticket {

bool isDecimalNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool digit = false, dot = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !dot) {
            dot = true;
        } else {
            return false;
        }
    }
    return digit;
}

ParamAnswer defaultAnswer(const MenuParam& p) {
    ParamAnswer a;
    switch (p.type) {
    case 'N':
    case 'T':
        a.text = p.values.size() > 2 ? p.values[2] : std::string();
        break;
    case 'L':
        a.choice = p.defaultChoice;
        break;
    case 'M':
        a.ticked.assign(p.values.size(), false);
        break;
    default:
        break;
    }
    return a;
}

namespace {

bool safeText(std::string_view s) {
    for (unsigned char c : s) {
        if (c == '*' || c == '$' || c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

std::string rangeMessage(const MenuParam& p) {
    return cformat(str::kEnterValueBetween, p.values[0].c_str(), p.values[1].c_str());
}

} // namespace

std::string checkAnswer(const MenuParam& p, const ParamAnswer& a) {
    switch (p.type) {
    case 'N':
        if (!isDecimalNumber(a.text) ||
            !inRange(parseReal(a.text), parseReal(p.values[0]), parseReal(p.values[1])))
            return rangeMessage(p);
        return {};
    case 'T': {
        if (!safeText(a.text))
            return str::kTextNotAllowed;
        auto n = static_cast<long>(a.text.size());
        if (n < parseInteger(p.values[0]) || n > parseInteger(p.values[1]))
            return rangeMessage(p);
        return {};
    }
    case 'L':
        if (a.choice < 0 || a.choice >= static_cast<int>(p.values.size()))
            return str::kNoSelection;
        return {};
    case 'M':
        for (std::size_t i = 0; i < a.ticked.size() && i < p.values.size(); ++i) {
            if (a.ticked[i])
                return {};
        }
        return str::kNoSelection;
    default:
        return str::kNoSelection;
    }
}

std::string checkCommandLength(std::string_view command) {
    if (command.size() > kMaxCommandLength)
        return cformat(str::kCommandTooLong, static_cast<int>(kMaxCommandLength));
    return {};
}

BuiltCommand buildCommand(MenuItem& entry, const std::vector<ParamAnswer>& answers,
                          char portLetter) {
    BuiltCommand r;
    if (entry.heading || answers.size() != entry.params.size()) {
        r.message = str::kNoSelection;
        return r;
    }
    for (std::size_t i = 0; i < entry.params.size(); ++i) {
        std::string why = checkAnswer(entry.params[i], answers[i]);
        if (!why.empty()) {
            r.badParam = static_cast<int>(i);
            r.message = std::move(why);
            return r;
        }
    }
    std::string out;
    bool portDone = false;
    std::size_t next = 0;
    const std::string& t = entry.command;
    for (std::size_t i = 0; i < t.size(); ++i) {
        char c = t[i];
        if (c == '#' && !portDone) {
            out.push_back(portLetter ? portLetter : 'A');
            portDone = true;
            continue;
        }
        if (c != '%' || i + 1 >= t.size() || next >= entry.params.size()) {
            out.push_back(c);
            continue;
        }
        const MenuParam& p = entry.params[next];
        const ParamAnswer& a = answers[next];
        ++next;
        ++i; // the type letter
        switch (p.type) {
        case 'N':
        case 'T':
            out += a.text;
            break;
        case 'L':
            out += listCode(p.values[static_cast<std::size_t>(a.choice)]);
            break;
        case 'M': {
            bool first = true;
            for (std::size_t k = 0; k < p.values.size(); ++k) {
                if (k < a.ticked.size() && a.ticked[k]) {
                    if (!first)
                        out.push_back(',');
                    out += p.values[k];
                    first = false;
                }
            }
            break;
        }
        default:
            break;
        }
    }
    std::string tooLong = checkCommandLength(out);
    if (!tooLong.empty()) {
        r.message = std::move(tooLong);
        return r;
    }
    for (std::size_t i = 0; i < entry.params.size(); ++i) {
        MenuParam& p = entry.params[i];
        if (p.type == 'N' || p.type == 'T')
            p.values[2] = answers[i].text;
    }
    r.ok = true;
    r.command = std::move(out);
    return r;
}

} // namespace trix::ticket
