#include "field/field_device.h"

#include <mutex>
#include <optional>

#include "base/process_locks.h"
#include "codec/stmf.h"
#include "codec/stmf_exception.h"
#include "codec/stmp_request_decoder.h"
#include "datalink/raw_message.h"
#include "field/answer_builder.h"
#include "field/error_injection.h"

using namespace field_text;

Field_Device::Field_Device(const Field_Device_Settings& settings, ErrorInjection& injection,
                           const Data_Link_Layer& data_link)
    : injection_(injection), data_link_(data_link), carry_out_(settings) {}

void Field_Device::answer(const STMF* stmf, const Raw_Message& request, Link_Type link, Field_Output& out) const {
    const HDLC_Addr asked_at = request.address;
    std::string trace;
    STMF::Decoded decoded;
    try {
        if (stmf == nullptr) throw InvalidReferenceException(stmf_text::kEmptyPdu);
        decoded = stmf->decode(request.information, nullptr, &trace, Role::field, nullptr, &carry_out_);
    } catch (const STMF_Exception& failure) {
        out.show(stmf_text::kDecodingFailed);
        out.show(failure.message());
    } catch (const std::exception&) {
        out.show(kUnknownException);
    }
    out.show_received(request, trace);
    if (!decoded.answer || decoded.answer->kind == Answer_Kind::none) return;
    Field_Answer& answer = *decoded.answer;
    if (answer.no_reply) {
        out.show(stmp_request_text::kNoReply);
        return;
    }

    if (injection_.do_not_respond()) {
        out.show(kNotResponding);
        injection_.one_message_done();
        return;
    }
    try {
        if (answer.refused) {
            out.show(kDecodeError);
            Request_Record& record = answer.record;
            if (record.protocol.empty()) record.protocol = kRefusalProtocol;
            if (record.class_name.empty()) record.class_name = kRefusalClass;
            if (record.community.empty()) record.community = kRefusalCommunity;
        }
        std::string answer_trace;
        const STMF_Message pdu = answer.stmp ? build_stmp_answer(*stmf, answer, decoded.received, &answer_trace)
                                             : build_answer(*stmf, answer, &answer_trace);
        // The answer comes from the address the request was sent to.
        std::optional<Sent_Frame> frame;
        {
            std::lock_guard hold(link_lock());
            frame = data_link_.encode(link, pdu.bytes(), asked_at.station(),
                                      asked_at.group() ? 1 : 0, answer.record.class_name,
                                      injection_.mode().frame_faults());
        }
        if (!frame) throw InvalidReferenceException(stmf_text::kEmptyPdu);
        if (link == Link_Type::none && Unframed::has_frame_faults(injection_.mode().frame_faults()))
            out.show(kFrameFaultsNotApplicable);
        if (!out.send(frame->octets)) {
            out.show(kSendFailed);
            return;
        }
        const char* label = answer.stmp ? stmp_answer_label(answer) : answer_label(answer.kind);
        out.show_sent(frame->octets, std::string(label) + answer_trace);
    } catch (const std::exception&) {
        out.show(kUnsent);
    }
}
