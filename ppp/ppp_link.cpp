#include "ppp/ppp_link.h"

#include "base/throwable.h"

Ppp_Link::Ppp_Link(PPP& ppp, Frame_Sink& sink, Ppp_Trace trace) : ppp_(ppp), sink_(sink), trace_(std::move(trace)) {}

void Ppp_Link::send(const Ppp_Packet_Out& packet, uint16_t protocol) {
    sink_.send_frame(encode_ppp_frame(packet.octets, protocol, faults_, fault_random_), packet.name);
}

void Ppp_Link::send_all(const Lcp_Output& output) {
    note_phase();
    for (const Ppp_Packet_Out& packet : output.packets) send(packet, ppp_protocol::kLcp);
}

void Ppp_Link::note_phase() {
    const Link_Phase phase = ppp_.phase();
    if (phase != Link_Phase::authenticate && phase != Link_Phase::network) challenge_sent_ = false;
}

Ppp_Received Ppp_Link::receive_frame(std::span<const uint8_t> frame) {
    Ppp_Received received;
    Raw_Message message;
    message.octets.assign(frame.begin(), frame.end());
    try {
        decode_ppp_frame(message, received.decode);
    } catch (const RecoverException& failure) {
        received.error = failure.message();
        trace(received.error);
        return received;
    }
    if (received.decode.flags != 0) return received;
    receive_packet(received.decode.ipi, message.information, received);
    return received;
}

void Ppp_Link::receive_packet(uint16_t protocol, std::span<const uint8_t> information, Ppp_Received& received) {
    switch (protocol) {
    case ppp_protocol::kLcp:
        received.lcp = ppp_.receive_lcp(information);
        trace(received.lcp.refusal);
        send_all(received.lcp);
        break;
    case ppp_protocol::kChap:
        received.chap = ppp_.receive_chap(information);
        trace(received.chap.text);
        if (received.chap.reply) send(*received.chap.reply, ppp_protocol::kChap);
        break;
    case ppp_protocol::kNtcip:
    case ppp_protocol::kNtcipC0: received.ntcip = Ppp_Bytes(information.begin(), information.end()); break;
    default: break;  // IP: not carried here
    }
}

void Ppp_Link::idle_pass() {
    note_phase();
    // The peer's Success can move this side to the Network phase before its
    // first quiet pass; it still challenges the peer once, or the peer would
    // wait in the Authentication phase for ever.
    const Link_Phase phase = ppp_.phase();
    if ((phase == Link_Phase::authenticate || phase == Link_Phase::network) && !challenge_sent_)
        challenge_sent_ = authenticate();
    send_all(ppp_.run_timer());
}

Lcp_Result Ppp_Link::raise(int32_t event, bool send) {
    const Lcp_Output output = ppp_.raise_and_serialise(event);
    note_phase();
    if (send) send_all(output);
    return output.result;
}

void Ppp_Link::open() { send_all(ppp_.open()); }

bool Ppp_Link::authenticate() {
    const auto challenge = ppp_.authenticate();
    if (challenge) send(*challenge, ppp_protocol::kChap);
    return challenge.has_value();
}

Ppp_Bytes Ppp_Link::send_raw(Lcp_Code code, std::optional<uint8_t> identifier) {
    const Ppp_Packet_Out packet = ppp_.build_raw(code, identifier);
    Ppp_Bytes frame = encode_ppp_frame(packet.octets, ppp_protocol::kLcp, faults_, fault_random_);
    sink_.send_frame(frame, packet.name);
    return frame;
}

void Ppp_Link::send_ntcip(std::span<const uint8_t> information) {
    sink_.send_frame(encode_ppp_frame(information, ppp_protocol::kNtcip, faults_, fault_random_), kNtcipLabel);
}
