// The emulated field device: the field role's handler of each request frame
// the line brings. It decodes the request, carries it out against the tree,
// builds the answer and hands it back framed, with the injected faults, or
// not at all when the error settings say so.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "datalink/data_link_layer.h"
#include "field/carry_out.h"

class ErrorInjection;
class Field_Device_Settings;
class STMF;
struct Raw_Message;

namespace field_text {
inline constexpr const char* kUnknownException = "Unknown exception detected while decoding";
inline constexpr const char* kNotResponding = "Test error settings indicate to NOT RESPOND to this message";
inline constexpr const char* kDecodeError = "Received an error in the message decode\n";
inline constexpr const char* kUnsent = "\nResponse unsent due to internal exception";
inline constexpr const char* kSendFailed = "Error sending message";
// Over UDP the datagram is the message: there is no frame to spoil.
inline constexpr const char* kFrameFaultsNotApplicable =
    "Error injection: invalid CRC, invalid address and invalid control are not applicable over UDP (no frame); "
    "not injected";
// A request refused before its header was read gave none of these: the
// refusal goes out as SNMP all the same.
inline constexpr const char* kRefusalProtocol = "SNMP";
inline constexpr const char* kRefusalClass = "Class B";
inline constexpr const char* kRefusalCommunity = "Failure";
}  // namespace field_text

// Where the device's work goes: the line-activity display and the line.
class Field_Output {
public:
    virtual ~Field_Output() = default;
    virtual void show(const std::string& text) = 0;
    // The request as received, with the English text of its decode.
    virtual void show_received(const Raw_Message& frame, const std::string& trace) = 0;
    // The answer as sent, under its label.
    virtual void show_sent(std::span<const uint8_t> frame, const std::string& label) = 0;
    // False when the line refused the octets.
    virtual bool send(std::span<const uint8_t> octets) = 0;
};

class Field_Device {
public:
    Field_Device(const Field_Device_Settings& settings, ErrorInjection& injection, const Data_Link_Layer& data_link);

    // Answers one decoded request frame (its information field) on the link,
    // with the codec given (none: the request cannot be read). Nothing
    // escapes: every failure is shown.
    void answer(const STMF* stmf, const Raw_Message& request, Link_Type link, Field_Output& out) const;

private:
    ErrorInjection& injection_;
    const Data_Link_Layer& data_link_;
    Carry_Out carry_out_;
};
