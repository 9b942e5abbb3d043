#include "transport/net_endpoint.h"

#include <gtest/gtest.h>

namespace {

TEST(Net_Endpoint, PortTextsNameTheirEndpoint) {
    struct Case {
        const char* text;
        std::optional<Net_Endpoint> endpoint;
    };
    const Case cases[] = {
        {"udp:127.0.0.1:161", Net_Endpoint{Net_Kind::udp, "127.0.0.1", 161}},
        {"udp::16161", Net_Endpoint{Net_Kind::udp, "", 16161}},
        {"tcp:device-server:4001", Net_Endpoint{Net_Kind::tcp, "device-server", 4001}},
        {"tcp-listen::4001", Net_Endpoint{Net_Kind::tcp_listen, "", 4001}},
        {"udp:[::1]:161", Net_Endpoint{Net_Kind::udp, "::1", 161}},
        {"udp:127.0.0.1:65535", Net_Endpoint{Net_Kind::udp, "127.0.0.1", 65535}},
        // Malformed: no port, a port out of range or not a number, an IPv6
        // address without brackets, stray brackets, an unknown scheme.
        {"udp:127.0.0.1", std::nullopt},
        {"udp:127.0.0.1:", std::nullopt},
        {"udp:127.0.0.1:65536", std::nullopt},
        {"udp:127.0.0.1:1x", std::nullopt},
        {"udp:127.0.0.1:-1", std::nullopt},
        {"udp:::1:161", std::nullopt},
        {"udp:[::1:161", std::nullopt},
        {"udp:a]b:161", std::nullopt},
        {"sctp:127.0.0.1:161", std::nullopt},
        {"/dev/ttyS0", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parse_endpoint(c.text), c.endpoint);
    }
}

TEST(Net_Endpoint, UdpCarriesMessagesUnframedAndTcpCarriesPmpp) {
    EXPECT_EQ(parse_endpoint("udp::161")->link(), Link_Type::none);
    EXPECT_EQ(parse_endpoint("tcp:h:1")->link(), Link_Type::pmpp);
    EXPECT_EQ(parse_endpoint("tcp-listen::1")->link(), Link_Type::pmpp);
    EXPECT_TRUE(names_network_line("tcp-listen:"));
    EXPECT_FALSE(names_network_line("COM1"));
}

}  // namespace
