// The central station on UDP and TCP lines against quorvan-cli's field device
// as its own process: every request type, the reconnection of TCP, the
// time-out of an unanswered datagram and the error injection over UDP.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "quorvan.h"
#include "tests/network/network_fixture.h"
#include "tests/support/process.h"

namespace {

const Request_Plan kGetName{Kind::get, {{"demoName.0", "", 0}}};
const Request_Plan kGetInteger{Kind::get, {{"demoInteger.0", "", 0}}};

// Field devices answer only SNMP: an STMP request times out on a network
// line as on a serial one.
struct Line_Kind {
    const char* name;
    const char* field_scheme;    // the field device's port text, before the port number
    const char* central_scheme;  // the central station's
    int socket_type;
};
void PrintTo(const Line_Kind& kind, std::ostream* out) { *out << kind.name; }

class Network_Lines : public Network_Test, public ::testing::WithParamInterface<Line_Kind> {
protected:
    void SetUp() override {
        port = free_loopback_port(GetParam().socket_type);
        start_field(field_port());
    }
    std::string field_port() const { return GetParam().field_scheme + std::to_string(port); }
    std::string central_port() const { return GetParam().central_scheme + std::to_string(port); }

    uint16_t port = 0;
};

TEST_P(Network_Lines, EveryRequestTypeIsAnswered) {
    ASSERT_TRUE(use_port(central_port()));
    struct Case {
        const char* what;
        Request_Plan plan;
        std::string value;
    };
    const Case cases[] = {
        {"SNMP Set", {Kind::set, {{"demoInteger.0", "42", QV_TYPE_INTEGER}}}, "42"},
        {"SNMP Get", kGetInteger, "42"},
        {"SNMP Get-next", {Kind::get_next, {{"demoInteger.0", "", 0}}}, "1.3.6.1.4.1.1206.4.2.99.1.2.0"},
        {"SNMP Get of two objects", {Kind::get, {{"demoName.0", "", 0}, {"demoInteger.0", "", 0}}}, "42"},
        {"SNMP Set of text", {Kind::set, {{"demoName.0", "over the network", QV_TYPE_DISPLAY_TEXT}}}, "over the network"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome out = round_trip(c.plan);
        EXPECT_EQ(out.result, 0) << out.message;
        EXPECT_EQ(out.status, 0);
        EXPECT_EQ(out.value, c.value);
    }
}

TEST_P(Network_Lines, CentralStationsInTheirOwnProcessesAreAnsweredOneAfterAnother) {
    // Each run opens its own socket (TCP: its own connection, which it
    // closes at the end); the field device serves the next one, and then
    // the central station in the test.
    for (const char* value : {"5", "6"}) {
        const Process_Result set = run_process({QUORVAN_CLI, "--workdir", central_dir.path(), "--timeout", "2", "set",
                                                "--port", central_port(), std::string("demoInteger.0=") + value});
        EXPECT_EQ(set.exit_status, 0) << set.out << set.err;
        EXPECT_NE(set.out.find(std::string("value: ") + value), std::string::npos) << set.out;
    }
    ASSERT_TRUE(use_port(central_port()));
    EXPECT_EQ(round_trip(kGetInteger).value, "6");
}

INSTANTIATE_TEST_SUITE_P(Lines, Network_Lines,
                         ::testing::Values(Line_Kind{"Udp", "udp:127.0.0.1:", "udp:127.0.0.1:", SOCK_DGRAM},
                                           Line_Kind{"Tcp", "tcp-listen:127.0.0.1:", "tcp:127.0.0.1:", SOCK_STREAM}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Network_Test, TheConfiguredNetworkLineOpensAtInit) {
    const uint16_t port = free_loopback_port(SOCK_DGRAM);
    start_field("udp:127.0.0.1:" + std::to_string(port));
    Shutdown();
    central_dir.write("NQuorvan.ini", "NETWORK\nudp:127.0.0.1:" + std::to_string(port) + "\n9600\n2\n\nCENTRAL\n\n");
    ASSERT_EQ(Init(nullptr, 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
    char output_name[16] = "Mibi.out";
    ASSERT_EQ(CompileMIB("Mibi", output_name, "Errors.out", 0), 0);
    int32_t type = 0;
    int32_t role = 0;
    GetModes(&type, &role);
    EXPECT_EQ(type, QV_CONNECTION_NETWORK);
    ASSERT_EQ(StartReceiverThread(nullptr, nullptr), 0);
    EXPECT_EQ(round_trip(kGetName).result, 0);
}

TEST_F(Network_Test, PortTextsThatNameNoLineAreRefused) {
    for (const char* text : {"udp:127.0.0.1:", "udp:127.0.0.1:99999", "udp::161", "tcp:127.0.0.1", "udp:[::1:161",
                             "udp:no.such.host.invalid:161"}) {
        SCOPED_TRACE(text);
        // udp::PORT names a field device's socket; a central station needs a host.
        EXPECT_EQ(SetRunParams(9600, text, kTimeOut), -1);
        EXPECT_EQ(GetPort(), -1);
    }
}

TEST_F(Network_Test, AnUnansweredDatagramTimesOut) {
    // A socket that takes the request and never answers.
    const int silent = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), length), 0);
    ::getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length);
    ASSERT_TRUE(use_port("udp:127.0.0.1:" + std::to_string(ntohs(address.sin_port))));
    const Outcome out = round_trip(kGetName);
    EXPECT_EQ(out.result, 0x10);
    EXPECT_EQ(out.message, "Error: The last message response timed out.");
    ::close(silent);
}

TEST_F(Network_Test, ATcpPeerThatClosesAndComesBackIsReconnected) {
    const uint16_t port = free_loopback_port(SOCK_STREAM);
    const std::string listen = "tcp-listen:127.0.0.1:" + std::to_string(port);
    start_field(listen);
    ASSERT_TRUE(use_port("tcp:127.0.0.1:" + std::to_string(port)));
    EXPECT_EQ(round_trip(kGetName).result, 0);

    field->stop();
    // Nothing listens: the request cannot go out and says so at once,
    // instead of waiting for a time-out.
    EXPECT_EQ(send(kGetName), -1);
    EXPECT_NE(central_display().find("Error sending message"), std::string::npos);

    start_field(listen);
    const Outcome out = round_trip(kGetName);
    EXPECT_EQ(out.result, 0) << out.message;
    EXPECT_NE(central_display().find("Connected to 127.0.0.1:" + std::to_string(port)), std::string::npos);
}

TEST_F(Network_Test, InjectedFaultsActOnTheDatagram) {
    const uint16_t port = free_loopback_port(SOCK_DGRAM);
    start_field("udp:127.0.0.1:" + std::to_string(port));
    ASSERT_TRUE(use_port("udp:127.0.0.1:" + std::to_string(port)));

    // Without a frame there is no FCS, address or control to spoil: the
    // answer goes out whole, and the device says why.
    inject("bad-crc,bad-control,bad-address");
    EXPECT_EQ(round_trip(kGetName).result, 0);
    EXPECT_TRUE(field->wait_for("Error injection: invalid CRC, invalid address and invalid control are not "
                                "applicable over UDP (no frame); not injected"))
        << field->output();

    // An octet added to the datagram spoils the message.
    inject("extra-byte");
    const Outcome spoiled = round_trip(kGetName);
    EXPECT_GT(spoiled.result, 0) << spoiled.message;

    inject("no-response");
    EXPECT_EQ(round_trip(kGetName).result, 0x10);

    inject("none");
    EXPECT_EQ(round_trip(kGetName).result, 0);
}

}  // namespace
