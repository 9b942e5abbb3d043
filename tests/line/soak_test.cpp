// A long run of requests with the field device spoiling its answers at
// random: every request gets exactly one outcome, the line never sticks,
// and neither station's memory grows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <random>
#include <string>

#include "quorvan.h"
#include "tests/line/line_fixture.h"
#include "tests/support/child_process.h"

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizers keep freed memory back on purpose; resident size says nothing.
constexpr bool kMemoryIsMeasurable = false;
#else
constexpr bool kMemoryIsMeasurable = true;
#endif

constexpr int kRequests = 2000;
constexpr int kWarmUp = 300;
constexpr int kPerInjection = 40;
constexpr int kUnansweredEvery = 400;
constexpr long kGrowthAllowedKb = 1024;

// Errors the field device may add to an answer, one subset at a time.
std::string random_injection(std::mt19937& random) {
    static const char* const kErrors[] = {"extra-byte",  "remove-byte", "change-byte",
                                          "bad-crc",     "bad-control", "bad-address"};
    if (random() % 3 == 0) return "none";
    std::string list;
    for (const char* error : kErrors)
        if (random() % 4 == 0) list += (list.empty() ? "" : ",") + std::string(error);
    return list.empty() ? "none" : list;
}

class Soak : public Line_Test {
protected:
    Soak() : Line_Test(1) {}
};

TEST_F(Soak, EveryRequestGetsOneOutcomeAndMemoryStaysFlat) {
    start_field();
    std::mt19937 random(2026);
    const Request_Plan requests[] = {
        {Kind::get, {{"demoInteger.0", "", 0}, {"demoName.0", "", 0}}},
        {Kind::get_next, {{"demoSignalState.2", "", 0}}},
        {Kind::set, {{"demoInteger.0", "41", QV_TYPE_INTEGER}}},
    };
    std::map<int32_t, int> outcomes;
    std::string injection = "none";
    long field_before = 0;
    long central_before = 0;
    for (int n = 0; n < kRequests; ++n) {
        if (n == kWarmUp) {
            field_before = field->resident_kb();
            central_before = resident_kb_of(getpid());
        }
        const bool unanswered = n % kUnansweredEvery == kUnansweredEvery / 2;
        if (unanswered) {
            inject("no-response", 1);
            injection = "none";  // the count of 1 clears every switch afterwards
        } else if (n % kPerInjection == 0) {
            injection = random_injection(random);
            inject(injection);
        }
        const int32_t id = send(requests[n % 3]);
        ASSERT_NE(id, -1);
        carry_request();
        const Frame answer = carry_answer(unanswered ? std::chrono::milliseconds(200) : std::chrono::seconds(5));
        ASSERT_EQ(answer.empty(), unanswered) << "request " << n;
        const Outcome out = outcome(id);
        ASSERT_NE(out.result, -1) << "request " << n << " got no outcome";
        if (unanswered) {
            EXPECT_EQ(out.result, 0x10) << "request " << n;
        } else if (injection == "none") {
            EXPECT_EQ(out.result, 0) << "request " << n << ": " << out.message;
        }
        // Nothing of this request remains once its outcome is cleared.
        Owned_Text left;
        EXPECT_EQ(GetResponseValue(id, &left.text), -1) << "request " << n;
        ++outcomes[out.result];
        if (n % 100 == 0) {
            forget_central_display();
            field->forget_output();
        }
    }

    // Nothing is left waiting: clean requests are answered in turn.
    inject("none");
    for (const Request_Plan& request : requests) EXPECT_EQ(round_trip(request).result, 0);

    const long field_after = field->resident_kb();
    const long central_after = resident_kb_of(getpid());
    std::string summary;
    for (const auto& [result, count] : outcomes) summary += " " + std::to_string(result) + ":" + std::to_string(count);
    std::printf("outcomes (result:count):%s\n", summary.c_str());
    std::printf("resident kB after %d and after %d requests: field %ld -> %ld, central %ld -> %ld\n", kWarmUp,
                kRequests, field_before, field_after, central_before, central_after);
    EXPECT_GT(outcomes[0], kRequests / 4);
    // Every unanswered request times out; so does one whose answer had its
    // request id changed on the way, as an answer matches its request by id.
    EXPECT_GE(outcomes[0x10], kRequests / kUnansweredEvery);
    EXPECT_LT(outcomes[0x10], kRequests / kUnansweredEvery + kRequests / 50);
    if (kMemoryIsMeasurable) {
        EXPECT_LT(field_after - field_before, kGrowthAllowedKb);
        EXPECT_LT(central_after - central_before, kGrowthAllowedKb);
    }
}

}  // namespace
