// A PPP layer on a line: received frames are decoded and their LCP and
// CHAP packets handled, and everything the layer has to send is framed
// with its protocol and handed to a sink. The receiver thread drives it
// frame by frame and on idle passes; the exports drive it by hand; tests
// wire two of them back to back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "datalink/raw_message.h"
#include "ppp/ppp.h"
#include "ppp/ppp_frame.h"

// Protocol numbers of the frames.
namespace ppp_protocol {
inline constexpr uint16_t kNtcip = 0x00C1;
inline constexpr uint16_t kNtcipC0 = 0x00C0;  // also handed to the codec
inline constexpr uint16_t kLcp = 0xC021;
inline constexpr uint16_t kChap = 0xC223;
}  // namespace ppp_protocol

// Where framed octets go: the port, or another link in a test.
class Frame_Sink {
public:
    virtual ~Frame_Sink() = default;
    // A complete frame and the name it is shown with.
    virtual void send_frame(const Ppp_Bytes& frame, std::string_view label) = 0;
};

// Receives the texts the link shows on the line-activity display.
using Ppp_Trace = std::function<void(std::string_view text)>;

inline constexpr std::string_view kNtcipLabel = "NTCIP";

// A received frame as the link saw it.
struct Ppp_Received {
    Decode_Result decode;
    // The decode's failure, when it threw: its message.
    std::string error;
    // The information of an NTCIP frame (0x00C1 or 0x00C0), for the codec;
    // none for any other protocol.
    std::optional<Ppp_Bytes> ntcip;
    Lcp_Output lcp;
    Chap_Output chap;
};

class Ppp_Link {
public:
    Ppp_Link(PPP& ppp, Frame_Sink& sink, Ppp_Trace trace = {});

    // Decodes a complete frame (flags included) and handles what it carries.
    // A frame the decode flags (bad FCS, protocol field not two octets) or
    // refuses is not handled further; the caller reports it.
    Ppp_Received receive_frame(std::span<const uint8_t> frame);
    // The information of a decoded frame of a protocol, handled as
    // receive_frame handles it: LCP and CHAP by the layer, with what it
    // answers sent; NTCIP handed back in received.ntcip.
    void receive_packet(uint16_t protocol, std::span<const uint8_t> information, Ppp_Received& received);

    // What the receiver does on an idle pass: in the Authentication phase
    // (or the Network phase, when the peer's Success came first) the first
    // time, a challenge sent; then the restart timer's step.
    void idle_pass();

    // An event raised by hand, its packets sent or not.
    Lcp_Result raise(int32_t event, bool send);
    // Up and Open, with the Configure-Request sent.
    void open();
    // A challenge sent when the request negotiates CHAP; false otherwise.
    bool authenticate();
    // A raw LCP packet of a code sent; the frame is returned.
    Ppp_Bytes send_raw(Lcp_Code code, std::optional<uint8_t> identifier = std::nullopt);
    // An NTCIP message sent in a frame of protocol 0x00C1.
    void send_ntcip(std::span<const uint8_t> information);

    // Faults put into every frame sent from now on.
    void set_faults(const Ppp_Frame_Faults& faults, Random_Below random) {
        faults_ = faults;
        fault_random_ = std::move(random);
    }

    PPP& ppp() { return ppp_; }

private:
    void send(const Ppp_Packet_Out& packet, uint16_t protocol);
    void send_all(const Lcp_Output& output);
    // A link negotiated again challenges again: outside the Authentication
    // and Network phases the challenge counts as not sent.
    void note_phase();
    void trace(std::string_view text) const {
        if (trace_ && !text.empty()) trace_(text);
    }

    PPP& ppp_;
    Frame_Sink& sink_;
    Ppp_Trace trace_;
    bool challenge_sent_ = false;
    Ppp_Frame_Faults faults_;
    Random_Below fault_random_;
};
