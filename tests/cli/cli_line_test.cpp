// quorvan-cli in both roles, each its own process, on the two ends of a
// null-modem cable of pseudo-terminals.
#include <gtest/gtest.h>

#include "cli/null_modem.h"
#include "tests/support/child_process.h"
#include "tests/support/process.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

class Cli_Line : public ::testing::Test {
protected:
    Cli_Line() {
        copy_sample_into(central_dir);
        copy_sample_into(field_dir);
    }

    void start_field(const std::vector<std::string>& arguments = {}) {
        std::vector<std::string> argv = {QUORVAN_CLI, "--workdir", field_dir.path(), "field", "--port", cable.second()};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        field = std::make_unique<Child_Process>(argv);
        ASSERT_TRUE(field->wait_for("Field device answering on " + cable.second())) << field->output();
    }

    Process_Result central(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {QUORVAN_CLI, "--workdir", central_dir.path()});
        arguments.insert(arguments.end(), {"--port", cable.first()});
        return run_process(arguments);
    }

    static std::string tail_from(const std::string& text, const std::string& start) {
        const size_t at = text.rfind(start);
        return at == std::string::npos ? "" : text.substr(at);
    }

    Null_Modem cable;
    Temp_Dir central_dir;
    Temp_Dir field_dir;
    std::unique_ptr<Child_Process> field;
};

TEST_F(Cli_Line, LineCommandsRefuseWhatTheyCannotUse) {
    const std::vector<std::vector<std::string>> usage = {
        {QUORVAN_CLI, "field"},
        {QUORVAN_CLI, "get", "--port", "/dev/null"},
        {QUORVAN_CLI, "get", "--port", "/dev/null", "demoInteger.0=3"},
        {QUORVAN_CLI, "field", "--port", "/dev/null", "--inject", "bad-crc,sunspots"},
        {QUORVAN_CLI, "set", "--port", "/dev/null", "--drop", "8192", "demoInteger.0=3"},
    };
    for (const auto& argv : usage) {
        const Process_Result result = run_process(argv);
        EXPECT_EQ(result.exit_status, 2) << argv.back();
        EXPECT_NE(result.err.find("usage: quorvan-cli"), std::string::npos);
    }
    EXPECT_NE(run_process(usage[3]).err.find("unknown error to inject: sunspots"), std::string::npos);

    const Process_Result no_port = run_process(
        {QUORVAN_CLI, "--workdir", central_dir.path(), "get", "--port", central_dir.file("nowhere"), "demoInteger.0"});
    EXPECT_EQ(no_port.exit_status, 1);
    EXPECT_NE(no_port.err.find("cannot open the port"), std::string::npos) << no_port.err;
}

TEST_F(Cli_Line, ASetAndItsReadBackCrossTheCable) {
    start_field();
    Process_Result result = central({"set", "demoName.0=Main Street", "demoTemperature.0=-7"});
    EXPECT_EQ(result.exit_status, 0) << result.out;
    EXPECT_EQ(tail_from(result.out, "result:"), "result: 0\nmessage: \nvalue: -7\n");
    result = central({"get", "demoName.0"});
    EXPECT_EQ(result.exit_status, 0) << result.out;
    EXPECT_EQ(tail_from(result.out, "result:"), "result: 0\nmessage: \nvalue: Main Street\n");
    // Both stations keep their line activity.
    EXPECT_NE(central_dir.read("quorvanlog.txt").find(" Sending:\n7E 05 13 C1 30"), std::string::npos);
    EXPECT_NE(field_dir.read("quorvanlog.txt").find("Main Street"), std::string::npos);
    EXPECT_EQ(field->stop(), 0);
    EXPECT_NE(field->output().find("Field device stopped"), std::string::npos);
}

TEST_F(Cli_Line, ARefusedOrSpoiledAnswerFailsTheCommand) {
    start_field();
    Process_Result result = central({"set", "demoCounter.0=5"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(tail_from(result.out, "result:"), "result: 0\nmessage: SNMP Error: Read only object\nvalue: \n");

    field->send_line("inject bad-address");
    ASSERT_TRUE(field->wait_for("Injecting: bad-address"));
    result = central({"get", "demoInteger.0"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(tail_from(result.out, "result:"),
              "result: 8192\nmessage: Error: Invalid address in message received.\nvalue: 0\n");

    field->send_line("inject no-response 1");
    ASSERT_TRUE(field->wait_for("Injecting: no-response"));
    const std::string settings = central_dir.read("NQuorvan.ini");
    result = central({"get", "--timeout", "1", "demoInteger.0"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(tail_from(result.out, "result:"),
              "result: 16\nmessage: Error: The last message response timed out.\nvalue: \n");
    // The time-out was for that request only.
    EXPECT_EQ(central_dir.read("NQuorvan.ini"), settings);
}

}  // namespace
