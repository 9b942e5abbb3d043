#include "transport/dial_plan.h"

std::optional<std::string_view> dial_prompt(char modifier) {
    for (const Dial_Modifier& entry : kDialModifiers)
        if (entry.modifier == modifier) return entry.prompt;
    return std::nullopt;
}

std::string undialable_modifiers(std::string_view modem_dials) {
    std::string undialable;
    for (const Dial_Modifier& entry : kDialModifiers)
        if (entry.modifier == kPromptModifier || modem_dials.find(entry.modifier) == std::string_view::npos)
            undialable.push_back(entry.modifier);
    return undialable;
}

Dial_Part first_dial_part(std::string_view number, std::string_view undialable) {
    const size_t stop = number.find_first_of(undialable);
    if (stop == std::string_view::npos) return {std::string(number), 0};
    return {std::string(number.substr(0, stop)), number[stop]};
}

std::vector<Dial_Part> dial_plan(std::string_view number, std::string_view undialable) {
    std::vector<Dial_Part> parts;
    for (;;) {
        parts.push_back(first_dial_part(number, undialable));
        if (parts.back().pause == 0) return parts;
        number.remove_prefix(parts.back().digits.size() + 1);
    }
}

std::optional<char> refusable_modifier(std::string_view digits, std::string_view undialable) {
    for (const char c : digits)
        if (dial_prompt(c) && undialable.find(c) == std::string_view::npos) return c;
    return std::nullopt;
}
