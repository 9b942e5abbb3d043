#include "datalink/ipi.h"

#include <gtest/gtest.h>

#include "datalink/pmpp_exception.h"
#include "tests/support/thrown_text.h"

namespace {

TEST(Ipi, OnlyExactlyClassBCarriesTheClassBIpi) {
    EXPECT_EQ(IPI::for_class("Class B"), IPI(1, 0xC1));
    for (const char* other : {"class B", "Class B ", "Class", "POLL", ""})
        EXPECT_EQ(IPI::for_class(other), IPI()) << other;
    Bytes line;
    IPI::for_class("Class B").append_to(line);
    EXPECT_EQ(line, Bytes{0xC1});
}

TEST(Ipi, DecodeByTheExtensionBitOfTheFirstOctet) {
    const struct {
        Bytes octets;
        IPI ipi;
    } cases[] = {
        {{0xC1, 0x30}, IPI(1, 0xC1)},   {{0x21}, IPI(1, 0x21)},         {{0xC0, 0x21}, IPI(2, 0xC021)},
        {{0xC2, 0x23}, IPI(2, 0xC223)}, {{0x00, 0xC1}, IPI(2, 0x00C1)}, {{0x00, 0xC0, 0x30}, IPI(2, 0x00C0)},
        {{0x00, 0x21}, IPI(2, 0x0021)},
    };
    for (const auto& c : cases) EXPECT_EQ(IPI::decode(c.octets), c.ipi) << c.ipi.value();
}

TEST(Ipi, UnknownOrCutShortIpisAreRefused) {
    for (const Bytes& octets : {Bytes{}, Bytes{0xC3}, Bytes{0xC0}, Bytes{0xC0, 0xC1}, Bytes{0x02, 0x21}, Bytes{0x13}})
        EXPECT_EQ(thrown_text<InvalidByteSequenceException>([&] { IPI::decode(octets); }), pmpp_error::kInvalidIpi);
}

}  // namespace
