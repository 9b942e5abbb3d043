#include "field/answer_builder.h"

#include "codec/message_content.h"
#include "codec/stmf.h"
#include "tree/iso_tree.h"

STMF_Message build_answer(const STMF& stmf, const Field_Answer& answer, std::string* trace) {
    Request_Record record = answer.record;
    // The answer to a Get-next is a Get response too, told apart by its type.
    record.get = record.get_next = record.set = record.type4 = 0;
    record.type5 = answer.kind == Answer_Kind::get_next ? 1 : 0;
    // With an error status the answer carries no bindings: objects the tree
    // cannot answer for need not be found.
    if (answer.error_status != 0) record.objects.clear();

    Message_Content message;
    {
        auto hold = stmf.tree().write_lock();
        message.build_from_request(record, stmf.dynamic_objects(), stmf.tree());
    }
    STMF_Message out;
    stmf.encode(out, message, trace, answer.error_status, answer.error_index);
    return out;
}

const char* answer_label(Answer_Kind kind) {
    switch (kind) {
        case Answer_Kind::get:
        case Answer_Kind::set:
            return "GET RESPONSE";
        case Answer_Kind::get_next:
            return "GETNEXT RESPONSE";
        case Answer_Kind::none:
            break;
    }
    return "";
}
