// The receiving side of the transport agent: assembles frames from the
// octets the receiver thread reads, decodes them through the data link,
// matches responses to the oldest outstanding request (central role) or
// answers requests (field role), and times the oldest request out. Every
// text for the user leaves through the display function.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "datalink/raw_message.h"
#include "transport/ta_sender.h"

class Data_Link_Layer;
class Error_State_List;
class ErrorInjection;
class Field_Device_Settings;
class Outstanding_Requests;
class STMF;

// Delivers one text to the line-activity display (taking the display lock).
using Display = std::function<void(const std::string& text)>;

namespace receiver_text {
inline constexpr const char* kFlagFormatError = "Flag format error in message received:";
inline constexpr const char* kInvalidSequence = "Invalid Byte Sequence exception in message received, aborting request.";
inline constexpr const char* kInvalidLength = "Invalid length exception in message received, aborting request.";
inline constexpr const char* kLinkDecode = "Exception thrown in data link layer decode, aborting request.";
inline constexpr const char* kBadAddress = "Invalid address in message received.";
inline constexpr const char* kBadControl = "Invalid control field in message received.";
inline constexpr const char* kBadCrc = "Bad CRC in message received.";
inline constexpr const char* kContinue = "Attempting to continue";
inline constexpr const char* kNoRequestForError = "No request to compare this response to!";
inline constexpr const char* kIncomplete = "Incomplete or invalid message received, continuing to listen";
inline constexpr const char* kDecoding = "\nDecoding Message:";
inline constexpr const char* kIp = "IPI indicates IP";
inline constexpr const char* kIpUnsupported = ":: IP Protocol not yet supported";
inline constexpr const char* kNoRequest = "No request to compare the response to!\n";
inline constexpr const char* kCodecException = "STMF decoding exception detected, continuing";
inline constexpr const char* kUnknownException = "Unknown exception detected while decoding, deleting request";
inline constexpr const char* kUnknownFieldException = "Unknown exception detected while decoding";
inline constexpr const char* kNoIpi = "No valid IPI in message received.";
inline constexpr const char* kTimedOut = "Message timed out, deleting request";
inline constexpr const char* kNotResponding = "Test error settings indicate to NOT RESPOND to this message";
inline constexpr const char* kDecodeError = "Received an error in the message decode\n";
inline constexpr const char* kUnsent = "\nResponse unsent due to internal exception";
inline constexpr const char* kReceived = "Received:\n";
inline constexpr const char* kSent = "Sent:\n";
inline constexpr const char* kSendFailed = "Error sending message";
}  // namespace receiver_text

// What the thread knows when it hands octets over.
struct Receive_Context {
    int32_t link_type = 1;
    int32_t device_type = connection::kSerial;
    std::string time_text;
    int32_t role = 1;
    const Field_Device_Settings* settings = nullptr;
};

class TA_Receiver : public Transport_Agent {
public:
    TA_Receiver(NTCIP_Station& station, SP_Ovr& serial_port, Data_Link_Layer& data_link, ErrorInjection& injection,
                Outstanding_Requests& requests, Error_State_List& errors);

    // The codec, handed over when the receiver thread starts.
    void set_stmf(const STMF* stmf) { stmf_ = stmf; }
    void set_display(Display display) { display_ = std::move(display); }

    // Feeds octets to the frame under assembly until a frame is complete
    // (then handles it) or an octet is refused; the number of octets taken.
    size_t process_received_octets(std::span<const uint8_t> octets, const Receive_Context& context);

    // Times the oldest request out when its time-out has passed: the
    // seconds it may still wait, 0 when nothing is timed.
    int check_time_out(int time_out_seconds);

private:
    void handle_frame(const Receive_Context& context);
    void answer_central(const Receive_Context& context);
    void answer_field(const Receive_Context& context);
    // A frame that could not be decoded: the oldest request ends with the flag.
    void abort_request(const char* text, uint32_t flag);
    // The outcome of the oldest request is known: it leaves the list.
    void finish_head(int32_t request_id);
    void show_received(const std::string& trace);
    void show_sent(std::span<const uint8_t> frame, const std::string& label, const Receive_Context& context);
    void show(const std::string& text) const;

    NTCIP_Station& station_;
    Data_Link_Layer& data_link_;
    ErrorInjection& injection_;
    Outstanding_Requests& requests_;
    Error_State_List& errors_;
    const STMF* stmf_ = nullptr;
    Display display_;
    Raw_Message frame_;  // the frame under assembly, reused for every frame
};
