#include "transport/ta_receiver.h"

#include <mutex>

#include "base/process_locks.h"
#include "codec/error_flags.h"
#include "datalink/data_link_layer.h"
#include "datalink/pmpp_exception.h"
#include "field/field_device.h"
#include "transport/byte_text.h"

using namespace receiver_text;

namespace {

// The field device's way out: the receiver's display and the station's line.
class Line_Field_Output final : public Field_Output {
public:
    Line_Field_Output(const Line_Display& display, NTCIP_Station& station, const Receive_Context& context)
        : display_(display), station_(station), context_(context) {}

    void show(const std::string& text) override { display_.show(text); }
    void show_received(const Raw_Message& frame, const std::string& trace) override {
        display_.show_received(frame, trace);
    }
    void show_sent(std::span<const uint8_t> frame, const std::string& label) override {
        display_.show_sent(frame, label, context_.time_text);
    }
    bool send(std::span<const uint8_t> octets) override { return station_.send(octets, context_.device_type); }

private:
    const Line_Display& display_;
    NTCIP_Station& station_;
    const Receive_Context& context_;
};

}  // namespace

TA_Receiver::TA_Receiver(NTCIP_Station& station, const Data_Link_Layer& data_link, const Field_Device& field_device,
                         Outstanding_Requests& requests, Error_State_List& errors)
    : station_(station),
      data_link_(data_link),
      framer_(&data_link.framer(Link_Type::pmpp)),
      field_device_(field_device),
      central_(requests, errors, display_) {}

void TA_Receiver::set_stmf(const STMF* stmf) {
    stmf_ = stmf;
    central_.set_stmf(stmf);
}

void TA_Receiver::set_link(Link_Type link) {
    link_ = link;
    framer_ = &data_link_.framer(link);
    frame_.clear();
}

size_t TA_Receiver::process_received_octets(std::span<const uint8_t> octets, const Receive_Context& context) {
    drop_unfinished_frame(context);
    size_t taken = 0;
    bool complete = false;
    while (taken < octets.size() && !complete) {
        const uint8_t octet = octets[taken++];
        // Outside a frame only a flag is taken: anything else is noise,
        // counted without troubling the framer.
        if (frame_.octets.empty() && octet != pmpp::kFlag) {
            if (stray_.add(octet, context.at_ms)) report_stray_octets();
            continue;
        }
        try {
            std::lock_guard hold(link_lock());
            complete = framer_->add_received_octet(frame_, octet, context.time_text);
        } catch (const Throwable&) {
            // Noise is counted, and reported a run at a time.
            if (stray_.add(octet, context.at_ms)) report_stray_octets();
            continue;
        }
        // A frame has begun: the noise before it is over.
        report_stray_octets();
    }
    // RFC 1662: the flag that closes a frame may also open the next one.
    // It is taken so after junk or a half frame, whose "closing" flag is
    // most likely the opening flag of the good frame behind it; after a good
    // frame the next one brings its own, and noise after it stays noise.
    if (complete && !handle_frame(context)) {
        std::lock_guard hold(link_lock());
        framer_->add_received_octet(frame_, pmpp::kFlag, context.time_text);
    }
    return taken;
}

void TA_Receiver::drop_unfinished_frame(const Receive_Context& context) {
    const int64_t last = last_octet_ms_;
    last_octet_ms_ = context.at_ms;
    if (context.at_ms == 0 || last == 0 || context.at_ms - last <= kFrameGapMs) return;
    // After a quiet line the next frame brings its own opening flag; what
    // was left open is dropped, and said so when it held more than a flag.
    std::lock_guard hold(link_lock());
    if (frame_.octets.size() > 1)
        show(std::string(kUnfinishedFrame) + " " + std::to_string(frame_.octets.size()) + " " + kOctets);
    frame_.clear();
}

void TA_Receiver::report_stray_octets() {
    if (!stray_.empty()) show(stray_.take(kFlagFormatError));
}

void TA_Receiver::line_lost() {
    report_stray_octets();
    {
        std::lock_guard hold(link_lock());
        frame_.clear();
    }
    last_octet_ms_ = 0;
    central_.line_lost();
}

void TA_Receiver::process_datagram(std::span<const uint8_t> datagram, const Receive_Context& context) {
    frame_.clear();
    frame_.octets.assign(datagram.begin(), datagram.end());
    frame_.time_stamp = context.time_text;
    handle_frame(context);
}

bool TA_Receiver::handle_frame(const Receive_Context& context) {
    Decode_Result result;
    // A frame that cannot be decoded ends the oldest request with its flag,
    // shown by the flag's own text unless the link has a text of its own.
    const char* failure = nullptr;
    ErrorFlagEnum flag{};
    try {
        std::lock_guard hold(link_lock());
        result = framer_->decode(frame_);
    } catch (const InvalidControlException&) {
        flag = InvalidControl;
    } catch (const InvalidByteSequenceException&) {
        flag = InvalidSequence;
    } catch (const InvalidLengthException&) {
        flag = InvalidLength;
    } catch (const CRCException&) {
        failure = kBadCrc;
        flag = InvalidCRC;
    } catch (const std::exception&) {
        failure = kLinkDecode;
        flag = Scrambled;
    }
    if (flag != ErrorFlagEnum{}) {
        frame_.clear();
        const char* text = failure != nullptr ? failure : error_flag_text(flag);
        // A field device has no request of its own that the frame could end.
        if (context.role == Role::field)
            show(text);
        else
            central_.abort_request(text, flag);
        return false;
    }

    if (link_ == Link_Type::ppp && !report_ppp_flags(result)) {
        frame_.clear();
        return true;
    }
    if (result.flags != 0) {
        show(kIncomplete);
        frame_.clear();
        return true;
    }
    show(kDecoding);
    // A PPP frame's protocol is read as its IPI: LCP and CHAP go to the PPP
    // layer, NTCIP to the roles as over PMPP.
    if (link_ == Link_Type::ppp && ppp_ != nullptr &&
        (result.ipi == ppp_protocol::kLcp || result.ipi == ppp_protocol::kChap)) {
        handle_ppp_packet(result.ipi, context);
        frame_.clear();
        return true;
    }
    switch (result.ipi) {
        case IPI::kIp:
            show(kIp);
            show(kIpUnsupported);
            break;
        case IPI::kNtcipClassB:
        case IPI::kNtcipC0:
            dispatch(context);
            break;
        default:
            show(frame_dump(frame_.octets));
            show(error_flag_text(InvalidIPI));
            central_.flag_head(InvalidIPI);
            break;
    }
    frame_.clear();
    return true;
}

void TA_Receiver::dispatch(const Receive_Context& context) {
    if (context.role == Role::field) {
        Line_Field_Output out(display_, station_, context);
        field_device_.answer(stmf_, frame_, link_, out);
    } else {
        // Without a frame there is no station address to check; a PPP link
        // has one peer, and its frames carry the all-stations address.
        central_.handle(frame_, link_ != Link_Type::none && link_ != Link_Type::ppp);
    }
}

bool TA_Receiver::report_ppp_flags(Decode_Result& result) {
    // An address or control field that is not PPP's: the frame cannot be
    // trusted, and the oldest request ends with the field's flag.
    if (result.flags & (ppp_decode_flag::kBadAddress | ppp_decode_flag::kBadControl)) show(frame_dump(frame_.octets));
    if (result.flags & ppp_decode_flag::kBadAddress) {
        central_.abort_request(error_flag_text(InvalidAddress), InvalidAddress);
        return false;
    }
    if (result.flags & ppp_decode_flag::kBadControl) {
        central_.abort_request(error_flag_text(InvalidControl), InvalidControl);
        return false;
    }
    // A bad FCS is recorded against the oldest request, which then takes the
    // frame's fields as its answer.
    if (result.flags & ppp_decode_flag::kBadFcs) {
        show(kBadCrc);
        if (central_.flag_head(InvalidCRC)) {
            show(central_text::kContinue);
            result.flags &= static_cast<uint16_t>(~ppp_decode_flag::kBadFcs);
        }
    }
    return true;
}

Ppp_Output TA_Receiver::ppp_output(const Receive_Context& context) const {
    Ppp_Output output;
    output.text = [this](const std::string& text) { show(text); };
    output.frame = [this, time = context.time_text](const Ppp_Bytes& frame, std::string_view label, bool sent) {
        if (sent)
            display_.show_sent(frame, std::string(label), time);
        else
            show(kSendFailed);
    };
    return output;
}

void TA_Receiver::handle_ppp_packet(uint16_t protocol, const Receive_Context& context) {
    std::lock_guard hold(link_lock());
    const Bytes& information = frame_.information;
    std::string name;
    if (protocol == ppp_protocol::kLcp)
        name = information.empty() ? std::string(lcp_display_name(0)) : std::string(lcp_display_name(information[0]));
    else
        name = information.empty() ? std::string() : std::string(chap_display_name(static_cast<Chap_Code>(information[0])));
    display_.show_received(frame_, name);
    Ppp_Line::Use use(*ppp_, context.device_type, ppp_output(context));
    Ppp_Received received;
    ppp_->link().receive_packet(protocol, information, received);
}

void TA_Receiver::idle_pass(const Receive_Context& context) {
    if (link_ != Link_Type::ppp || ppp_ == nullptr) return;
    std::lock_guard port(port_lock());
    std::lock_guard hold(link_lock());
    Ppp_Line::Use use(*ppp_, context.device_type, ppp_output(context));
    ppp_->link().idle_pass();
}

void TA_Receiver::open_ppp(const Receive_Context& context) {
    if (link_ != Link_Type::ppp || ppp_ == nullptr) return;
    std::lock_guard hold(link_lock());
    Ppp_Line::Use use(*ppp_, context.device_type, ppp_output(context));
    ppp_->link().raise(static_cast<int32_t>(Lcp_Event::up), false);
    ppp_->link().raise(static_cast<int32_t>(event_by_name("Open")), true);
}

void TA_Receiver::ppp_lower_down(const Receive_Context& context) {
    if (link_ != Link_Type::ppp || ppp_ == nullptr) return;
    std::lock_guard hold(link_lock());
    Ppp_Line::Use use(*ppp_, context.device_type, ppp_output(context));
    ppp_->link().raise(static_cast<int32_t>(Lcp_Event::down), false);
    // The next call opens the link afresh, as the first one did.
    ppp_->link().raise(static_cast<int32_t>(Lcp_Event::close), false);
}

void TA_Receiver::link_event() {
    if (ppp_ == nullptr) return;
    std::lock_guard hold(link_lock());
    if (ppp_->ppp().phase() == Link_Phase::authenticate) ppp_->ppp().authenticate();
}

std::pair<int32_t, int32_t> TA_Receiver::link_state_and_phase() const {
    if (ppp_ == nullptr) return {0, 0};
    std::lock_guard hold(link_lock());
    return {static_cast<int32_t>(ppp_->ppp().state()), static_cast<int32_t>(ppp_->ppp().phase())};
}
