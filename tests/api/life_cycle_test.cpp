// Init, Shutdown, CompileMIB and the files they read and write.
#include <gtest/gtest.h>

#include "tests/api/engine_fixture.h"
#include "tests/support/pty_pair.h"

namespace {

using Life_Cycle = Sample_Engine;

TEST_F(Life_Cycle, CallsBeforeInitAnswerWithoutAnEngine) {
    Owned_Info node;
    EXPECT_EQ(GetNodeInfo("demoByte.0", &node.info), -1);
    EXPECT_EQ(SetInstanceValue("demoByte.0", "1", 0), 2);
    EXPECT_EQ(compile(), -1);
    Owned_Text text;
    EXPECT_EQ(GetNextInstance("demoByte.0", &text.text), -1);
    GetNodeObjects("demoByte", &text.text);
    EXPECT_EQ(text.text, nullptr);
    EXPECT_EQ(GetCompileError(), nullptr);
    EXPECT_EQ(GetAppInstance(), nullptr);
    EXPECT_FALSE(dir.exists("quorvan.log"));
}

TEST_F(Life_Cycle, CompileMibWritesItsLogsAndNamesTheFirstPassOutput) {
    ASSERT_EQ(init(), 0);
    char name[16] = "Mibi.out";
    ASSERT_EQ(CompileMIB("Mibi", name, "Errors.out", 0), 0);
    EXPECT_STREQ(name, "Mibint.out");
    EXPECT_EQ(dir.read("quorvan.log"), "\nIn Compile MIB\nGot Tree\nLoaded file\nGot Branch\nCreate Instances\nInitialized Dynamic Objects");
    EXPECT_TRUE(dir.exists("Mibint.out"));
    EXPECT_TRUE(dir.exists("Mibsub.out"));
    const std::string instance_log = dir.read("inst.log");
    // Rows with more than one index note only the row.
    EXPECT_EQ(instance_log.rfind("Instance log\ndynObjEntry\ndemoInteger\ndemoByte\n", 0), 0u) << instance_log;
    EXPECT_NE(instance_log.find("\ndemoInteger\ndemoByte\n"), std::string::npos);
    EXPECT_NE(instance_log.find("demoSignalCount\ndemoSignalEntry\n"), std::string::npos);
    // The sample's configuration names every index variable: nothing is appended.
    EXPECT_EQ(dir.read("TreeCfg.ini"), read_source_file("mibs/TreeCfg.ini"));
    EXPECT_EQ(GetCompileError(), nullptr);
}

TEST_F(Life_Cycle, AMissingMibOutputFailsWithoutLoadingOldFiles) {
    ASSERT_EQ(init(), 0);
    ASSERT_EQ(compile(), 0);
    ASSERT_EQ(Shutdown(), 0);
    std::remove(dir.file("Mibi.out").c_str());  // Mibint.out and Mibsub.out stay behind

    ASSERT_EQ(init(), 0);
    EXPECT_EQ(compile(), -1);
    const std::string why = "\"Mibi.out\" could not be read: No such file or directory";
    EXPECT_EQ(dir.read("quorvan.log"), "\nIn Compile MIB\nAborted load, error in substitution pass\n" + why);
    Owned_Text error{GetCompileError()};
    EXPECT_EQ(error.str(), why);
    Owned_Info node;
    EXPECT_EQ(GetNodeInfo("demoByte.0", &node.info), -1);
}

TEST_F(Life_Cycle, TreeErrorsReachTheCallerWithTheirText) {
    const struct {
        const char* file;
        std::string content;
        const char* error;
    } cases[] = {
        {"TreeCfg.ini", "", "Open on the Table Configuration File failed!"},
        {"Mibi.out", "no tree in here\n", "The Extended MOSY file did not contain an OID Tree String!"},
        {"Mibi.out",
         "\nOID tree\n1 iso OID_tree_Root Root\n1.3 a iso Node\n**end of oid tree**\n"
         "-- Extended Mosy OID tree\nnone a.1 seq X 1 ( i ) not-accessible mandatory\n",
         "Index variable not found!"},
        // (A MIB without the dynamic object definition table is no error:
        // tree_calls_test.cpp, Mib_Loads.)
    };
    for (const auto& c : cases) {
        copy_sample_into(dir);
        if (c.content.empty())
            std::remove(dir.file(c.file).c_str());
        else
            dir.write(c.file, c.content);
        ASSERT_EQ(init(), 0);
        EXPECT_EQ(compile(), 1) << c.error;
        Owned_Text error{GetCompileError()};
        EXPECT_EQ(error.str(), c.error);
        EXPECT_NE(dir.read("quorvan.log").find(std::string("\nTree error: ") + c.error), std::string::npos);
        Shutdown();
    }
}

TEST_F(Life_Cycle, ASecondInitKeepsTheEngineAndItsTree) {
    load();
    ASSERT_EQ(SetInstanceValue("demoByte.0", "17", 0), 0);
    int marker = 0;
    SetAppInstance(&marker);
    ASSERT_EQ(init(QV_ROLE_FIELD), 0);
    Owned_Info node;
    ASSERT_EQ(GetNodeInfo("demoByte.0", &node.info), 0);
    EXPECT_STREQ(node.info.value, "17");
    EXPECT_EQ(GetAppInstance(), &marker);
}

TEST_F(Life_Cycle, ShutdownSavesTheConfigurationAndForgetsTheEngine) {
    dir.write("NQuorvan.ini", "MODEM\nCOM3\n1200\n20\n5551234\nCENTRAL\nppp\n");
    ASSERT_EQ(init(QV_ROLE_FIELD), 0);
    ASSERT_EQ(compile(), 0);
    ASSERT_EQ(Shutdown(), 0);
    EXPECT_EQ(dir.read("NQuorvan.ini"), "MODEM\nCOM3\n1200\n20\n5551234\nFIELD\nppp\n");

    Owned_Info node;
    EXPECT_EQ(GetNodeInfo("demoByte.0", &node.info), -1);
    EXPECT_EQ(Shutdown(), 0);  // a second Shutdown has nothing to do

    // A new engine starts with an empty tree; role 0 keeps the saved role.
    ASSERT_EQ(init(0), 0);
    EXPECT_EQ(GetNodeInfo("demoByte.0", &node.info), -1);
    ASSERT_EQ(Shutdown(), 0);
    EXPECT_EQ(dir.read("NQuorvan.ini"), "MODEM\nCOM3\n1200\n20\n5551234\nFIELD\nppp\n");
}

// The port Init is given is for the run: the configuration saved at
// Shutdown is the one the file had (a modem stays a modem).
TEST_F(Life_Cycle, InitsPortIsNotSavedOverTheConfiguration) {
    const std::string saved = "MODEM\nCOM3\n1200\n20\n5551234\nCENTRAL\nppp\n";
    dir.write("NQuorvan.ini", saved);
    Pty_Pair line;
    ASSERT_EQ(Init(line.terminal_name().c_str(), 9600, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
    uint16_t baud = 0;
    char port[QV_PORT_NAME_SIZE] = {};
    GetParams(&baud, port, nullptr);
    EXPECT_EQ(port, line.terminal_name());
    EXPECT_EQ(baud, 9600);
    ASSERT_EQ(Shutdown(), 0);
    EXPECT_EQ(dir.read("NQuorvan.ini"), saved);
}

// A port or baud the line refuses changes nothing: the port in use stays
// open and in use, and the settings (saved at Shutdown) stay as they were.
TEST_F(Life_Cycle, ARefusedPortOrBaudLeavesTheWorkingPortAndSettings) {
    Pty_Pair line;
    const std::string saved = "SERIAL\n" + line.terminal_name() + "\n9600\n4\n\nCENTRAL\n\n";
    dir.write("NQuorvan.ini", saved);
    ASSERT_EQ(Init(nullptr, 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
    const struct {
        const char* title;
        uint16_t baud;
        std::string port;
    } refused[] = {{"a baud no line has", 12345, line.terminal_name()}, {"a port that is not there", 9600, "/dev/no-such-port"}};
    for (const auto& c : refused) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(SetParams(c.baud, c.port.c_str(), 9), -1);
        uint16_t baud = 0, time_out = 0;
        char port[QV_PORT_NAME_SIZE] = {};
        GetParams(&baud, port, &time_out);
        EXPECT_EQ(port, line.terminal_name());
        EXPECT_EQ(baud, 9600);
        EXPECT_EQ(time_out, 4);
        // The port still carries what is sent.
        const uint8_t octets[] = {0x7E, 0x7E};
        EXPECT_NE(GetPort(), -1);
        EXPECT_EQ(SendMsg(octets, sizeof octets), 0);
        EXPECT_EQ(line.read(2, std::chrono::seconds(2)), (std::vector<uint8_t>{0x7E, 0x7E}));
    }
    ASSERT_EQ(Shutdown(), 0);
    EXPECT_EQ(dir.read("NQuorvan.ini"), saved);
}

TEST_F(Life_Cycle, TreeFilesForTheBrowsers) {
    load();
    ASSERT_EQ(WriteTreeFiles(), 0);
    EXPECT_EQ(dir.read("Mibi2.out"), dir.read("Mibi.out"));

    const std::string final_text = dir.read("Mibfinal.out");
    EXPECT_EQ(final_text.rfind("1 iso                  1 Root\n1.3 org                  iso.3 Node\n", 0), 0u);
    EXPECT_NE(final_text.find("\n1.3.6.1.4.1.1206.4.2.99.1.2 demoByte             demoScalars.2    "
                              "INTEGER (0..255) read-write      mandatory\n"),
              std::string::npos);
    const std::string end = "demoDetectorEntry.4 Gauge           read-write      mandatory\n**end of oid tree**\nend\n";
    EXPECT_EQ(final_text.substr(final_text.size() - end.size()), end);

    const std::string iso_tree = dir.read("isotree.txt");
    EXPECT_EQ(iso_tree.rfind("iso\n\torg\n\t\tdod\n", 0), 0u);
    EXPECT_NE(iso_tree.find("\n\t\t\t\t\t\t\t\t\t\t\tdemoByte\n\t\t\t\t\t\t\t\t\t\t\t\tdemoByte.0\n"), std::string::npos);
    EXPECT_NE(iso_tree.find("\tdemoSignalEntry\n\t\t\t\t\t\t\t\t\t\t\t\tdemoSignalIndex\n"
                            "\t\t\t\t\t\t\t\t\t\t\t\t\tdemoSignalIndex.X\n"),
              std::string::npos);

    std::remove(dir.file("Mibi.out").c_str());
    EXPECT_EQ(WriteTreeFiles(), -1);
}

}  // namespace

namespace {

void write_sample_sources(const Temp_Dir& dir) {
    for (const char* name : {"Mibi", "QUORVAN-SMI.mib", "QUORVAN-DEMO-MIB.mib"})
        dir.write(name, read_source_file(std::string("mibs/") + name));
    std::remove(dir.file("Mibi.out").c_str());
}

TEST_F(Life_Cycle, CompileMibFromTheSources) {
    write_sample_sources(dir);
    ASSERT_EQ(init(), 0);
    char name[16] = "Mibi.out";
    ASSERT_EQ(CompileMIB("Mibi", name, "Errors.out", 1), 0);
    EXPECT_STREQ(name, "Mibint.out");
    EXPECT_EQ(dir.read("quorvan.log"),
              "\nIn Compile MIB\nDone with Quorvan Compile, now loading tree\nGot Tree\nLoaded file\nGot Branch"
              "\nCreate Instances\nInitialized Dynamic Objects");
    EXPECT_EQ(dir.read("Mibi.out"), read_source_file("mibs/demo.out"));
    EXPECT_EQ(dir.read("Errors.out"),
              "W: f(QUORVAN-DEMO-MIB.mib), (29,0) Name of table \"dynObjDef\" should end with Table\r\n"
              "Mibi parsed successfully\n");
    Owned_Info node;
    EXPECT_EQ(GetNodeInfo("demoByte.0", &node.info), 0);
}

TEST_F(Life_Cycle, ACompileWithErrorsLoadsNothing) {
    write_sample_sources(dir);
    dir.write("QUORVAN-DEMO-MIB.mib", "QUORVAN-DEMO-MIB DEFINITIONS ::= BEGIN\nx OBJECT IDENTIFIER ::= { nowhere 1 }\nEND\n");
    ASSERT_EQ(init(), 0);
    char name[16] = "Mibi.out";
    EXPECT_EQ(CompileMIB("Mibi", name, "Errors.out", 1), 6);
    EXPECT_EQ(dir.read("quorvan.log"),
              "\nIn Compile MIB\nDone with Quorvan Compile, now loading tree\nAborted load, error in compile");
    EXPECT_EQ(dir.read("Errors.out"),
              "E: f(QUORVAN-DEMO-MIB.mib), (2,0) component \"nowhere\" is not defined\r\n"
              "W: f(QUORVAN-SMI.mib), (28,4) \"OwnerString\" defined but not used\r\n"
              "\n*** Mibi parsed with 1 error and 1 warning\n");
    EXPECT_EQ(dir.read("Mibi.out"), "");
    Owned_Info node;
    EXPECT_EQ(GetNodeInfo("demoByte.0", &node.info), -1);
    // The compiler alone, on a file that is not there.
    EXPECT_EQ(RunMIBCompiler("missing", "out", "err"), 10);
}

}  // namespace
