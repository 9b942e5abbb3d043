// The requests that wait for their responses, in the order they were
// encoded. The sending thread adds to the end, the receiver matches each
// response against the head, and times the head out.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include "codec/message_content.h"

// The clock of send times: milliseconds of the steady clock. Whole seconds
// would time a request out up to a second early (one sent at x.99 s would
// be a second old at x+1 s).
int64_t steady_milliseconds();

class Outstanding_Requests {
public:
    using Request = std::shared_ptr<Message_Content>;

    void append(Request request);
    // The oldest request, or null.
    Request head() const;
    // The oldest request the test holds for, or null.
    template <typename Test>
    Request find_if(Test test) const {
        std::lock_guard hold(mutex_);
        for (const Entry& entry : requests_)
            if (test(*entry.request)) return entry.request;
        return nullptr;
    }
    bool empty() const;
    size_t size() const;

    // Stamps the send time of the request with the id.
    void stamp(int32_t request_id, int64_t send_time);
    // The head's request id and the time it is timed from: its send time,
    // or, when it was only encoded, the time it joined the list (a request
    // never sent must still time out and leave); false when empty.
    bool head_timing(int32_t& request_id, int64_t& send_time) const;
    // Removes the request with the id (the head, unless a failed encode
    // takes its own request back).
    void remove(int32_t request_id);
    // Removes the head when it is still this request.
    void pop_head(const Request& request);
    // Removes this request wherever it stands.
    void remove(const Request& request);
    void clear();

private:
    mutable std::mutex mutex_;
    struct Entry {
        Request request;
        int64_t entered = 0;  // steady_milliseconds() when appended
    };
    std::deque<Entry> requests_;
};
