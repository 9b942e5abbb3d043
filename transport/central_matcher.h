// The central role's handler of each frame the line brings: it matches the
// response to its outstanding request (an SNMP response by its request id,
// an STMP one, which has none, to the oldest request), has the codec
// validate and store it, records the outcome and wakes whoever waits for it.
// It also ends the oldest request when a frame cannot be decoded, and times
// it out.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "transport/line_display.h"

class Error_State_List;
class Message_Content;
class Outstanding_Requests;
class STMF;
struct Raw_Message;

namespace central_text {
inline constexpr const char* kContinue = "Attempting to continue";
inline constexpr const char* kNoRequestForError = "No request to compare this response to!";
inline constexpr const char* kNoRequest = "No request to compare the response to!\n";
inline constexpr const char* kUnknownException = "Unknown exception detected while decoding, deleting request";
inline constexpr const char* kTimedOut = "Message timed out, deleting request";
inline constexpr const char* kUnmatchedId =
    "The Request ID of this response matches no request waiting for one; the response is dropped.\n";
}  // namespace central_text

class Central_Matcher {
public:
    Central_Matcher(Outstanding_Requests& requests, Error_State_List& errors, const Line_Display& display)
        : requests_(requests), errors_(errors), display_(display) {}

    void set_stmf(const STMF* stmf) { stmf_ = stmf; }

    // A decoded frame with an NTCIP information field: the response to the
    // oldest request. A PPP link has one peer, and its frames carry the
    // all-stations address: their address is not checked.
    void handle(const Raw_Message& frame, bool check_address = true);
    // A frame that could not be decoded: the oldest request ends with the flag.
    void abort_request(const char* text, uint32_t flag);
    // A frame without a valid IPI: the oldest request is flagged and waits
    // on. False when there is no request to flag.
    bool flag_head(uint32_t flag);
    // The line went down: every request that waited for an answer ends
    // with LineLost, for nothing sent on that line will be answered.
    void line_lost();
    // Times the oldest request out when its time-out has passed: the
    // seconds it may still wait, 0 when nothing is timed.
    int check_time_out(int time_out_seconds);

private:
    // The outcome of the oldest request is known: it leaves the list.
    void finish_head(int32_t request_id);
    // The request an answer is for: null when an SNMP answer's id is nobody's.
    std::shared_ptr<Message_Content> request_answered(const Raw_Message& frame) const;
    void show(const std::string& text) const { display_.show(text); }

    Outstanding_Requests& requests_;
    Error_State_List& errors_;
    const Line_Display& display_;
    const STMF* stmf_ = nullptr;
};
