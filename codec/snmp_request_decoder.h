// The field role's decoder of SNMP requests: reads the request, carries it
// out against the tree, and says how it must be answered. A malformed
// request is never thrown back: it is answered with genErr.
#pragma once

#include <cstdint>

#include "codec/request_record.h"
#include "tree/bytes.h"

class Activity_Log;
class Field_Device_Settings;
class ISO_Tree;

// What kind of answer is due, as bits.
namespace answer_kind {
inline constexpr int kNone = 0;     // a Get response: nothing to answer
inline constexpr int kGet = 2;      // a Get, or a request refused by its checks
inline constexpr int kGetNext = 4;
inline constexpr int kSet = 8 + 2;  // answered as a Get response
}  // namespace answer_kind

struct Field_Answer {
    int kind = answer_kind::kNone;
    bool refused = false;   // the request failed its checks: answered with genErr
    Request_Record record;  // the objects of the answer, in binding order
    uint32_t error_status = 0;
    uint32_t error_index = 0;
};

// The first byte has been traced by the caller. The caller holds the tree's
// lock exclusively.
Field_Answer decode_snmp_request(const Bytes& pdu, Activity_Log& log, ISO_Tree& tree,
                                 const Field_Device_Settings& settings);
