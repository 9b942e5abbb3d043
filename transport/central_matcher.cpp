#include "transport/central_matcher.h"

#include "codec/ber.h"
#include "codec/error_state.h"
#include "codec/snmp_wire.h"
#include "codec/stmf.h"
#include "codec/stmf_exception.h"
#include "datalink/raw_message.h"
#include "transport/outstanding_requests.h"

using namespace central_text;

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

void Central_Matcher::abort_request(const char* text, uint32_t flag) {
    show(text);
    const Outstanding_Requests::Request request = requests_.head();
    if (request == nullptr) {
        show(kNoRequestForError);
        return;
    }
    errors_.record_flag(request->request_id(), Error_Class::Data_Link, flag);
    finish_head(request->request_id());
}

bool Central_Matcher::flag_head(uint32_t flag) {
    int32_t id = 0;
    int64_t sent = 0;
    if (!requests_.head_timing(id, sent)) return false;
    errors_.record_flag(id, Error_Class::Data_Link, flag);
    return true;
}

void Central_Matcher::finish_head(int32_t request_id) {
    const Outstanding_Requests::Request head = requests_.head();
    if (head != nullptr && head->request_id() == request_id) requests_.pop_head(head);
    // Completing the record wakes a GetError waiting for it; a macro thread
    // waiting on this request is to be resumed here as well.
    errors_.mark_complete(request_id);
    errors_.finish(request_id);
}

Outstanding_Requests::Request Central_Matcher::request_answered(const Raw_Message& frame) const {
    const Bytes& pdu = frame.information;
    // An SNMP message too broken to show its id is charged to the oldest
    // request, as an STMP answer is.
    if (pdu.empty() || pdu.front() != ber::kSequence) return requests_.head();
    const auto id = snmp_request_id_content(pdu);
    if (!id) return requests_.head();
    return requests_.find_if([&](const Message_Content& request) {
        return request_id_matches(*id, request.request_id());
    });
}

void Central_Matcher::handle(const Raw_Message& frame, bool check_address) {
    if (requests_.empty()) {
        show(kNoRequest);
        return;
    }
    const Outstanding_Requests::Request request = request_answered(frame);
    if (request == nullptr) {
        // A late answer to a request already timed out, or no answer of ours:
        // charged to nobody.
        show(kUnmatchedId);
        display_.show_received(frame, "");
        return;
    }
    const int32_t id = request->request_id();
    // The response comes from the station the request went to (a poll, or a
    // station beyond the two-octet addresses, is not checked).
    if (check_address && request->encoding_style() != style::kNone && request->address() != 0 &&
        frame.address.value() != request->address()) {
        show(error_flag_text(InvalidAddress));
        errors_.record_flag(id, Error_Class::Data_Link, InvalidAddress);
        show(kContinue);
    }
    std::string trace;
    const uint32_t flags_before = [&] {
        const std::optional<Error_State> record = errors_.find(id);
        return record ? record->flags() : 0u;
    }();
    try {
        if (stmf_ == nullptr) throw InvalidReferenceException(stmf_text::kEmptyPdu);
        const STMF::Decoded decoded = stmf_->decode(frame.information, request.get(), &trace, Role::central, &errors_,
                                                    nullptr);
        // A response in no known format answers nothing.
        if (decoded.received.encoding_style() == style::kUnknown)
            errors_.record_flag(id, Error_Class::Data_Link, Scrambled);
        // An STMP error response carries the status and index SNMP's does.
        if (decoded.received.encoding_style() == style::kStmp &&
            decoded.received.raw_message_type() == message_type::kErrorResponse)
            errors_.record_status(id, decoded.stmp_error_status, static_cast<int32_t>(decoded.stmp_error_index));
    } catch (const STMF_Exception& failure) {
        show(stmf_text::kDecodingFailed);
        show(failure.message());
        // Validation records what it found wrong; any other failure is the message's.
        const std::optional<Error_State> record = errors_.find(id);
        if (record && record->flags() == flags_before)
            errors_.record_flag(id, Error_Class::Data_Link, flag_of_codec_failure(failure));
    } catch (const std::exception&) {
        show(kUnknownException);
        errors_.record_flag(id, Error_Class::Data_Link, Scrambled);
    }
    display_.show_received(frame, trace);
    requests_.remove(request);
    errors_.mark_complete(id);
    errors_.finish(id);
}

void Central_Matcher::line_lost() {
    while (const Outstanding_Requests::Request request = requests_.head()) {
        const int32_t id = request->request_id();
        errors_.record_flag(id, Error_Class::Data_Link, LineLost);
        finish_head(id);
    }
}

int Central_Matcher::check_time_out(int time_out_seconds) {
    int32_t id = 0;
    int64_t sent = 0;
    if (!requests_.head_timing(id, sent)) return 0;
    const int64_t remaining = int64_t{time_out_seconds} * 1000 - (steady_milliseconds() - sent);
    // The seconds still to wait, rounded up: 0 only once the time is out.
    if (remaining > 0) return static_cast<int>((remaining + 999) / 1000);

    show(kTimedOut);
    // A record cleared while the request waited leaves the request to go alone.
    const std::optional<Error_State> record = errors_.find(id);
    if (record && record->keep)
        errors_.mark_timed_out(id);
    else if (record)
        errors_.finish(id);
    const Outstanding_Requests::Request head = requests_.head();
    if (head != nullptr && head->request_id() == id) requests_.pop_head(head);
    return 0;
}
