// The error flags of a request: one bit each, recorded into one of three
// words of the request's Error_State by its class. Readers add the words.
// Each flag's text, as GetError and the receiver show it, lives in the table
// of error_flags.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <string>

enum ErrorFlagEnum : uint32_t {
    ProtocolMismatch = 0x00001,  // response in another encoding style than the request
    InvalidResponse = 0x00002,   // STMP response to a request that was neither Get nor Get-next
    NoResponse = 0x00010,        // no response before the time-out
    EncodingStyle = 0x00020,
    NoInstance = 0x00040,        // an object list entry without an object
    ObjectMismatch = 0x00080,    // response objects differ from the request's
    InvalidSequence = 0x00400,   // invalid byte sequence in a frame
    InvalidLength = 0x00800,     // invalid frame length
    Scrambled = 0x01000,         // undecodable frame contents
    InvalidAddress = 0x02000,
    InvalidControl = 0x04000,
    InvalidCRC = 0x08000,
    InvalidIPI = 0x10000,
    LineLost = 0x20000,          // the line went down while the request waited
};

// Every flag, lowest bit first: the order their texts are joined in.
inline constexpr std::array<ErrorFlagEnum, 14> kErrorFlags = {
    ProtocolMismatch, InvalidResponse, NoResponse,      EncodingStyle, NoInstance,     ObjectMismatch, InvalidSequence,
    InvalidLength,    Scrambled,       InvalidAddress,  InvalidControl, InvalidCRC,    InvalidIPI,
    LineLost,
};

// The text of one flag.
const char* error_flag_text(ErrorFlagEnum flag);
// The texts of the flags set in a word, lowest bit first, run together.
std::string error_flags_text(uint32_t word);

// The word a flag is recorded in.
enum class Error_Class : uint8_t { Message = 1, Object = 2, Data_Link = 4 };
