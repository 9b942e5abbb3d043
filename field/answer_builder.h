// The field device's answer to a request it has carried out: an SNMP Get
// response for the same request id, carrying the values of the objects
// asked about (for a Get-next, of the next instances) or, with an error
// status, the request's own bindings as they came.
#pragma once

#include <string>

#include "codec/snmp_request_decoder.h"
#include "codec/message_content.h"
#include "codec/stmf_message.h"

class STMF;

// The answer's PDU; trace (when given) receives its English text. Throws
// the codec's exceptions.
STMF_Message build_answer(const STMF& stmf, const Field_Answer& answer, std::string* trace);

// The answer to an STMP request, in the request's own encoding: a Get
// response carrying the values, a Set response, or an error response with
// the status and index. The trace receives the answer explained as the
// central station explains it when it decodes it against the request.
STMF_Message build_stmp_answer(const STMF& stmf, const Field_Answer& answer, const Message_Content& request,
                               std::string* trace);

// The label an answer is shown with; a Set is answered by a Get response.
const char* answer_label(Answer_Kind kind);
// The label of an STMP answer: what it is on the wire.
const char* stmp_answer_label(const Field_Answer& answer);
