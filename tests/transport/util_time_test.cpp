#include "transport/util_time.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

TEST(UtilTime, TimeOfDayWithMilliseconds) {
    const std::string text = util_time();
    EXPECT_TRUE(std::regex_match(text, std::regex("([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]\\.[0-9]{3}"))) << text;
}

}  // namespace
