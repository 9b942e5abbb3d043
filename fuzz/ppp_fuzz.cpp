// The PPP layer on any octets from the line. The input is read as steps;
// each step is a selector octet, a length octet and that many octets:
//   selector % 6 == 0  the octets as a whole frame, flags included
//   1                  an LCP packet, framed and received
//   2                  a CHAP packet, framed and received
//   3                  an event raised by the code in the first octet
//   4                  the clock moved on by the octets' value, a timer pass
//   5                  an NTCIP message, framed and received
// Invariants: nothing is read outside a packet; the automaton stays in its
// states and phases with no event pending between steps; every frame the
// layer sends decodes cleanly and carries a packet whose length field is
// its own size.
#include <cstdint>
#include <cstdlib>

#include "datalink/pmpp_exception.h"
#include "ppp/ppp_link.h"
#include "tests/ppp/ppp_fixture.h"

namespace {

void check_packet(uint16_t protocol, const Ppp_Bytes& packet) {
    if (protocol == ppp_protocol::kNtcip) return;
    if (packet.size() < 4) abort();
    if ((packet[2] << 8 | packet[3]) != static_cast<int>(packet.size())) abort();
    if (protocol == ppp_protocol::kLcp && std::holds_alternative<std::string>(parse_lcp_packet(packet, 0))) abort();
    if (protocol == ppp_protocol::kChap && std::holds_alternative<std::string>(parse_chap_packet(packet))) abort();
}

// Every frame the layer sends must come back through the decode intact.
struct Checking_Sink : Frame_Sink {
    void send_frame(const Ppp_Bytes& frame, std::string_view) override {
        Raw_Message message;
        message.octets = frame;
        Decode_Result result;
        decode_ppp_frame(message, result);  // throws (and the fuzzer reports it) on a bad frame
        if (result.flags != 0) abort();
        check_packet(result.ipi, message.information);
    }
};

void check_layer(const PPP& ppp) {
    const auto state = static_cast<int32_t>(ppp.state());
    const auto phase = static_cast<int32_t>(ppp.phase());
    if (state < 0 || state >= kLcpStateCount || phase < 0 || phase > 4) abort();
    if (ppp.event() != static_cast<int32_t>(Lcp_Event::none)) abort();
    if (ppp.restart_counter() < 0 || ppp.restart_counter() > PPP::kMaxRestarts) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint32_t now = 0;
    PPP ppp([&now] { return now; }, seeded_random(static_cast<uint32_t>(size)));
    ppp.set_secret("orchid");
    Checking_Sink sink;
    Ppp_Link link(ppp, sink);
    link.open();

    size_t at = 0;
    while (at + 2 <= size) {
        const uint8_t selector = data[at];
        const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
        const Ppp_Bytes octets(data + at + 2, data + at + 2 + length);
        at += 2 + length;
        try {
            switch (selector % 6) {
            case 0: link.receive_frame(octets); break;
            case 1: link.receive_frame(encode_ppp_frame(octets, ppp_protocol::kLcp)); break;
            case 2: link.receive_frame(encode_ppp_frame(octets, ppp_protocol::kChap)); break;
            case 3: link.raise(octets.empty() ? 0 : static_cast<int8_t>(octets[0]), selector & 0x80); break;
            case 4:
                for (uint8_t octet : octets) now += octet * 1000u;
                link.idle_pass();
                break;
            case 5: {
                const Ppp_Received received = link.receive_frame(encode_ppp_frame(octets, ppp_protocol::kNtcip));
                if (!received.ntcip || *received.ntcip != octets) abort();
                break;
            }
            }
        } catch (const RecoverException&) {
            abort();  // the layer reports what it refuses; it throws nothing
        }
        check_layer(ppp);
    }
    return 0;
}
