#include "transport/ta_receiver.h"

#include <mutex>

#include "base/hex_byte.h"
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
    size_t taken = 0;
    bool complete = false;
    while (taken < octets.size() && !complete) {
        const uint8_t octet = octets[taken++];
        try {
            std::lock_guard hold(link_lock());
            complete = framer_->add_received_octet(frame_, octet, context.time_text);
        } catch (const Throwable&) {
            show(std::string(kFlagFormatError) + " " + hex_byte(octet));
            return taken;
        }
    }
    if (complete) handle_frame(context);
    return taken;
}

void TA_Receiver::process_datagram(std::span<const uint8_t> datagram, const Receive_Context& context) {
    frame_.clear();
    frame_.octets.assign(datagram.begin(), datagram.end());
    frame_.time_stamp = context.time_text;
    handle_frame(context);
}

void TA_Receiver::handle_frame(const Receive_Context& context) {
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
        return central_.abort_request(failure != nullptr ? failure : error_flag_text(flag), flag);
    }

    if (result.flags != 0) {
        show(kIncomplete);
        frame_.clear();
        return;
    }
    show(kDecoding);
    // A PPP link's packets (LCP, CHAP, IPCP) are told apart by their protocol
    // field before this point and go to the link's automaton in ppp/; only
    // NTCIP information reaches the roles.
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
}

void TA_Receiver::dispatch(const Receive_Context& context) {
    if (context.role == Role::field) {
        Line_Field_Output out(display_, station_, context);
        field_device_.answer(stmf_, frame_, link_, out);
    } else {
        // Without a frame there is no station address to check.
        central_.handle(frame_, link_ != Link_Type::none);
    }
}
