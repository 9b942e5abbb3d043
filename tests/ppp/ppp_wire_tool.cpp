// The PPP layer on standard input and output, for independent peers
// written in Python (scapy, hashlib) to check it against:
//
//   ppp_wire_tool frames   every kind of frame the station writes, one JSON
//                          line each: its label, its octets and the fields
//                          the station put in it
//   ppp_wire_tool decode   one frame in hex per input line; prints the
//                          fields the station decodes and the frames it
//                          sends in answer
//   ppp_wire_tool md5      one octet string in hex per input line; prints
//                          its MD5 in hex
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "datalink/pmpp_exception.h"
#include "ppp/md5.h"
#include "ppp/ppp_link.h"
#include "tests/ppp/ppp_fixture.h"

namespace {

std::string hex(std::span<const uint8_t> octets) {
    std::string text;
    char pair[3];
    for (uint8_t octet : octets) {
        std::snprintf(pair, sizeof pair, "%02x", octet);
        text += pair;
    }
    return text;
}

Ppp_Bytes from_hex(const std::string& text) {
    Ppp_Bytes octets;
    for (size_t i = 0; i + 1 < text.size(); i += 2) octets.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
    return octets;
}

// The station's view of a frame: its protocol and the fields of the packet
// it carries, as one JSON object (without the closing brace).
std::string view(const std::string& label, const Ppp_Bytes& frame) {
    std::ostringstream out;
    out << "{\"label\": \"" << label << "\", \"frame\": \"" << hex(frame) << "\"";
    Raw_Message message;
    message.octets = frame;
    Decode_Result result;
    try {
        decode_ppp_frame(message, result);
    } catch (const RecoverException& failure) {
        out << ", \"error\": \"" << failure.message() << "\"";
        return out.str();
    }
    out << ", \"flags\": " << result.flags << ", \"protocol\": " << result.ipi;
    const Ppp_Bytes& info = message.information;
    if (result.ipi == ppp_protocol::kLcp) {
        auto parsed = parse_lcp_packet(info, 0);
        if (auto* refusal = std::get_if<std::string>(&parsed)) return out.str() + ", \"error\": \"" + *refusal + "\"";
        const Lcp_Packet& packet = std::get<Lcp_Packet>(parsed);
        out << ", \"code\": " << int{packet.code} << ", \"id\": " << int{packet.identifier}
            << ", \"length\": " << packet.length << ", \"data\": \"" << hex(packet.data) << "\"";
    } else if (result.ipi == ppp_protocol::kChap) {
        auto parsed = parse_chap_packet(info);
        if (auto* refusal = std::get_if<std::string>(&parsed)) return out.str() + ", \"error\": \"" + *refusal + "\"";
        const Chap_Packet& packet = std::get<Chap_Packet>(parsed);
        out << ", \"code\": " << static_cast<int>(packet.code) << ", \"id\": " << int{packet.identifier}
            << ", \"length\": " << packet.length << ", \"data\": \"" << hex(packet.data) << "\", \"value\": \""
            << hex(packet.value) << "\", \"name\": \""
            << hex(std::span(reinterpret_cast<const uint8_t*>(packet.name.data()), packet.name.size())) << "\"";
    } else {
        out << ", \"data\": \"" << hex(info) << "\"";
    }
    return out.str();
}

struct Printing_Sink : Frame_Sink {
    std::string role;
    bool print = true;
    std::vector<std::pair<Ppp_Bytes, std::string>> in_flight;
    void send_frame(const Ppp_Bytes& frame, std::string_view label) override {
        if (print) std::cout << view(std::string(label), frame) << ", \"from\": \"" << role << "\"}\n";
        in_flight.emplace_back(frame, std::string(label));
    }
};

struct Side {
    Side(const char* role, uint32_t seed, std::string secret) : ppp([] { return 0u; }, seeded_random(seed)), link(ppp, sink) {
        sink.role = role;
        ppp.set_secret(std::move(secret));
    }
    PPP ppp;
    Printing_Sink sink;
    Ppp_Link link;
};

void deliver(Side& a, Side& b) {
    for (int round = 0; round < 8; ++round) {
        for (auto [from, to] : {std::pair{&a, &b}, std::pair{&b, &a}}) {
            auto frames = std::move(from->sink.in_flight);
            from->sink.in_flight.clear();
            for (const auto& [frame, label] : frames) to->link.receive_frame(frame);
        }
        a.link.idle_pass();
        b.link.idle_pass();
    }
}

// Two stations negotiate and authenticate, then every other packet the
// station can write is sent once.
int frames() {
    Side central("central", 1, "orchid");
    Side field("field", 2, "orchid");
    central.link.open();
    field.link.open();
    deliver(central, field);
    central.link.send_ntcip(Ppp_Bytes{0x30, 0x0C, 0x02, 0x01, 0x00, 0x04, 0x06, 'O', 'r', 'c', 'h', 'i', 'd', 0x7E});

    // Answers to a peer's requests: Nak, Reject, Echo-Reply, Code-Reject.
    Side probe("probe", 3, "tulip");
    probe.link.open();
    deliver(central, probe);  // a wrong secret: CHAP Failure both ways
    probe.link.receive_frame(encode_ppp_frame(Ppp_Bytes{0x01, 0x20, 0x00, 0x0C, 0x01, 0x04, 0x05, 0xD4, 0x04, 0x04, 0xC0, 0x25}, ppp_protocol::kLcp));
    probe.link.receive_frame(encode_ppp_frame(Ppp_Bytes{0x01, 0x21, 0x00, 0x0B, 0x07, 0x02, 0x08, 0x02, 0x0D, 0x03, 0x06}, ppp_protocol::kLcp));
    probe.link.receive_frame(encode_ppp_frame(Ppp_Bytes{0x09, 0x22, 0x00, 0x0A, 0x11, 0x22, 0x33, 0x44, 0xAB, 0xCD}, ppp_protocol::kLcp));
    probe.link.raise(static_cast<int32_t>(Lcp_Event::ruc), true);
    for (uint8_t code = 1; code <= kLcpCodeCount; ++code) probe.link.send_raw(static_cast<Lcp_Code>(code));

    Lcp_Options every;
    every.async_control_character_map = "0";
    every.quality_protocol = 0xC025;
    every.magic_number = 0x87FE;
    every.protocol_field_compression = 1;
    every.address_control_field_compression = 1;
    probe.ppp.set_options(every);
    probe.link.send_raw(Lcp_Code::configure_request);
    probe.link.send_raw(Lcp_Code::echo_request);
    probe.link.raise(static_cast<int32_t>(Lcp_Event::close), true);     // Terminate-Request
    probe.link.receive_frame(encode_ppp_frame(Ppp_Bytes{0x05, 0x23, 0x00, 0x04}, ppp_protocol::kLcp));  // Terminate-Ack
    return 0;
}

// Each frame read is decoded and handed to a layer in the state it names
// ("req_sent" or "opened" before the hex); the answers are printed.
int decode() {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string state;
        std::string frame_hex;
        words >> state >> frame_hex;
        Side station("station", 4, "orchid");
        station.sink.print = false;
        station.ppp.raise(static_cast<int32_t>(Lcp_Event::up));
        station.ppp.raise(static_cast<int32_t>(Lcp_Event::open));
        if (state == "opened") {
            station.ppp.raise(static_cast<int32_t>(Lcp_Event::rca));
            station.ppp.raise(static_cast<int32_t>(Lcp_Event::rcr_plus));
        }
        const Ppp_Bytes frame = from_hex(frame_hex);
        std::cout << view("received", frame) << ", \"answers\": [";
        station.link.receive_frame(frame);
        const char* separator = "";
        for (const auto& [answer, label] : station.sink.in_flight) {
            std::cout << separator << view(label, answer) << "}";
            separator = ", ";
        }
        std::cout << "], \"state\": " << static_cast<int>(station.ppp.state()) << "}\n";
    }
    return 0;
}

int md5_lines() {
    std::string line;
    while (std::getline(std::cin, line)) {
        const Ppp_Bytes input = from_hex(line);
        std::cout << hex(md5(input)) << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "frames") return frames();
    if (mode == "decode") return decode();
    if (mode == "md5") return md5_lines();
    std::cerr << "usage: ppp_wire_tool frames|decode|md5\n";
    return 2;
}
