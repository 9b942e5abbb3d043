// quorvan-gateway between net-snmp and a serial line, both ways: net-snmp's
// tools reach the field device on a serial line, and the central station on
// a serial line reaches net-snmp's agent. Each program is its own process;
// the serial line is a null-modem cable of two pseudo-terminals.
#include <sys/socket.h>

#include "cli/null_modem.h"
#include "quorvan.h"
#include "tests/network/network_fixture.h"
#include "tests/network/udp_capture.h"
#include "tests/support/owned_text.h"
#include "tests/support/process.h"

namespace {

constexpr const char* kDemoInteger = ".1.3.6.1.4.1.1206.4.2.99.1.1.0";
constexpr const char* kDemoByte = ".1.3.6.1.4.1.1206.4.2.99.1.2.0";
constexpr const char* kDemoName = ".1.3.6.1.4.1.1206.4.2.99.1.6.0";

Process_Result net_snmp(const std::string& tool, const std::string& peer, std::vector<std::string> arguments) {
    std::vector<std::string> argv = {"/usr/bin/env", "MIBS=", "MIBDIRS=/nonexistent", tool, "-v1", "-c", "Orchid",
                                     "-On", "-t", "2", "-r", "0", peer};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return run_process(argv);
}

std::unique_ptr<Child_Process> start_gateway(const std::vector<std::string>& arguments, const std::string& banner) {
    std::vector<std::string> argv = {QUORVAN_GATEWAY};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    auto gateway = std::make_unique<Child_Process>(argv);
    EXPECT_TRUE(gateway->wait_for(banner)) << gateway->output();
    return gateway;
}

// The tools reach the gateway through a relay that keeps the field
// device's answers for tshark.
class Gateway_To_Field : public Network_Test {
protected:
    void SetUp() override {
        start_field(cable.first());
        gateway = start_gateway({"field", "--udp", gateway_at, "--line", cable.second(), "--drop", "1"},
                                "Gateway carrying SNMP between udp:" + gateway_at);
    }
    void TearDown() override { gateway->stop(); }
    Null_Modem cable;
    const uint16_t gateway_port = free_loopback_port(SOCK_DGRAM);
    const std::string gateway_at = "127.0.0.1:" + std::to_string(gateway_port);
    Udp_Relay relay{gateway_port};
    const std::string peer = relay.endpoint().substr(4);  // net-snmp's own form: HOST:PORT
    std::unique_ptr<Child_Process> gateway;
};

TEST_F(Gateway_To_Field, NetSnmpToolsReachTheFieldDeviceOnTheSerialLine) {
    Process_Result set = net_snmp("snmpset", peer, {kDemoInteger, "i", "42", kDemoName, "s", "via serial"});
    EXPECT_EQ(set.exit_status, 0) << set.err << gateway->output();
    EXPECT_EQ(set.out, std::string(kDemoInteger) + " = INTEGER: 42\n" + kDemoName + " = STRING: \"via serial\"\n");

    Process_Result get = net_snmp("snmpget", peer, {kDemoInteger, kDemoName});
    EXPECT_EQ(get.exit_status, 0) << get.err;
    EXPECT_EQ(get.out, std::string(kDemoInteger) + " = INTEGER: 42\n" + kDemoName + " = STRING: \"via serial\"\n");

    Process_Result next = net_snmp("snmpgetnext", peer, {kDemoInteger});
    EXPECT_EQ(next.exit_status, 0) << next.err;
    EXPECT_EQ(next.out, std::string(kDemoByte) + " = INTEGER: 0\n");

    const std::vector<Datagram> answers = relay.carried_from_agent();
    EXPECT_EQ(answers.size(), 3u);
    expect_tshark_reads_cleanly(answers, field_dir);
}

// Error answers carry their bindings across the serial line, so net-snmp
// names the failed object; a walk ends at the end of the MIB.
TEST_F(Gateway_To_Field, RefusalsAndAWalkReachNetSnmpWhole) {
    const std::string dyn_obj_number = ".1.3.6.1.4.1.1206.4.1.3.1.1.1.1.1";
    const struct {
        std::vector<std::string> arguments;
        const char* reason;
        std::string failed;
    } cases[] = {
        {{kDemoInteger, "i", "1", kDemoByte, "i", "256"}, "badValue", kDemoByte},
        {{kDemoInteger, "i", "1", dyn_obj_number, "i", "3"}, "readOnly", dyn_obj_number},
        {{kDemoInteger, "i", "1", ".1.3.6.1.4.1.1206.4.2.99.1.99.0", "i", "3"}, "noSuchName",
         ".1.3.6.1.4.1.1206.4.2.99.1.99.0"},
    };
    for (const auto& c : cases) {
        const Process_Result set = net_snmp("snmpset", peer, c.arguments);
        EXPECT_NE(set.exit_status, 0) << c.reason;
        EXPECT_NE(set.err.find(std::string("Reason: (") + c.reason + ")"), std::string::npos) << set.err;
        EXPECT_NE(set.err.find("Failed object: " + c.failed + "\n"), std::string::npos) << set.err;
    }

    const Process_Result walk = net_snmp("snmpwalk", peer, {".1.3.6.1.4.1.1206.4.2.99"});
    EXPECT_EQ(walk.exit_status, 0) << walk.err;
    EXPECT_EQ(walk.err, "");
    const std::string last = ".1.3.6.1.4.1.1206.4.2.99.3.1.4.2.4 = Gauge32: 0\nEnd of MIB\n";
    ASSERT_GE(walk.out.size(), last.size()) << walk.out;
    EXPECT_EQ(walk.out.substr(walk.out.size() - last.size()), last);
    EXPECT_EQ(walk.out.rfind(std::string(kDemoInteger) + " = INTEGER: ", 0), 0u) << walk.out.substr(0, 200);
    expect_tshark_reads_cleanly(relay.carried_from_agent(), field_dir);
}

// The central station on a serial line, the gateway, and snmpd behind a
// relay that keeps what the station's requests became on UDP.
class Gateway_To_Agent : public Network_Test {
protected:
    void SetUp() override {
        gateway = start_gateway({"central", "--line", cable.second(), "--agent", relay.endpoint()},
                                "Gateway carrying SNMP from the central station");
        ASSERT_TRUE(use_port(cable.first()));
    }
    void TearDown() override { gateway->stop(); }
    Temp_Dir snmpd_dir;
    Snmpd_Process snmpd{snmpd_dir};
    Udp_Relay relay{snmpd.port()};
    Null_Modem cable;
    std::unique_ptr<Child_Process> gateway;
};

TEST_F(Gateway_To_Agent, TheCentralStationOnASerialLineReachesAnSnmpAgent) {
    Outcome out = round_trip({Kind::get, {{"demoName.0", "", 0}, {"demoInteger.0", "", 0}}});
    EXPECT_EQ(out.result, 0) << out.message << gateway->output();
    EXPECT_EQ(out.value, "7");

    out = round_trip({Kind::get_next, {{"demoInteger.0", "", 0}}});
    EXPECT_EQ(out.result, 0) << out.message;
    EXPECT_EQ(out.value, "1.3.6.1.4.1.1206.4.2.99.1.2.0");

    out = round_trip({Kind::set, {{"demoByte.0", "33", QV_TYPE_INTEGER}}});
    EXPECT_EQ(out.result, 0) << out.message;
    EXPECT_EQ(out.value, "33");
    expect_tshark_reads_cleanly(relay.carried_to_agent(), central_dir);
}

}  // namespace
