#include "transport/outstanding_requests.h"

#include <algorithm>
#include <chrono>

int64_t steady_milliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Outstanding_Requests::append(Request request) {
    std::lock_guard hold(mutex_);
    requests_.push_back({std::move(request), steady_milliseconds()});
}

Outstanding_Requests::Request Outstanding_Requests::head() const {
    std::lock_guard hold(mutex_);
    return requests_.empty() ? nullptr : requests_.front().request;
}

bool Outstanding_Requests::empty() const {
    std::lock_guard hold(mutex_);
    return requests_.empty();
}

size_t Outstanding_Requests::size() const {
    std::lock_guard hold(mutex_);
    return requests_.size();
}

void Outstanding_Requests::stamp(int32_t request_id, int64_t send_time) {
    std::lock_guard hold(mutex_);
    for (const Entry& entry : requests_) {
        if (entry.request->request_id() == request_id) {
            entry.request->set_send_time(send_time);
            return;
        }
    }
}

bool Outstanding_Requests::head_timing(int32_t& request_id, int64_t& send_time) const {
    std::lock_guard hold(mutex_);
    if (requests_.empty()) return false;
    const Entry& head = requests_.front();
    request_id = head.request->request_id();
    send_time = head.request->send_time() != 0 ? head.request->send_time() : head.entered;
    return true;
}

void Outstanding_Requests::remove(int32_t request_id) {
    std::lock_guard hold(mutex_);
    const auto it = std::find_if(requests_.begin(), requests_.end(),
                                 [&](const Entry& e) { return e.request->request_id() == request_id; });
    if (it != requests_.end()) requests_.erase(it);
}

void Outstanding_Requests::pop_head(const Request& request) {
    std::lock_guard hold(mutex_);
    if (!requests_.empty() && requests_.front().request == request) requests_.pop_front();
}

void Outstanding_Requests::remove(const Request& request) {
    std::lock_guard hold(mutex_);
    const auto it =
        std::find_if(requests_.begin(), requests_.end(), [&](const Entry& e) { return e.request == request; });
    if (it != requests_.end()) requests_.erase(it);
}

void Outstanding_Requests::clear() {
    std::lock_guard hold(mutex_);
    requests_.clear();
}
