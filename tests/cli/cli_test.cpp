// quorvan-cli as a separate process on a working directory of its own.
#include <gtest/gtest.h>

#include "tests/support/process.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

// The "Replacing" lines the substitution passes print for the sample.
const char* const kReplacing =
    "\nReplacing OwnerString with DisplayString"
    "\nReplacing DemoPercent with INTEGER (0..100)"
    "\nReplacing DemoLabel with DisplayString (SIZE (0..16))"
    "\nReplacing OwnerString with DisplayString"
    "\nReplacing DemoPercent with INTEGER (0..100)"
    "\nReplacing DemoLabel with DisplayString (SIZE (0..16))\n";

class Cli : public ::testing::Test {
protected:
    Cli() { copy_sample_into(dir); }

    Process_Result run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), QUORVAN_CLI);
        return run_process(arguments);
    }
    Process_Result run_in_dir(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--workdir", dir.path()});
        return run(arguments);
    }

    Temp_Dir dir;
};

TEST_F(Cli, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {"frobnicate"}, {"--workdir"}, {"--verbose", "load"}, {"info"}, {"info", "a", "b"}, {"load", "extra"},
    };
    for (const auto& arguments : cases) {
        const Process_Result result = run(arguments);
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("usage: quorvan-cli"), std::string::npos) << result.err;
    }
    EXPECT_EQ(run({"info"}).err.rfind("quorvan-cli: info needs exactly one NAME or OID\n", 0), 0u);
}

TEST_F(Cli, HelpPrintsTheUsage) {
    const Process_Result result = run({"--help"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out.rfind("usage: quorvan-cli [--workdir DIR] COMMAND [OPTIONS] [ARGUMENTS]\n", 0), 0u);
}

TEST_F(Cli, CompileRunsTheCompilerAlone) {
    dir.write("bad.mib", "A DEFINITIONS ::= BEGIN\nx OBJECT IDENTIFIER ::= { 1 }\nx OBJECT IDENTIFIER ::= { 2 }\nEND\n");
    Process_Result result = run_in_dir({"compile", "bad.mib", "--errors", "bad.err"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out,
              "E: (3,0) \"x\" already defined in current module\r\n"
              "\n*** bad.mib parsed with 1 error and 0 warnings\nresult: 6\n");
    EXPECT_EQ(dir.read("bad.err"), result.out.substr(0, result.out.size() - std::string("result: 6\n").size()));
    EXPECT_FALSE(dir.exists("Mibint.out"));  // nothing loaded

    result = run_in_dir({"compile", "missing.mib"});
    EXPECT_EQ(result.out, "result: 10\n");
    EXPECT_EQ(run({"compile"}).exit_status, 2);
}

TEST_F(Cli, LoadCompilesTheSourcesWhenThereAreAny) {
    for (const char* name : {"Mibi", "QUORVAN-SMI.mib", "QUORVAN-DEMO-MIB.mib"})
        dir.write(name, read_source_file(std::string("mibs/") + name));
    dir.write("Mibi.out", "left over from an older compile\n");
    Process_Result result = run_in_dir({"load"});
    EXPECT_EQ(result.exit_status, 0) << result.out;
    EXPECT_EQ(dir.read("Mibi.out"), read_source_file("mibs/demo.out"));

    dir.write("QUORVAN-DEMO-MIB.mib", "QUORVAN-DEMO-MIB DEFINITIONS ::= BEGIN\nEND\n");
    result = run_in_dir({"load"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.out.find("error: the MIB compiler failed; its findings (Errors.out):\n"
                              "E: (5,0) Module must contain definitions - terminating\r\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("result: 6\n"), std::string::npos);
}

TEST_F(Cli, LoadReportsTheResult) {
    Process_Result result = run_in_dir({"load"});
    EXPECT_EQ(result.exit_status, 0) << result.err;
    EXPECT_EQ(result.out, std::string(kReplacing) + "result: 0\n");
    EXPECT_TRUE(dir.exists("NQuorvan.ini"));

    std::remove(dir.file("TreeCfg.ini").c_str());
    result = run_in_dir({"load"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, std::string(kReplacing) + "error: Open on the Table Configuration File failed!\nresult: 1\n");
}

TEST_F(Cli, AMissingWorkingDirectoryIsAFailure) {
    const Process_Result result = run({"--workdir", dir.file("nowhere"), "load"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.err.find("cannot use working directory"), std::string::npos);
}

TEST_F(Cli, TreePrintsTheWholeTree) {
    dir.write("TreeCfg.ini",
              "dynObjNumber = 13\ndynObjIndex = 1\ndemoSignalIndex = 2\ndemoDetectorGroup = 2\ndemoDetectorNumber = 2\n");
    const Process_Result result = run_in_dir({"tree"});
    EXPECT_EQ(result.exit_status, 0) << result.err;
    EXPECT_EQ(result.out, kReplacing + read_source_file("tests/fixtures/cli_tree.txt"));
}

TEST_F(Cli, InfoPrintsEveryField) {
    Process_Result result = run_in_dir({"info", "demoTemperature.0"});
    EXPECT_EQ(result.exit_status, 0) << result.err;
    EXPECT_EQ(result.out, std::string(kReplacing) +
                              "syntax: INTEGER (-40..85)\n"
                              "access: read-write\n"
                              "status: mandatory\n"
                              "further: \n"
                              "oid: 1.3.6.1.4.1.1206.4.2.99.1.3.0\n"
                              "value: 0\n"
                              "value_type: 2\n"
                              "instance: 0\n"
                              "name: demoTemperature.0\n"
                              "neg_lower: -40\n"
                              "neg_upper: 0\n"
                              "lower: 0\n"
                              "upper: 85\n"
                              "result: 0\n");

    result = run_in_dir({"info", "1.3.6.1.4.1.1206.4.2.99.1"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_NE(result.out.find("name: demoScalars\n"), std::string::npos);

    result = run_in_dir({"info", "demoByte"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_NE(result.out.find("syntax: INTEGER (0..255)\n"), std::string::npos);
    EXPECT_NE(result.out.find("result: 2\n"), std::string::npos);

    result = run_in_dir({"info", "noSuchThing"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, std::string(kReplacing) + "error: no node is named or numbered noSuchThing\nresult: -1\n");
}

}  // namespace
