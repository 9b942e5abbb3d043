#include "codec/error_state.h"

#include <algorithm>

void Error_State_List::append(int32_t request_id, bool keep) {
    std::lock_guard hold(mutex_);
    Error_State record;
    record.request_id = request_id;
    record.keep = keep;
    records_.push_back(std::move(record));
}

void Error_State_List::clear() {
    std::lock_guard hold(mutex_);
    records_.clear();
    changed_.notify_all();
}

bool Error_State_List::empty() const {
    std::lock_guard hold(mutex_);
    return records_.empty();
}

Error_State* Error_State_List::find_locked(int32_t request_id) {
    const auto it = std::find_if(records_.begin(), records_.end(),
                                 [&](const Error_State& r) { return r.request_id == request_id; });
    return it == records_.end() ? nullptr : &*it;
}

const Error_State* Error_State_List::find_locked(int32_t request_id) const {
    return const_cast<Error_State_List*>(this)->find_locked(request_id);
}

std::optional<Error_State> Error_State_List::find(int32_t request_id) const {
    std::lock_guard hold(mutex_);
    const Error_State* record = find_locked(request_id);
    if (record == nullptr) return std::nullopt;
    return *record;
}

void Error_State_List::record_flag(int32_t request_id, Error_Class error_class, uint32_t bit) {
    std::lock_guard hold(mutex_);
    Error_State* record = find_locked(request_id);
    if (record == nullptr) return;
    const int word = error_class == Error_Class::Message ? 0 : error_class == Error_Class::Object ? 1 : 2;
    record->words[word] |= bit;
}

void Error_State_List::record_status(int32_t request_id, int32_t status, int32_t index) {
    std::lock_guard hold(mutex_);
    if (Error_State* record = find_locked(request_id)) {
        record->error_status = status;
        record->error_index = index;
    }
}

void Error_State_List::record_response_value(int32_t request_id, const std::string& text) {
    std::lock_guard hold(mutex_);
    if (Error_State* record = find_locked(request_id))
        record->response_value = text;
    else if (!records_.empty())
        records_.back().response_value.clear();
}

void Error_State_List::mark_complete(int32_t request_id) {
    std::lock_guard hold(mutex_);
    if (Error_State* record = find_locked(request_id)) record->complete = true;
    changed_.notify_all();
}

void Error_State_List::mark_timed_out(int32_t request_id) {
    std::lock_guard hold(mutex_);
    if (Error_State* record = find_locked(request_id)) {
        record->timed_out = true;
        record->words[0] |= NoResponse;
        record->complete = true;
    }
    changed_.notify_all();
}

int32_t Error_State_List::error_word(int32_t request_id) const {
    std::lock_guard hold(mutex_);
    return error_word_locked(request_id);
}

int32_t Error_State_List::wait_for_error_word(int32_t request_id, std::chrono::milliseconds limit) const {
    std::unique_lock hold(mutex_);
    int32_t word = kUnknown;
    changed_.wait_for(hold, limit,
                      [&] { return (word = error_word_locked(request_id)) != kUnknown || waits_cancelled_; });
    return word;
}

void Error_State_List::cancel_waits() {
    std::lock_guard hold(mutex_);
    waits_cancelled_ = true;
    changed_.notify_all();
}

int32_t Error_State_List::error_word_locked(int32_t request_id) const {
    const Error_State* record = find_locked(request_id);
    if (record == nullptr || !record->complete) return kUnknown;
    if (record->timed_out) return NoResponse;
    return static_cast<int32_t>(record->flags());
}

void Error_State_List::finish(int32_t request_id) {
    std::lock_guard hold(mutex_);
    const auto it = std::find_if(records_.begin(), records_.end(),
                                 [&](const Error_State& r) { return r.request_id == request_id; });
    if (it != records_.end() && !it->keep) records_.erase(it);
    changed_.notify_all();
}

void Error_State_List::remove(int32_t request_id) {
    std::lock_guard hold(mutex_);
    const auto it = std::find_if(records_.begin(), records_.end(),
                                 [&](const Error_State& r) { return r.request_id == request_id; });
    if (it != records_.end()) records_.erase(it);
    changed_.notify_all();
}

bool Error_State_List::clear_oldest(int32_t request_id) {
    std::lock_guard hold(mutex_);
    if (records_.empty() || records_.front().request_id != request_id) return false;
    records_.pop_front();
    return true;
}
