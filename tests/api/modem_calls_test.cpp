// The dial-up calls through libquorvan.so: the modem's number, and the dials
// that cannot be made, each ending not connected with its message. Calls
// that connect are in tests/cli/dialup_test.cpp, through the modem simulator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/api/engine_fixture.h"
#include "tests/support/owned_text.h"
#include "tests/support/pty_pair.h"

namespace {

std::vector<std::string> notices;
int32_t note(const char* title, const char* text) {
    notices.push_back(std::string(title) + ": " + text);
    return 0;
}

class Modem_Calls : public Sample_Engine {
protected:
    Modem_Calls() { notices.clear(); }

    std::string number() const {
        Owned_Text text;
        EXPECT_EQ(GetModemComm(&text.text), 0);
        return text.str();
    }
};

TEST_F(Modem_Calls, the_number_is_given_to_the_modem_and_kept_in_the_configuration) {
    ASSERT_EQ(init(), 0);
    EXPECT_EQ(SetModemComm("9W555-0100?12", "accepted and ignored"), 0);
    EXPECT_EQ(number(), "9W555-0100?12");
    EXPECT_EQ(SetModemComm(nullptr, nullptr), -1);
    EXPECT_EQ(GetModemComm(nullptr), -1);
    EXPECT_EQ(number(), "9W555-0100?12");
    Shutdown();
    EXPECT_EQ(dir.read("NQuorvan.ini").find("\n9W555-0100?12\n") != std::string::npos, true) << dir.read("NQuorvan.ini");
    ASSERT_EQ(init(), 0);
    EXPECT_EQ(number(), "9W555-0100?12");
    // One line of the configuration file.
    EXPECT_EQ(SetModemComm("5550100\nSERIAL", nullptr), 0);
    EXPECT_EQ(number(), "5550100");
    Shutdown();
    EXPECT_EQ(SetModemComm("1", nullptr), -1);
    EXPECT_EQ(DialupConnect(), -1);
    EXPECT_EQ(DialupHangUp(), -1);
}

TEST_F(Modem_Calls, dials_that_cannot_be_made_end_not_connected_with_their_message) {
    Pty_Pair silent;  // a port where no modem answers
    struct Case {
        std::string port;
        std::string number;
        std::string notice;
    };
    const std::vector<Case> cases = {
        {dir.file("nowhere"), "5550100", "Unable to Use Line: Error on Requested line"},
        {silent.terminal_name(), "5550100",
         "Error on Requested line: The selected line doesn't support DATAMODEM capabilities"},
        {silent.terminal_name(), "", "Error: No number to dial."},
    };
    ASSERT_EQ(init(), 0);
    SetModes(QV_CONNECTION_MODEM, QV_ROLE_CENTRAL);
    SetModemNotice(note);
    EXPECT_EQ(SetModemOptions(nullptr, nullptr, 200, 0, 0, 0), 0);
    for (const Case& c : cases) {
        notices.clear();
        EXPECT_EQ(SetPortBaud(c.port.c_str(), 9600), 0);
        SetModemComm(c.number.c_str(), nullptr);
        EXPECT_EQ(DialupConnect(), 0) << c.notice;
        EXPECT_EQ(GetConnectionState(), 2);
        EXPECT_EQ(DialPPP(), 0) << c.notice;
        EXPECT_EQ(notices, std::vector<std::string>(2, c.notice));
    }
    EXPECT_EQ(DialupHangUp(), 0);
    EXPECT_EQ(GetConnectionState(), 2);

    // On a serial connection nothing is dialled.
    notices.clear();
    SetModes(QV_CONNECTION_SERIAL, QV_ROLE_CENTRAL);
    EXPECT_EQ(DialupConnect(), 0);
    EXPECT_EQ(notices, std::vector<std::string>{"Error: The connection is not a modem connection: nothing is dialled."});
}

}  // namespace
