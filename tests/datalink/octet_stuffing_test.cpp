#include "datalink/octet_stuffing.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "datalink/pmpp_exception.h"
#include "tests/support/thrown_text.h"

namespace {

TEST(OctetStuffing, OnlyFlagAndEscapeAreEscaped) {
    const struct {
        Bytes plain;
        Bytes stuffed;
    } cases[] = {
        {{}, {}},
        {{0x7E}, {0x7D, 0x5E}},
        {{0x7D}, {0x7D, 0x5D}},
        {{0x7D, 0x7E, 0x41}, {0x7D, 0x5D, 0x7D, 0x5E, 0x41}},
        {{0x00, 0x11, 0x13, 0x1F, 0x5D, 0x5E, 0xFF}, {0x00, 0x11, 0x13, 0x1F, 0x5D, 0x5E, 0xFF}},
    };
    for (const auto& c : cases) {
        Bytes out{0x7E};
        append_stuffed(out, c.plain);
        EXPECT_EQ(Bytes(out.begin() + 1, out.end()), c.stuffed);
        EXPECT_EQ(unstuff(c.stuffed), c.plain);
    }
    Bytes every_octet;
    for (unsigned octet = 0; octet < 256; ++octet) every_octet.push_back(static_cast<uint8_t>(octet));
    Bytes stuffed;
    append_stuffed(stuffed, every_octet);
    EXPECT_EQ(stuffed.size(), 258u);
    EXPECT_EQ(unstuff(stuffed), every_octet);
}

TEST(OctetStuffing, AnyEscapedOctetIsRestored) {
    EXPECT_EQ(unstuff(Bytes{0x7D, 0x41, 0x7D, 0x20}), (Bytes{0x61, 0x00}));
}

TEST(OctetStuffing, ALoneEscapeAtTheEndIsNotAFramingErrorOfItsOwnKind) {
    static_assert(!std::is_base_of_v<PMPP_Exception, Dangling_Escape_Exception>);
    static_assert(std::is_base_of_v<RecoverException, Dangling_Escape_Exception>);
    for (const Bytes& octets : {Bytes{0x7D}, Bytes{0x05, 0x13, 0x7D}, Bytes{0x7D, 0x5D, 0x7D}})
        EXPECT_EQ(thrown_text<Dangling_Escape_Exception>([&] { unstuff(octets); }), stuffing_error::kDanglingEscape);
}

}  // namespace
