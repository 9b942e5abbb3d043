// The station's SNMP codec side by side with libnetsnmp's, in one run, on
// the same messages: a Get request and a Get response of ten objects (four
// INTEGERs, two OCTET STRINGs, an OBJECT IDENTIFIER, a Gauge, TimeTicks and
// an IpAddress). The bytes both sides write are checked to be identical
// before anything is timed. Printed: time per message of each side and the
// ratio station / net-snmp, without the English trace and, for the station,
// with it; then the heap allocations per message of each side.
//
// What each side does per message:
//   encode   station: STMF::encode of a prepared Message_Content
//            net-snmp: snmp_pdu_create, snmp_pdu_add_variable per object,
//                      snmp_build into a fresh buffer, snmp_free_pdu
//   decode   station: STMF::decode in the central role (a Get response,
//                     validated against its request, values stored) or in
//                     the field role (a Get request, carried out, the answer
//                     worked out)
//            net-snmp: snmp_parse into a fresh PDU, snmp_free_pdu
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/alloc_count.h"
#include "bench/netsnmp_peer.h"
#include "codec/error_state.h"
#include "codec/message_content.h"
#include "codec/stmf.h"
#include "codec/value_tlv.h"
#include "field/carry_out.h"
#include "field/field_device_settings.h"
#include "bench/ten_values.h"
#include "tests/support/sample_tree.h"
#include "tree/iso_tree.h"

namespace {

const std::vector<std::string> kObjects = {"demoInteger.0", "demoByte.0",  "demoTemperature.0", "demoMode.0",
                                           "demoOctets.0",  "demoName.0",  "demoObjectId.0",    "demoGauge.0",
                                           "demoTicks.0",   "demoAddress.0"};
constexpr const char* kCommunity = "Orchid";
constexpr int32_t kRequestId = 1;
constexpr uint8_t kGetTag = 0xA0;
constexpr uint8_t kResponseTag = 0xA2;

// Many short rounds: on a machine shared with other work the best round is
// the one least disturbed.
constexpr size_t kCallsPerRound = 1000;
constexpr int kRounds = 41;
constexpr size_t kCountedCalls = 200;

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "codec bench: %s\n", why.c_str());
    std::exit(1);
}

Request_Record request_of(bool get) {
    Request_Record record;
    record.protocol = "SNMP";
    record.class_name = "Class B";
    record.community = kCommunity;
    record.request_id = kRequestId;
    record.address = 1;
    record.get = get ? 1 : 0;
    for (const auto& name : kObjects) record.objects.push_back({name, "", 2});
    return record;
}

// The same message for the peer: the objects' numbers, tags and contents taken from the tree.
Peer_Message peer_message_of(const Message_Content& message, bool get) {
    Peer_Message peer;
    peer.pdu_tag = get ? kGetTag : kResponseTag;
    peer.community = kCommunity;
    peer.request_id = kRequestId;
    for (const Object_Entry& entry : message.entries()) {
        Peer_Object object;
        object.oid = ISO_Tree::oid_numbers(entry.instance);
        if (get) {
            object.tag = 0x05;
        } else {
            object.tag = syntax_tag_of(entry.instance);
            object.value = static_cast<const Iso_Instance*>(entry.instance)->value;
        }
        peer.objects.push_back(std::move(object));
    }
    return peer;
}

std::string hex(const Bytes& bytes) {
    std::string text;
    char digits[4];
    for (uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X ", b);
        text += digits;
    }
    return text;
}

using Clock = std::chrono::steady_clock;

// Nanoseconds per call of one round.
double round_ns(const std::function<void()>& body) {
    const auto start = Clock::now();
    for (size_t i = 0; i < kCallsPerRound; ++i) body();
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kCallsPerRound;
}

double allocations_per_call(const std::function<void()>& body) {
    body();  // anything made once, on first use, is not the message's
    const size_t before = allocations_so_far();
    for (size_t i = 0; i < kCountedCalls; ++i) body();
    return static_cast<double>(allocations_so_far() - before) / kCountedCalls;
}

struct Pair {
    const char* what;
    std::function<void()> station;
    std::function<void()> peer;  // empty: the station alone (with English)
    const char* peer_what;
};

struct Figures {
    double station_ns;
    double peer_ns;
    double station_allocations;
    double peer_allocations;
};

// The two sides take turns round by round, so that the machine's load falls
// on both alike; the best round of each counts.
Figures measure(const Pair& pair) {
    std::vector<double> station, peer;
    for (int round = 0; round < kRounds; ++round) {
        station.push_back(round_ns(pair.station));
        if (pair.peer) peer.push_back(round_ns(pair.peer));
    }
    Figures f{};
    f.station_ns = *std::min_element(station.begin(), station.end());
    f.station_allocations = allocations_per_call(pair.station);
    if (pair.peer) {
        f.peer_ns = *std::min_element(peer.begin(), peer.end());
        f.peer_allocations = allocations_per_call(pair.peer);
    }
    return f;
}

}  // namespace

// An argument limits the run to the line of that name, or to those whose
// names contain it (for profiling).
int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    Sample_Tree sample;
    ISO_Tree& tree = sample.tree();
    set_ten_values(sample);
    const STMF stmf(tree, nullptr);

    Message_Content get_message;
    Message_Content response_message;
    {
        auto hold = tree.write_lock();
        Request_Record get = request_of(true);
        get_message.build_from_request(get, nullptr, tree);
        Request_Record response = request_of(false);
        response_message.build_from_request(response, nullptr, tree);
    }
    auto station_bytes = [&](const Message_Content& message) {
        STMF_Message out;
        stmf.encode(out, message, nullptr);
        return out.bytes();
    };
    const Bytes get_bytes = station_bytes(get_message);
    const Bytes response_bytes = station_bytes(response_message);

    NetSnmp_Peer get_peer;
    get_peer.prepare(peer_message_of(get_message, true));
    NetSnmp_Peer response_peer;
    response_peer.prepare(peer_message_of(response_message, false));
    for (const auto& [name, station, peer] : {std::tuple{"Get request", &get_bytes, &get_peer},
                                              std::tuple{"Get response", &response_bytes, &response_peer}}) {
        const Bytes built = peer->build();
        if (built != *station)
            fail(std::string(name) + ": net-snmp writes other bytes than the station\n  station  " + hex(*station) +
                 "\n  net-snmp " + hex(built));
        size_t variables = 0;
        if (!peer->parse(*station, &variables) || variables != kObjects.size())
            fail(std::string(name) + ": net-snmp does not parse the station's message");
    }

    Error_State_List errors;
    errors.append(kRequestId, true);  // the outstanding request's record, overwritten by every decode
    const Field_Device_Settings field_settings;
    const Carry_Out carry_out(field_settings);
    std::string trace;

    auto encode = [&](const Message_Content& message, bool english) {
        return [&stmf, &message, &trace, english] {
            STMF_Message out;
            trace.clear();
            stmf.encode(out, message, english ? &trace : nullptr);
        };
    };
    auto decode_response = [&](bool english) {
        return [&, english] {
            trace.clear();
            stmf.decode(response_bytes, &get_message, english ? &trace : nullptr, Role::central, &errors, nullptr);
        };
    };
    auto decode_request = [&](bool english) {
        return [&, english] {
            trace.clear();
            stmf.decode(get_bytes, nullptr, english ? &trace : nullptr, Role::field, nullptr, &carry_out);
        };
    };
    auto build = [](NetSnmp_Peer& peer) { return [&peer] { peer.build_and_drop(); }; };
    auto parse = [](NetSnmp_Peer& peer, const Bytes& bytes) { return [&peer, &bytes] { peer.parse(bytes); }; };

    const std::vector<Pair> pairs = {
        {"encode Get request", encode(get_message, false), build(get_peer), "build"},
        {"encode Get response", encode(response_message, false), build(response_peer), "build"},
        {"decode Get response (central)", decode_response(false), parse(response_peer, response_bytes), "parse"},
        {"decode Get request (field, answered)", decode_request(false), parse(get_peer, get_bytes), "parse"},
        {"encode Get request, with English", encode(get_message, true), build(get_peer), "build"},
        {"encode Get response, with English", encode(response_message, true), build(response_peer), "build"},
        {"decode Get response (central), with English", decode_response(true), parse(response_peer, response_bytes),
         "parse"},
        {"decode Get request (field, answered), with English", decode_request(true), parse(get_peer, get_bytes),
         "parse"},
    };

    std::printf("Ten-object SNMPv1 messages, station against libnetsnmp %s on the same bytes\n",
                NetSnmp_Peer::version().c_str());
    std::printf("(%zu and %zu octets; best of %d rounds of %zu, the sides taking turns)\n", get_bytes.size(),
                response_bytes.size(), kRounds, kCallsPerRound);
    std::printf("  %-50s %10s %10s %7s   %s\n", "", "station", "net-snmp", "ratio", "allocations per message");
    std::printf("  %-50s %10s %10s %7s   %s\n", "", "ns/msg", "ns/msg", "st/ns", "station / net-snmp");
    const bool exact = std::any_of(pairs.begin(), pairs.end(), [&](const Pair& p) { return p.what == only; });
    for (const Pair& pair : pairs) {
        if (exact ? pair.what != only : std::string(pair.what).find(only) == std::string::npos) continue;
        const Figures f = measure(pair);
        std::printf("  %-50s %10.0f %10.0f %7.2f   %6.1f / %4.1f  (net-snmp %s)\n", pair.what, f.station_ns,
                    f.peer_ns, f.station_ns / f.peer_ns, f.station_allocations, f.peer_allocations, pair.peer_what);
    }
    return 0;
}
