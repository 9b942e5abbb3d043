#include "field/error_injection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

Error_Mode only(Error_Switch which, int32_t count = 0) {
    Error_Mode mode;
    mode.set(which, true);
    mode.message_count = count;
    return mode;
}

TEST(ErrorInjection, EachSwitchHasItsNibbleOfTheMask) {
    ErrorInjection injection;
    EXPECT_EQ(injection.mask(), 0u);
    EXPECT_FALSE(injection.is_active());
    Error_Mode all;
    for (size_t n = 0; n < kErrorSwitchCount; ++n) {
        const auto which = static_cast<Error_Switch>(n);
        injection.set(only(which));
        EXPECT_EQ(injection.mask(), uint32_t{1} << (4 * n)) << n;
        EXPECT_TRUE(injection.is_active()) << n;
        all.set(which, true);
    }
    injection.set(all);
    EXPECT_EQ(injection.mask(), 0x11111111u);
    EXPECT_EQ(injection.mode(), all);
}

TEST(ErrorInjection, TheMessageCountClearsTheSwitchesWhenItRunsOut) {
    const struct {
        int32_t count;
        int answers_held_back;
        bool still_active;
        int32_t count_after;
    } cases[] = {
        {1, 1, false, 0}, {2, 1, true, 1}, {2, 2, false, 0}, {0, 5, true, 0}, {-3, 5, true, -3},
    };
    for (const auto& c : cases) {
        ErrorInjection injection;
        injection.set(only(Error_Switch::do_not_respond, c.count));
        for (int i = 0; i < c.answers_held_back; ++i) injection.one_message_done();
        EXPECT_EQ(injection.is_active(), c.still_active) << c.count;
        EXPECT_EQ(injection.do_not_respond(), c.still_active) << c.count;
        EXPECT_EQ(injection.mode().message_count, c.count_after) << c.count;
    }
}

TEST(ErrorInjection, TheReceiverReadsWholeSettingsWhileTheUserChangesThem) {
    ErrorInjection injection;
    Error_Mode first = only(Error_Switch::invalid_crc, 0);
    Error_Mode second;
    second.set(Error_Switch::add_extra_byte, true);
    second.set(Error_Switch::invalid_address_field, true);
    second.message_count = 7;
    std::atomic<bool> torn{false};
    std::thread user([&] {
        for (int i = 0; i < 20000; ++i) injection.set(i % 2 ? first : second);
    });
    for (int i = 0; i < 20000; ++i) {
        const Error_Mode seen = injection.mode();
        if (!(seen == first || seen == second || seen == Error_Mode{})) torn = true;
    }
    user.join();
    EXPECT_FALSE(torn);
}

}  // namespace
