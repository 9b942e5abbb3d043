// quorvan-modem-sim as its own process, driven the way a terminal program
// drives a Hayes modem: AT commands typed on each modem's pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/support/modem_sim_process.h"
#include "tests/support/process.h"

namespace {

using namespace std::chrono_literals;

// One modem's port as a terminal program has it open.
class Terminal {
public:
    explicit Terminal(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        termios raw{};
        tcgetattr(fd_, &raw);
        cfmakeraw(&raw);
        tcsetattr(fd_, TCSANOW, &raw);
    }
    ~Terminal() { close(); }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    void type(const std::string& text) const {
        EXPECT_EQ(::write(fd_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    void command(const std::string& text) const { type(text + "\r"); }

    // Reads until what came since the last expectation holds the text; the
    // text and what came before it are then consumed.
    bool expect(const std::string& text, std::chrono::milliseconds patience = 5s) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        for (;;) {
            if (const size_t at = seen_.find(text); at != std::string::npos) {
                seen_.erase(0, at + text.size());
                return true;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd entry{fd_, POLLIN, 0};
            if (poll(&entry, 1, static_cast<int>(left.count())) <= 0) continue;
            char chunk[256];
            const ssize_t n = ::read(fd_, chunk, sizeof chunk);
            if (n > 0) seen_.append(chunk, static_cast<size_t>(n));
        }
    }
    // What came within the time, consumed.
    std::string quiet_for(std::chrono::milliseconds time) {
        expect(std::string(1, '\0'), time);
        std::string all;
        all.swap(seen_);
        return all;
    }

private:
    int fd_;
    std::string seen_;
};

class Modem_Sim : public ::testing::Test {
protected:
    Modem_Sim_Process sim{QUORVAN_MODEM_SIM,
                          {"--ring-ms", "100", "--rings", "4", "--dial-ms", "30", "--connect-ms", "30", "--busy",
                           "555-0199", "--no-answer", "5550188", "--no-dial-tone", "5550300", "--auto-answer",
                           "5550400", "555-0100", "555-0200"}};
    Terminal a{sim.port_of("5550100")};
    Terminal b{sim.port_of("5550200")};

    // Both modems quiet, with the guard time at 100 ms.
    void SetUp() override {
        for (Terminal* t : {&a, &b}) {
            t->command("ATE0V1S12=5");
            ASSERT_TRUE(t->expect("\r\nOK\r\n"));
        }
    }

    // a calls b, b answers with ATA.
    void connect() {
        a.command("ATDT555-0200");
        ASSERT_TRUE(b.expect("\r\nRING\r\n"));
        b.command("ATA");
        ASSERT_TRUE(a.expect("\r\nCONNECT 9600\r\n"));
        ASSERT_TRUE(b.expect("\r\nCONNECT 9600\r\n"));
    }
};

TEST_F(Modem_Sim, AnswersCommandsInItsResultForms) {
    struct Case {
        std::string command;
        std::string answer;
    };
    const std::vector<Case> cases = {
        {"ATE1", "\r\nOK\r\n"},
        {"AT", "AT\r\r\nOK\r\n"},  // echoed
        {"ATE0", "ATE0\r\r\nOK\r\n"},
        {"noise AT&F L1 M0 X4 &D2 &C1", "\r\nOK\r\n"},  // noise before AT is dropped; &F turns echo on
        {"ATE0", "ATE0\r\r\nOK\r\n"},
        {"ATS12?", "\r\n050\r\n\r\nOK\r\n"},  // &F restored the guard time
        {"ATS0=300", "\r\nERROR\r\n"},
        {"ATK9", "\r\nERROR\r\n"},
        {"ATD555?0200", "\r\nERROR\r\n"},  // "?" is for the station, not for a modem
        {"ATH", "\r\nOK\r\n"},
        {"ATO", "\r\nNO CARRIER\r\n"},
        {"ATA", "\r\nNO CARRIER\r\n"},
        {"ATV0", "0\r"},
        {"ATX9Q0", "0\r"},
        {"ATD5550199", "7\r"},
        {"ATV1D5550199", "\r\nBUSY\r\n"},
        {"AT" + std::string(300, 'E'), "\r\nERROR\r\n"},
    };
    for (const Case& c : cases) {
        a.command(c.command);
        EXPECT_EQ(a.quiet_for(300ms), c.answer) << c.command;
    }
}

TEST_F(Modem_Sim, CallsThatCannotConnectEndWithTheirResult) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ATD5550199", "\r\nBUSY\r\n"},
        {"ATD5550188", "\r\nNO ANSWER\r\n"},
        {"ATD5550100", "\r\nBUSY\r\n"},  // itself
        {"ATD999", "\r\nNO CARRIER\r\n"},
    };
    for (const auto& [command, result] : cases) {
        a.command(command);
        EXPECT_TRUE(a.expect(result)) << command;
    }
    Terminal dead(sim.port_of("5550300"));
    dead.command("ATD5550100");
    EXPECT_TRUE(dead.expect("\r\nNO DIALTONE\r\n"));

    // Nobody answers b: after the rings the caller hears NO ANSWER.
    a.command("ATD5550200");
    EXPECT_TRUE(a.expect("\r\nNO ANSWER\r\n"));
    EXPECT_EQ(b.quiet_for(200ms).find("CONNECT"), std::string::npos);
}

TEST_F(Modem_Sim, DataPassesOnlineAndTheEscapeNeedsItsGuardTimes) {
    connect();
    a.type("hello +++ there");  // no guard time around it: data
    EXPECT_TRUE(b.expect("hello +++ there"));
    b.type(std::string("\x7e\x00\xff\r\n", 5));
    EXPECT_TRUE(a.expect(std::string("\x7e\x00\xff\r\n", 5)));

    std::this_thread::sleep_for(200ms);
    a.type("+++");
    EXPECT_TRUE(a.expect("\r\nOK\r\n"));
    EXPECT_TRUE(b.expect("+++"));  // the far end sees the escape as data
    a.command("ATO");
    EXPECT_TRUE(a.expect("\r\nCONNECT 9600\r\n"));
    a.type("again");
    EXPECT_TRUE(b.expect("again"));

    std::this_thread::sleep_for(200ms);
    a.type("+++");
    EXPECT_TRUE(a.expect("\r\nOK\r\n"));
    a.command("ATH");
    EXPECT_TRUE(a.expect("\r\nOK\r\n"));
    EXPECT_TRUE(b.expect("\r\nNO CARRIER\r\n"));
    EXPECT_TRUE(sim.traced("call 5550100 -> 5550200 ended by 5550100"));
}

TEST_F(Modem_Sim, TheCarrierDropsOnCommandAndWhenATerminalClosesItsPort) {
    connect();
    sim.control("drop 5550200");
    EXPECT_TRUE(a.expect("\r\nNO CARRIER\r\n"));
    EXPECT_TRUE(b.expect("\r\nNO CARRIER\r\n"));
    EXPECT_TRUE(sim.traced("dropped 5550200"));

    connect();
    b.close();  // DTR drops
    EXPECT_TRUE(a.expect("\r\nNO CARRIER\r\n"));
    EXPECT_TRUE(sim.traced("ended by 5550200"));
}

TEST_F(Modem_Sim, APartialDialStaysOffHookAndAnAutoAnswerModemAnswersItself) {
    a.command("ATD555;");
    EXPECT_TRUE(a.expect("\r\nOK\r\n"));
    a.command("ATDW04,00");
    EXPECT_TRUE(a.expect("\r\nCONNECT 9600\r\n"));
    EXPECT_TRUE(sim.traced("5550100 dials 5550400"));
    EXPECT_TRUE(sim.traced("5550400 answers"));
}

TEST_F(Modem_Sim, AKeyPressedWhileCallingAbandonsTheCall) {
    a.command("ATD5550200");
    ASSERT_TRUE(b.expect("\r\nRING\r\n"));
    a.type("x");
    EXPECT_TRUE(a.expect("\r\nNO CARRIER\r\n"));
    EXPECT_TRUE(sim.traced("ended by 5550100"));
    b.command("ATA");
    EXPECT_TRUE(b.expect("\r\nNO CARRIER\r\n"));  // nothing left to answer
}

TEST_F(Modem_Sim, ControlCommandsAreAnswered) {
    sim.control("drop 5550100");
    EXPECT_TRUE(sim.traced("no call at 5550100"));
    sim.control("dial-tone 5550100 off");
    EXPECT_TRUE(sim.traced("dial tone off at 5550100"));
    a.command("ATD5550200");
    EXPECT_TRUE(a.expect("\r\nNO DIALTONE\r\n"));
    sim.control("sunspots");
    EXPECT_TRUE(sim.traced("unknown command: sunspots"));
}

TEST(Modem_Sim_Usage, WhatItCannotUseIsAUsageError) {
    const std::vector<std::vector<std::string>> usage = {
        {QUORVAN_MODEM_SIM},
        {QUORVAN_MODEM_SIM, "--rings"},
        {QUORVAN_MODEM_SIM, "--rings", "many", "5550100"},
        {QUORVAN_MODEM_SIM, "--sunspots", "1", "5550100"},
        {QUORVAN_MODEM_SIM, "x-y"},
    };
    for (const auto& argv : usage) {
        const Process_Result result = run_process(argv);
        EXPECT_EQ(result.exit_status, 2) << argv.back();
        EXPECT_NE(result.err.find("usage: quorvan-modem-sim"), std::string::npos) << argv.back();
    }
}

}  // namespace
