// The macro exports without a line: one run at a time, and a run that ends
// when the station shuts down.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <semaphore>

#include "tests/api/engine_fixture.h"

namespace {

std::mutex shown_mutex;
std::string shown;

int32_t show(const char* text) {
    std::lock_guard hold(shown_mutex);
    shown += text;
    return 0;
}

std::string shown_text() {
    std::lock_guard hold(shown_mutex);
    return shown;
}

std::binary_semaphore asked{0};
std::binary_semaphore answer_given{0};

int32_t wait_for_test(char** answer, const char*) {
    asked.release();
    answer_given.acquire();
    *answer = strdup("go");
    return 0;
}

class Macro_Calls : public Sample_Engine {
protected:
    Macro_Calls() {
        std::lock_guard hold(shown_mutex);
        shown.clear();
    }
};

TEST_F(Macro_Calls, NeedAnEngine) {
    EXPECT_EQ(Macro("none.mac", show, nullptr, nullptr), -1);
    EXPECT_EQ(WaitForMacro(12345, nullptr), -1);
}

TEST_F(Macro_Calls, ASecondRunWhileOneGoesIsRefused) {
    load();
    dir.write("first.mac", "string s[4]; s = inuser(\"wait\"); verdict(s, 1)");
    dir.write("second.mac", "verdict(\"second\", 1)");
    ASSERT_EQ(Macro("first.mac", show, wait_for_test, nullptr), 0);
    const int32_t first = GetMacroHandle();
    asked.acquire();
    EXPECT_EQ(Macro("second.mac", show, wait_for_test, nullptr), -1);
    EXPECT_EQ(GetMacroHandle(), first);
    answer_given.release();
    Owned_Text verdicts;
    EXPECT_EQ(WaitForMacro(first, &verdicts.text), 0);
    EXPECT_EQ(verdicts.str(), "1 go\n");
    EXPECT_EQ(shown_text(),
              "\nRunning macrofirst.macFile parsed successfully\n"
              "\nA macro is already running; this one is not started: second.mac\n"
              "Verdict go: passed\n\nAfter execution\n");

    // Once it has ended, the next one runs.
    ASSERT_EQ(Macro("second.mac", show, nullptr, nullptr), 0);
    EXPECT_EQ(GetMacroHandle(), first + 1);
    EXPECT_EQ(WaitForMacro(first + 1, nullptr), 0);
}

TEST_F(Macro_Calls, ARunThatStopsOrDoesNotParseIsReported) {
    load();
    dir.write("stops.mac", "int a; a = b");
    dir.write("bad.mac", "a = = 1");
    ASSERT_EQ(Macro("stops.mac", show, nullptr, nullptr), 0);
    EXPECT_EQ(WaitForMacro(GetMacroHandle(), nullptr), 1);
    ASSERT_EQ(Macro("bad.mac", show, nullptr, nullptr), 0);
    EXPECT_EQ(WaitForMacro(GetMacroHandle(), nullptr), 1);
}

TEST_F(Macro_Calls, ShutdownEndsARunThatWaits) {
    load();
    dir.write("long.mac", "sleep(600000); out(\"never\")");
    ASSERT_EQ(Macro("long.mac", show, nullptr, nullptr), 0);
    const int32_t handle = GetMacroHandle();
    const auto start = std::chrono::steady_clock::now();
    Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(WaitForMacro(handle, nullptr), 1);
    EXPECT_NE(shown_text().find("The station is shutting down.\nThe macro stops here.\n\nAfter execution\n"),
              std::string::npos);
}

TEST_F(Macro_Calls, TheNodeBuiltinsReadTheTree) {
    load();
    dir.write("nodes.mac",
              "outfile(\"o.txt\"); out(intToString(getNodeInfo(\"demoTemperature.0\"))); out(\" \");"
              "out(getNodeName()); out(\" \"); out(getNodeOID()); out(\" \");"
              "out(intToString(getNodeObjects(\"demoSignalTable\"))); out(\" \"); out(getInstance(0)); out(\" \");"
              "out(getNextInstance(\"demoInteger.0\")); out(\" \"); out(calcCRC(\"313233343536373839\"))");
    ASSERT_EQ(Macro("nodes.mac", show, nullptr, nullptr), 0);
    EXPECT_EQ(WaitForMacro(GetMacroHandle(), nullptr), 0) << shown_text();
    EXPECT_EQ(dir.read("o.txt").substr(0, 20), "0 demoTemperature.0 ");
    EXPECT_NE(dir.read("o.txt").find(" 6E90"), std::string::npos) << dir.read("o.txt");
}

}  // namespace
