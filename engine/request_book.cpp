#include "engine/request_book.h"

void Request_Book::clear() {
    outstanding_.clear();
    errors_.clear();
}

void Request_Book::enter(int32_t request_id, std::shared_ptr<Message_Content> message, bool keep) {
    errors_.append(request_id, keep);
    outstanding_.append(std::move(message));
}

void Request_Book::withdraw(int32_t request_id) {
    outstanding_.remove(request_id);
    errors_.remove(request_id);
}

void Request_Book::stamp_sent(int32_t request_id) { outstanding_.stamp(request_id, steady_milliseconds()); }

Request_Outcome Request_Book::outcome(int32_t request_id, std::chrono::milliseconds limit) const {
    Request_Outcome outcome;
    outcome.word = errors_.wait_for_error_word(request_id, limit);
    if (outcome.word != Error_State_List::kUnknown) {
        if (const auto record = errors_.find(request_id)) {
            outcome.error_status = record->error_status;
            outcome.error_index = record->error_index;
        }
    }
    return outcome;
}

std::optional<std::string> Request_Book::response_value(int32_t request_id) const {
    const auto record = errors_.find(request_id);
    if (!record) return std::nullopt;
    return record->response_value;
}
