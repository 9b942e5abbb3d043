#include "transport/dial_plan.h"

#include <gtest/gtest.h>

namespace {

std::string parts_of(std::string_view number, std::string_view modem_dials) {
    std::string shown;
    for (const Dial_Part& part : dial_plan(number, undialable_modifiers(modem_dials))) {
        shown += "[" + part.digits + "]";
        if (part.pause != 0) shown += part.pause;
    }
    return shown;
}

TEST(Dial_Plan, TheNumberIsDialledInPartsAtTheModifiersTheModemCannotDial) {
    struct Case {
        std::string number;
        std::string modem_dials;
        std::string parts;
    };
    const std::vector<Case> cases = {
        {"5551234", "", "[5551234]"},
        {"9W5551234", "", "[9]W[5551234]"},
        {"9W5551234", "W", "[9W5551234]"},
        {"9w5551234", "W", "[9]w[5551234]"},  // the two cases are set apart
        {"555?1234", "$Ww@?", "[555]?[1234]"},  // "?" is always the user's
        {"1$2@3w4", "", "[1]$[2]@[3]w[4]"},
        {"1$2@3w4", "$@", "[1$2@3]w[4]"},
        {"W", "", "[]W[]"},
        {"", "", "[]"},
        {"12??", "", "[12]?[]?[]"},
    };
    for (const Case& c : cases) EXPECT_EQ(parts_of(c.number, c.modem_dials), c.parts) << c.number;
}

TEST(Dial_Plan, EachModifierHasItsPrompt) {
    EXPECT_EQ(undialable_modifiers("Ww@$"), "?");
    EXPECT_EQ(undialable_modifiers(""), "$Ww@?");
    EXPECT_EQ(dial_prompt('W'), "Wait for the second dial tone");
    EXPECT_EQ(dial_prompt('w'), "Wait for the second dial tone");
    EXPECT_EQ(dial_prompt('$'), "Wait for the credit card bong tone");
    EXPECT_EQ(dial_prompt('@'), "Wait for the remote end to answer");
    EXPECT_EQ(dial_prompt('?'), "Press OK when you are ready to continue dialing");
    EXPECT_FALSE(dial_prompt('5'));
    EXPECT_EQ(refusable_modifier("9W55@5", "?"), 'W');
    EXPECT_EQ(refusable_modifier("9W55@5", "?W"), '@');
    EXPECT_FALSE(refusable_modifier("5551234", "?"));
}

}  // namespace
