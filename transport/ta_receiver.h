// The receiving side of the transport agent, a dispatcher: it feeds the
// octets the receiver thread reads to the connection's framer, decodes each
// complete frame through it, and hands the frame to the role's handler - the
// central matcher, or the field device. Every text for the user leaves
// through the display.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "codec/role.h"
#include "datalink/framer.h"
#include "datalink/raw_message.h"
#include "transport/central_matcher.h"
#include "transport/line_display.h"
#include "transport/ppp_line.h"
#include "transport/stray_octets.h"
#include "transport/ta_sender.h"

class Data_Link_Layer;
class Error_State_List;
class Field_Device;
class Outstanding_Requests;
class Ppp_Line;
class STMF;

namespace receiver_text {
inline constexpr const char* kFlagFormatError = "Flag format error in message received:";
inline constexpr const char* kLinkDecode = "Exception thrown in data link layer decode, aborting request.";
inline constexpr const char* kBadCrc = "Bad CRC in message received.";
inline constexpr const char* kIncomplete = "Incomplete or invalid message received, continuing to listen";
inline constexpr const char* kDecoding = "\nDecoding Message:";
inline constexpr const char* kIp = "IPI indicates IP";
inline constexpr const char* kIpUnsupported = ":: IP Protocol not yet supported";
inline constexpr const char* kSendFailed = "Error sending message";
inline constexpr const char* kUnfinishedFrame = "Unfinished frame dropped after a pause on the line:";
inline constexpr const char* kOctets = "octets";
}  // namespace receiver_text

// What the thread knows when it hands octets over.
struct Receive_Context {
    Connection_Type device_type = Connection_Type::serial;  // the connection the answers go out on
    std::string time_text;                                  // when the octets were read
    Role role = Role::central;
    int64_t at_ms = 0;  // the steady clock's milliseconds when they were read (0: no clock)
};

class TA_Receiver {
public:
    TA_Receiver(NTCIP_Station& station, const Data_Link_Layer& data_link, const Field_Device& field_device,
                Outstanding_Requests& requests, Error_State_List& errors);

    // The codec, handed over when the receiver thread starts.
    void set_stmf(const STMF* stmf);
    void set_display(Display display) { display_.set(std::move(display)); }
    // Chooses the framer of the connection's link; PMPP until told otherwise.
    void set_link(Link_Type link);

    // The line's PPP layer, which takes the LCP and CHAP frames of a PPP
    // link; none: they are reported as frames without a valid IPI.
    void set_ppp(Ppp_Line* ppp) { ppp_ = ppp; }
    Link_Type link() const { return link_; }

    // On a PPP link: what a quiet pass of the thread does - the challenge
    // of the Authentication phase sent once, and the restart timer's step.
    void idle_pass(const Receive_Context& context);
    // On a PPP link: Up raised, then Open with its Configure-Request sent.
    void open_ppp(const Receive_Context& context);
    // On a PPP link whose call ended: Down and Close raised, nothing sent;
    // the link is Initial again for the next call.
    void ppp_lower_down(const Receive_Context& context);
    // The link event: in the Authentication phase a challenge is built and
    // kept for checking the peer's response, but not sent.
    void link_event();
    // The automaton's state and phase (both 0 without a PPP layer).
    std::pair<int32_t, int32_t> link_state_and_phase() const;

    // Feeds octets to the frame under assembly until a frame is complete
    // (then handles it) or an octet is refused; the number of octets taken.
    size_t process_received_octets(std::span<const uint8_t> octets, const Receive_Context& context);
    // Reports the run of stray octets seen so far, if any; the thread calls
    // it on quiet passes.
    void report_stray_octets();
    // The line hung up: the frame under assembly is dropped, and in the
    // central role every request that waited ends with LineLost.
    void line_lost();

    // Handles one datagram of a line without framing (UDP): the datagram is
    // the whole message.
    void process_datagram(std::span<const uint8_t> datagram, const Receive_Context& context);

    // Times the oldest request out when its time-out has passed: the
    // seconds it may still wait, 0 when nothing is timed.
    int check_time_out(int time_out_seconds) { return central_.check_time_out(time_out_seconds); }

    // Octets of one frame follow each other; a frame under assembly whose
    // octets stopped for longer than this was cut off (a device that died
    // mid-answer) and is dropped when the line speaks again.
    static constexpr int64_t kFrameGapMs = 500;

private:
    void drop_unfinished_frame(const Receive_Context& context);
    // False when the frame could not be decoded at all.
    bool handle_frame(const Receive_Context& context);
    // The frame goes to the role's handler.
    void dispatch(const Receive_Context& context);
    // The framing flags of a PPP decode, reported and recorded; false when
    // the frame goes no further.
    bool report_ppp_flags(Decode_Result& result);
    // An LCP or CHAP frame, handed to the PPP layer (the link lock held).
    void handle_ppp_packet(uint16_t protocol, const Receive_Context& context);
    // How the PPP layer's frames and texts show on the receiver's display.
    Ppp_Output ppp_output(const Receive_Context& context) const;
    void show(const std::string& text) const { display_.show(text); }

    NTCIP_Station& station_;
    const Data_Link_Layer& data_link_;
    const Framer* framer_;
    Ppp_Line* ppp_ = nullptr;
    Link_Type link_ = Link_Type::pmpp;
    const Field_Device& field_device_;
    const STMF* stmf_ = nullptr;
    Line_Display display_;
    Central_Matcher central_;
    Raw_Message frame_;  // the frame under assembly, reused for every frame
    Stray_Octets stray_;       // octets outside any frame, not yet reported
    int64_t last_octet_ms_ = 0;  // when the line last brought octets
};
