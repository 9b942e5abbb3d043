// The field device's answer to a request it has carried out: an SNMP Get
// response for the same request id, carrying the values of the objects
// asked about (for a Get-next, of the next instances) or, with an error
// status, no values at all.
#pragma once

#include <string>

#include "codec/snmp_request_decoder.h"
#include "codec/stmf_message.h"

class STMF;

// The answer's PDU; trace (when given) receives its English text. Throws
// the codec's exceptions.
STMF_Message build_answer(const STMF& stmf, const Field_Answer& answer, std::string* trace);

// The label an answer is shown with; a Set is answered by a Get response.
const char* answer_label(Answer_Kind kind);
