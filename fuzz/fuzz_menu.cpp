// Command menu files: any bytes compile to a menu or an error, and every entry of a menu that
// compiled builds its command from the form's starting answers without reading past a table.

#include "ticket/menu_file.h"
#include "ticket/parameter_form.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    trix::ticket::MenuFile menu = trix::ticket::compileMenu(text, "fuzz.MNU");
    for (auto& item : menu.items) {
        if (item.heading)
            continue;
        std::vector<trix::ticket::ParamAnswer> answers;
        for (const auto& p : item.params) {
            answers.push_back(trix::ticket::defaultAnswer(p));
            if (p.type == 'M' && !answers.back().ticked.empty())
                answers.back().ticked[0] = true;
            if (p.type == 'L') {
                (void)trix::ticket::listText(p.values[0]);
                (void)trix::ticket::listCode(p.values[0]);
            }
        }
        (void)trix::ticket::buildCommand(item, answers, 'B');
    }
    return 0;
}
