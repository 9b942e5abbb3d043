// The station's modem against quorvan-modem-sim, its own process: a central
// station dials a field device, and the calls that cannot connect.
#include "transport/modem_ovr.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <thread>

#include "tests/support/modem_sim_process.h"
#include "tests/support/pty_pair.h"
#include "transport/dial_plan.h"
#include "transport/sp_exception.h"

namespace {

using namespace std::chrono_literals;
using Octets = std::vector<uint8_t>;

// The messages a modem showed, in order.
class Notices {
public:
    Modem_Ovr::Notify callback() {
        return [this](const std::string& title, const std::string& text) {
            std::lock_guard lock(mutex_);
            shown_.push_back(title + ": " + text);
        };
    }
    std::vector<std::string> shown() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> shown_;
};

std::string shown(Modem_Notice notice) {
    return std::string(modem_notice_text(notice).title) + ": " + modem_notice_text(notice).text;
}

// Fast timings: the simulator rings every 100 ms and its guard time is
// 100 ms (S12=5); the station waits in steps of 300 ms.
Modem_Settings fast_settings() {
    Modem_Settings settings;
    settings.init_string = "ATE0V1Q0&D2S12=5";
    settings.wait_step = 300ms;
    settings.guard_time = 150ms;
    return settings;
}

class Modem_Call : public ::testing::Test {
protected:
    Modem_Sim_Process sim{QUORVAN_MODEM_SIM,
                          {"--ring-ms", "100", "--rings", "4", "--dial-ms", "30", "--connect-ms", "30", "--busy",
                           "5550199", "--no-answer", "5550188", "--no-dial-tone", "5550300", "--auto-answer",
                           "5550400", "5550100", "5550200"}};
    Notices central_notices;
    Notices field_notices;
    Modem_Ovr central{fast_settings(), central_notices.callback(), 0ms};
    Modem_Ovr field{fast_settings(), field_notices.callback(), 0ms};

    void SetUp() override {
        central.set_port(sim.port_of("5550100"), 9600);
        field.set_port(sim.port_of("5550200"), 9600);
    }

    // The field device waits for the call the central station makes.
    void call_field() {
        auto answered = std::async(std::launch::async, [&] { return field.answer(10s); });
        central.set_number("555-0200");
        ASSERT_TRUE(central.dial()) << testing::PrintToString(central_notices.shown());
        ASSERT_TRUE(answered.get()) << testing::PrintToString(field_notices.shown());
    }

    // Reads through a modem until count octets came, or the call ended.
    static Octets read_from(Modem_Ovr& modem, size_t count, std::chrono::milliseconds patience = 5s) {
        Octets buffer(550);
        size_t got = 0;
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (got < count && modem.connected() && std::chrono::steady_clock::now() < deadline) {
            Pending_Read pending;
            Read_Times times;
            modem.read(buffer, got, pending, times);
            if (got < count) std::this_thread::sleep_for(10ms);
        }
        buffer.resize(got);
        return buffer;
    }

    // Reads until the modem reports the call gone.
    static bool sees_call_end(Modem_Ovr& modem) { return read_from(modem, 550, 5s).size() < 550 && !modem.connected(); }
};

TEST_F(Modem_Call, TheCentralDialsTheFieldDataFlowsBothWaysAndTheFieldSeesTheHangUp) {
    call_field();
    EXPECT_TRUE(central.connected());
    EXPECT_NE(central.handle(), -1);
    EXPECT_TRUE(sim.traced("call 5550100 -> 5550200 connected"));

    const Octets request = {0x7E, 0x05, 0x13, 0xC1, 0x0D, 0x0A, 0x2B, 0x2B, 0x2B, 0x7E};
    central.write(request);
    EXPECT_EQ(read_from(field, request.size()), request);
    const Octets answer(300, 0x5A);
    field.write(answer);
    EXPECT_EQ(read_from(central, answer.size()), answer);

    central.hang_up();
    EXPECT_FALSE(central.connected());
    EXPECT_EQ(central.handle(), -1);
    EXPECT_TRUE(sim.traced("call 5550100 -> 5550200 ended by 5550100"));
    EXPECT_TRUE(sees_call_end(field));
    EXPECT_EQ(field_notices.shown(), std::vector<std::string>{shown(Modem_Notice::carrier_lost)});
    EXPECT_TRUE(central_notices.shown().empty());

    // Both go on: the line is free for the next call.
    call_field();
}

TEST_F(Modem_Call, CallsThatCannotConnectEndNotConnectedWithTheirMessage) {
    struct Case {
        std::string caller;
        std::string number;
        Modem_Notice notice;
        std::string trace;
    };
    const std::vector<Case> cases = {
        {"5550100", "5550199", Modem_Notice::busy, "5550199 is busy"},
        {"5550100", "5550188", Modem_Notice::no_answer, "5550188 does not answer"},
        {"5550100", "5550200", Modem_Notice::no_answer, "5550200 does not answer"},  // nobody answers the field modem
        {"5550300", "5550100", Modem_Notice::no_dialtone, "5550300 has no dial tone"},
        {"5550100", "999", Modem_Notice::no_carrier, "999 is not a number"},
    };
    for (const Case& c : cases) {
        Notices notices;
        Modem_Ovr modem(fast_settings(), notices.callback(), 0ms);
        modem.set_port(sim.port_of(c.caller), 9600);
        modem.set_number(c.number);
        EXPECT_FALSE(modem.dial()) << c.number;
        EXPECT_FALSE(modem.connected());
        EXPECT_EQ(notices.shown(), std::vector<std::string>{shown(c.notice)}) << c.number;
        EXPECT_TRUE(sim.traced(c.trace)) << c.trace;
        EXPECT_THROW(modem.write(Octets{1, 2, 3}), WritingPortException);
    }
}

TEST_F(Modem_Call, ADroppedCarrierEndsTheCallAtBothEnds) {
    call_field();
    sim.control("drop 5550100");
    EXPECT_TRUE(sees_call_end(central));
    EXPECT_TRUE(sees_call_end(field));
    EXPECT_EQ(central_notices.shown(), std::vector<std::string>{shown(Modem_Notice::carrier_lost)});
    EXPECT_EQ(field_notices.shown(), std::vector<std::string>{shown(Modem_Notice::carrier_lost)});
}

TEST_F(Modem_Call, TheDialPausesAtTheModifiersTheModemCannotDial) {
    struct Case {
        std::string dials_itself;
        std::string number;
        std::vector<std::string> prompts;
    };
    const std::string paused = std::string(kDialingPausedTitle) + ": ";
    const std::vector<Case> cases = {
        // A modem without dial-tone detection: the first digit, a pause, the other seven.
        {"@$", "5W5504-00", {paused + "Wait for the second dial tone"}},
        {"Ww@$", "5W5504-00", {}},
        {"Ww@$", "555?0400", {paused + "Press OK when you are ready to continue dialing"}},
        {"", "5$5w5@0400",
         {paused + "Wait for the credit card bong tone", paused + "Wait for the second dial tone",
          paused + "Wait for the remote end to answer"}},
    };
    for (const Case& c : cases) {
        Notices notices;
        Modem_Settings settings = fast_settings();
        settings.dials_itself = c.dials_itself;
        Modem_Ovr modem(settings, notices.callback(), 0ms);
        modem.set_port(sim.port_of("5550100"), 9600);
        modem.set_number(c.number);
        EXPECT_TRUE(modem.dial()) << c.number;
        EXPECT_EQ(notices.shown(), c.prompts) << c.number;
        EXPECT_TRUE(sim.traced("5550100 dials 5550400"));
        modem.hang_up();
        EXPECT_TRUE(sim.traced("ended by 5550100"));
    }
}

TEST_F(Modem_Call, WaitingForACallThatDoesNotComeIsNoFailure) {
    EXPECT_FALSE(field.answer(200ms));
    EXPECT_FALSE(field.connected());
    EXPECT_TRUE(field_notices.shown().empty());
}

TEST_F(Modem_Call, ACancelledWaitForACallEndsAtOnceWithoutAMessage) {
    const auto started = std::chrono::steady_clock::now();
    auto answered = std::async(std::launch::async, [&] { return field.answer(20s); });
    std::this_thread::sleep_for(300ms);
    field.cancel();
    EXPECT_FALSE(answered.get());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_TRUE(field_notices.shown().empty());
    call_field();  // the next wait is not cancelled
}

TEST(Modem_Cancel, ACancelledDialHangsUpWithoutAMessage) {
    Modem_Sim_Process sim{QUORVAN_MODEM_SIM,
                          {"--ring-ms", "100", "--rings", "1000", "--dial-ms", "30", "--no-answer", "5550188",
                           "5550100"}};
    Notices notices;
    Modem_Settings settings = fast_settings();
    settings.wait_step = 3s;
    Modem_Ovr modem(settings, notices.callback(), 0ms);
    modem.set_port(sim.port_of("5550100"), 9600);
    modem.set_number("5550188");
    const auto started = std::chrono::steady_clock::now();
    auto dialled = std::async(std::launch::async, [&] { return modem.dial(); });
    ASSERT_TRUE(sim.traced("5550188 rings"));
    modem.cancel();
    EXPECT_FALSE(dialled.get());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_TRUE(sim.traced("ended by 5550100"));
    EXPECT_TRUE(notices.shown().empty());
}

TEST(Modem_Port, APortWithoutAModemOrWithoutADeviceEndsNotConnected) {
    Pty_Pair silent_line;
    const std::vector<std::pair<std::string, Modem_Notice>> cases = {
        {silent_line.terminal_name(), Modem_Notice::not_a_data_modem},
        {"/nonexistent/ttyS9", Modem_Notice::port_unusable},
    };
    for (const auto& [port, notice] : cases) {
        Notices notices;
        Modem_Ovr modem(fast_settings(), notices.callback(), 0ms);
        modem.set_port(port, 9600);
        modem.set_number("5550100");
        EXPECT_FALSE(modem.dial());
        EXPECT_EQ(notices.shown(), std::vector<std::string>{shown(notice)}) << port;
    }
    Notices notices;
    Modem_Ovr modem(fast_settings(), notices.callback(), 0ms);
    modem.set_port(silent_line.terminal_name(), 9600);
    EXPECT_FALSE(modem.dial());
    EXPECT_EQ(notices.shown(), std::vector<std::string>{shown(Modem_Notice::no_number)});
}

}  // namespace

namespace {

// A modem that refuses the dial string with a modifier it cannot carry out:
// the station pauses there from then on, as for a modifier its settings
// say the modem cannot dial.
TEST(Modem_Refusing_Modifiers, ARefusedModifierBecomesAPause) {
    Modem_Sim_Process sim{QUORVAN_MODEM_SIM,
                          {"--dial-ms", "30", "--connect-ms", "30", "--cannot-dial", "W", "--auto-answer", "5550400",
                           "5550100"}};
    Notices notices;
    Modem_Ovr modem(fast_settings(), notices.callback(), 0ms);  // believed to dial "W"
    modem.set_port(sim.port_of("5550100"), 9600);
    modem.set_number("5W5504-00");
    EXPECT_TRUE(modem.dial());
    EXPECT_EQ(notices.shown(),
              std::vector<std::string>{std::string(kDialingPausedTitle) + ": Wait for the second dial tone"});
    EXPECT_TRUE(sim.traced("5550100 dials 5550400"));
}

}  // namespace

namespace {

// The far end of a pseudo-terminal playing a modem from a script: it takes
// each command (up to its carriage return) and answers it as the script
// says; the commands it took are the result.
struct Scripted_Step {
    std::string answer;  // written after the command came; nothing to stay silent
};

std::string next_command(const Pty_Pair& line) {
    std::string command;
    for (;;) {
        const Octets octet = line.read(1, 3s);
        if (octet.empty() || octet[0] == '\r') return command;
        command.push_back(static_cast<char>(octet[0]));
    }
}

std::future<std::vector<std::string>> play_modem(const Pty_Pair& line, std::vector<Scripted_Step> script) {
    return std::async(std::launch::async, [&line, script] {
        std::vector<std::string> commands;
        for (const Scripted_Step& step : script) {
            commands.push_back(next_command(line));
            if (!step.answer.empty()) line.write(Octets(step.answer.begin(), step.answer.end()));
        }
        return commands;
    });
}

class Scripted_Modem : public ::testing::Test {
protected:
    Scripted_Modem() {
        modem.set_port(line.terminal_name(), 9600);
        modem.set_number("5550100");
    }
    Pty_Pair line;
    Notices notices;
    Modem_Ovr modem{fast_settings(), notices.callback(), 0ms};
};

TEST_F(Scripted_Modem, DataThatCameWithTheConnectLineIsReadFirstAndNumericResultsCount) {
    auto commands = play_modem(line, {{"ATE0V1Q0&D2S12=5\r\r\nOK\r\n"}, {"1\r~\x01\x02~"}});
    ASSERT_TRUE(modem.dial());
    EXPECT_EQ(commands.get(), (std::vector<std::string>{"ATE0V1Q0&D2S12=5", "ATD5550100"}));
    Octets buffer(550);
    size_t count = 0;
    Pending_Read pending;
    Read_Times times;
    modem.read(buffer, count, pending, times);
    buffer.resize(count);
    EXPECT_EQ(buffer, (Octets{'~', 1, 2, '~'}));
}

TEST_F(Scripted_Modem, AModemThatIgnoresTheHangUpIsHungUpByDroppingDtr) {
    auto commands = play_modem(line, {{"\r\nOK\r\n"}, {"\r\nCONNECT\r\n"}, {""}});
    ASSERT_TRUE(modem.dial());
    modem.hang_up();  // "+++" and "ATH0" go unanswered
    EXPECT_EQ(commands.get(), (std::vector<std::string>{"ATE0V1Q0&D2S12=5", "ATD5550100", "+++ATH0"}));
    EXPECT_FALSE(modem.connected());
    EXPECT_TRUE(notices.shown().empty());

    // The port was closed to drop DTR; the next dial opens it again.
    auto again = play_modem(line, {{"\r\nOK\r\n"}, {"\r\nCONNECT 2400\r\n"}});
    EXPECT_TRUE(modem.dial());
    EXPECT_EQ(again.get().size(), 2u);
}

TEST_F(Scripted_Modem, RefusalsAndSilenceEndNotConnectedWithTheirMessage) {
    struct Case {
        std::vector<Scripted_Step> script;
        std::string notice;
    };
    const std::vector<Case> cases = {
        {{{"\r\nERROR\r\n"}}, shown(Modem_Notice::refused) + " ATE0V1Q0&D2S12=5"},
        {{{"\r\nOK\r\n"}, {"\r\nERROR\r\n"}, {"\r\nOK\r\n"}}, shown(Modem_Notice::refused) + " ATD5550100"},
        // A modem that says nothing after the dial: the waits run out, and the
        // dial is abandoned before the hang-up.
        {{{"\r\nOK\r\n"}, {""}, {"\r\nNO CARRIER\r\n"}, {"\r\nOK\r\n"}}, shown(Modem_Notice::not_in_time)},
    };
    for (const Case& c : cases) {
        Pty_Pair case_line;
        Notices case_notices;
        Modem_Settings settings = fast_settings();
        settings.connect_waits = 2;
        Modem_Ovr scripted(settings, case_notices.callback(), 0ms);
        scripted.set_port(case_line.terminal_name(), 9600);
        scripted.set_number("5550100");
        auto commands = play_modem(case_line, c.script);
        EXPECT_FALSE(scripted.dial());
        EXPECT_EQ(case_notices.shown(), std::vector<std::string>{c.notice});
        EXPECT_EQ(commands.get().size(), c.script.size());
    }
}

TEST_F(Scripted_Modem, AFieldDeviceThatCannotPrepareForCallsSaysSoOnce) {
    EXPECT_FALSE(modem.answer(0ms));
    EXPECT_FALSE(modem.answer(0ms));
    EXPECT_EQ(notices.shown(), std::vector<std::string>{shown(Modem_Notice::not_a_data_modem)});

    line.read_available();  // the two initialisations nobody answered
    auto commands = play_modem(line, {{"\r\nOK\r\n"}, {"\r\nOK\r\n\r\nRING\r\n"}, {"\r\nCONNECT\r\n"}});
    EXPECT_TRUE(modem.answer(3s));
    EXPECT_EQ(commands.get(), (std::vector<std::string>{"ATE0V1Q0&D2S12=5", "ATS0=0", "ATA"}));
}

}  // namespace
