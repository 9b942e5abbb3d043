// The field role's decoder of SNMP requests: reads the request and says how
// it must be answered; carrying it out against the tree is the field
// device's. A malformed request is never thrown back: it is answered with
// genErr.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "codec/request_record.h"

class Activity_Log;
class ISO_Object;
class ISO_Tree;

// What kind of answer is due. Every answer is a Get response.
enum class Answer_Kind : uint8_t {
    none,      // a Get response came: nothing to answer
    get,       // a Get, or a request refused by its checks
    get_next,
    set,
};

// A binding as it came: the node it names (if the tree has it) and the value
// element.
struct Received_Binding {
    ISO_Object* node = nullptr;
    Bytes oid;  // the identifier's standard content as it came (SNMP only)
    uint8_t value_tag = 0;
    Bytes value;
    ISO_Object* answered = nullptr;  // the instance whose value the answer carries
};

struct Field_Answer {
    Answer_Kind kind = Answer_Kind::none;
    bool refused = false;   // the request failed its checks: answered with genErr
    Request_Record record;  // the objects of the answer, in binding order
    uint32_t error_status = 0;
    uint32_t error_index = 0;
    std::vector<Received_Binding> bindings;  // what the request asked, in binding order
    bool stmp = false;         // an STMP request: answered in STMP, in its own encoding
    uint8_t stmp_nibble = 0;   // the request's object encoding (NEMA, ROOT, dynamic object n)
    bool no_reply = false;     // a Set without reply: carried out, never answered
};

// The field role's part in decoding a request: the community names it
// accepts, and carrying the decoded request out against the tree, which the
// decode holds locked for writing while it runs.
class Request_Executor {
public:
    virtual ~Request_Executor() = default;
    virtual std::vector<std::string> communities() const = 0;
    virtual void carry_out(Field_Answer& answer, Activity_Log& log, ISO_Tree& tree) const = 0;
};

// The first byte has been traced by the caller. The caller holds the tree's
// lock exclusively. Each accepted community is tried in turn.
Field_Answer decode_snmp_request(const Bytes& pdu, Activity_Log& log, ISO_Tree& tree,
                                 const std::vector<std::string>& communities);
