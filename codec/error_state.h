// The outcome of each request, one record per request id, in the order the
// requests were encoded. Shared by the thread that sends and the receiver
// thread that records what came back, so every operation takes the list's
// lock and copies out what it reads.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <mutex>
#include <optional>
#include <string>

#include "codec/error_flags.h"

struct Error_State {
    int32_t error_status = 0;  // SNMP error status and index of the response
    int32_t error_index = 0;
    uint32_t words[3] = {0, 0, 0};  // message, object and data-link flags
    bool timed_out = false;
    int32_t request_id = 0;
    std::string text;
    bool keep = false;      // survives completion and time-out so the outcome can be read
    bool complete = false;  // the outcome is known
    std::string response_value;

    uint32_t flags() const { return words[0] + words[1] + words[2]; }
};

class Error_State_List {
public:
    static constexpr int32_t kUnknown = -1;  // no record, or no outcome yet

    void append(int32_t request_id, bool keep);
    void clear();
    bool empty() const;

    // A copy of the first record with the id.
    std::optional<Error_State> find(int32_t request_id) const;

    void record_flag(int32_t request_id, Error_Class error_class, uint32_t bit);
    void record_status(int32_t request_id, int32_t status, int32_t index);
    // Without a record for the id, the last record gets an empty text.
    void record_response_value(int32_t request_id, const std::string& text);
    void mark_complete(int32_t request_id);
    void mark_timed_out(int32_t request_id);

    // kUnknown without a record or before the outcome is known; NoResponse
    // when timed out; else the sum of the flag words.
    int32_t error_word(int32_t request_id) const;
    // The error word once it is known, waiting for it at most `limit`;
    // kUnknown at once after cancel_waits.
    int32_t wait_for_error_word(int32_t request_id, std::chrono::milliseconds limit) const;
    // Ends every wait, now and later: the engine is going away.
    void cancel_waits();

    // Removes the first record with the id unless it is kept.
    void finish(int32_t request_id);
    // Removes the first record with the id, kept or not.
    void remove(int32_t request_id);
    // Removes the oldest record when it has the id; false otherwise.
    bool clear_oldest(int32_t request_id);

private:
    Error_State* find_locked(int32_t request_id);
    const Error_State* find_locked(int32_t request_id) const;

    int32_t error_word_locked(int32_t request_id) const;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;  // an outcome became known or a record went
    std::list<Error_State> records_;
    bool waits_cancelled_ = false;  // guarded by mutex_
};
