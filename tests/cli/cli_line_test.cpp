// quorvan-cli in both roles, each its own process, on the two ends of a
// null-modem cable of pseudo-terminals.
#include <chrono>

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

// On a PPP line a request first brings the link up to the Network phase;
// a station that starts again negotiates again with the same field device.
TEST_F(Cli_Line, RequestsCrossAPppLine) {
    const std::vector<std::string> ppp = {"--link", "ppp", "--secret", "orchid", "--restart-ms", "150"};
    start_field(ppp);
    std::vector<std::string> set = {"set", "demoName.0=Elm Street"};
    set.insert(set.end(), ppp.begin(), ppp.end());
    Process_Result result = central(set);
    EXPECT_EQ(result.exit_status, 0) << result.out << result.err;
    EXPECT_EQ(tail_from(result.out, "result:"), "result: 0\nmessage: \nvalue: Elm Street\n") << result.err;
    EXPECT_NE(result.out.find("\nCHAP Authentication successful, NTCIP over PPP enabled"), std::string::npos);

    std::vector<std::string> get = {"get", "demoName.0"};
    get.insert(get.end(), ppp.begin(), ppp.end());
    result = central(get);
    EXPECT_EQ(tail_from(result.out, "result:"), "result: 0\nmessage: \nvalue: Elm Street\n")
        << result.out << result.err << field->output();

    get[get.size() - 3] = "lilac";  // the wrong secret
    get.insert(get.end(), {"--timeout", "2"});
    result = central(get);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.out.find("\nCHAP Authentication failed"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("the PPP link did not reach the Network phase: Opened, Authentication"),
              std::string::npos)
        << result.err;
}

// The ppp command drives the link one step a line.
TEST_F(Cli_Line, PppStepsDriveTheLinkByHand) {
    start_field({"--link", "ppp", "--secret", "orchid", "--restart-ms", "150"});
    Child_Process central({QUORVAN_CLI, "--workdir", central_dir.path(), "ppp", "--port", cable.first(), "--secret",
                           "orchid", "--restart-ms", "150"});
    central.send_line("show");
    EXPECT_TRUE(central.wait_for("state: 0 Initial\nphase: 0 Dead\n")) << central.output();
    central.send_line("start");
    central.send_line("wait 10 Network");
    central.send_line("show");
    EXPECT_TRUE(central.wait_for("state: 9 Opened\nphase: 3 Network\n")) << central.output();
    central.send_line("raw Echo-Request 7");
    EXPECT_TRUE(central.wait_for("frame: 7E FF 7D 23 C0 21 7D 29 7D 27 ")) << central.output();
    // The reply is taken in by the receiver thread; the close must come after it.
    bool replied = false;
    for (int attempt = 0; attempt < 100 && !replied; ++attempt) {
        const size_t before_show = central.output_size();
        central.send_line("show");
        ASSERT_TRUE(central.wait_for("event: ", before_show)) << central.output();
        replied = central.wait_for("event: 19 RXR\n", before_show, std::chrono::milliseconds(100));
    }
    EXPECT_TRUE(replied) << central.output();
    // The receiver's texts may come between one step's lines and the next's.
    const size_t before_close = central.output_size();
    central.send_line("set-event Close");
    central.send_line("show");
    EXPECT_TRUE(central.wait_for("result: 2\n", before_close)) << central.output();
    EXPECT_TRUE(central.wait_for("state: 4 Closing\nphase: 4 Terminating\nevent: 4 Close\n", before_close))
        << central.output();
    // Only what comes after the line is sent answers it.
    const size_t before_bogus = central.output().size();
    central.send_line("event Bogus");
    EXPECT_TRUE(central.wait_for("result: 0\n", before_bogus)) << central.output();
    central.send_line("raw Echo 7");
    EXPECT_TRUE(central.wait_for("ppp step failed: raw Echo 7")) << central.output();
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

TEST_F(Cli_Line, AMacroRecordsItsVerdictsAsJUnitXml) {
    start_field();
    central_dir.write("check.mac",
                      "int id; int flags; int s; int i; string m[9];\n"
                      "setField_SizeOfTheArray(1); setField_arraylist(\"demoInteger.0\", 1);\n"
                      "id = sendGet(); flags = getError(m, id, s, i);\n"
                      "verdict(\"answered\", 1 - checkNoResponse(flags));\n"
                      "verdict(\"name <&> \\\"q\\\"\", checkInvalidCRC(flags));\n"
                      "verdict(inuser(\"Name of the last check?\"), 1)\n");
    central_dir.write("answers.txt", "typed answer\n");
    Process_Result result = central({"macro", central_dir.file("check.mac"), "--input", central_dir.file("answers.txt"),
                                     "--report", central_dir.file("report.xml")});
    EXPECT_EQ(result.exit_status, 1) << result.out << result.err;
    EXPECT_NE(result.out.find("\nRunning macro\n" + central_dir.file("check.mac") + "\nFile parsed successfully\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("Name of the last check? typed answer\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\nverdicts: 2 passed, 1 failed; the script ran to its end\n"), std::string::npos);
    EXPECT_EQ(central_dir.read("report.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<testsuites name=\"quorvan-macro\" tests=\"4\" failures=\"1\" errors=\"0\">\n"
              "  <testsuite name=\"check\" tests=\"4\" failures=\"1\" errors=\"0\">\n"
              "    <testcase classname=\"check\" name=\"answered\"/>\n"
              "    <testcase classname=\"check\" name=\"name &lt;&amp;&gt; &quot;q&quot;\">\n"
              "      <failure message=\"verdict failed\"/>\n"
              "    </testcase>\n"
              "    <testcase classname=\"check\" name=\"typed answer\"/>\n"
              "    <testcase classname=\"check\" name=\"the script ran to its end\"/>\n"
              "  </testsuite>\n"
              "</testsuites>\n");
    // The run's output is in the line-activity log as well.
    EXPECT_NE(central_dir.read("quorvanlog.txt").find("Verdict answered: passed\n"), std::string::npos);

    // All verdicts passed and the script ran to its end: success.
    central_dir.write("pass.mac", "verdict(\"fine\", 1)");
    result = central({"macro", central_dir.file("pass.mac")});
    EXPECT_EQ(result.exit_status, 0) << result.out;

    // A script that stops on an error fails, and the report says so.
    central_dir.write("stops.mac", "verdict(\"before\", 1); goto nowhere");
    result = central({"macro", central_dir.file("stops.mac"), "--report", central_dir.file("stops.xml")});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.out.find("goto nowhere: no label nowhere is defined.\nThe macro stops here.\n"), std::string::npos);
    EXPECT_NE(central_dir.read("stops.xml").find("errors=\"1\""), std::string::npos);
    EXPECT_NE(central_dir.read("stops.xml").find("<error message="), std::string::npos);

    // So does one that does not parse.
    central_dir.write("bad.mac", "verdict(\"x\", 1) junk");
    EXPECT_EQ(central({"macro", central_dir.file("bad.mac")}).exit_status, 1);
}

TEST_F(Cli_Line, TheMacroCommandRefusesWhatItCannotUse) {
    for (const std::vector<std::string>& argv : std::vector<std::vector<std::string>>{
             {QUORVAN_CLI, "macro", "--port", "/dev/null"},
             {QUORVAN_CLI, "macro", "a.mac"},
             {QUORVAN_CLI, "macro", "a.mac", "b.mac", "--port", "/dev/null"},
             {QUORVAN_CLI, "macro", "a.mac", "--port", "/dev/null", "--report"},
         }) {
        const Process_Result result = run_process(argv);
        EXPECT_EQ(result.exit_status, 2) << argv.size();
        EXPECT_NE(result.err.find("usage: quorvan-cli"), std::string::npos);
    }
    const Process_Result no_answers = central({"macro", "a.mac", "--input", central_dir.file("none.txt")});
    EXPECT_EQ(no_answers.exit_status, 1);
    EXPECT_NE(no_answers.err.find("cannot read the answers in"), std::string::npos);
}

}  // namespace
