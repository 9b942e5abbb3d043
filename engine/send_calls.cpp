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
#include "datalink/pmpp.h"
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

int32_t Quorvan::EncodeData(char** english, Message_Request& request, Encoded_Frame& first, QV_EditCallback edit,
                            const char* text1, const char* text2, int32_t* frame_count, uint8_t keep) {
    std::string trace;
    first.next = nullptr;
    if (frame_count != nullptr) *frame_count = 0;
    const int32_t id = next_request_id();
    request.request_id = id;
    Request_Record record = record_from(request);
    bool registered = false;
    int32_t result = 0;
    try {
        auto message = std::make_shared<Message_Content>();
        {
            auto hold = tree_.write_lock();
            message->build_from_request(record, &dynamic_objects_, tree_);
        }
        request.address = record.address;
        request.group_address = record.group_address;
        error_states_.append(id, keep != 0);
        outstanding_.append(message);
        registered = true;

        STMF_Message pdu;
        stmf_.encode(pdu, *message, &trace);
        const int32_t segments = pdu.segment(true);
        const Link_Type link = static_cast<Connection_Type>(ini_->connection_type()) == Connection_Type::modem
                                   ? Link_Type::ppp
                                   : Link_Type::pmpp;
        Encoded_Frame* frame = &first;
        const STMF_Message* segment = &pdu;
        for (int32_t i = 0; i < segments && segment != nullptr; ++i, segment = segment->next()) {
            if (i > 0) {
                auto* further = static_cast<Encoded_Frame*>(std::calloc(1, sizeof(Encoded_Frame)));
                if (further == nullptr) throw std::bad_alloc();
                frame->next = further;
                frame = further;
            }
            std::lock_guard hold(link_lock());
            const std::optional<Sent_Frame> sent = data_link_->encode(link, segment->bytes(), record.address,
                                                                      record.group_address, record.class_name);
            if (!sent) throw InvalidReferenceException(message_error::kInvalidFormat);
            store_sent_frame(*sent, *frame);
        }
        if (frame_count != nullptr) *frame_count = segments;
    } catch (const RecoverException&) {
        trace += kEncodeException;
        result = -1;
    } catch (const std::exception&) {
        trace += kMiscException;
        result = -1;
    }
    if (result != 0) {
        // A request that never goes out must not wait at the head of the list.
        if (registered) {
            outstanding_.remove(id);
            error_states_.remove(id);
        }
        free_further_frames(first);
    } else if (request.edit_byte_stream != 0 && edit != nullptr) {
        for (Encoded_Frame* frame = &first; frame != nullptr; frame = frame->next) edit(frame, text1, text2);
    }
    if (english != nullptr) *english = c_text(trace);
    return result;
}

int32_t Quorvan::SendData(Message_Request& request, QV_DisplayCallback display, QV_EditCallback edit, uint8_t keep) {
    Encoded_Frame first{};
    char* english = nullptr;
    int32_t count = 0;
    if (EncodeData(&english, request, first, edit, kFlagText, kFlagText, &count, keep) != 0) {
        std::free(english);
        return -1;
    }
    std::string display_text;
    for (Encoded_Frame* frame = &first; frame != nullptr; frame = frame->next) {
        const size_t length = frame_length(*frame);
        display_text += kSending;
        display_text += byte_text(std::span<const uint8_t>(frame->frame, length));
        outstanding_.stamp(request.request_id, steady_milliseconds());
        if (SendMsg(frame->frame, static_cast<uint16_t>(length)) != 0) display_text += kSendFailed;
    }
    {
        std::lock_guard hold(display_lock());
        if (display != nullptr) {
            display(english);
            display(display_text.c_str());
        }
    }
    std::free(english);
    free_further_frames(first);
    return request.request_id;
}

int32_t Quorvan::SendMsg(const uint8_t* buffer, uint16_t length) {
    if (buffer == nullptr && length > 0) return -1;
    return station_->send(std::span<const uint8_t>(buffer, length), static_cast<Connection_Type>(ini_->connection_type()))
               ? 0
               : -1;
}

int32_t Quorvan::GetError(int32_t request_id, char** message, int32_t* status, int32_t* index) const {
    // Waits as long as the station waits for a response, and a second more
    // for the receiver's next idle pass to record the time-out, but answers
    // as soon as the outcome is known.
    const auto limit = std::chrono::seconds(ini_->time_out() + 1);
    const int32_t outcome = error_states_.wait_for_error_word(request_id, limit);
    int32_t error_status = status != nullptr ? *status : 0;
    if (outcome != Error_State_List::kUnknown) {
        if (const auto record = error_states_.find(request_id)) {
            error_status = record->error_status;
            if (status != nullptr) *status = record->error_status;
            if (index != nullptr) *index = record->error_index;
        }
    }
    std::string text;
    if (outcome != 0 && outcome != Error_State_List::kUnknown)
        text = kErrorPrefix + error_flags_text(static_cast<uint32_t>(outcome));
    if (error_status != 0) {
        text += snmp_error_text::kPrefix;
        text += snmp_error_status_text(error_status);
    }
    if (text.size() > kMostMessage) text.resize(kMostMessage);
    if (message != nullptr) *message = c_text(text);
    return outcome;
}

int32_t Quorvan::GetResponseValue(int32_t request_id, char** value) const {
    const auto record = error_states_.find(request_id);
    if (!record) return -1;
    if (value != nullptr) *value = c_text(record->response_value);
    return 0;
}
