#include "engine/ini_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace {

class Ini : public ::testing::Test {
protected:
    std::string path() const { return dir.file("NQuorvan.ini"); }
    Temp_Dir dir;
};

TEST_F(Ini, DefaultsWithoutAFile) {
    IniFile ini(path());
    EXPECT_FALSE(ini.Load());
    EXPECT_EQ(ini.connection_type(), 1);
    EXPECT_EQ(ini.port_name(), "COM1");
    EXPECT_EQ(ini.baud(), 9600);
    EXPECT_EQ(ini.time_out(), 10);
    EXPECT_EQ(ini.modem_number(), "");
    EXPECT_EQ(ini.role(), 1);
    EXPECT_EQ(ini.ppp_info(), "");
}

TEST_F(Ini, TheSevenLinesInTheirOrder) {
    dir.write("NQuorvan.ini", "MODEM\n/dev/ttyUSB0\n1200\n30\nATDT 555 1234\nFIELD\nchap secret\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.connection_type(), 2);
    EXPECT_EQ(ini.port_name(), "/dev/ttyUSB0");
    EXPECT_EQ(ini.baud(), 1200);
    EXPECT_EQ(ini.time_out(), 30);
    EXPECT_EQ(ini.modem_number(), "ATDT 555 1234");
    EXPECT_EQ(ini.role(), 2);
    EXPECT_EQ(ini.ppp_info(), "chap secret");
}

TEST_F(Ini, PrefixRulesForTypeAndRole) {
    const struct {
        const char* type_line;
        int type;
        const char* role_line;
        int role;
    } cases[] = {
        {"SERIALPORT", 1, "FIELDDEVICE", 2}, {"serial", 1, "Field", 1},  {"MODEM 2", 2, "CENTRAL", 1},
        {"NETWORK", 3, "", 1},               {"network", 1, "FIELD", 2}, {"", 1, " FIELD", 1},
    };
    for (const auto& c : cases) {
        dir.write("NQuorvan.ini", std::string(c.type_line) + "\nCOM2\n9600\n10\n\n" + c.role_line + "\n\n");
        IniFile ini(path());
        ASSERT_TRUE(ini.Load());
        EXPECT_EQ(ini.connection_type(), c.type) << c.type_line;
        EXPECT_EQ(ini.role(), c.role) << c.role_line;
    }
}

TEST_F(Ini, ShortFilesAndNonNumericLines) {
    dir.write("NQuorvan.ini", "MODEM\n/dev/ttyS1\nfast");
    IniFile ini(path());
    ini.set_modem_number("keep me?");
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.connection_type(), 2);
    EXPECT_EQ(ini.port_name(), "/dev/ttyS1");
    EXPECT_EQ(ini.baud(), 0);
    EXPECT_EQ(ini.time_out(), 0);
    EXPECT_EQ(ini.modem_number(), "");
    EXPECT_EQ(ini.role(), 1);
    EXPECT_EQ(ini.ppp_info(), "");
}

TEST_F(Ini, NumbersBeyondSixteenBitsAreHeldAtTheTop) {
    dir.write("NQuorvan.ini", "SERIAL\nCOM1\n70000\n99999999999\n\nCENTRAL\n\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.baud(), 65535);
    EXPECT_EQ(ini.time_out(), 65535);
}

TEST_F(Ini, LinesAreCutAt255CharactersAndCarriageReturnsDropped) {
    const std::string long_name(300, 'p');
    dir.write("NQuorvan.ini", "SERIAL\r\n" + long_name + "\r\n2400\r\n5\r\n\r\nFIELD\r\nx\r\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.connection_type(), 1);
    EXPECT_EQ(ini.port_name(), std::string(255, 'p'));
    EXPECT_EQ(ini.baud(), 2400);
    EXPECT_EQ(ini.role(), 2);
    EXPECT_EQ(ini.ppp_info(), "x");
}

TEST_F(Ini, DestructionSavesAndALoadReadsItBack) {
    {
        IniFile ini(path());
        ini.set_connection_type(7);
        ini.set_role(2);
        ini.set_port_name("my port with blanks");
        ini.set_baud(4800);
        ini.set_time_out(3);
    }
    EXPECT_EQ(dir.read("NQuorvan.ini"), "NETWORK\nmy port with blanks\n4800\n3\n\nFIELD\n\n");
    IniFile again(path());
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.port_name(), "my port with blanks");
    EXPECT_EQ(again.connection_type(), 3);
}

TEST_F(Ini, SettingsForOneRunAreUsedButNeverSaved) {
    dir.write("NQuorvan.ini", "SERIAL\n/dev/ttyS0\n9600\n10\n\nCENTRAL\n\n");
    {
        IniFile ini(path());
        ASSERT_TRUE(ini.Load());
        ini.set_port_name("/dev/pts/7", IniFile::Keep::this_run);
        ini.set_baud(1200, IniFile::Keep::this_run);
        ini.set_time_out(1, IniFile::Keep::this_run);
        EXPECT_EQ(ini.port_name(), "/dev/pts/7");
        EXPECT_EQ(ini.baud(), 1200);
        EXPECT_EQ(ini.time_out(), 1);
        ini.set_role(2);  // kept as ever
    }
    EXPECT_EQ(dir.read("NQuorvan.ini"), "SERIAL\n/dev/ttyS0\n9600\n10\n\nFIELD\n\n");
}

TEST_F(Ini, OnlyTheTwoRolesAreTaken) {
    IniFile ini(path());
    ini.set_role(2);
    ini.set_role(7);
    EXPECT_EQ(ini.role(), 2);
    ini.set_role(0);
    EXPECT_EQ(ini.role(), 2);
    ini.set_role(1);
    EXPECT_EQ(ini.role(), 1);
}

TEST_F(Ini, AStrayCarriageReturnEndsAText) {
    dir.write("NQuorvan.ini", "SERIAL\nCOM1\r\r\n9600\n10\n5\r55\nCENTRAL\n\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.port_name(), "COM1");
    EXPECT_EQ(ini.modem_number(), "5");
}

TEST_F(Ini, ATextWithALineBreakCannotAddLines) {
    {
        IniFile ini(path());
        ini.set_ppp_info("first\nSERIAL");
        ini.set_modem_number("555\r\n1234");
    }
    EXPECT_EQ(dir.read("NQuorvan.ini"), "SERIAL\nCOM1\n9600\n10\n555\nCENTRAL\nfirst\n");
}

}  // namespace
