// The request book: the requests that wait for their responses, in the
// order they were encoded, and the outcome of each (error states), which the
// receiver fills in and GetError reads.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "codec/error_state.h"
#include "codec/message_content.h"
#include "transport/outstanding_requests.h"

// What GetError reports about a request.
struct Request_Outcome {
    int32_t word = Error_State_List::kUnknown;  // 0, the sum of the flags, or kUnknown
    std::optional<int32_t> error_status;         // of the response, when the outcome is known
    std::optional<int32_t> error_index;
};

class Request_Book {
public:
    void clear();

    // A request encoded and about to be sent.
    void enter(int32_t request_id, std::shared_ptr<Message_Content> message, bool keep);
    // A request that never goes out: it must not wait at the head of the list.
    void withdraw(int32_t request_id);
    // The request is being sent now.
    void stamp_sent(int32_t request_id);

    // The outcome once it is known, waiting for it at most `limit`.
    Request_Outcome outcome(int32_t request_id, std::chrono::milliseconds limit) const;
    bool clear_oldest(int32_t request_id) { return errors_.clear_oldest(request_id); }
    // Whoever waits for an outcome stops waiting: the engine is going away.
    void cancel_waits() { errors_.cancel_waits(); }
    std::optional<std::string> response_value(int32_t request_id) const;

    Outstanding_Requests& outstanding() { return outstanding_; }
    Error_State_List& errors() { return errors_; }

private:
    Outstanding_Requests outstanding_;
    Error_State_List errors_;
};
