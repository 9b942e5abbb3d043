// libnetsnmp as the peer of the station's SNMP codec: it builds and parses
// SNMPv1 messages the way an application of the library does (a PDU with its
// variables, snmp_build into a fresh packet buffer; snmp_parse into a fresh
// PDU). Knows nothing of the station: objects come as numbers and BER
// contents, which are turned into the library's native values once, before
// anything is timed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Peer_Object {
    std::vector<uint32_t> oid;
    uint8_t tag = 0;             // BER tag of the value (0x05 NULL in a request)
    std::vector<uint8_t> value;  // BER content of the value
};

struct Peer_Message {
    uint8_t pdu_tag = 0;  // 0xA0 Get, 0xA2 Get response, ...
    std::string community;
    int32_t request_id = 0;
    std::vector<Peer_Object> objects;
};

class NetSnmp_Peer {
public:
    NetSnmp_Peer();
    ~NetSnmp_Peer();
    NetSnmp_Peer(const NetSnmp_Peer&) = delete;
    NetSnmp_Peer& operator=(const NetSnmp_Peer&) = delete;

    // The library's version text, e.g. "5.9.3".
    static std::string version();

    // Takes the message to build from now on (converted to native values here).
    void prepare(const Peer_Message& message);

    // One message built from scratch: PDU, variables, packet; the bytes are
    // returned. Throws std::runtime_error when the library refuses.
    std::vector<uint8_t> build();
    // The same without handing the bytes out: what the timing loop calls.
    size_t build_and_drop();

    // One message parsed into a fresh PDU and freed; false when the library
    // refuses it. Counts the variables it found into *variables.
    bool parse(const std::vector<uint8_t>& bytes, size_t* variables = nullptr);

private:
    struct State;
    std::unique_ptr<State> state_;
};
