#include "codec/stmf_message.h"

#include <gtest/gtest.h>

#include "codec/stmf_exception.h"

namespace {

TEST(StmfMessage, SegmentsOf512Bytes) {
    const struct {
        size_t size;
        int segments;
        size_t last;
    } cases[] = {{0, 1, 0}, {512, 1, 512}, {513, 2, 1}, {1024, 2, 512}, {1300, 3, 276}};
    for (const auto& c : cases) {
        STMF_Message message;
        Bytes bytes(c.size);
        for (size_t i = 0; i < c.size; ++i) bytes[i] = static_cast<uint8_t>(i);
        message.store(bytes);
        EXPECT_EQ(message.segment(true), c.segments) << c.size;
        Bytes joined;
        const STMF_Message* part = &message;
        for (; part->next() != nullptr; part = part->next()) {
            EXPECT_EQ(part->bytes().size(), 512u);
            joined.insert(joined.end(), part->bytes().begin(), part->bytes().end());
        }
        EXPECT_EQ(part->bytes().size(), c.last);
        joined.insert(joined.end(), part->bytes().begin(), part->bytes().end());
        EXPECT_EQ(joined, bytes);
    }
}

TEST(StmfMessage, TheHeaderGoesOnlyIntoAnEmptyMessage) {
    STMF_Message message;
    message.set_header(0x8E);
    try {
        message.set_header(0x80);
        FAIL();
    } catch (const EncodingException& e) {
        EXPECT_STREQ(e.what(), "An attempt was made to modify the PDU HEADER after it was already set!");
    }
    EXPECT_THROW(message.store({0x30}), EncodingException);
    EXPECT_EQ(message.bytes(), Bytes{0x8E});
}

}  // namespace
