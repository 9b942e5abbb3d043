#include "transport/ta_receiver.h"

#include <mutex>

#include "codec/error_state.h"
#include "codec/stmf.h"
#include "codec/stmf_exception.h"
#include "datalink/data_link_layer.h"
#include "datalink/pmpp_exception.h"
#include "engine/process_locks.h"
#include "field/answer_builder.h"
#include "field/error_injection.h"
#include "transport/byte_text.h"
#include "transport/outstanding_requests.h"
#include "tree/value_text.h"

using namespace receiver_text;

namespace {

// A decoding failure of the codec recorded as the data-link error it stands
// for, so that a response that could not be read never reads as a success.
uint32_t flag_of_codec_failure(const STMF_Exception& failure) {
    if (dynamic_cast<const DecodingException*>(&failure) != nullptr) return InvalidSequence;
    if (dynamic_cast<const EncodingException*>(&failure) == nullptr &&
        dynamic_cast<const InvalidReferenceException*>(&failure) == nullptr)
        return InvalidLength;  // a field longer than what is left of the message
    return Scrambled;
}

}  // namespace

TA_Receiver::TA_Receiver(NTCIP_Station& station, SP_Ovr& serial_port, Data_Link_Layer& data_link,
                         ErrorInjection& injection, Outstanding_Requests& requests, Error_State_List& errors)
    : Transport_Agent(serial_port),
      station_(station),
      data_link_(data_link),
      injection_(injection),
      requests_(requests),
      errors_(errors) {}

void TA_Receiver::show(const std::string& text) const {
    if (display_) display_(text);
}

size_t TA_Receiver::process_received_octets(std::span<const uint8_t> octets, const Receive_Context& context) {
    size_t taken = 0;
    bool complete = false;
    while (taken < octets.size() && !complete) {
        const uint8_t octet = octets[taken++];
        try {
            std::lock_guard hold(link_lock());
            complete = data_link_.add_received_octet(context.link_type, frame_, octet, context.time_text);
        } catch (const Throwable&) {
            show(std::string(kFlagFormatError) + " " + hex_byte(octet));
            return taken;
        }
    }
    if (complete) handle_frame(context);
    return taken;
}

void TA_Receiver::handle_frame(const Receive_Context& context) {
    Decode_Result result;
    try {
        std::lock_guard hold(link_lock());
        result = data_link_.decode(context.link_type, frame_);
    } catch (const InvalidControlException&) {
        return abort_request(kBadControl, InvalidControl);
    } catch (const InvalidByteSequenceException&) {
        return abort_request(kInvalidSequence, InvalidSequence);
    } catch (const InvalidLengthException&) {
        return abort_request(kInvalidLength, InvalidLength);
    } catch (const CRCException&) {
        return abort_request(kBadCrc, InvalidCRC);
    } catch (const std::exception&) {
        return abort_request(kLinkDecode, Scrambled);
    }

    if (result.flags != 0) {
        show(kIncomplete);
        frame_.clear();
        return;
    }
    show(kDecoding);
    switch (result.ipi) {
        case IPI::kIp:
            show(kIp);
            show(kIpUnsupported);
            break;
        case IPI::kNtcipClassB:
        case IPI::kNtcipC0:
            if (context.role == 2)
                answer_field(context);
            else
                answer_central(context);
            break;
        default: {
            show(frame_dump(frame_.octets));
            show(kNoIpi);
            int32_t id = 0;
            int64_t sent = 0;
            if (requests_.head_timing(id, sent)) errors_.record_flag(id, Error_Class::Data_Link, InvalidIPI);
            break;
        }
    }
    frame_.clear();
}

void TA_Receiver::abort_request(const char* text, uint32_t flag) {
    show(text);
    frame_.clear();
    const Outstanding_Requests::Request request = requests_.head();
    if (request == nullptr) {
        show(kNoRequestForError);
        return;
    }
    errors_.record_flag(request->request_id(), Error_Class::Data_Link, flag);
    finish_head(request->request_id());
}

void TA_Receiver::finish_head(int32_t request_id) {
    const Outstanding_Requests::Request head = requests_.head();
    if (head != nullptr && head->request_id() == request_id) requests_.pop_head(head);
    errors_.mark_complete(request_id);
    errors_.finish(request_id);
}

void TA_Receiver::show_received(const std::string& trace) {
    show(" " + frame_.time_stamp + kReceived + trace);
    show(frame_dump(frame_.octets));
}

void TA_Receiver::show_sent(std::span<const uint8_t> frame, const std::string& label, const Receive_Context& context) {
    show(" " + context.time_text + kSent + label);
    show(frame_dump(frame));
}

void TA_Receiver::answer_central(const Receive_Context&) {
    const Outstanding_Requests::Request request = requests_.head();
    if (request == nullptr) {
        show(kNoRequest);
        return;
    }
    const int32_t id = request->request_id();
    // The response comes from the station the request went to (a poll, or a
    // station beyond the two-octet addresses, is not checked).
    if (request->encoding_style() != style::kNone && request->address() != 0 &&
        frame_.address.value() != request->address()) {
        show(kBadAddress);
        errors_.record_flag(id, Error_Class::Data_Link, InvalidAddress);
        show(kContinue);
    }
    std::string trace;
    try {
        if (stmf_ == nullptr) throw InvalidReferenceException(stmf_text::kEmptyPdu);
        const STMF::Decoded decoded = stmf_->decode(frame_.information, request.get(), &trace, 1, &errors_, nullptr);
        // A response in no known format answers nothing.
        if (decoded.received.encoding_style() == style::kUnknown)
            errors_.record_flag(id, Error_Class::Data_Link, Scrambled);
    } catch (const STMF_Exception& failure) {
        show(kCodecException);
        show(failure.message());
        // Validation records what it found wrong; any other failure is the message's.
        const std::optional<Error_State> record = errors_.find(id);
        if (record && record->flags() == 0)
            errors_.record_flag(id, Error_Class::Data_Link, flag_of_codec_failure(failure));
    } catch (const std::exception&) {
        show(kUnknownException);
        errors_.record_flag(id, Error_Class::Data_Link, Scrambled);
    }
    show_received(trace);
    finish_head(id);
}

void TA_Receiver::answer_field(const Receive_Context& context) {
    const HDLC_Addr asked_at = frame_.address;
    std::string trace;
    STMF::Decoded decoded;
    try {
        if (stmf_ == nullptr) throw InvalidReferenceException(stmf_text::kEmptyPdu);
        decoded = stmf_->decode(frame_.information, nullptr, &trace, 2, nullptr, context.settings);
    } catch (const STMF_Exception& failure) {
        show(kCodecException);
        show(failure.message());
    } catch (const std::exception&) {
        show(kUnknownFieldException);
    }
    show_received(trace);
    if (!decoded.answer || (decoded.answer->kind & (2 | 4 | 8)) == 0) return;
    Field_Answer& answer = *decoded.answer;

    if (injection_.do_not_respond()) {
        show(kNotResponding);
        injection_.one_message_done();
        return;
    }
    try {
        if (answer.refused) {
            show(kDecodeError);
            // A request refused before its header was read gave none of the
            // texts: the refusal goes out as SNMP all the same.
            Request_Record& record = answer.record;
            if (record.protocol.empty()) record.protocol = "SNMP";
            if (record.class_name.empty()) record.class_name = "Class B";
            if (record.community.empty()) record.community = "Failure";
        }
        std::string answer_trace;
        const STMF_Message pdu = build_answer(*stmf_, answer, &answer_trace);
        // The answer comes from the address the request was sent to.
        std::optional<Sent_Frame> frame;
        {
            std::lock_guard hold(link_lock());
            frame = data_link_.encode(context.link_type, pdu.bytes(), asked_at.station(), asked_at.group() ? 1 : 0,
                                      answer.record.class_name, &injection_);
        }
        if (!frame) throw InvalidReferenceException(stmf_text::kEmptyPdu);
        if (!station_.send(frame->octets, context.device_type)) {
            show(kSendFailed);
            return;
        }
        show_sent(frame->octets, std::string(answer_label(answer.kind)) + answer_trace, context);
    } catch (const std::exception&) {
        show(kUnsent);
    }
}

int TA_Receiver::check_time_out(int time_out_seconds) {
    int32_t id = 0;
    int64_t sent = 0;
    if (!requests_.head_timing(id, sent) || sent == 0) return 0;
    const std::optional<Error_State> record = errors_.find(id);
    if (!record) return 0;
    const int64_t remaining = int64_t{time_out_seconds} * 1000 - (steady_milliseconds() - sent);
    // The seconds still to wait, rounded up: 0 only once the time is out.
    if (remaining > 0) return static_cast<int>((remaining + 999) / 1000);

    show(kTimedOut);
    if (record->keep)
        errors_.mark_timed_out(id);
    else
        errors_.finish(id);
    const Outstanding_Requests::Request head = requests_.head();
    if (head != nullptr && head->request_id() == id) requests_.pop_head(head);
    return 0;
}
