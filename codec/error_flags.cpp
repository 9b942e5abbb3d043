#include "codec/error_flags.h"

namespace {

struct Flag_Text {
    ErrorFlagEnum flag;
    const char* text;
};

constexpr Flag_Text kFlagTexts[] = {
    {ProtocolMismatch,
     "PROTOCOL ERROR!! -- The response message was not in the same format (i.e., SNMP vs STMP) as the Request."},
    {InvalidResponse, "A Get Response was received, but the previous request was not a Get Request!"},
    {NoResponse, "The last message response timed out."},
    {EncodingStyle, "The encoding style of the response did not match that of the request."},
    {NoInstance, "A program error occured while accessing an object!"},
    {ObjectMismatch, "The objects in the response do not match to the objects in the request."},
    {InvalidSequence, "Invalid Byte Sequence exception in message received, aborting request."},
    {InvalidLength, "Invalid length exception in message received, aborting request."},
    {Scrambled, "Exception thrown in PMPP decode, aborting request."},
    {InvalidAddress, "Invalid address in message received."},
    {InvalidControl, "Invalid control field in message received."},
    {InvalidCRC, "Bad CRC in message received, attempting to continue."},
    {InvalidIPI, "No valid IPI in message received."},
    {LineLost, "The line was lost while the request waited for its response."},
};
static_assert(std::size(kFlagTexts) == kErrorFlags.size());

}  // namespace

const char* error_flag_text(ErrorFlagEnum flag) {
    for (const Flag_Text& entry : kFlagTexts)
        if (entry.flag == flag) return entry.text;
    return "";
}

std::string error_flags_text(uint32_t word) {
    std::string text;
    for (ErrorFlagEnum flag : kErrorFlags)
        if ((word & flag) != 0) text += error_flag_text(flag);
    return text;
}
