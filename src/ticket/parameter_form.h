#pragma once
// The parameter form of a menu entry without its window: the checks of each field and the
// command built from the answers.

#include "ticket/menu_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace trix::ticket {

// Longest command text the sender takes; the sentence with its checksum and line end must fit
// the port's 1024-byte write.
inline constexpr std::size_t kMaxCommandLength = 1021;
// Longest text the "Type" box takes.
inline constexpr std::size_t kMaxTypedLength = 254;

// Optional sign, digits, at most one '.', and at least one digit: "12", "-0.5", "+3.", ".5".
bool isDecimalNumber(std::string_view text);

// What the user gave for one parameter.
struct ParamAnswer {
    std::string text;         // N and T
    int choice = -1;          // L: index of the chosen value
    std::vector<bool> ticked; // M: one flag per value
};

// The answer a form starts with: the default text, the marked (or first) list value, nothing
// ticked.
ParamAnswer defaultAnswer(const MenuParam& p);

// The message for an answer that cannot be taken; empty when it is fine.
std::string checkAnswer(const MenuParam& p, const ParamAnswer& a);

struct BuiltCommand {
    bool ok = false;
    std::string command; // without checksum
    int badParam = -1;   // the field to focus when a check failed
    std::string message; // why not
};

// Fills the template left to right in one pass: each placeholder takes its own answer, the
// first '#' of the template the port letter ('A' when none is known). Text the user typed is
// never searched again. Accepted N and T answers become the entry's new defaults.
BuiltCommand buildCommand(MenuItem& entry, const std::vector<ParamAnswer>& answers,
                          char portLetter);

// A command the sender refuses before it goes out: too long, or empty.
std::string checkCommandLength(std::string_view command);

} // namespace trix::ticket
