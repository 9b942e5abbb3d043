// The send and response calls of the engine.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "base/process_locks.h"
#include "codec/error_flags.h"
#include "codec/request_id.h"
#include "codec/request_record.h"
#include "codec/snmp_error_text.h"
#include "codec/stmf_exception.h"
#include "codec/stmf_message.h"
#include "engine/c_records.h"
#include "engine/c_text.h"
#include "engine/quorvan_engine.h"
#include "transport/byte_text.h"

namespace {

constexpr const char* kEncodeException = "Encode Exception Caught!\n";
constexpr const char* kMiscException = "Misc. exception from Encode data caught!\n";
constexpr const char* kSending = " Sending:\n";
constexpr const char* kSendFailed = "Error sending message\n";
constexpr const char* kFlagText = "~";
constexpr const char* kErrorPrefix = "Error: ";
constexpr size_t kMostMessage = 1000;

// The frame's length is its last byte's index plus one.
size_t frame_length(const Encoded_Frame& frame) { return static_cast<size_t>(frame.positions[6]) + 1; }

void free_further_frames(Encoded_Frame& first) {
    for (Encoded_Frame* frame = first.next; frame != nullptr;) {
        Encoded_Frame* next = frame->next;
        std::free(frame);
        frame = next;
    }
    first.next = nullptr;
}

}  // namespace

std::vector<Sent_Frame> Quorvan::encode_request(Request_Record& record, bool keep, std::string& trace) {
    const std::shared_ptr<Message_Content> message = mib_.build_message(record);
    book_.enter(record.request_id, message, keep);
    try {
        STMF_Message pdu;
        trace += message->warnings();
        mib_.stmf().encode(pdu, *message, &trace);
        const int32_t segments = pdu.segment(true);
        const Link_Type link = link_type();
        std::vector<Sent_Frame> frames;
        const STMF_Message* segment = &pdu;
        for (int32_t i = 0; i < segments && segment != nullptr; ++i, segment = segment->next()) {
            std::optional<Sent_Frame> sent =
                line_.frame(link, segment->bytes(), record.address, record.group_address, record.class_name);
            if (!sent) throw InvalidReferenceException(message_error::kInvalidFormat);
            frames.push_back(std::move(*sent));
        }
        return frames;
    } catch (...) {
        book_.withdraw(record.request_id);
        throw;
    }
}

int32_t Quorvan::EncodeData(char** english, Message_Request& request, Encoded_Frame& first, QV_EditCallback edit,
                            const char* text1, const char* text2, int32_t* frame_count, uint8_t keep) {
    std::string trace;
    first.next = nullptr;
    if (frame_count != nullptr) *frame_count = 0;
    const int32_t id = next_request_id();
    request.request_id = id;
    Request_Record record = record_from(request);
    int32_t result = 0;
    try {
        const std::vector<Sent_Frame> frames = encode_request(record, keep != 0, trace);
        request.address = record.address;
        request.group_address = record.group_address;
        try {
            Encoded_Frame* frame = &first;
            for (size_t i = 0; i < frames.size(); ++i) {
                if (i > 0) {
                    auto* further = static_cast<Encoded_Frame*>(std::calloc(1, sizeof(Encoded_Frame)));
                    if (further == nullptr) throw std::bad_alloc();
                    frame->next = further;
                    frame = further;
                }
                store_sent_frame(frames[i], *frame);
            }
        } catch (...) {
            // A request that never goes out must not wait at the head of the list.
            book_.withdraw(id);
            throw;
        }
        if (frame_count != nullptr) *frame_count = static_cast<int32_t>(frames.size());
    } catch (const RecoverException& failure) {
        // The reason goes with the verdict, so the caller can tell why.
        trace += kEncodeException;
        trace += failure.message();
        trace += '\n';
        result = -1;
    } catch (const std::exception&) {
        trace += kMiscException;
        result = -1;
    }
    if (result != 0) {
        free_further_frames(first);
    } else if (request.edit_byte_stream != 0 && edit != nullptr) {
        for (Encoded_Frame* frame = &first; frame != nullptr; frame = frame->next) edit(frame, text1, text2);
    }
    if (english != nullptr) *english = c_text(trace);
    return result;
}

int32_t Quorvan::SendData(Message_Request& request, QV_DisplayCallback display, QV_EditCallback edit, uint8_t keep) {
    std::string english;
    std::vector<Bytes> frames;
    if (request.edit_byte_stream != 0 && edit != nullptr) {
        // The caller edits each frame in its C record before it goes out.
        Encoded_Frame first{};
        char* text = nullptr;
        int32_t count = 0;
        const int32_t encoded = EncodeData(&text, request, first, edit, kFlagText, kFlagText, &count, keep);
        if (text != nullptr) english = text;
        std::free(text);
        if (encoded != 0) {
            std::lock_guard hold(display_lock());
            if (display != nullptr) display(english.c_str());
            return -1;
        }
        for (const Encoded_Frame* frame = &first; frame != nullptr; frame = frame->next)
            frames.emplace_back(frame->frame, frame->frame + frame_length(*frame));
        free_further_frames(first);
    } else {
        request.request_id = next_request_id();
        Request_Record record = record_from(request);
        try {
            for (Sent_Frame& frame : encode_request(record, keep != 0, english)) frames.push_back(std::move(frame.octets));
        } catch (const std::exception& failure) {
            // Nothing goes out; the caller is shown why.
            english += dynamic_cast<const RecoverException*>(&failure) != nullptr ? kEncodeException : kMiscException;
            if (const auto* reason = dynamic_cast<const RecoverException*>(&failure)) english += reason->message() + '\n';
            std::lock_guard hold(display_lock());
            if (display != nullptr) display(english.c_str());
            return -1;
        }
        request.address = record.address;
        request.group_address = record.group_address;
    }
    std::string display_text;
    bool sent = true;
    for (const Bytes& frame : frames) {
        display_text += kSending;
        display_text += byte_text(frame);
        book_.stamp_sent(request.request_id);
        if (!line_.send(frame, connection_type())) {
            // Nothing will answer what did not go out (a TCP peer that
            // cannot be reached, a closed port): the request ends here
            // instead of waiting for a time-out.
            display_text += kSendFailed;
            sent = false;
            break;
        }
    }
    if (!sent) book_.withdraw(request.request_id);
    {
        std::lock_guard hold(display_lock());
        if (display != nullptr) {
            display(english.c_str());
            display(display_text.c_str());
        }
    }
    return sent ? request.request_id : -1;
}

int32_t Quorvan::SendMsg(const uint8_t* buffer, uint16_t length) {
    if (buffer == nullptr && length > 0) return -1;
    return line_.send(std::span<const uint8_t>(buffer, length), connection_type()) ? 0 : -1;
}

int32_t Quorvan::GetError(int32_t request_id, char** message, int32_t* status, int32_t* index) const {
    // Waits as long as the station waits for a response, and a second more
    // for the receiver's next pass to record the time-out, but answers as
    // soon as the outcome is known.
    const auto limit = std::chrono::seconds(ini_->time_out() + 1);
    const Request_Outcome outcome = book_.outcome(request_id, limit);
    int32_t error_status = status != nullptr ? *status : 0;
    if (outcome.error_status) {
        error_status = *outcome.error_status;
        if (status != nullptr) *status = *outcome.error_status;
        if (index != nullptr) *index = *outcome.error_index;
    }
    std::string text;
    if (outcome.word != 0 && outcome.word != Error_State_List::kUnknown)
        text = kErrorPrefix + error_flags_text(static_cast<uint32_t>(outcome.word));
    if (error_status != 0) {
        text += snmp_error_text::kPrefix;
        text += snmp_error_status_text(error_status);
    }
    if (text.size() > kMostMessage) text.resize(kMostMessage);
    if (message != nullptr) *message = c_text(text);
    return outcome.word;
}

int32_t Quorvan::GetResponseValue(int32_t request_id, char** value) const {
    const auto text = book_.response_value(request_id);
    if (!text) return -1;
    if (value != nullptr) *value = c_text(*text);
    return 0;
}
