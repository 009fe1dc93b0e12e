#pragma once
// Command menus (*.MNU): one file per receiver model, compiled into a list of headings and
// entries. An entry carries a command template whose placeholders ("%N", "%T", "%L", "%M") are
// filled from a parameter form; its first '#' becomes the receiver's port letter.

#include <string>
#include <string_view>
#include <vector>

namespace trix::ticket {

inline constexpr std::size_t kMaxMenuLine = 254;

struct MenuParam {
    char type = 'N';                 // 'N' number, 'T' text, 'L' list, 'M' multiple choice
    std::string prompt;              // the label of its field
    std::vector<std::string> values; // as written in the file (a T parameter always has three)
    int defaultChoice = 0;           // L: the value marked '*', else the first
};

struct MenuItem {
    bool heading = false;
    int depth = 0;   // 0 at the root, one deeper than the heading an entry sits under
    int parent = -1; // index of the heading it hangs under in the tree, -1 at the root
    int line = 0;    // 1-based line of its title
    std::string title;
    std::string command; // the template as written (entries only)
    std::vector<MenuParam> params;
};

struct MenuFile {
    std::vector<MenuItem> items; // headings and entries in file order (their index)
    bool ok = false;
    int errorLine = 0;
    std::string error; // the compile message, ready to show
};

// Compiles menu text; `fileName` is named in the error message. On an error the menu is empty.
MenuFile compileMenu(std::string_view text, std::string_view fileName);
// Reads and compiles a file; a file that cannot be read gives the "could not be opened" text.
MenuFile loadMenu(const std::string& path);

// The part of an L value that goes into the command ("5(9600*)" gives "5").
std::string listCode(std::string_view value);
// The text shown for an L value ("5(9600*)" gives "9600").
std::string listText(std::string_view value);

} // namespace trix::ticket
