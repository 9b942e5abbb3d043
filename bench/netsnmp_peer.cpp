#include "bench/netsnmp_peer.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern "C" {
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
}

namespace {

// A packet buffer as the library's own send path allocates it.
constexpr size_t kPacketBuffer = 2048;

long signed_of(const std::vector<uint8_t>& content) {
    uint64_t value = !content.empty() && content.front() >= 0x80 ? ~uint64_t{0} : 0;
    for (uint8_t octet : content) value = value << 8 | octet;
    return static_cast<long>(static_cast<int64_t>(value));
}

unsigned long unsigned_of(const std::vector<uint8_t>& content) {
    unsigned long value = 0;
    for (uint8_t octet : content) value = value << 8 | octet;
    return value;
}

std::vector<oid> oid_of_ber(const std::vector<uint8_t>& content) {
    std::vector<oid> arcs;
    uint64_t value = 0;
    bool first = true;
    for (uint8_t octet : content) {
        value = value << 7 | (octet & 0x7Fu);
        if (octet & 0x80) continue;
        if (first) {
            const uint64_t arc1 = value < 40 ? 0 : value < 80 ? 1 : 2;
            arcs.push_back(arc1);
            arcs.push_back(value - 40 * arc1);
            first = false;
        } else {
            arcs.push_back(value);
        }
        value = 0;
    }
    return arcs;
}

// One variable in the library's native form.
struct Native_Variable {
    std::vector<oid> name;
    u_char type = ASN_NULL;
    long integer = 0;
    unsigned long number = 0;
    std::vector<oid> oid_value;
    std::vector<uint8_t> octets;

    const void* value() const {
        switch (type) {
            case ASN_INTEGER:
                return &integer;
            case ASN_COUNTER:
            case ASN_GAUGE:
            case ASN_TIMETICKS:
                return &number;
            case ASN_OBJECT_ID:
                return oid_value.data();
            case ASN_NULL:
                return nullptr;
            default:
                return octets.data();
        }
    }
    size_t length() const {
        switch (type) {
            case ASN_INTEGER:
                return sizeof integer;
            case ASN_COUNTER:
            case ASN_GAUGE:
            case ASN_TIMETICKS:
                return sizeof number;
            case ASN_OBJECT_ID:
                return oid_value.size() * sizeof(oid);
            case ASN_NULL:
                return 0;
            default:
                return octets.size();
        }
    }
};

}  // namespace

struct NetSnmp_Peer::State {
    netsnmp_session session{};
    std::string community;
    int command = 0;
    long request_id = 0;
    std::vector<Native_Variable> variables;

    netsnmp_pdu* make_pdu() const {
        netsnmp_pdu* pdu = snmp_pdu_create(command);
        pdu->reqid = request_id;
        // What snmp_send takes from the session before it builds.
        pdu->version = session.version;
        pdu->community = static_cast<u_char*>(std::malloc(community.size()));
        std::memcpy(pdu->community, community.data(), community.size());
        pdu->community_len = community.size();
        for (const Native_Variable& variable : variables) {
            snmp_pdu_add_variable(pdu, variable.name.data(), variable.name.size(), variable.type,
                                  variable.value(), variable.length());
        }
        return pdu;
    }

    // Builds into a fresh buffer; the message is the last `length` bytes of
    // it when the library encodes in reverse (its default), else the first.
    u_char* build(size_t& length, size_t& start) {
        netsnmp_pdu* pdu = make_pdu();
        size_t size = kPacketBuffer;
        size_t offset = 0;
        auto* packet = static_cast<u_char*>(std::malloc(size));
        const int result = snmp_build(&packet, &size, &offset, &session, pdu);
        snmp_free_pdu(pdu);
        if (result != 0) {
            std::free(packet);
            throw std::runtime_error(std::string("snmp_build refused the message: ") +
                                     snmp_api_errstring(session.s_snmp_errno));
        }
        if (offset > 0 && offset <= size && packet[size - offset] == 0x30) {
            start = size - offset;
            length = offset;
        } else {
            start = 0;
            length = offset;
        }
        return packet;
    }
};

NetSnmp_Peer::NetSnmp_Peer() : state_(std::make_unique<State>()) {
    // No MIB files and no configuration: the codec alone is measured.
    setenv("MIBS", "", 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    snmp_sess_init(&state_->session);
    state_->session.version = SNMP_VERSION_1;
}

NetSnmp_Peer::~NetSnmp_Peer() = default;

std::string NetSnmp_Peer::version() { return netsnmp_get_version(); }

void NetSnmp_Peer::prepare(const Peer_Message& message) {
    State& s = *state_;
    s.community = message.community;
    s.session.community = reinterpret_cast<u_char*>(s.community.data());
    s.session.community_len = s.community.size();
    s.command = message.pdu_tag;
    s.request_id = message.request_id;
    s.variables.clear();
    for (const Peer_Object& object : message.objects) {
        Native_Variable variable;
        variable.name.assign(object.oid.begin(), object.oid.end());
        variable.type = object.tag;
        switch (object.tag) {
            case ASN_INTEGER:
                variable.integer = signed_of(object.value);
                break;
            case ASN_COUNTER:
            case ASN_GAUGE:
            case ASN_TIMETICKS:
                variable.number = unsigned_of(object.value);
                break;
            case ASN_OBJECT_ID:
                variable.oid_value = oid_of_ber(object.value);
                break;
            default:
                variable.octets = object.value;
                break;
        }
        s.variables.push_back(std::move(variable));
    }
}

std::vector<uint8_t> NetSnmp_Peer::build() {
    size_t length = 0;
    size_t start = 0;
    u_char* packet = state_->build(length, start);
    std::vector<uint8_t> bytes(packet + start, packet + start + length);
    std::free(packet);
    return bytes;
}

size_t NetSnmp_Peer::build_and_drop() {
    size_t length = 0;
    size_t start = 0;
    u_char* packet = state_->build(length, start);
    std::free(packet);
    return length;
}

bool NetSnmp_Peer::parse(const std::vector<uint8_t>& bytes, size_t* variables) {
    // A received message goes into a PDU of its own, as in the library's read path.
    auto* pdu = static_cast<netsnmp_pdu*>(std::calloc(1, sizeof(netsnmp_pdu)));
    const int result = snmp_parse(nullptr, &state_->session, pdu, const_cast<u_char*>(bytes.data()), bytes.size());
    if (variables != nullptr) {
        *variables = 0;
        for (netsnmp_variable_list* v = pdu->variables; v != nullptr; v = v->next_variable) ++*variables;
    }
    snmp_free_pdu(pdu);
    return result == 0;
}
