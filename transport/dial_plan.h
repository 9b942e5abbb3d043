// How a phone number is dialled when the modem cannot carry out some of the
// dial modifiers itself: the number is dialled in parts, each ending where
// such a modifier stands, and the user is asked to continue at each pause.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Dial_Modifier {
    char modifier;
    const char* prompt;  // shown after the part before it is dialled
};

inline constexpr const char* kDialingPausedTitle = "Dialing Paused";

inline constexpr std::array<Dial_Modifier, 5> kDialModifiers{{
    {'$', "Wait for the credit card bong tone"},
    {'W', "Wait for the second dial tone"},
    {'w', "Wait for the second dial tone"},
    {'@', "Wait for the remote end to answer"},
    {'?', "Press OK when you are ready to continue dialing"},
}};

// Never dialled by a modem: the user always confirms.
inline constexpr char kPromptModifier = '?';

// The prompt of a modifier; nothing for a character that is none.
std::optional<std::string_view> dial_prompt(char modifier);

// The modifiers the station dials by pausing: those of the table the modem
// does not dial itself, and "?" always.
std::string undialable_modifiers(std::string_view modem_dials);

struct Dial_Part {
    std::string digits;  // what the modem dials
    char pause = 0;      // the modifier after the part; 0 for the last part
};

// The first part of a number: up to its first undialable modifier.
Dial_Part first_dial_part(std::string_view number, std::string_view undialable);

// All the parts of a number, in order.
std::vector<Dial_Part> dial_plan(std::string_view number, std::string_view undialable);

// The first modifier of the table in the digits that is not yet undialable:
// the one a modem that refuses the part may not have been able to dial.
std::optional<char> refusable_modifier(std::string_view digits, std::string_view undialable);
