// The port text of a network line: which socket and which peer.
//   udp:HOST:PORT        SNMP straight over UDP; the central station sends
//                        to HOST:PORT, the field device listens there
//   udp::PORT            the field device listens on every address
//   tcp:HOST:PORT        PMPP frames over a TCP stream to HOST:PORT (a serial
//                        device server, or a field device that listens)
//   tcp-listen:HOST:PORT a field device a central station connects to;
//   tcp-listen::PORT     on every address
// A host in brackets may be an IPv6 address ("udp:[::1]:161").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "datalink/framer.h"

enum class Net_Kind : uint8_t { udp, tcp, tcp_listen };

struct Net_Endpoint {
    Net_Kind kind = Net_Kind::udp;
    std::string host;  // empty: every local address
    uint16_t port = 0;

    // What the line carries: datagrams without framing, or PMPP frames.
    Link_Type link() const { return kind == Net_Kind::udp ? Link_Type::none : Link_Type::pmpp; }
    bool operator==(const Net_Endpoint&) const = default;
};

// The endpoint a port text names; nothing when it names none (a serial
// device, or a malformed text). A central station needs a host to reach.
std::optional<Net_Endpoint> parse_endpoint(std::string_view text);

// Whether the text starts like a network port text at all.
bool names_network_line(std::string_view text);
