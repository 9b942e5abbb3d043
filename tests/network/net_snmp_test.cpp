// net-snmp as the independent peer over UDP: its tools against quorvan-cli's
// field device, and the central station against its agent snmpd.
#include <sys/socket.h>

#include "quorvan.h"
#include "tests/network/network_fixture.h"
#include "tests/network/udp_capture.h"
#include "tests/support/process.h"

namespace {

constexpr const char* kDemoInteger = ".1.3.6.1.4.1.1206.4.2.99.1.1.0";
constexpr const char* kDemoByte = ".1.3.6.1.4.1.1206.4.2.99.1.2.0";
constexpr const char* kDemoName = ".1.3.6.1.4.1.1206.4.2.99.1.6.0";

// A net-snmp tool run with numeric output and no MIB files.
Process_Result net_snmp(const std::string& tool, const std::string& peer, std::vector<std::string> arguments) {
    std::vector<std::string> argv = {"/usr/bin/env", "MIBS=", "MIBDIRS=/nonexistent", tool, "-v1", "-c", "Orchid",
                                     "-On", "-t", "2", "-r", "0", peer};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return run_process(argv);
}

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
