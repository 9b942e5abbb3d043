// net-snmp as the independent peer over UDP: its tools against quorvan-cli's
// field device, and the central station against its agent snmpd.
#include <sys/socket.h>

#include <algorithm>

#include "quorvan.h"
#include "tests/network/network_fixture.h"
#include "tests/network/udp_capture.h"
#include "tests/support/process.h"

namespace {

constexpr const char* kDemoInteger = ".1.3.6.1.4.1.1206.4.2.99.1.1.0";
constexpr const char* kDemoByte = ".1.3.6.1.4.1.1206.4.2.99.1.2.0";
constexpr const char* kDemoName = ".1.3.6.1.4.1.1206.4.2.99.1.6.0";

// A net-snmp tool run with numeric output and no MIB files.
Process_Result net_snmp(const std::string& tool, const std::string& peer, std::vector<std::string> arguments,
                        const std::string& community = "Orchid", const std::string& time_out = "2") {
    std::vector<std::string> argv = {"/usr/bin/env", "MIBS=", "MIBDIRS=/nonexistent", tool, "-v1", "-c", community,
                                     "-On", "-t", time_out, "-r", "0", peer};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return run_process(argv);
}

// A scalar of the sample MIB by its number under demoScalars.
std::string scalar(int number) { return ".1.3.6.1.4.1.1206.4.2.99.1." + std::to_string(number) + ".0"; }

class Net_Snmp_Field : public Network_Test {
protected:
    void SetUp() override {
        peer = "udp:127.0.0.1:" + std::to_string(free_loopback_port(SOCK_DGRAM));
        start_field(peer);
        peer = peer.substr(4);  // net-snmp's own form: HOST:PORT
    }
    std::string peer;
};

TEST_F(Net_Snmp_Field, SnmpgetSnmpsetAndSnmpwalkAreAnswered) {
    Process_Result set = net_snmp("snmpset", peer, {kDemoInteger, "i", "42", kDemoName, "s", "over udp"});
    EXPECT_EQ(set.exit_status, 0) << set.err;
    EXPECT_EQ(set.out, std::string(kDemoInteger) + " = INTEGER: 42\n" + kDemoName + " = STRING: \"over udp\"\n");

    Process_Result get = net_snmp("snmpget", peer, {kDemoInteger, kDemoName});
    EXPECT_EQ(get.exit_status, 0) << get.err;
    EXPECT_EQ(get.out, std::string(kDemoInteger) + " = INTEGER: 42\n" + kDemoName + " = STRING: \"over udp\"\n");

    Process_Result next = net_snmp("snmpgetnext", peer, {kDemoInteger});
    EXPECT_EQ(next.out, std::string(kDemoByte) + " = INTEGER: 0\n") << next.err;

    Process_Result walk = net_snmp("snmpwalk", peer, {".1.3.6.1.4.1.1206.4.2.99.1"});
    EXPECT_EQ(walk.exit_status, 0) << walk.err;
    EXPECT_EQ(walk.out.rfind(std::string(kDemoInteger) + " = INTEGER: 42\n", 0), 0u) << walk.out;
    EXPECT_NE(walk.out.find(std::string(kDemoName) + " = STRING: \"over udp\"\n"), std::string::npos) << walk.out;
}

TEST_F(Net_Snmp_Field, EveryScalarSyntaxIsReadAndWritten) {
    // Never set: every value still goes out as valid BER.
    Process_Result get = net_snmp("snmpget", peer, {scalar(5), scalar(7), scalar(8), scalar(10), scalar(11)});
    EXPECT_EQ(get.exit_status, 0) << get.err;
    EXPECT_EQ(get.out, scalar(5) + " = \"\"\n" + scalar(7) + " = OID: .0.0\n" + scalar(8) + " = Counter32: 0\n" +
                           scalar(10) + " = Timeticks: (0) 0:00:00.00\n" + scalar(11) + " = IpAddress: 0.0.0.0\n");

    // Every writable syntax, then read back.
    const std::vector<std::string> set_arguments = {
        scalar(1),  "i", "-5",          scalar(2),  "i", "255",       scalar(3),  "i", "-40",
        scalar(4),  "i", "3",           scalar(5),  "x", "01020304",  scalar(6),  "s", "hello there",
        scalar(7),  "o", ".1.3.6.1.4.1.1206", scalar(9), "u", "4000000000", scalar(10), "t", "360000",
        scalar(11), "a", "192.168.1.20", scalar(12), "i", "100",     scalar(13), "s", "short"};
    const std::string expected = scalar(1) + " = INTEGER: -5\n" + scalar(2) + " = INTEGER: 255\n" + scalar(3) +
                                 " = INTEGER: -40\n" + scalar(4) + " = INTEGER: 3\n" + scalar(5) +
                                 " = Hex-STRING: 01 02 03 04 \n" + scalar(6) + " = STRING: \"hello there\"\n" +
                                 scalar(7) + " = OID: .1.3.6.1.4.1.1206\n" + scalar(9) + " = Gauge32: 4000000000\n" +
                                 scalar(10) + " = Timeticks: (360000) 1:00:00.00\n" + scalar(11) +
                                 " = IpAddress: 192.168.1.20\n" + scalar(12) + " = INTEGER: 100\n" + scalar(13) +
                                 " = STRING: \"short\"\n";
    Process_Result set = net_snmp("snmpset", peer, set_arguments);
    EXPECT_EQ(set.exit_status, 0) << set.err;
    EXPECT_EQ(set.out, expected);
    get = net_snmp("snmpget", peer, {scalar(1), scalar(2), scalar(3), scalar(4), scalar(5), scalar(6), scalar(7),
                                     scalar(9), scalar(10), scalar(11), scalar(12), scalar(13)});
    EXPECT_EQ(get.exit_status, 0) << get.err;
    EXPECT_EQ(get.out, expected);
}

TEST_F(Net_Snmp_Field, AWalkOfTheWholeMibEndsCleanly) {
    // Every instance once, in increasing order (net-snmp checks it), then
    // the noSuchName past the last one ends the walk.
    const Process_Result walk = net_snmp("snmpwalk", peer, {".1.3.6.1.4.1.1206"});
    EXPECT_EQ(walk.exit_status, 0) << walk.err;
    EXPECT_EQ(walk.err, "");
    const std::string last = ".1.3.6.1.4.1.1206.4.2.99.3.1.4.2.4 = Gauge32: 0\nEnd of MIB\n";
    ASSERT_GE(walk.out.size(), last.size());
    EXPECT_EQ(walk.out.substr(walk.out.size() - last.size()), last);
    EXPECT_EQ(walk.out.rfind(".1.3.6.1.4.1.1206.4.1.3.1.1.1.1.1 = INTEGER: 0\n", 0), 0u) << walk.out.substr(0, 200);
    // Instances of dynObjDef, the scalars, and the two tables.
    EXPECT_EQ(std::count(walk.out.begin(), walk.out.end(), '\n'), 13 * 16 * 5 + 13 + 8 * 4 + 2 * 4 * 4 + 1);

    // From an identifier the MIB does not have.
    const Process_Result next = net_snmp("snmpgetnext", peer, {".1.3.6.1.4.1.1206.4.2.99.1.99.1.0"});
    EXPECT_EQ(next.out, ".1.3.6.1.4.1.1206.4.2.99.2.1.1.1 = INTEGER: 0\n") << next.err;
}

TEST_F(Net_Snmp_Field, RefusalsAreDecodedWithTheirIndex) {
    ASSERT_EQ(net_snmp("snmpset", peer, {scalar(1), "i", "7"}).exit_status, 0);
    const std::string dyn_obj_number = ".1.3.6.1.4.1.1206.4.1.3.1.1.1.1.1";
    const struct {
        const char* what;
        std::vector<std::string> arguments;
        const char* reason;
        std::string failed;
    } cases[] = {
        {"range", {scalar(1), "i", "1", scalar(2), "i", "256"}, "badValue", scalar(2)},
        {"size", {scalar(1), "i", "1", scalar(5), "x", "010203"}, "badValue", scalar(5)},
        {"size of a convention", {scalar(1), "i", "1", scalar(13), "s", "seventeen octets!"}, "badValue", scalar(13)},
        {"enumeration", {scalar(1), "i", "1", scalar(4), "i", "9"}, "badValue", scalar(4)},
        {"range of a convention", {scalar(12), "i", "101"}, "badValue", scalar(12)},
        {"type", {scalar(1), "i", "1", scalar(2), "s", "x"}, "badValue", scalar(2)},
        {"read-only", {scalar(1), "i", "1", dyn_obj_number, "i", "3"}, "readOnly", dyn_obj_number},
        {"no such name", {scalar(1), "i", "1", scalar(99), "i", "3"}, "noSuchName", scalar(99)},
    };
    for (const auto& c : cases) {
        const Process_Result set = net_snmp("snmpset", peer, c.arguments);
        EXPECT_NE(set.exit_status, 0) << c.what;
        EXPECT_NE(set.err.find(std::string("Reason: (") + c.reason + ")"), std::string::npos) << c.what << set.err;
        EXPECT_NE(set.err.find("Failed object: " + c.failed + "\n"), std::string::npos) << c.what << set.err;
    }
    // Nothing of a refused Set was stored.
    EXPECT_EQ(net_snmp("snmpget", peer, {scalar(1)}).out, scalar(1) + " = INTEGER: 7\n");

    const Process_Result get = net_snmp("snmpget", peer, {scalar(1), scalar(99)});
    EXPECT_NE(get.err.find("Reason: (noSuchName)"), std::string::npos) << get.err;
    EXPECT_NE(get.err.find("Failed object: " + scalar(99) + "\n"), std::string::npos) << get.err;
}

class Net_Snmp_Field_With_Community : public Network_Test {
protected:
    void SetUp() override {
        peer = "udp:127.0.0.1:" + std::to_string(free_loopback_port(SOCK_DGRAM));
        start_field(peer, {"--community", "secret"});
        peer = peer.substr(4);
    }
    std::string peer;
};

TEST_F(Net_Snmp_Field_With_Community, AnotherCommunityIsDiscarded) {
    const Process_Result other = net_snmp("snmpset", peer, {scalar(1), "i", "9"}, "Orchid", "0.3");
    EXPECT_NE(other.exit_status, 0);
    EXPECT_NE(other.err.find("Timeout"), std::string::npos) << other.err;
    EXPECT_TRUE(field->wait_for("the request is discarded and not answered")) << field->output();

    const Process_Result own = net_snmp("snmpget", peer, {scalar(1)}, "secret");
    EXPECT_EQ(own.out, scalar(1) + " = INTEGER: 0\n") << own.err;  // the discarded Set stored nothing
}

TEST_F(Net_Snmp_Field, SeveralCentralSystemsPollOneDevice) {
    // Each tool run is its own socket: every answer goes back to its sender.
    std::vector<std::unique_ptr<Child_Process>> pollers;
    for (int i = 0; i < 4; ++i)
        pollers.push_back(std::make_unique<Child_Process>(std::vector<std::string>{
            "/usr/bin/env", "MIBS=", "MIBDIRS=/nonexistent", "snmpget", "-v1", "-c", "Orchid", "-On", "-t", "2",
            "-r", "0", peer, kDemoInteger}));
    for (const auto& poller : pollers) {
        EXPECT_TRUE(poller->wait_for(std::string(kDemoInteger) + " = INTEGER: 0")) << poller->output();
    }
}

class Central_Against_Snmpd : public Network_Test {
protected:
    void SetUp() override { ASSERT_TRUE(use_port(snmpd.endpoint())); }
    Temp_Dir snmpd_dir;
    Snmpd_Process snmpd{snmpd_dir};
};

TEST_F(Central_Against_Snmpd, GetGetNextAndSetAreAnswered) {
    Outcome out = round_trip({Kind::get, {{"demoName.0", "", 0}, {"demoInteger.0", "", 0}}});
    EXPECT_EQ(out.result, 0) << out.message;
    EXPECT_EQ(out.value, "7");
    EXPECT_NE(central_display().find("snmpd here"), std::string::npos);

    out = round_trip({Kind::get_next, {{"demoInteger.0", "", 0}}});
    EXPECT_EQ(out.result, 0) << out.message;
    EXPECT_EQ(out.value, "1.3.6.1.4.1.1206.4.2.99.1.2.0");

    out = round_trip({Kind::set, {{"demoInteger.0", "77", QV_TYPE_INTEGER}}});
    EXPECT_EQ(out.result, 0) << out.message;
    EXPECT_EQ(out.value, "77");

    const Process_Result check = net_snmp("snmpget", snmpd.endpoint().substr(4), {kDemoInteger});
    EXPECT_EQ(check.out, std::string(kDemoInteger) + " = INTEGER: 77\n") << check.err;
}

// snmpd's refusals reach GetError with their status and index, and every
// message the station wrote is one tshark reads without a fault.
class Central_Through_Relay : public Network_Test {
protected:
    void SetUp() override { ASSERT_TRUE(use_port(relay.endpoint())); }
    Temp_Dir snmpd_dir;
    Snmpd_Process snmpd{snmpd_dir};
    Udp_Relay relay{snmpd.port()};
};

TEST_F(Central_Through_Relay, TheErrorsSnmpdReturnsAreRecordedAndEveryMessageDecodes) {
    const struct {
        const char* title;
        Request_Plan request;
        int32_t status, index;
    } cases[] = {
        {"an object snmpd does not have", {Kind::get, {{"demoMode.0", "", 0}}}, 2, 1},
        {"the second object unknown", {Kind::get, {{"demoInteger.0", "", 0}, {"demoMode.0", "", 0}}}, 2, 2},
        {"a value of the wrong type", {Kind::set, {{"demoOctets.0", "01 02 03 04", QV_TYPE_OCTET_STRING}}}, 3, 1},
        {"an answered Get", {Kind::get, {{"demoByte.0", "", 0}}}, 0, 0},
        {"an answered Set", {Kind::set, {{"demoName.0", "renamed", QV_TYPE_DISPLAY_TEXT}}}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const Outcome out = round_trip(c.request);
        EXPECT_EQ(out.result, 0) << out.message;
        EXPECT_EQ(out.status, c.status);
        EXPECT_EQ(out.index, c.index);
    }
    const std::vector<Datagram> written = relay.carried_to_agent();
    EXPECT_EQ(written.size(), std::size(cases));
    expect_tshark_reads_cleanly(written, central_dir);
}

TEST_F(Central_Against_Snmpd, QuorvanCliGetQueriesSnmpd) {
    const Process_Result get = run_process({QUORVAN_CLI, "--workdir", central_dir.path(), "--timeout", "2", "get",
                                            "--port", snmpd.endpoint(), "demoByte.0"});
    EXPECT_EQ(get.exit_status, 0) << get.out << get.err;
    EXPECT_NE(get.out.find("result: 0\nmessage: \nvalue: 9\n"), std::string::npos) << get.out;
}

}  // namespace
