#include "codec/stmf_message.h"

#include "codec/stmf_exception.h"

void STMF_Message::set_header(uint8_t header) {
    if (!bytes_.empty()) throw EncodingException(stmf_message::kHeaderSet);
    bytes_.push_back(header);
}

void STMF_Message::store(Bytes bytes) {
    if (!bytes_.empty()) throw EncodingException(stmf_message::kHeaderSet);
    bytes_ = std::move(bytes);
}

int STMF_Message::segment(bool start_over) {
    if (start_over) next_.reset();
    int count = 1;
    // Iteratively, so that a long message cannot run the stack deep.
    for (STMF_Message* current = this; current->bytes_.size() > stmf_message::kSegmentSize;
         current = current->next_.get()) {
        auto rest = std::make_unique<STMF_Message>();
        const auto cut = current->bytes_.begin() + static_cast<std::ptrdiff_t>(stmf_message::kSegmentSize);
        rest->bytes_.assign(cut, current->bytes_.end());
        current->bytes_.erase(cut, current->bytes_.end());
        current->next_ = std::move(rest);
        ++count;
    }
    return count;
}
