// Dial-up from the command line through quorvan-modem-sim: quorvan-cli dials
// as the central station, quorvan-cli answers as the field device on a
// modem, each its own process on the simulator's pseudo-terminals.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "quorvan.h"
#include "tests/support/child_process.h"
#include "tests/support/modem_sim_process.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// The modems ring every 100 ms and keep a guard time of 100 ms (S12=5); the
// station waits in steps of 300 ms. A PPP request that goes unanswered is
// sent again after a second.
const std::vector<std::string> kFastModem = {"--init", "ATE0V1Q0&D2S12=5", "--wait-ms", "300", "--guard-ms", "150"};
const std::vector<std::string> kPpp = {"--link", "ppp", "--secret", "s3cret", "--restart-ms", "1000"};
const std::vector<std::string> kFastExchange = {"--ring-ms", "100", "--rings", "4", "--dial-ms", "30",
                                                "--connect-ms", "30"};

std::vector<std::string> joined(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Whether the texts come in this order in the output.
::testing::AssertionResult in_order(const std::string& output, const std::vector<std::string>& texts) {
    size_t at = 0;
    for (const std::string& text : texts) {
        const size_t found = output.find(text, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "\"" << text << "\" missing (in order) in:\n" << output;
        at = found + text.size();
    }
    return ::testing::AssertionSuccess();
}

class Dialup : public ::testing::Test {
protected:
    Dialup() {
        copy_sample_into(central_dir);
        copy_sample_into(field_dir);
    }

    // The field device on the modem with that number.
    void start_field(const std::string& number) {
        std::vector<std::string> argv = {QUORVAN_CLI, "--workdir", field_dir.path(), "field", "--modem",
                                         "--port", sim.port_of(number), "--secret", "s3cret", "--restart-ms", "1000"};
        field = std::make_unique<Child_Process>(joined(argv, kFastModem));
        ASSERT_TRUE(field->wait_for("Field device answering on")) << field->output();
    }

    // The central station dialling from the modem `from`; its steps are
    // written to it by the test.
    std::unique_ptr<Child_Process> dial(const std::string& number, const std::vector<std::string>& options = {},
                                        const std::string& from = "5550100") {
        std::vector<std::string> argv = {QUORVAN_CLI, "--workdir", central_dir.path(), "dial", number,
                                         "--port", sim.port_of(from), "--timeout", "3"};
        return std::make_unique<Child_Process>(joined(joined(argv, kFastModem), options));
    }

    Modem_Sim_Process sim{QUORVAN_MODEM_SIM,
                          joined(kFastExchange, {"--busy", "5550199", "--no-answer", "5550188", "--no-dial-tone",
                                                 "5550300", "--auto-answer", "5550400", "5550100", "5550200"})};
    Temp_Dir central_dir;
    Temp_Dir field_dir;
    std::unique_ptr<Child_Process> field;
};

TEST_F(Dialup, TheCentralDialsNegotiatesPppGetsAndSetsAndHangsUpAndTheFieldWaitsForTheNextCall) {
    start_field("5550200");

    auto central = dial("5550200", kPpp);
    for (const char* step : {"get demoInteger.0", "set demoInteger.0=7", "get demoInteger.0", "hangup"})
        central->send_line(step);
    EXPECT_EQ(central->finish(), 0) << central->output();
    EXPECT_TRUE(in_order(central->output(),
                         {"Dialing 5550200", "Connected", QV_TEXT_DIALUP_PPP, QV_TEXT_PPP_STARTING, "LCP Configure Ack",
                          "CHAP Authentication successful", "result: 0", "value: 0", "result: 0", "value: 7",
                          "result: 0", "value: 7", "Modem call ended", "Hung up"}));
    EXPECT_TRUE(field->wait_for("Modem call ended")) << field->output();
    EXPECT_TRUE(in_order(field->output(), {"Modem call connected", "CHAP Authentication successful",
                                           "The carrier was lost; the call is hung up.", "Modem call ended"}));

    // The field device answers the next call, with what the first one set.
    field->forget_output();
    auto again = dial("5550200", kPpp);
    again->send_line("get demoInteger.0");
    EXPECT_EQ(again->finish(), 0) << again->output();
    EXPECT_TRUE(in_order(again->output(), {"CHAP Authentication successful", "value: 7", "Hung up"}));
    EXPECT_TRUE(field->wait_for("Modem call ended")) << field->output();
    EXPECT_TRUE(in_order(field->output(), {"Modem call connected", "Modem call ended"}));
}

TEST_F(Dialup, CallsThatCannotConnectEndNotConnectedWithTheirMessage) {
    struct Case {
        std::string from;
        std::string number;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"5550100", "5550199", "Error: The number dialed is busy."},
        {"5550100", "5550188", "Error: The number dialed does not answer."},
        {"5550300", "5550100", "Error: There is no dial tone on the line."},
        {"5550100", "999", "Error: No carrier: the call could not be connected."},
    };
    for (const Case& c : cases) {
        auto central = dial(c.number, {}, c.from);
        EXPECT_EQ(central->finish(), 1) << c.number;
        EXPECT_TRUE(in_order(central->output(), {"Dialing " + c.number, c.message, "Not connected"})) << c.number;
    }
}

TEST_F(Dialup, ADroppedCarrierEndsTheCallAtBothEnds) {
    start_field("5550200");
    auto central = dial("5550200", kPpp);
    central->send_line("get demoInteger.0");
    ASSERT_TRUE(central->wait_for("value: 0")) << central->output();
    sim.control("drop 5550100");
    const std::string lost = "The carrier was lost; the call is hung up.";
    ASSERT_TRUE(central->wait_for("Warning: " + lost)) << central->output();
    EXPECT_TRUE(field->wait_for("Modem call ended")) << field->output();
    EXPECT_TRUE(in_order(field->output(), {lost, "Modem call ended"}));
    // The next step finds the call gone.
    central->send_line("get demoInteger.0");
    EXPECT_EQ(central->finish(), 1);
    EXPECT_TRUE(in_order(central->output(), {"Modem call ended", "The call has ended", "Hung up"}));
}

TEST_F(Dialup, TheDialPausesAtTheModifiersTheModemCannotDialUntilTheUserGoesOn) {
    struct Case {
        std::string number;
        std::string dials_itself;
        std::string prompt;
    };
    const std::vector<Case> cases = {
        // Without dial-tone detection: the first digit, a pause, the other seven.
        {"5W5504-00", "@$", "Dialing Paused: Wait for the second dial tone"},
        {"555?0400", "Ww@$", "Dialing Paused: Press OK when you are ready to continue dialing"},
    };
    for (const Case& c : cases) {
        auto central = dial(c.number, {"--dials", c.dials_itself});
        ASSERT_TRUE(central->wait_for(c.prompt)) << central->output();
        std::this_thread::sleep_for(300ms);
        EXPECT_EQ(central->output().find("Connected"), std::string::npos) << "the dial went on without the user";
        central->send_line("");
        EXPECT_TRUE(central->wait_for("Connected")) << central->output();
        EXPECT_EQ(central->finish(), 0);
        EXPECT_TRUE(sim.traced("5550100 dials 5550400"));
    }
}

TEST(Dialup_Refused_Modifier, AModemThatRefusesTheWaitForDialTonePausesThereInstead) {
    Modem_Sim_Process sim{QUORVAN_MODEM_SIM, joined(kFastExchange, {"--cannot-dial", "W", "--auto-answer",
                                                                    "5550400", "5550100"})};
    Temp_Dir dir;
    copy_sample_into(dir);
    // The station believes the modem dials "W" itself (the default).
    Child_Process central(joined({QUORVAN_CLI, "--workdir", dir.path(), "dial", "5W5504-00", "--port",
                                  sim.port_of("5550100")},
                                 kFastModem));
    ASSERT_TRUE(central.wait_for("Dialing Paused: Wait for the second dial tone")) << central.output();
    central.send_line("");
    EXPECT_EQ(central.finish(), 0);
    EXPECT_TRUE(in_order(central.output(), {"Connected", "Hung up"}));
    EXPECT_TRUE(sim.traced("5550100 dials 5550400"));
}

}  // namespace
